#pragma once

#include <QColor>
#include <QString>

#include <optional>

// The program's only dialogs with the learner: an application-modal message box
// (caption "Tessarine 2005", one OK button, no icon) and the colour chooser.
// Tests install their own so that nothing ever blocks.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;
    virtual void message(const QString &text) = 0;
    // The chosen colour, or nothing when the learner cancels.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
};

UserPrompts &prompts();
// Replaces the prompts (nullptr restores Qt's dialogs); the caller keeps ownership.
void setPrompts(UserPrompts *prompts);

// The colour chooser: holds the colour chosen last (black at first) and opens on it.
class ColorChooser
{
public:
    QColor color = Qt::black;
    // True when the learner chose a colour, which color then holds.
    bool choose();
};
