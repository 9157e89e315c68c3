#include "strip_window.h"

#include "activation.h"
#include "colors.h"
#include "colorkey.h"
#include "controls.h"
#include "fonts.h"
#include "gbktext.h"
#include "main_window.h"
#include "steptimer.h"
#include "windowplacement.h"

#include <QCloseEvent>
#include <QCursor>

TForm2 *Form2 = nullptr;

namespace {

// The strip's level table: list position, caption and bank.
struct StripLevel {
    WordLevel level;
    const char16_t *caption;
};
constexpr StripLevel stripLevels[] = {
    {WordLevel::Level1, u"日语 1 级词"},
    {WordLevel::Level2Extra, u"日语 2 级补充词"},
    {WordLevel::Level2, u"日语 2 级词"},
    {WordLevel::Level3, u"日语 3 级词"},
    {WordLevel::Level4, u"日语 4 级词"},
};

int positionOf(WordLevel level)
{
    for (int i = 0; i < int(std::size(stripLevels)); ++i)
        if (stripLevels[i].level == level)
            return i;
    return -1;
}

} // namespace

TForm2::TForm2(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Tessarine 2005"));
    setFixedSize(910, 28);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::stripKey);

    Image1 = new StretchImage(this);
    Image1->setGeometry(173, -2, 708, 30);
    Image1->setImage(QImage(QStringLiteral(":/bar.bmp")));

    ll = new ClickLabel(this);
    ll->setGeometry(185, 5, 685, 16);
    ll->setFont(Fonts::fontPx(Fonts::Mincho, 16));
    ll->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ll->setWordWrap(false);
    ll->setTextFormat(Qt::PlainText);
    setBackground(ll, Colors::windowBackground);
    QPalette palette = ll->palette();
    palette.setColor(QPalette::WindowText, Colors::wordText);
    ll->setPalette(palette);

    ComboBox1 = new QComboBox(this);
    for (const StripLevel &row : stripLevels)
        ComboBox1->addItem(QString::fromUtf16(row.caption));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->hide();

    Timer1 = makeStepTimer(2600, this);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QStringLiteral("上一个单词"));
    N2 = PopupMenu1->addAction(QStringLiteral("下一个单词"));
    N3 = PopupMenu1->addSeparator();
    N11 = PopupMenu1->addAction(QString::fromUtf16(stripLevels[0].caption));
    N21 = PopupMenu1->addAction(QString::fromUtf16(stripLevels[1].caption));
    N22 = PopupMenu1->addAction(QString::fromUtf16(stripLevels[2].caption));
    N31 = PopupMenu1->addAction(QString::fromUtf16(stripLevels[3].caption));
    N41 = PopupMenu1->addAction(QString::fromUtf16(stripLevels[4].caption));
    N5 = PopupMenu1->addSeparator();
    N4 = PopupMenu1->addAction(QStringLiteral("返      回"));
    for (QAction *entry : {N11, N21, N22, N31, N41})
        entry->setCheckable(true);

    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(N1, &QAction::triggered, this, &TForm2::N1Click);
    connect(N2, &QAction::triggered, this, &TForm2::N2Click);
    connect(N11, &QAction::triggered, this, &TForm2::N11Click);
    connect(N21, &QAction::triggered, this, &TForm2::N21Click);
    connect(N22, &QAction::triggered, this, &TForm2::N22Click);
    connect(N31, &QAction::triggered, this, &TForm2::N31Click);
    connect(N41, &QAction::triggered, this, &TForm2::N41Click);
    connect(N4, &QAction::triggered, this, &TForm2::N4Click);
    connect(ll, &ClickLabel::clicked, this, &TForm2::llClick);
    connect(ll, &ClickLabel::rightClicked, this, &TForm2::llClick);
    Activation::instance().watch(this, [this] { FormActivate(); });
}

QAction *TForm2::levelEntry(WordLevel level) const
{
    QAction *entries[] = {N11, N21, N22, N31, N41};
    const int position = positionOf(level);
    return position >= 0 ? entries[position] : nullptr;
}

void TForm2::showStripWord()
{
    const WordStore &store = Form1->Store;
    const int32_t p = store.position;
    const QString gap = QStringLiteral("   ");
    QString text = u' ' + fromGbk(store.firstTexts[p]) + gap;
    if (!store.secondTexts[p].empty())
        text += fromGbk(store.secondTexts[p]) + gap;
    text += fromGbk(store.meanings[p]) + gap;
    ll->setText(text);
    ll->setToolTip(QString::fromStdString(store.counterText()));
}

void TForm2::markLevel(WordLevel level)
{
    ComboBox1->setCurrentIndex(positionOf(level));
    for (const StripLevel &row : stripLevels)
        levelEntry(row.level)->setChecked(row.level == level);
}

void TForm2::syncStripLevel()
{
    for (const StripLevel &row : stripLevels)
        if (Form1->levelButton(row.level)->isChecked())
            markLevel(row.level);
}

void TForm2::applyStripLevel()
{
    const QString caption = ComboBox1->currentText();
    for (const StripLevel &row : stripLevels) {
        if (caption != QString::fromUtf16(row.caption))
            continue;
        QRadioButton *button = Form1->levelButton(row.level);
        if (button->isChecked())
            Form1->loadLevelBank(row.level);
        else
            button->setChecked(true); // its click handler loads the bank
        return;
    }
}

void TForm2::chooseLevel(WordLevel level)
{
    markLevel(level);
    applyStripLevel();
}

void TForm2::N11Click() { chooseLevel(WordLevel::Level1); }
void TForm2::N21Click() { chooseLevel(WordLevel::Level2Extra); }
void TForm2::N22Click() { chooseLevel(WordLevel::Level2); }
void TForm2::N31Click() { chooseLevel(WordLevel::Level3); }
void TForm2::N41Click() { chooseLevel(WordLevel::Level4); }

void TForm2::Timer1Timer()
{
    Form1->Store.stepNext();
    showStripWord();
    Form1->showCurrentWord();
}

void TForm2::N1Click()
{
    Form1->Store.stepPrevious();
    Form1->showCurrentWord();
    showStripWord();
}

void TForm2::N2Click()
{
    Form1->Store.stepNext();
    Form1->showCurrentWord();
    showStripWord();
}

void TForm2::llClick()
{
    PopupMenu1->popup(QCursor::pos());
}

void TForm2::FormActivate()
{
    move(33, 0);
    setTimerRunning(Timer1, true);
}

void TForm2::returnToMain()
{
    hide();
    showWindow(Form1);
    setTimerRunning(Timer1, false);
}

void TForm2::N4Click()
{
    returnToMain();
}

void TForm2::closeEvent(QCloseEvent *event)
{
    returnToMain();
    event->accept();
}

void TForm2::showEvent(QShowEvent *event)
{
    move(33, 0);
    QWidget::showEvent(event);
    applyColorKey(this, Colors::stripKey);
}
