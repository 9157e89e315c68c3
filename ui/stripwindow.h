#pragma once

#include "browsemodel.h"

#include <QPoint>
#include <QWidget>

class ClickLabel;
class QAction;
class QActionGroup;
class QMenu;
class QTimer;

// The strip: one line with the current word on a light-blue bar with round ends, above
// all other windows at the top left of the screen, stepping on its own timer. Its menu
// steps, chooses a level and goes back.
class StripWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QPoint place{33, 0}; // where the strip always stands on the primary screen

    explicit StripWindow(BrowseModel &model, QWidget *parent = nullptr);

    // Shows the strip in its place with its timer running.
    void enter();
    // Hides it and stops its timer.
    void leave();
    // One tick of the step timer: the next word, on the strip and the main window.
    void advance();

signals:
    void backRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showStripWord();
    void refreshAfterStep(BrowseModel::WordChange change);
    void markLevel(WordLevel level);
    void chooseLevel(QAction *entry);
    void showPreviousWord();
    void showNextWord();
    void openMenu(const QPoint &globalPos);
    void applyStepInterval(int ms);

    BrowseModel &m_model;
    ClickLabel *m_wordLine;
    QTimer *m_stepTimer;
    QMenu *m_menu;
    QAction *m_previousWordAction;
    QAction *m_nextWordAction;
    QActionGroup *m_levelActions; // each entry's data is its WordLevel
    QAction *m_backAction;
};
