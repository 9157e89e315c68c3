#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// The start window: opens and closes the run. Closing it ends the program.
class TForm4 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);

    QPushButton *Button1;
    QFrame *Panel2;
    QLabel *Label5;
    QPushButton *Button3;

    void FormActivate();
    void Button1Click();
    void Button3Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_placed = false;
};

extern TForm4 *Form4;
