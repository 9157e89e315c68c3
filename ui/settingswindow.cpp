#include "settingswindow.h"

#include "browsemodel.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "openboxmodal.h"
#include "widecheckbox.h"
#include "wideslider.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {

constexpr struct {
    QSize window{279, 97};
    QRect speedLabel{5, 6, 105, 13};
    QRect speedSlider{104, 0, 177, 33}; // reaches 2 pixels past the client area
    QRect colorButton{8, 64, 129, 25};
    QRect meaningVisibleBox{8, 40, 121, 17};
    QRect japaneseVisibleBox{144, 40, 129, 17};
    QRect doneButton{144, 64, 129, 25};
} rects;

QCheckBox *makeCheckBox(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *box = new WideCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setChecked(true);
    return box;
}

} // namespace

SettingsWindow::SettingsWindow(BrowseModel &model, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_colorChooser(prompts)
{
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(QStringLiteral("浏览设置"));
    setFixedSize(rects.window);
    setFont(Fonts::controlFont());
    setModal(true);
    setBackground(this, Colors::windowBackground);

    m_speedLabel = new QLabel(QStringLiteral("自动浏览速度(秒)："), this);
    m_speedLabel->setObjectName(QStringLiteral("speedLabel"));
    m_speedLabel->setGeometry(rects.speedLabel);

    m_speedSlider = new WideSlider(Qt::Horizontal, this);
    m_speedSlider->setObjectName(QStringLiteral("speedSlider"));
    m_speedSlider->setAccessibleName(QStringLiteral("自动浏览速度(秒)"));
    m_speedSlider->setGeometry(rects.speedSlider);
    m_speedSlider->setRange(1, 10);
    m_speedSlider->setValue(1);
    m_speedSlider->setSingleStep(1);
    m_speedSlider->setPageStep(2);
    m_speedSlider->setTickPosition(QSlider::TicksBelow);
    m_speedSlider->setTickInterval(1);

    m_colorButton = makeButton(this, QStringLiteral("设置浏览字体颜色"), rects.colorButton);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_meaningVisibleBox = makeCheckBox(this, "meaningVisibleBox", QStringLiteral("汉语词意部分可见"),
                                       rects.meaningVisibleBox);
    m_japaneseVisibleBox = makeCheckBox(this, "japaneseVisibleBox", QStringLiteral("日文单词部分可见"),
                                        rects.japaneseVisibleBox);
    m_doneButton = makeButton(this, QStringLiteral("一切设置好了"), rects.doneButton);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));

    setTabOrder(m_speedSlider, m_colorButton);
    setTabOrder(m_colorButton, m_meaningVisibleBox);
    setTabOrder(m_meaningVisibleBox, m_japaneseVisibleBox);
    setTabOrder(m_japaneseVisibleBox, m_doneButton);

    hideOpenboxMinimiseButton(this);

    connect(m_speedSlider, &QSlider::valueChanged, this, &SettingsWindow::setSpeed);
    connect(m_colorButton, &QPushButton::clicked, this, &SettingsWindow::chooseLineColor);
    // Each box applies what it shows at once, whether the mouse, the keyboard or the program
    // toggled it.
    connect(m_meaningVisibleBox, &QCheckBox::toggled, &m_model, &BrowseModel::setMeaningVisible);
    connect(m_japaneseVisibleBox, &QCheckBox::toggled, &m_model, &BrowseModel::setJapaneseVisible);
    // "一切设置好了", the close button and Esc all leave it the one way QDialog has for them,
    // reject(); whoever opened it shows the main window again.
    connect(m_doneButton, &QPushButton::clicked, this, &QDialog::reject);
}

void SettingsWindow::setSpeed(int position)
{
    m_speedSlider->setToolTip(QString::number(position) + QStringLiteral("秒"));
    m_model.setStepInterval(position * BrowseModel::msPerSpeedStep);
}

void SettingsWindow::chooseLineColor()
{
    if (m_colorChooser.choose(this))
        m_model.setLineColor(m_colorChooser.color);
}
