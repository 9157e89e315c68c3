#pragma once

#include "windowplacement.h"

#include <QObject>
#include <QTranslator>

#include <memory>

class BrowseModel;
class MainWindow;
class QApplication;
class QWidget;
class SearchWindow;
class SettingsWindow;
class StartWindow;
class StripWindow;
class UserPrompts;

// Owns the model and the five windows: creates them, hidden, in start-up order (start window;
// then the model, main window, settings window, strip window, search window), gives each what
// it needs, opens each where it belongs, carries out the windows' requests to go elsewhere, and
// destroys everything in reverse order (the order of the members below). The start window
// comes first and alone, so that it can show at once; the rest follow on createRemainingWindows.
class AppWindows : public QObject
{
    Q_OBJECT

public:
    // Creates the start window.
    explicit AppWindows(UserPrompts &prompts);
    ~AppWindows() override;

    // Creates the model and the other four windows; once only.
    void createRemainingWindows();
    // Creates them once the start window has been painted for the first time.
    void createRemainingWindowsAfterFirstPaint();
    // Opens the start window as the program starts: on the primary monitor.
    void openStartWindow();

    BrowseModel &model() const { return *m_model; }
    StartWindow *startWindow() const { return m_start.get(); }
    SettingsWindow *settingsWindow() const { return m_settings.get(); }
    MainWindow *mainWindow() const { return m_main.get(); }
    StripWindow *stripWindow() const { return m_strip.get(); }
    SearchWindow *searchWindow() const { return m_search.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enterMainFromStart();
    void backToStart();
    void openStrip();
    void openSearch();
    void openSettings();
    void backFromStrip();
    void backFromSearch();
    // The ways in from the start window, the strip and the search window.
    void enterMain(const QWidget *from);

    UserPrompts &m_prompts;
    QTranslator m_toolkitTexts;
    WindowPlacement m_placement;
    std::unique_ptr<StartWindow> m_start;
    std::unique_ptr<BrowseModel> m_model;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<SettingsWindow> m_settings; // the main window's child: goes before it
    std::unique_ptr<StripWindow> m_strip;
    std::unique_ptr<SearchWindow> m_search;
};

// Once per process, before the windows: font substitutes, and the run ends only when the
// start window closes.
void prepareApplication(QApplication &app);
// Creates the windows, shows the start window and runs the event loop until it ends; returns what
// the event loop returned (0 when the start window's 退出 ended it).
int runProgram(QApplication &app);
