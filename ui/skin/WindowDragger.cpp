#include "skin/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace yuzhou {

void WindowDragger::install(QWidget* widget) {
    if (widget->findChild<WindowDragger*>(QString(), Qt::FindDirectChildrenOnly)) {
        return;
    }
    new WindowDragger(widget);
}

WindowDragger::WindowDragger(QWidget* widget) : QObject(widget), m_widget(widget) {
    widget->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_widget) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        QWidget* window = m_widget->window();
        // The window manager moves the window best: it snaps to edges and knows the screens.
        QWindow* handle = window->windowHandle();
        if (handle && handle->startSystemMove()) {
            return true;
        }
        // Without one (or offscreen), follow the mouse ourselves until the button comes up.
        m_dragging = true;
        m_grabOffset = mouse->globalPosition().toPoint() - window->pos();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging) {
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            // The release went elsewhere (a grab was broken); the drag is over.
            m_dragging = false;
            return false;
        }
        m_widget->window()->move(mouse->globalPosition().toPoint() - m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragging || mouse->button() != Qt::LeftButton) {
            return false;
        }
        m_dragging = false;
        return true;
    }
    default:
        return false;
    }
}

} // namespace yuzhou
