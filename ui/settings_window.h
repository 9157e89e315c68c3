#pragma once

#include "prompts.h"
#include "mouseupcheckbox.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

// Browse settings, shown modally over the main window: the speed of both timers,
// the colour of the word lines and which lines are visible.
class TForm5 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm5(QWidget *parent = nullptr);

    static constexpr int StepMs = 968; // one step of the speed setting

    QLabel *Label1;
    QSlider *TBAR;
    QPushButton *Button1;
    MouseUpCheckBox *CheckBox1;
    MouseUpCheckBox *CheckBox2;
    QPushButton *Button2;
    ColorChooser CLDLG;

    void TBARChange();
    void Button1Click();
    void CheckBox1MouseUp();
    void CheckBox2MouseUp();
    void Button2Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void leave();
    bool m_placed = false;
};

extern TForm5 *Form5;
