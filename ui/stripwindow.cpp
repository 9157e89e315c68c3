#include "stripwindow.h"

#include "captions.h"
#include "clicklabel.h"
#include "colorkey.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "steptimer.h"
#include "wordtext.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace {

constexpr struct {
    QSize window{910, 28};
    QRect bar{173, -2, 708, 30};
    QRect wordLine{185, 5, 685, 16};
} rects;

} // namespace

StripWindow::StripWindow(BrowseModel &model, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_model(model)
{
    setObjectName(QStringLiteral("stripWindow"));
    setWindowTitle(Captions::program);
    setFixedSize(rects.window);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::panelBackground);

    // The strip is a light-blue bar with round ends, the word line on it: the shape of the
    // bar bitmap stretched into its place, its pixels of the key colour see-through, and the
    // line. Worked out once, in logical pixels, so that at any display scale the bar keeps
    // the outline it has at 100% and not one pixel of the key colour reaches the screen.
    const QImage bar = readBitmap(QStringLiteral(":/bar.bmp"))
                           .scaled(rects.bar.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    setMask((colorKeyRegion(bar, Colors::stripKey.rgb()).translated(rects.bar.topLeft()) | rects.wordLine) & rect());

    m_wordLine = new ClickLabel(this);
    m_wordLine->setObjectName(QStringLiteral("wordLine"));
    m_wordLine->setAccessibleDescription(QStringLiteral("当前单词")); // its text is its name
    m_wordLine->setGeometry(rects.wordLine);
    m_wordLine->setFont(Fonts::fontPx(Fonts::Mincho, 16));
    m_wordLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_wordLine->setWordWrap(false);
    m_wordLine->setTextFormat(Qt::PlainText);
    setBackground(m_wordLine, Colors::panelBackground);
    QPalette palette = m_wordLine->palette();
    palette.setColor(QPalette::WindowText, Colors::wordText);
    m_wordLine->setPalette(palette);

    m_stepTimer = makeStepTimer(m_model.stepIntervalMs(), this);
    m_stepTimer->setObjectName(QStringLiteral("stepTimer"));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("menu"));
    m_previousWordAction = m_menu->addAction(QStringLiteral("上一个单词"));
    m_previousWordAction->setObjectName(QStringLiteral("previousWordAction"));
    m_nextWordAction = m_menu->addAction(QStringLiteral("下一个单词"));
    m_nextWordAction->setObjectName(QStringLiteral("nextWordAction"));
    m_menu->addSeparator();
    // The group only gathers the level entries: an exclusive group would mark the loaded
    // level with a round dot, where this menu shows a check mark, so markLevel keeps the
    // one mark itself.
    m_levelActions = new QActionGroup(this);
    m_levelActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (WordLevel level : AllLevels) {
        QAction *entry = m_menu->addAction(toQString(bankInfo(level).menuEntry));
        entry->setObjectName(levelObjectName(level, "Action"));
        entry->setCheckable(true);
        entry->setData(int(level));
        m_levelActions->addAction(entry);
    }
    m_menu->addSeparator();
    m_backAction = m_menu->addAction(QStringLiteral("返      回"));
    m_backAction->setObjectName(QStringLiteral("backAction"));

    connect(m_stepTimer, &QTimer::timeout, this, &StripWindow::advance);
    connect(m_previousWordAction, &QAction::triggered, this, &StripWindow::showPreviousWord);
    connect(m_nextWordAction, &QAction::triggered, this, &StripWindow::showNextWord);
    connect(m_levelActions, &QActionGroup::triggered, this, &StripWindow::chooseLevel);
    connect(m_backAction, &QAction::triggered, this, &StripWindow::backRequested);
    connect(m_wordLine, &ClickLabel::clicked, this, [this] { openMenu(QCursor::pos()); });

    connect(&m_model, &BrowseModel::levelChanged, this, &StripWindow::markLevel);
    connect(&m_model, &BrowseModel::wordChanged, this, &StripWindow::refreshAfterStep);
    connect(&m_model, &BrowseModel::stepIntervalChanged, this, &StripWindow::applyStepInterval);
}

void StripWindow::enter()
{
    startIfStopped(m_stepTimer);
    show();
    raise();
    activateWindow();
}

void StripWindow::leave()
{
    hide();
    m_stepTimer->stop();
}

void StripWindow::showStripWord()
{
    const WordStore &store = m_model.store();
    const BankEntry word = store.currentWord();
    const QString gap = QStringLiteral("   ");
    QString text = u' ' + toQString(word.first) + gap;
    if (!word.second.empty()) // a word without a second text shows its first once
        text += toQString(word.second) + gap;
    text += toQString(word.meaning) + gap;
    m_wordLine->setText(text);
    m_wordLine->setToolTip(QString::fromStdString(store.counterText()));
}

// The line follows every step but the main window's auto-browse ticks; a new bank shows at
// the strip's next step.
void StripWindow::refreshAfterStep(BrowseModel::WordChange change)
{
    if (change == BrowseModel::WordChange::Step)
        showStripWord();
}

void StripWindow::markLevel(WordLevel level)
{
    for (QAction *entry : m_levelActions->actions())
        entry->setChecked(entry->data().toInt() == int(level));
}

void StripWindow::chooseLevel(QAction *entry)
{
    m_model.loadLevel(WordLevel(entry->data().toInt()));
}

void StripWindow::advance()
{
    m_model.stepNext();
}

void StripWindow::showPreviousWord()
{
    m_model.stepPrevious();
}

void StripWindow::showNextWord()
{
    m_model.stepNext();
}

void StripWindow::openMenu(const QPoint &globalPos)
{
    if (!m_menu->isVisible())
        m_menu->popup(globalPos);
}

// The right mouse button and the Menu key: at the mouse pointer, or from the keyboard below the
// start of the word line.
void StripWindow::contextMenuEvent(QContextMenuEvent *event)
{
    openMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                         : m_wordLine->mapToGlobal(m_wordLine->rect().bottomLeft()));
}

// Shift+F10, which Qt's X11 platform does not turn into a context-menu event as Windows does.
void StripWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        openMenu(m_wordLine->mapToGlobal(m_wordLine->rect().bottomLeft()));
        return;
    }
    QWidget::keyPressEvent(event);
}

void StripWindow::applyStepInterval(int ms)
{
    setIntervalKeepingCount(m_stepTimer, ms);
}

void StripWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit backRequested();
}

void StripWindow::showEvent(QShowEvent *event)
{
    // On the primary screen, whose corner is the desktop's (0, 0) on Windows but need not be
    // on X11 (a primary monitor right of or below another).
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        move(primary->geometry().topLeft() + place);
    QWidget::showEvent(event);
}
