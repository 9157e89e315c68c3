#include "start_window.h"

#include "activation.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "main_window.h"
#include "windowplacement.h"

#include <QApplication>
#include <QCloseEvent>

TForm4 *Form4 = nullptr;

TForm4::TForm4(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Tessarine 2005 （ Corvanel系列 2 ）"));
    setFixedSize(681, 217);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::windowBackground);

    Button1 = new QPushButton(QStringLiteral("进   入"), this);
    Button1->setGeometry(600, 72, 75, 103);
    Button1->setAutoDefault(true);

    Panel2 = new QFrame(this);
    Panel2->setGeometry(8, 72, 585, 137);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    setBackground(Panel2, Colors::panelBackground);

    Label5 = new QLabel(QStringLiteral("1 级： 8 千多词      2 级： 2 千多词      2 级(补充)： 4 千多词       "
                                       "3 级： 5 百多词      4 级： 7 百多词"),
                        Panel2);
    Label5->setGeometry(11, 29, 569, 13);

    Button3 = new QPushButton(QStringLiteral("退   出"), this);
    Button3->setGeometry(600, 183, 75, 28);
    Button3->setAutoDefault(true);

    setTabOrder(Button1, Button3);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
    Activation::instance().watch(this, [this] { FormActivate(); });
}

void TForm4::FormActivate()
{
    // Always on top from the start (the flag is set at creation); keep place and size.
    raise();
}

void TForm4::Button1Click()
{
    hide();
    showWindow(Form1); // its activation loads level 4 and shows word 1
}

void TForm4::Button3Click()
{
    close();
}

void TForm4::closeEvent(QCloseEvent *event)
{
    event->accept();
    QApplication::quit(); // the start window is the application's main window
}

void TForm4::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
    Button1->setFocus();
}
