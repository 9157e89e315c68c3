#include "mainwindow.h"

#include "browsemodel.h"
#include "captions.h"
#include "colorkey.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "prompts.h"
#include "steptimer.h"
#include "widecheckbox.h"
#include "wideradiobutton.h"
#include "wordtext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Where everything sits: the window's client area, the word panel and the control box in
// window coordinates; the word lines in the panel's; the controls in the box's.
constexpr struct {
    QSize window{776, 304};
    QRect wordPanel{8, 8, 761, 233};
    QRect controlBox{8, 232, 761, 65};
    QRect firstLine{0, 16, 761, 65};
    QRect secondLine{-2, 88, 761, 65};
    QRect meaningLine{-2, 160, 761, 65};
    QRect autoBrowseBox{8, 16, 73, 17};
    QRect backButton{712, 38, 44, 23};
    QRect level4Button{472, 40, 185, 17};
    QRect level3Button{280, 40, 185, 17};
    QRect level2Button{88, 40, 185, 17};
    QRect level2ExtraButton{280, 16, 185, 17};
    QRect level1Button{88, 16, 185, 17};
    QRect largerTextButton{48, 39, 33, 18};
    QRect smallerTextButton{9, 39, 33, 18};
    QRect previousButton{472, 14, 49, 19};
    QRect nextButton{608, 14, 47, 19};
    QRect stripButton{712, 13, 44, 23};
    QRect searchButton{665, 13, 44, 23};
    QRect settingsButton{665, 38, 44, 23};
    QRect counterLabel{520, 15, 89, 17};
} rects;

const QString noBankMessage = QStringLiteral("请选择词库后再进行操作。");

QLabel *makeWordLine(QWidget *parent, const char *name, const QRect &geometry, const QString &face,
                     const QColor &color)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(Fonts::fontPx(face, Fonts::pointsToPixels(BrowseModel::initialTextPoints)));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

