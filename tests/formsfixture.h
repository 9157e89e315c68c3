#pragma once

// Shared by the window tests: the five windows created as start-up creates them, and
// prompts that record instead of blocking.

#include "main_window.h"
#include "prompts.h"
#include "search_window.h"
#include "settings_window.h"
#include "start_window.h"
#include "startup.h"
#include "strip_window.h"

#include <QApplication>
#include <QTest>

class RecordingPrompts : public UserPrompts
{
public:
    void Message(const QString &text) override { messages.append(text); }
    std::optional<QColor> ChooseColor(const QColor &initial) override
    {
        colorRequests.append(initial);
        return nextColor;
    }

    QStringList messages;
    QList<QColor> colorRequests;
    std::optional<QColor> nextColor; // nothing: the learner cancels
};

// Creates the windows once per test program and installs the recording prompts.
inline RecordingPrompts &SetUpForms()
{
    static RecordingPrompts prompts;
    if (!Form1) {
        SetPrompts(&prompts);
        CreateForms(*qApp);
    }
    return prompts;
}

// Shows the start window and presses "进   入": the main window on level 4, word 1.
inline bool EnterMainWindow()
{
    if (!Form4->isVisible()) {
        Form4->show();
        if (!QTest::qWaitForWindowActive(Form4))
            return false;
    }
    Form4->Button1->click();
    return QTest::qWaitForWindowActive(Form1);
}
