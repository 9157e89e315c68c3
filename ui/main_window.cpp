#include "main_window.h"

#include "activation.h"
#include "colors.h"
#include "colorkey.h"
#include "controls.h"
#include "fonts.h"
#include "gbktext.h"
#include "plaingroupbox.h"
#include "prompts.h"
#include "search_window.h"
#include "settings_window.h"
#include "steptimer.h"
#include "start_window.h"
#include "strip_window.h"
#include "windowplacement.h"

#include <QCloseEvent>

TForm1 *Form1 = nullptr;

namespace {

const QString NoBankMessage = QStringLiteral("请选择词库后再进行操作。");

QRadioButton *makeRadio(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setGeometry(geometry);
    return radio;
}

QLabel *makeWordLine(QWidget *parent, const QRect &geometry, const QString &face, const QColor &color)
{
    auto *label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(Fonts::fontPx(face, Fonts::pointsToPixels(22)));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Tessarine 2005 （ Corvanel系列 2 ）"));
    setWindowIcon(QIcon(QStringLiteral(":/icon.bmp")));
    setFixedSize(776, 304);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::windowBackground);

    GPB = new PlainGroupBox(this);
    GPB->setGeometry(8, 232, 761, 65);
    setBackground(GPB, Colors::panelBackground);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 761, 233);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    setBackground(Panel1, Colors::panelBackground);
    Panel1->raise(); // covers the top of the group box

    JPJM = makeWordLine(Panel1, {0, 16, 761, 65}, Fonts::Mincho, Colors::wordText);
    JPHZ = makeWordLine(Panel1, {-2, 88, 761, 65}, Fonts::Mincho, Colors::wordText);
    CNMEAN = makeWordLine(Panel1, {-2, 160, 761, 65}, Fonts::Songti, Colors::meaningText);
    CNMEAN->setText(QStringLiteral("请选择要浏览的单词"));

    ATBROWSE = new MouseUpCheckBox(QStringLiteral("自动浏览"), GPB);
    ATBROWSE->setGeometry(8, 16, 73, 17);
    BTNEXIT = makeButton(GPB, QStringLiteral("返回"), {712, 38, 44, 23});
    OPBGJ4 = makeRadio(GPB, QStringLiteral("国际日语能力考试 4 级单词"), {472, 40, 185, 17});
    OPBGJ3 = makeRadio(GPB, QStringLiteral("国际日语能力考试 3 级单词"), {280, 40, 185, 17});
    OPBGJ2 = makeRadio(GPB, QStringLiteral("国际日语能力考试 2 级单词"), {88, 40, 185, 17});
    OPBGJ1 = makeRadio(GPB, QStringLiteral("日语能力考试 2 级补充单词"), {280, 16, 185, 17});
    OPBGJ1->setToolTip(QStringLiteral("1级预备单词，2级补充单词。"));
    BTNFU = makeButton(GPB, QStringLiteral("↑"), {48, 39, 33, 18}, QStringLiteral("浏览字号增大"));
    BTNFD = makeButton(GPB, QStringLiteral("↓"), {9, 39, 33, 18}, QStringLiteral("浏览字号减小"));
    BTNPREV = makeButton(GPB, QStringLiteral("← 上"), {472, 14, 49, 19}, QStringLiteral("前一个单词"));
    BTNNEXT = makeButton(GPB, QStringLiteral("下  →"), {608, 14, 47, 19}, QStringLiteral("后一个单词"));
    OPBJD1 = makeRadio(GPB, QStringLiteral("国际日语能力考试 1 级单词"), {88, 16, 185, 17});
    Button1 = makeButton(GPB, QStringLiteral("小窗"), {712, 13, 44, 23}, QStringLiteral("小型浏览窗口"));
    Button2 = makeButton(GPB, QStringLiteral("查询"), {665, 13, 44, 23});
    Button3 = makeButton(GPB, QStringLiteral("设置"), {665, 38, 44, 23});
    wdcount = new QLabel(QStringLiteral("0/0"), GPB);
    wdcount->setGeometry(520, 15, 89, 17);
    wdcount->setAlignment(Qt::AlignCenter);

    QWidget *tabOrder[] = {ATBROWSE, BTNEXIT, OPBGJ4, OPBGJ3, OPBGJ2, OPBGJ1, BTNFU,
                           BTNFD, BTNPREV, BTNNEXT, OPBJD1, Button1, Button2, Button3};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    Timer1 = makeStepTimer(2600, this);

    // Handlers are attached after the stored properties, so setting those fired nothing.
    connect(ATBROWSE, &QCheckBox::toggled, this, &TForm1::ATBROWSEClick);
    connect(ATBROWSE, &MouseUpCheckBox::mouseUp, this, &TForm1::ATBROWSEMouseUp);
    connect(BTNEXIT, &QPushButton::clicked, this, &TForm1::BTNEXITClick);
    // A radio button's click handler runs once when it becomes checked.
    const std::pair<QRadioButton *, void (TForm1::*)()> levels[] = {
        {OPBJD1, &TForm1::OPBJD1Click}, {OPBGJ1, &TForm1::OPBGJ1Click}, {OPBGJ2, &TForm1::OPBGJ2Click},
        {OPBGJ3, &TForm1::OPBGJ3Click}, {OPBGJ4, &TForm1::OPBGJ4Click}};
    for (const auto &[radio, handler] : levels) {
        connect(radio, &QRadioButton::toggled, this, [this, handler = handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    }
    connect(BTNFU, &QPushButton::clicked, this, &TForm1::BTNFUClick);
    connect(BTNFD, &QPushButton::clicked, this, &TForm1::BTNFDClick);
    connect(BTNPREV, &QPushButton::clicked, this, &TForm1::BTNPREVClick);
    connect(BTNNEXT, &QPushButton::clicked, this, &TForm1::BTNNEXTClick);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Activation::instance().watch(this, [this] { FormActivate(); });
}

QRadioButton *TForm1::levelButton(WordLevel level) const
{
    switch (level) {
    case WordLevel::Level1: return OPBJD1;
    case WordLevel::Level2Extra: return OPBGJ1;
    case WordLevel::Level2: return OPBGJ2;
    case WordLevel::Level3: return OPBGJ3;
    case WordLevel::Level4: return OPBGJ4;
    }
    return nullptr;
}

void TForm1::loadLevelBank(WordLevel level)
{
    ::loadLevelBank(Store, level, *this);
}

void TForm1::showCurrentWord()
{
    JPJM->setText(fromGbk(Store.currentFirst()));
    JPHZ->setText(fromGbk(Store.currentSecond()));
    CNMEAN->setText(fromGbk(Store.currentMeaning()));
    wdcount->setText(QString::fromStdString(Store.counterText()));
    updateColorKey();
}

void TForm1::updateColorKey()
{
    const QColor key = Colors::mainWindowKey;
    const bool keyed = JPJM->palette().color(QPalette::WindowText) == key
        || JPHZ->palette().color(QPalette::WindowText) == key
        || CNMEAN->palette().color(QPalette::WindowText) == key;
    if (keyed)
        applyColorKey(this, key);
    else
        clearMask();
}

void TForm1::syncStripLevel()
{
    if (Form2)
        Form2->syncStripLevel();
}

void TForm1::FormActivate()
{
    OPBGJ4Click();
    OPBGJ4->setChecked(true);
}

void TForm1::levelClick(QRadioButton *button, WordLevel level)
{
    if (button->isChecked())
        loadLevelBank(level);
    wdcount->setText(QString::fromStdString(Store.counterText()));
}

void TForm1::OPBJD1Click() { levelClick(OPBJD1, WordLevel::Level1); }
void TForm1::OPBGJ1Click() { levelClick(OPBGJ1, WordLevel::Level2Extra); }
void TForm1::OPBGJ2Click() { levelClick(OPBGJ2, WordLevel::Level2); }
void TForm1::OPBGJ3Click() { levelClick(OPBGJ3, WordLevel::Level3); }
void TForm1::OPBGJ4Click() { levelClick(OPBGJ4, WordLevel::Level4); }

void TForm1::stepByHand(void (WordStore::*step)())
{
    if (Store.count == 0) {
        prompts().message(NoBankMessage);
        return;
    }
    (Store.*step)();
    showCurrentWord();
    Form2->showStripWord(); // the strip's line stays current even while it is hidden
}

void TForm1::BTNPREVClick() { stepByHand(&WordStore::stepPrevious); }
void TForm1::BTNNEXTClick() { stepByHand(&WordStore::stepNext); }

void TForm1::ATBROWSEClick()
{
    if (Store.count != 0)
        setTimerRunning(Timer1, ATBROWSE->isChecked());
}

void TForm1::ATBROWSEMouseUp()
{
    if (Store.count != 0)
        return;
    ATBROWSE->setChecked(false);
    prompts().message(NoBankMessage);
}

void TForm1::Timer1Timer()
{
    Store.stepNext();
    showCurrentWord();
}

void TForm1::setFontPoints(int points)
{
    m_fontPoints = points;
    const int pixels = Fonts::pointsToPixels(points);
    for (QLabel *line : {JPJM, JPHZ, CNMEAN}) {
        QFont font = line->font();
        font.setPixelSize(pixels);
        line->setFont(font);
    }
    updateColorKey();
}

void TForm1::BTNFUClick()
{
    if (m_fontPoints <= 43)
        setFontPoints(m_fontPoints + 2);
}

void TForm1::BTNFDClick()
{
    if (m_fontPoints >= 15)
        setFontPoints(m_fontPoints - 2);
}

void TForm1::Button1Click()
{
    if (Store.count == 0) {
        prompts().message(QStringLiteral("请选择词库后再进行小窗口浏览。"));
        return;
    }
    hide();
    setTimerRunning(Form2->Timer1, true);
    showWindow(Form2);
}

void TForm1::Button2Click()
{
    if (Store.count == 0) {
        prompts().message(QStringLiteral("请选择词库后再进行查询。"));
        return;
    }
    hide();
    showWindow(Form3);
}

void TForm1::Button3Click()
{
    Form5->exec();
}

void TForm1::BTNEXITClick()
{
    hide();
    showWindow(Form4);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    BTNEXITClick();
    event->accept();
}

void TForm1::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
}
