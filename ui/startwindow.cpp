#include "startwindow.h"

#include "captions.h"
#include "colors.h"
#include "controls.h"
#include "fonts.h"
#include "levelbanks.h"
#include "wordtext.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr struct {
    QSize window{681, 217};
    QRect enterButton{600, 72, 75, 103};
    QRect infoPanel{8, 72, 585, 137};
    QRect bankSizesLabel{11, 29, 569, 13}; // in the panel
    QRect quitButton{600, 183, 75, 28};
} rects;

} // namespace

StartWindow::StartWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("startWindow"));
    setWindowTitle(Captions::window);
    setFixedSize(rects.window);
    setFont(Fonts::controlFont());
    setBackground(this, Colors::windowBackground);

    m_enterButton = makeButton(this, QStringLiteral("进   入"), rects.enterButton);
    m_enterButton->setObjectName(QStringLiteral("enterButton"));

    m_infoPanel = new QFrame(this);
    m_infoPanel->setObjectName(QStringLiteral("infoPanel"));
    m_infoPanel->setGeometry(rects.infoPanel);
    m_infoPanel->setFrameShape(QFrame::Panel);
    m_infoPanel->setFrameShadow(QFrame::Raised);
    setBackground(m_infoPanel, Colors::panelBackground);

    m_bankSizesLabel = new QLabel(toQString(BankSizesLine), m_infoPanel);
    m_bankSizesLabel->setObjectName(QStringLiteral("bankSizesLabel"));
    m_bankSizesLabel->setGeometry(rects.bankSizesLabel);

    m_quitButton = makeButton(this, QStringLiteral("退   出"), rects.quitButton);
    m_quitButton->setObjectName(QStringLiteral("quitButton"));

    setTabOrder(m_enterButton, m_quitButton);

    connect(m_enterButton, &QPushButton::clicked, this, &StartWindow::enterRequested);
    connect(m_quitButton, &QPushButton::clicked, this, &StartWindow::close);
}

void StartWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit quitRequested(); // the start window is the application's main window
}

void StartWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    raise(); // always on top from the start (the flag is set at creation)
    m_enterButton->setFocus();
}
