#pragma once

#include "levelbanks.h"

#include <QWidget>

class BrowseModel;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class UserPrompts;

// The main browse window: the current word in three large lines, the five banks, stepping
// by hand or on the auto-browse timer, and the way to the other windows. It shows what the
// model holds and asks for the other windows through its signals.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    MainWindow(BrowseModel &model, UserPrompts &prompts, QWidget *parent = nullptr);

    // Coming in from the start window, the strip or the search window: back to word 1 of level 4.
    void enterFromElsewhere();
    // One tick of the auto-browse timer: the next word, on this window only.
    void advanceAutoBrowse();
    // Makes the pixels drawn in the key colour (Colors::mainWindowKey) see-through; only a
    // word-line colour can be that colour, so it costs nothing otherwise. Runs whenever what
    // the word lines draw changes: text, size, colour or visibility.
    void updateColorKey();

signals:
    void backRequested();
    void stripRequested();
    void searchRequested();
    void settingsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void chooseLevel(int id, bool checked);
    void checkLevel(WordLevel level);
    void showCurrentWord();
    void showPreviousWord();
    void showNextWord();
    void switchAutoBrowse(bool on);
    void openStrip();
    void openSearch();
    void applyLineColor(const QColor &color);
    void applyLineVisibility();
    void applyStepInterval(int ms);
    void applyTextSize(int points);

    BrowseModel &m_model;
    UserPrompts &m_prompts;

    QFrame *m_controlBox;
    QFrame *m_wordPanel;
    QLabel *m_writtenLine;
    QLabel *m_readingLine;
    QLabel *m_meaningLine;
    QCheckBox *m_autoBrowseBox;
    QPushButton *m_backButton;
    QButtonGroup *m_levelButtons; // ids are WordLevel values
    QPushButton *m_largerTextButton;
    QPushButton *m_smallerTextButton;
    QPushButton *m_previousButton;
    QPushButton *m_nextButton;
    QPushButton *m_stripButton;
    QPushButton *m_searchButton;
    QPushButton *m_settingsButton;
    QLabel *m_counterLabel;
    QTimer *m_autoBrowseTimer;
    bool m_placed = false;
};