QPushButton *makeNamedButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                             const QString &hint = {})
{
    QPushButton *button = makeButton(parent, text, geometry, hint);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

MainWindow::MainWindow(BrowseModel &model, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(Captions::window);
    setWindowIcon(QIcon(QPixmap::fromImage(readBitmap(QStringLiteral(":/icon.bmp")))));
    setFixedSize(rects.window);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::windowBackground);

    // A group box without a caption, as the platform draws one: an etched line round a fill of
    // its own colour (QGroupBox's styles would paint a tint over the fill).
    m_controlBox = new QFrame(this);
    m_controlBox->setObjectName(QStringLiteral("controlBox"));
    m_controlBox->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_controlBox->setGeometry(rects.controlBox);
    setBackground(m_controlBox, Colors::panelBackground);

    m_wordPanel = new QFrame(this);
    m_wordPanel->setObjectName(QStringLiteral("wordPanel"));
    m_wordPanel->setGeometry(rects.wordPanel);
    m_wordPanel->setFrameShape(QFrame::Panel);
    m_wordPanel->setFrameShadow(QFrame::Raised);
    setBackground(m_wordPanel, Colors::panelBackground);
    m_wordPanel->raise(); // covers the top of the control box

    m_firstLine = makeWordLine(m_wordPanel, "firstLine", rects.firstLine, Fonts::Mincho, Colors::wordText);
    m_secondLine = makeWordLine(m_wordPanel, "secondLine", rects.secondLine, Fonts::Mincho, Colors::wordText);
    m_meaningLine = makeWordLine(m_wordPanel, "meaningLine", rects.meaningLine, Fonts::Songti, Colors::meaningText);
    m_meaningLine->setText(QStringLiteral("请选择要浏览的单词"));
    // A screen reader reads each line's text as its name (Qt's own for a label, and Qt tells it
    // of every change), and what the line is as its description.
    m_firstLine->setAccessibleDescription(QStringLiteral("单词"));
    m_secondLine->setAccessibleDescription(QStringLiteral("读音"));
    m_meaningLine->setAccessibleDescription(QStringLiteral("词意"));

    m_autoBrowseBox = new WideCheckBox(QStringLiteral("自动浏览"), m_controlBox);
    m_autoBrowseBox->setObjectName(QStringLiteral("autoBrowseBox"));
    m_autoBrowseBox->setGeometry(rects.autoBrowseBox);
    m_backButton = makeNamedButton(m_controlBox, "backButton", QStringLiteral("返回"), rects.backButton);

    // The level buttons, in the order they were laid out (the tab order keeps it), each with
    // its bank's caption.
    struct LevelButton {
        WordLevel level;
        QRect geometry;
    };
    const LevelButton levels[] = {
        {WordLevel::Level4, rects.level4Button},
        {WordLevel::Level3, rects.level3Button},
        {WordLevel::Level2, rects.level2Button},
        {WordLevel::Level2Extra, rects.level2ExtraButton},
    };
    m_levelButtons = new QButtonGroup(this);
    auto addLevelButton = [this](const LevelButton &row) {
        auto *radio = new WideRadioButton(toQString(bankInfo(row.level).levelButton), m_controlBox);
        radio->setObjectName(levelObjectName(row.level, "Button"));
        radio->setGeometry(row.geometry);
        m_levelButtons->addButton(radio, int(row.level));
        return radio;
    };
    for (const LevelButton &row : levels)
        addLevelButton(row);
    m_levelButtons->button(int(WordLevel::Level2Extra))->setToolTip(QStringLiteral("1级预备单词，2级补充单词。"));
    m_largerTextButton = makeNamedButton(m_controlBox, "largerTextButton", QStringLiteral("↑"),
                                         rects.largerTextButton, QStringLiteral("浏览字号增大"));
    m_smallerTextButton = makeNamedButton(m_controlBox, "smallerTextButton", QStringLiteral("↓"),
                                          rects.smallerTextButton, QStringLiteral("浏览字号减小"));
    m_previousButton = makeNamedButton(m_controlBox, "previousButton", QStringLiteral("← 上"),
                                       rects.previousButton, QStringLiteral("前一个单词"));
    m_nextButton = makeNamedButton(m_controlBox, "nextButton", QStringLiteral("下  →"), rects.nextButton,
                                   QStringLiteral("后一个单词"));
    addLevelButton({WordLevel::Level1, rects.level1Button});
    m_stripButton = makeNamedButton(m_controlBox, "stripButton", QStringLiteral("小窗"), rects.stripButton,
                                    QStringLiteral("小型浏览窗口"));
    m_searchButton = makeNamedButton(m_controlBox, "searchButton", QStringLiteral("查询"), rects.searchButton);
    m_settingsButton = makeNamedButton(m_controlBox, "settingsButton", QStringLiteral("设置"), rects.settingsButton);
    m_counterLabel = new QLabel(QStringLiteral("0/0"), m_controlBox);
    m_counterLabel->setObjectName(QStringLiteral("counterLabel"));
    m_counterLabel->setGeometry(rects.counterLabel);
    m_counterLabel->setAlignment(Qt::AlignCenter);
    // Its place takes in the last column of "← 上" and the first of "下  →": clicks there
    // go through the text to the buttons.
    m_counterLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    QWidget *tabOrder[] = {m_autoBrowseBox,
                           m_backButton,
                           m_levelButtons->button(int(WordLevel::Level4)),
                           m_levelButtons->button(int(WordLevel::Level3)),
                           m_levelButtons->button(int(WordLevel::Level2)),
                           m_levelButtons->button(int(WordLevel::Level2Extra)),
                           m_largerTextButton,
                           m_smallerTextButton,
                           m_previousButton,
                           m_nextButton,
                           m_levelButtons->button(int(WordLevel::Level1)),
                           m_stripButton,
                           m_searchButton,
                           m_settingsButton};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    m_autoBrowseTimer = makeStepTimer(m_model.stepIntervalMs(), this);
    m_autoBrowseTimer->setObjectName(QStringLiteral("autoBrowseTimer"));

    connect(m_autoBrowseBox, &QCheckBox::toggled, this, &MainWindow::switchAutoBrowse);
    connect(m_backButton, &QPushButton::clicked, this, &MainWindow::backRequested);
    connect(m_levelButtons, &QButtonGroup::idToggled, this, &MainWindow::chooseLevel);
    connect(m_largerTextButton, &QPushButton::clicked, &m_model, &BrowseModel::enlargeText);
    connect(m_smallerTextButton, &QPushButton::clicked, &m_model, &BrowseModel::shrinkText);
    connect(m_previousButton, &QPushButton::clicked, this, &MainWindow::showPreviousWord);
    connect(m_nextButton, &QPushButton::clicked, this, &MainWindow::showNextWord);
    connect(m_stripButton, &QPushButton::clicked, this, &MainWindow::openStrip);
    connect(m_searchButton, &QPushButton::clicked, this, &MainWindow::openSearch);
    connect(m_settingsButton, &QPushButton::clicked, this, &MainWindow::settingsRequested);
    connect(m_autoBrowseTimer, &QTimer::timeout, this, &MainWindow::advanceAutoBrowse);

    connect(&m_model, &BrowseModel::levelChanged, this, &MainWindow::checkLevel);
    connect(&m_model, &BrowseModel::wordChanged, this, &MainWindow::showCurrentWord);
    connect(&m_model, &BrowseModel::stepIntervalChanged, this, &MainWindow::applyStepInterval);
    connect(&m_model, &BrowseModel::lineColorChanged, this, &MainWindow::applyLineColor);
    connect(&m_model, &BrowseModel::lineVisibilityChanged, this, &MainWindow::applyLineVisibility);
    connect(&m_model, &BrowseModel::textSizeChanged, this, &MainWindow::applyTextSize);
}

