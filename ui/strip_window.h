#pragma once

#include "levelbanks.h"
#include "clicklabel.h"
#include "stretchimage.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTimer>
#include <QWidget>

// The strip: one line with the current word on a light-blue bar with rounded ends,
// above all other windows at the top left of the screen, stepping on its own timer.
class TForm2 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);

    StretchImage *Image1;
    ClickLabel *ll;
    QComboBox *ComboBox1;
    QTimer *Timer1;
    QMenu *PopupMenu1;
    QAction *N1;
    QAction *N2;
    QAction *N3;
    QAction *N11;
    QAction *N21;
    QAction *N22;
    QAction *N31;
    QAction *N41;
    QAction *N5;
    QAction *N4;

    // The level entry of a bank.
    QAction *levelEntry(WordLevel level) const;

    void showStripWord();
    void syncStripLevel();
    void applyStripLevel();

    void Timer1Timer();
    void N1Click();
    void N2Click();
    void N11Click();
    void N21Click();
    void N22Click();
    void N31Click();
    void N41Click();
    void N4Click();
    void llClick();
    void FormActivate();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void chooseLevel(WordLevel level);
    void markLevel(WordLevel level);
    void returnToMain();
};

extern TForm2 *Form2;
