#include "activation.h"

#include <QEvent>

Activation &Activation::instance()
{
    static Activation activation;
    return activation;
}

void Activation::watch(QWidget *window, std::function<void()> onActivate)
{
    m_handlers.insert(window, std::move(onActivate));
    window->installEventFilter(this);
}

void Activation::watchModal(QWidget *window)
{
    m_modal.insert(window);
    window->installEventFilter(this);
}

bool Activation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow()) {
        QObject *previous = m_lastActive;
        m_lastActive = watched;
        const bool fromOtherWindow = previous != watched;
        const bool fromModal = previous && m_modal.contains(previous);
        if (fromOtherWindow && !fromModal) {
            if (const auto handler = m_handlers.value(watched))
                handler();
        }
    }
    return QObject::eventFilter(watched, event);
}