void MainWindow::startOverAtLevel4()
{
    m_model.loadLevel(WordLevel::Level4);
}

void MainWindow::chooseLevel(int id, bool checked)
{
    // A level button becomes checked by the learner, or by checkLevel after a load.
    if (checked && m_model.level() != WordLevel(id))
        m_model.loadLevel(WordLevel(id));
}

void MainWindow::checkLevel(WordLevel level)
{
    QAbstractButton *checked = m_levelButtons->button(int(level));
    checked->setChecked(true);
    // Tab reaches the five buttons at the checked one. Qt moves that stop to the button the
    // focus last entered, which need not be the one the program has just checked (level 4, on
    // every entry); and the focus, should it be on another of them, goes to the checked one, so
    // that Space there does not load another level.
    for (QAbstractButton *button : m_levelButtons->buttons()) {
        const Qt::FocusPolicy policy = button->focusPolicy();
        button->setFocusPolicy(Qt::FocusPolicy(button == checked ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
        if (button != checked && focusWidget() == button)
            checked->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::showCurrentWord()
{
    const WordStore &store = m_model.store();
    const BankEntry word = store.currentWord();
    m_firstLine->setText(toQString(word.first));
    m_secondLine->setText(toQString(word.shownSecond()));
    m_meaningLine->setText(toQString(word.meaning));
    m_counterLabel->setText(QString::fromStdString(store.counterText()));
    updateColorKey();
}

void MainWindow::updateColorKey()
{
    const QColor key = Colors::mainWindowKey;
    const bool keyed = m_firstLine->palette().color(QPalette::WindowText) == key
        || m_secondLine->palette().color(QPalette::WindowText) == key
        || m_meaningLine->palette().color(QPalette::WindowText) == key;
    if (keyed)
        applyColorKey(this, key);
    else
        clearMask();
}

void MainWindow::showPreviousWord()
{
    if (!m_model.hasBank()) {
        m_prompts.message(this, noBankMessage);
        return;
    }
    m_model.stepPrevious();
}

void MainWindow::showNextWord()
{
    if (!m_model.hasBank()) {
        m_prompts.message(this, noBankMessage);
        return;
    }
    m_model.stepNext();
}

// However the box was toggled: with a bank, the timer follows it; without one, it cannot be
// ticked: it clears itself, then says why.
void MainWindow::switchAutoBrowse(bool on)
{
    if (m_model.hasBank()) {
        setTimerRunning(m_autoBrowseTimer, on);
    } else if (on) {
        m_autoBrowseBox->setChecked(false);
        m_prompts.message(this, noBankMessage);
    }
}

void MainWindow::advanceAutoBrowse()
{
    m_model.stepNext(BrowseModel::WordChange::AutoBrowseStep);
}

void MainWindow::applyStepInterval(int ms)
{
    setIntervalKeepingCount(m_autoBrowseTimer, ms);
}

void MainWindow::applyTextSize(int points)
{
    const int pixels = Fonts::pointsToPixels(points);
    for (QLabel *line : {m_firstLine, m_secondLine, m_meaningLine}) {
        QFont font = line->font();
        font.setPixelSize(pixels);
        line->setFont(font);
    }
    updateColorKey();
}

void MainWindow::applyLineColor(const QColor &color)
{
    for (QLabel *line : {m_meaningLine, m_firstLine, m_secondLine}) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::WindowText, color);
        line->setPalette(palette);
    }
    updateColorKey();
}

void MainWindow::applyLineVisibility()
{
    m_meaningLine->setVisible(m_model.meaningVisible());
    m_firstLine->setVisible(m_model.japaneseVisible());
    m_secondLine->setVisible(m_model.japaneseVisible());
    updateColorKey();
}

void MainWindow::openStrip()
{
    if (!m_model.hasBank()) {
        m_prompts.message(this, QStringLiteral("请选择词库后再进行小窗口浏览。"));
        return;
    }
    emit stripRequested();
}

void MainWindow::openSearch()
{
    if (!m_model.hasBank()) {
        m_prompts.message(this, QStringLiteral("请选择词库后再进行查询。"));
        return;
    }
    emit searchRequested();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit backRequested();
}
