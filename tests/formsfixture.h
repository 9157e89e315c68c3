#pragma once

// Shared by the window tests: the five windows created as start-up creates them, and
// prompts that record instead of blocking.

#include "main_window.h"
#include "prompts.h"
#include "search_window.h"
#include "settings_window.h"
#include "start_window.h"
#include "startup.h"
#include "steptimer.h"
#include "strip_window.h"

#include <QApplication>
#include <QTest>

class RecordingPrompts : public UserPrompts
{
public:
    void message(const QString &text) override { messages.append(text); }
    std::optional<QColor> chooseColor(const QColor &initial) override
    {
        colorRequests.append(initial);
        return nextColor;
    }

    QStringList messages;
    QList<QColor> colorRequests;
    std::optional<QColor> nextColor; // nothing: the learner cancels
};

// Creates the windows once per test program and installs the recording prompts.
inline RecordingPrompts &setUpForms()
{
    static RecordingPrompts prompts;
    if (!Form1) {
        setPrompts(&prompts);
        createForms(*qApp);
    }
    return prompts;
}

// Shows the start window and presses "进   入": the main window on level 4, word 1.
inline bool enterMainWindow()
{
    if (!Form4->isVisible()) {
        Form4->show();
        if (!QTest::qWaitForWindowActive(Form4))
            return false;
    }
    Form4->Button1->click();
    return QTest::qWaitForWindowActive(Form1);
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
