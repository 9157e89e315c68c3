#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <functional>

// Activation as the program means it: a window is activated when it becomes the
// program's active window taking the focus from another window of the program, or
// when it is the first to be active. Coming back from another application does not
// count, and neither does returning from a window marked as modal.
class Activation : public QObject
{
    Q_OBJECT

public:
    static Activation &instance();

    void watch(QWidget *window, std::function<void()> onActivate);
    // Returning from this window to another is no activation (the modal settings window).
    void watchModal(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, std::function<void()>> m_handlers;
    QSet<QObject *> m_modal;
    QPointer<QObject> m_lastActive;
};
