#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// The program's only dialogs with the learner: an application-modal message box
// (caption "Tessarine 2005", one OK button, no icon) and the colour chooser, each over the
// window that asks (its parent). Tests pass their own so that nothing ever blocks.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The chosen colour, or nothing when the learner cancels.
    virtual std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) = 0;
};

// The prompts as Qt's own dialogs.
class QtPrompts : public UserPrompts
{
public:
    void message(QWidget *parent, const QString &text) override;
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override;
};

// The colour chooser: holds the colour chosen last (black at first) and opens on it.
class ColorChooser
{
public:
    explicit ColorChooser(UserPrompts &prompts) : m_prompts(prompts) {}

    QColor color = Qt::black;
    // True when the learner chose a colour, which color then holds.
    bool choose(QWidget *parent);

private:
    UserPrompts &m_prompts;
};
