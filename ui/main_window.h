#pragma once

#include "levelbanks.h"
#include "mouseupcheckbox.h"
#include "wordstore.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

// The main browse window: the current word in three large lines, the five banks,
// stepping by hand or on the auto-browse timer, and the way to the other windows.
// It owns the program's one word store.
class TForm1 : public QWidget, public WordDisplay
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    WordStore Store;

    QGroupBox *GPB;
    QFrame *Panel1;
    QLabel *JPJM;
    QLabel *JPHZ;
    QLabel *CNMEAN;
    MouseUpCheckBox *ATBROWSE;
    QPushButton *BTNEXIT;
    QRadioButton *OPBGJ4;
    QRadioButton *OPBGJ3;
    QRadioButton *OPBGJ2;
    QRadioButton *OPBGJ1;
    QPushButton *BTNFU;
    QPushButton *BTNFD;
    QPushButton *BTNPREV;
    QPushButton *BTNNEXT;
    QRadioButton *OPBJD1;
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *Button3;
    QLabel *wdcount;
    QTimer *Timer1;

    // The radio button of a bank.
    QRadioButton *levelButton(WordLevel level) const;
    // The size of the word lines in points (the top line decides).
    int fontPoints() const { return m_fontPoints; }

    void loadLevelBank(WordLevel level);
    void showCurrentWord() override;
    void syncStripLevel() override;
    // Makes the pixels drawn in the window's key colour (clActiveCaption) see-through;
    // only a word-line colour can be that colour, so it costs nothing otherwise. Called
    // whenever what the word lines draw changes: text, size, colour or visibility.
    void updateColorKey();

    void FormActivate();
    void OPBJD1Click();
    void OPBGJ1Click();
    void OPBGJ2Click();
    void OPBGJ3Click();
    void OPBGJ4Click();
    void BTNPREVClick();
    void BTNNEXTClick();
    void ATBROWSEClick();
    void ATBROWSEMouseUp();
    void Timer1Timer();
    void BTNFUClick();
    void BTNFDClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void BTNEXITClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void levelClick(QRadioButton *button, WordLevel level);
    void stepByHand(void (WordStore::*step)());
    void setFontPoints(int points);

    int m_fontPoints = 22;
    bool m_placed = false;
};

extern TForm1 *Form1;
