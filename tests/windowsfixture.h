#pragma once

// Shared by the window tests: the model and the five windows built as start-up builds them,
// afresh for each test case; prompts that record instead of blocking; and the controls,
// found by their object names.

#include "appwindows.h"
#include "browsemodel.h"
#include "mainwindow.h"
#include "prompts.h"
#include "searchmodel.h"
#include "searchwindow.h"
#include "settingswindow.h"
#include "startwindow.h"
#include "steptimer.h"
#include "stripwindow.h"
#include "wordtext.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableView>
#include <QTest>
#include <QTimer>

class RecordingPrompts : public UserPrompts
{
public:
    void message(QWidget *, const QString &text) override { messages.append(text); }
    std::optional<QColor> chooseColor(QWidget *, const QColor &initial) override
    {
        colorRequests.append(initial);
        return nextColor;
    }

    QStringList messages;
    QList<QColor> colorRequests;
    std::optional<QColor> nextColor; // nothing: the learner cancels
};

inline RecordingPrompts &recordingPrompts()
{
    static RecordingPrompts prompts;
    return prompts;
}

inline AppWindows *&currentWindows()
{
    static AppWindows *windows = nullptr;
    return windows;
}

// Builds the model and the windows as start-up does, with the given prompts (the recording
// ones, cleared, unless told otherwise). Call from init(); destroyWindows from cleanup().
inline void buildWindows(UserPrompts *prompts = nullptr)
{
    static bool prepared = false;
    if (!prepared) {
        prepareApplication(*qApp);
        prepared = true;
    }
    if (!prompts) {
        recordingPrompts() = RecordingPrompts();
        prompts = &recordingPrompts();
    }
    delete currentWindows();
    currentWindows() = new AppWindows(*prompts);
    currentWindows()->createRemainingWindows();
}

inline void destroyWindows()
{
    delete currentWindows();
    currentWindows() = nullptr;
}

inline BrowseModel &model() { return currentWindows()->model(); }
inline const WordStore &store() { return model().store(); }
inline StartWindow *startWindow() { return currentWindows()->startWindow(); }
inline SettingsWindow *settingsWindow() { return currentWindows()->settingsWindow(); }
inline MainWindow *mainWindow() { return currentWindows()->mainWindow(); }
inline StripWindow *stripWindow() { return currentWindows()->stripWindow(); }
inline SearchWindow *searchWindow() { return currentWindows()->searchWindow(); }

// The control of the window with that object name.
template <class T>
T *control(QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("%s has no %s", qPrintable(window->objectName()), name);
    return found;
}

// The start window.
inline QPushButton *enterButton() { return control<QPushButton>(startWindow(), "enterButton"); }
inline QPushButton *quitButton() { return control<QPushButton>(startWindow(), "quitButton"); }

// The main window.
inline QFrame *controlBox() { return control<QFrame>(mainWindow(), "controlBox"); }
inline QFrame *wordPanel() { return control<QFrame>(mainWindow(), "wordPanel"); }
inline QLabel *firstLine() { return control<QLabel>(mainWindow(), "firstLine"); }
inline QLabel *secondLine() { return control<QLabel>(mainWindow(), "secondLine"); }
inline QLabel *meaningLine() { return control<QLabel>(mainWindow(), "meaningLine"); }
inline QLabel *counterLabel() { return control<QLabel>(mainWindow(), "counterLabel"); }
inline QCheckBox *autoBrowseBox() { return control<QCheckBox>(mainWindow(), "autoBrowseBox"); }
inline QTimer *autoBrowseTimer() { return control<QTimer>(mainWindow(), "autoBrowseTimer"); }
inline QPushButton *backButton() { return control<QPushButton>(mainWindow(), "backButton"); }
inline QPushButton *previousButton() { return control<QPushButton>(mainWindow(), "previousButton"); }
inline QPushButton *nextButton() { return control<QPushButton>(mainWindow(), "nextButton"); }
inline QPushButton *largerTextButton() { return control<QPushButton>(mainWindow(), "largerTextButton"); }
inline QPushButton *smallerTextButton() { return control<QPushButton>(mainWindow(), "smallerTextButton"); }
inline QPushButton *stripButton() { return control<QPushButton>(mainWindow(), "stripButton"); }
inline QPushButton *searchButton() { return control<QPushButton>(mainWindow(), "searchButton"); }
inline QPushButton *settingsButton() { return control<QPushButton>(mainWindow(), "settingsButton"); }
inline QRadioButton *levelButton(WordLevel level)
{
    return control<QRadioButton>(mainWindow(), qPrintable(levelObjectName(level, "Button")));
}

