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

    // Loads level 4 at word 1, as every entry from the start window, the strip or the search
    // window does.
    void startOverAtLevel4();
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
    QLabel *m_firstLine;  // the written form; in the level-2 supplement, the reading
    QLabel *m_secondLine; // the reading; in the supplement, the first line again
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
};
