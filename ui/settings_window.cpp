#include "settings_window.h"

#include "activation.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "main_window.h"
#include "steptimer.h"
#include "strip_window.h"
#include "windowplacement.h"

#include <QCloseEvent>
#include <QKeyEvent>

TForm5 *Form5 = nullptr;

namespace {

MouseUpCheckBox *makeCheckBox(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *box = new MouseUpCheckBox(text, parent);
    box->setGeometry(geometry);
    box->setChecked(true);
    return box;
}

} // namespace

TForm5::TForm5(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("浏览设置"));
    setFixedSize(279, 97);
    setFont(Fonts::controlFont());
    setModal(true);
    setBackground(this, Colors::windowBackground);

    Label1 = new QLabel(QStringLiteral("自动浏览速度(秒)："), this);
    Label1->setGeometry(5, 6, 105, 13);

    TBAR = new QSlider(Qt::Horizontal, this);
    TBAR->setGeometry(104, 0, 177, 33); // reaches 2 pixels past the client area
    TBAR->setRange(1, 10);
    TBAR->setValue(1);
    TBAR->setSingleStep(1);
    TBAR->setPageStep(2);
    TBAR->setTickPosition(QSlider::TicksBelow);
    TBAR->setTickInterval(1);

    Button1 = makeButton(this, QStringLiteral("设置浏览字体颜色"), {8, 64, 129, 25});
    CheckBox1 = makeCheckBox(this, QStringLiteral("汉语词意部分可见"), {8, 40, 121, 17});
    CheckBox2 = makeCheckBox(this, QStringLiteral("日文单词部分可见"), {144, 40, 129, 17});
    Button2 = makeButton(this, QStringLiteral("一切设置好了"), {144, 64, 129, 25});

    setTabOrder(TBAR, Button1);
    setTabOrder(Button1, CheckBox1);
    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, Button2);

    keepModalWindowShown(this); // no minimise button: the main window waits for this one

    connect(TBAR, &QSlider::valueChanged, this, &TForm5::TBARChange);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(CheckBox1, &MouseUpCheckBox::mouseUp, this, &TForm5::CheckBox1MouseUp);
    connect(CheckBox2, &MouseUpCheckBox::mouseUp, this, &TForm5::CheckBox2MouseUp);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    Activation::instance().watchModal(this);
}

void TForm5::TBARChange()
{
    const int position = TBAR->value();
    TBAR->setToolTip(QString::number(position) + QStringLiteral("秒"));
    setIntervalKeepingCount(Form1->Timer1, position * StepMs);
    setIntervalKeepingCount(Form2->Timer1, position * StepMs);
}

void TForm5::Button1Click()
{
    if (!CLDLG.choose())
        return;
    for (QLabel *line : {Form1->CNMEAN, Form1->JPJM, Form1->JPHZ}) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::WindowText, CLDLG.color);
        line->setPalette(palette);
    }
    Form1->updateColorKey();
}

void TForm5::CheckBox1MouseUp()
{
    Form1->CNMEAN->setVisible(CheckBox1->isChecked());
    Form1->updateColorKey();
}

void TForm5::CheckBox2MouseUp()
{
    Form1->JPJM->setVisible(CheckBox2->isChecked());
    Form1->JPHZ->setVisible(CheckBox2->isChecked());
    Form1->updateColorKey();
}

void TForm5::leave()
{
    done(QDialog::Rejected);
    showWindow(Form1); // returning from this modal window does not re-run its activation
}

void TForm5::Button2Click()
{
    leave();
}

void TForm5::closeEvent(QCloseEvent *event)
{
    leave();
    event->accept();
}

void TForm5::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close(); // the same as the close button
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm5::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreOnScreen(this);
    }
    QDialog::showEvent(event);
}
