#pragma once

#include "levelbanks.h"
#include "wordstore.h"

#include <QColor>
#include <QObject>

#include <optional>

// What the windows share, in one place: the word store with its cursor, the loaded level,
// the step interval of both step timers, and how the main window draws its word lines
// (colour, which lines are visible, text size). Windows observe its signals and change it
// only through its functions; none of them reaches into another window.
class BrowseModel : public QObject
{
    Q_OBJECT

public:
    static constexpr int initialStepIntervalMs = 2600;
    static constexpr int msPerSpeedStep = 968; // one step of the settings window's speed slider
    static constexpr int initialTextPoints = 22;
    static constexpr int smallestTextPoints = 14;
    static constexpr int largestTextPoints = 44;
    static constexpr int textPointsStep = 2;

    // What moved the cursor: a bank was loaded (it is on word 1), the main window's auto-browse
    // timer stepped, or any other step (by hand, or the strip's own timer).
    enum class WordChange { NewBank, AutoBrowseStep, Step };
    Q_ENUM(WordChange)

    explicit BrowseModel(QObject *parent = nullptr);

    const WordStore &store() const { return m_store; }
    bool hasBank() const { return m_store.count() != 0; }
    std::optional<WordLevel> level() const { return m_level; }

    // Loads the level's bank, the cursor on word 1; once it is loaded, levelChanged, then
    // wordChanged(NewBank).
    void loadLevel(WordLevel level);
    // Both steps wrap around; on an empty store they change nothing.
    void stepNext(WordChange change = WordChange::Step);
    void stepPrevious();

    int stepIntervalMs() const { return m_stepIntervalMs; }
    void setStepInterval(int ms);

    // The colour the learner chose for all three word lines; nothing while they keep their
    // own colours.
    std::optional<QColor> lineColor() const { return m_lineColor; }
    void setLineColor(const QColor &color);

    bool meaningVisible() const { return m_meaningVisible; }
    bool japaneseVisible() const { return m_japaneseVisible; }
    void setMeaningVisible(bool visible);
    void setJapaneseVisible(bool visible);

    int textPoints() const { return m_textPoints; }
    // Two points larger or smaller, within the limits; at a limit nothing changes.
    void enlargeText();
    void shrinkText();

signals:
    void levelChanged(WordLevel level);
    void wordChanged(BrowseModel::WordChange change);
    void stepIntervalChanged(int ms);
    void lineColorChanged(const QColor &color);
    void lineVisibilityChanged();
    void textSizeChanged(int points);

private:
    void setTextPoints(int points);

    WordStore m_store;
    std::optional<WordLevel> m_level;
    int m_stepIntervalMs = initialStepIntervalMs;
    std::optional<QColor> m_lineColor;
    bool m_meaningVisible = true;
    bool m_japaneseVisible = true;
    int m_textPoints = initialTextPoints;
};
