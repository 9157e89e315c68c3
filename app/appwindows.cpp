#include "appwindows.h"

#include "browsemodel.h"
#include "fonts.h"
#include "mainwindow.h"
#include "prompts.h"
#include "searchwindow.h"
#include "settingswindow.h"
#include "startwindow.h"
#include "stripwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

AppWindows::AppWindows(UserPrompts &prompts)
    : m_prompts(prompts)
    , m_start(std::make_unique<StartWindow>())
{
    // The task-bar name; unlike a display name it leaves every window's caption alone. Set
    // before any window reaches the screen, since X11 takes it when the first one does.
    QApplication::setApplicationName(QStringLiteral("Velkaro 2005"));
    connect(m_start.get(), &StartWindow::enterRequested, this, &AppWindows::enterMainFromStart);
    connect(m_start.get(), &StartWindow::quitRequested, qApp, &QCoreApplication::quit);
}

void AppWindows::createRemainingWindows()
{
    if (m_model)
        return;
    // Qt's own texts (the colour dialog, the message box's button, the text boxes' context
    // menu) in Simplified Chinese like the rest of the program, whatever the learner's
    // locale; without the catalogue they stay in English. The start window has none.
    if (m_toolkitTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_toolkitTexts);
    m_model = std::make_unique<BrowseModel>();
    m_main = std::make_unique<MainWindow>(*m_model, m_prompts);
    // The main window's modal dialog: the window system keeps it above the main window and
    // hides and shows it with it.
    m_settings = std::make_unique<SettingsWindow>(*m_model, m_prompts, m_main.get());
    m_strip = std::make_unique<StripWindow>(*m_model);
    m_search = std::make_unique<SearchWindow>(*m_model);

    connect(m_main.get(), &MainWindow::backRequested, this, &AppWindows::backToStart);
    connect(m_main.get(), &MainWindow::stripRequested, this, &AppWindows::openStrip);
    connect(m_main.get(), &MainWindow::searchRequested, this, &AppWindows::openSearch);
    connect(m_main.get(), &MainWindow::settingsRequested, this, &AppWindows::openSettings);
    connect(m_strip.get(), &StripWindow::backRequested, this, &AppWindows::backFromStrip);
    connect(m_search.get(), &SearchWindow::backRequested, this, &AppWindows::backFromSearch);
}

// Defined here, where the windows' classes are complete; the members go in reverse order.
AppWindows::~AppWindows() = default;

void AppWindows::createRemainingWindowsAfterFirstPaint()
{
    m_start->installEventFilter(this);
}

bool AppWindows::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_start.get() && event->type() == QEvent::Paint) {
        m_start->removeEventFilter(this);
        // Queued, so that the start window's first picture reaches the screen first.
        QTimer::singleShot(0, this, &AppWindows::createRemainingWindows);
    }
    return QObject::eventFilter(watched, event);
}

void AppWindows::openStartWindow()
{
    m_placement.open(m_start.get(), QGuiApplication::primaryScreen());
}

void AppWindows::enterMainFromStart()
{
    createRemainingWindows(); // should the learner be quicker than the first paint
    m_start->hide();
    enterMain(m_start.get());
}

void AppWindows::backToStart()
{
    QScreen *const screen = WindowPlacement::screenOf(m_main.get()); // while it is shown
    m_main->hide();
    m_placement.open(m_start.get(), screen);
}

void AppWindows::openStrip()
{
    m_main->hide();
    m_strip->enter();
}

void AppWindows::openSearch()
{
    QScreen *const screen = WindowPlacement::screenOf(m_main.get()); // while it is shown
    m_main->hide();
    m_placement.open(m_search.get(), screen);
}

void AppWindows::openSettings()
{
    if (m_settings->isVisible())
        return; // a request queued before it opened: it is open already
    m_placement.place(m_settings.get(), WindowPlacement::screenOf(m_main.get()));
    m_settings->exec();
    // Back from the modal window: no entry, the main window keeps its word.
    m_main->raise();
    m_main->activateWindow();
}

void AppWindows::backFromStrip()
{
    m_strip->leave();
    enterMain(m_strip.get());
}

void AppWindows::backFromSearch()
{
    QScreen *const screen = WindowPlacement::screenOf(m_search.get()); // while it is shown
    m_search->hide();
    m_placement.open(m_main.get(), screen);
    m_main->startOverAtLevel4();
}

void AppWindows::enterMain(const QWidget *from)
{
    m_placement.open(m_main.get(), WindowPlacement::screenOf(from));
    m_main->startOverAtLevel4();
}

void prepareApplication(QApplication &app)
{
    Fonts::installSubstitutes();
    app.setQuitOnLastWindowClosed(false); // the run ends when the start window closes
}

int runProgram(QApplication &app)
{
    prepareApplication(app);
    QtPrompts prompts;
    AppWindows windows(prompts);
    windows.createRemainingWindowsAfterFirstPaint();
    windows.openStartWindow();
    return app.exec();
}