// The strip window.
inline QLabel *stripLine() { return control<QLabel>(stripWindow(), "wordLine"); }
inline QTimer *stepTimer() { return control<QTimer>(stripWindow(), "stepTimer"); }
inline QMenu *stripMenu() { return control<QMenu>(stripWindow(), "menu"); }
inline QAction *previousWordAction() { return control<QAction>(stripWindow(), "previousWordAction"); }
inline QAction *nextWordAction() { return control<QAction>(stripWindow(), "nextWordAction"); }
inline QAction *stripBackAction() { return control<QAction>(stripWindow(), "backAction"); }
inline QAction *levelAction(WordLevel level)
{
    return control<QAction>(stripWindow(), qPrintable(levelObjectName(level, "Action")));
}

// The search window.
inline QLineEdit *searchBox() { return control<QLineEdit>(searchWindow(), "searchBox"); }
inline QPushButton *runSearchButton() { return control<QPushButton>(searchWindow(), "searchButton"); }
inline QTableView *resultGrid() { return control<QTableView>(searchWindow(), "resultGrid"); }
inline SearchModel *searchResults() { return control<SearchModel>(searchWindow(), "searchResults"); }

// The settings window.
inline QSlider *speedSlider() { return control<QSlider>(settingsWindow(), "speedSlider"); }
inline QPushButton *colorButton() { return control<QPushButton>(settingsWindow(), "colorButton"); }
inline QCheckBox *meaningVisibleBox() { return control<QCheckBox>(settingsWindow(), "meaningVisibleBox"); }
inline QCheckBox *japaneseVisibleBox() { return control<QCheckBox>(settingsWindow(), "japaneseVisibleBox"); }
inline QPushButton *doneButton() { return control<QPushButton>(settingsWindow(), "doneButton"); }

// How a learner (or the program) can toggle a check box.
enum class Toggle { Mouse, Space, Program };

inline void toggle(QCheckBox *box, Toggle how)
{
    switch (how) {
    case Toggle::Mouse:
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        break;
    case Toggle::Space:
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        break;
    case Toggle::Program:
        box->setChecked(!box->isChecked());
        break;
    }
}

// The rows of a test over the three ways, in a column "how".
inline void addToggleRows()
{
    QTest::addColumn<Toggle>("how");
    QTest::newRow("mouse") << Toggle::Mouse;
    QTest::newRow("space") << Toggle::Space;
    QTest::newRow("setChecked") << Toggle::Program;
}

// The word number a counter text such as "12/731" shows.
inline int wordNumber(const QString &counter)
{
    return counter.section(u'/', 0, 0).toInt();
}

// Shows the start window and presses "进   入": the main window on level 4, word 1.
inline bool enterMainWindow()
{
    if (!startWindow()->isVisible()) {
        currentWindows()->openStartWindow();
        if (!QTest::qWaitForWindowActive(startWindow()))
            return false;
    }
    enterButton()->click();
    return QTest::qWaitForWindowActive(mainWindow());
}

// The controls of first's window that Tab reaches, in the order of its focus chain, from
// first until the chain comes round to it again.
inline QList<QWidget *> tabChain(QWidget *first)
{
    QList<QWidget *> chain;
    QWidget *window = first->window();
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() && w->window() == window)
            chain.append(w);
        w = w->nextInFocusChain();
    } while (w != first);
    return chain;
}

// Where the focus is after each of the given number of presses of Tab, starting on first.
inline QList<QWidget *> tabWalk(QWidget *first, int presses)
{
    first->setFocus();
    QList<QWidget *> walked{QApplication::focusWidget()};
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Tab);
        walked.append(QApplication::focusWidget());
    }
    return walked;
}
