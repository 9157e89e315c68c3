#include "appwindows.h"

#include "browsemodel.h"
#include "fonts.h"
#include "mainwindow.h"
#include "prompts.h"
#include "searchwindow.h"
#include "settingswindow.h"
#include "startwindow.h"
#include "stripwindow.h"
#include "windowplacement.h"

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
    // The first window opens on the primary screen; each later one on the screen of the window
    // the learner comes from.
    openOnScreen(m_start.get(), QGuiApplication::primaryScreen());
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
    m_settings = std::make_unique<SettingsWindow>(*m_model, m_prompts);
    m_main = std::make_unique<MainWindow>(*m_model, m_prompts);
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

void AppWindows::enterMainFromStart()
{
    createRemainingWindows(); // should the learner be quicker than the first paint
    m_start->hide();
    enterMain(m_start.get());
}

void AppWindows::backToStart()
{
    m_main->hide();
    openOnScreen(m_start.get(), screenOf(m_main.get()));
    showWindow(m_start.get());
}

void AppWindows::openStrip()
{
    m_main->hide();
    m_strip->enter();
}

void AppWindows::openSearch()
{
    m_main->hide();
    openOnScreen(m_search.get(), screenOf(m_main.get()));
    showWindow(m_search.get());
}

void AppWindows::openSettings()
{
    if (m_settings->isVisible())
        return; // a request queued before it opened: it is open already
    openOnScreen(m_settings.get(), screenOf(m_main.get()));
    m_settings->exec();
    showWindow(m_main.get()); // back from the modal window: no entry, the main window keeps its word
}

void AppWindows::backFromStrip()
{
    m_strip->leave();
    enterMain(m_strip.get());
}

void AppWindows::backFromSearch()
{
    m_search->hide();
    enterMain(m_search.get());
}

void AppWindows::enterMain(const QWidget *from)
{
    openOnScreen(m_main.get(), screenOf(from));
    showWindow(m_main.get());
    m_main->enterFromElsewhere(); // back to level 4, word 1
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
    windows.startWindow()->show();
    return app.exec();
}
