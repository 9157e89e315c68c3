#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

// The start window: opens and closes the run. Closing it ends the program.
class StartWindow : public QWidget
{
    Q_OBJECT

public:
    explicit StartWindow(QWidget *parent = nullptr);

signals:
    void enterRequested();
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_enterButton;
    QFrame *m_infoPanel;
    QLabel *m_bankSizesLabel;
    QPushButton *m_quitButton;
};
