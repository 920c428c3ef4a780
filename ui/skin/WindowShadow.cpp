#include "skin/WindowShadow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cstdint>
#include <cstdlib>
#include <memory>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace yuzhou {

namespace {

/// Darkness of the shadow right at the window's edge; it fades to nothing at the outer edge.
constexpr int kInnerAlpha = 90;

/// The fade from the window's edge (0) to the shadow's outer edge (1). Falling off with the
/// square of the distance reads as a soft shadow; a straight ramp looks like a grey frame.
void setFadeStops(QGradient& gradient) {
    constexpr int kSteps = 4;
    for (int step = 0; step <= kSteps; ++step) {
        const qreal t = qreal(step) / kSteps;
        const qreal remaining = 1.0 - t;
        gradient.setColorAt(t, QColor(0, 0, 0, qRound(kInnerAlpha * remaining * remaining)));
    }
}

#if QT_CONFIG(xcb)

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, FreeDeleter>;

/// The X screen the program draws on: the number after the dot of the display name
/// (":0.1" is screen 1); a name without one means screen 0.
int x11ScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0) {
        return 0;
    }
    const qsizetype dot = display.indexOf('.', colon + 1);
    if (dot < 0) {
        return 0;
    }
    bool ok = false;
    const int screen = display.mid(dot + 1).toInt(&ok);
    return ok ? screen : 0;
}

/// A compositing manager announces itself by owning the selection _NET_WM_CM_S<screen>.
bool compositorRunsOnX11() {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return false;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(x11ScreenNumber());
    // only_if_exists: an atom nobody ever interned cannot have a selection owner either.
    const ReplyPointer<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, quint16(name.size()), name.constData()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    const ReplyPointer<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

/// Puts the shadow's X window directly below the target's, leaving every other window where
/// it is. Works only while both are children of the root window (no window manager has
/// put them into frames of its own); gives whether it could.
bool stackDirectlyBelowOnX11(WId shadow, WId target) {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return false;
    }
    const auto window = static_cast<xcb_window_t>(target);
    const ReplyPointer<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree || tree->parent != tree->root) {
        return false;
    }
    const std::uint32_t values[] = {window, XCB_STACK_MODE_BELOW};
    xcb_configure_window(connection, static_cast<xcb_window_t>(shadow),
                         XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    xcb_flush(connection);
    return true;
}

#endif

} // namespace

WindowShadow* WindowShadow::attach(QWidget* target, int width) {
    return new WindowShadow(target, width);
}

// The shadow has no parent. As a child of the target it would be one of the target's widgets
// (found by findChildren, styled by its style sheet, painted by it if a flag ever went
// missing), and window managers keep a window transient for the target above the target,
// which is the wrong side. So it lives apart and goes when the target's destroyed() fires.
WindowShadow::WindowShadow(QWidget* target, int width)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput),
      m_target(target), m_width(width) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // A shadow left on screen must never keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);

    // Deleted at once rather than later: the filter below must not outlive the target.
    connect(target, &QObject::destroyed, this, [this] { delete this; });
    target->installEventFilter(this);

    followGeometry();
    if (target->isVisible()) {
        followVisibility(true);
    }
}

bool WindowShadow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            followGeometry();
            break;
        case QEvent::Show:
            followVisibility(true);
            break;
        case QEvent::Hide:
            hide();
            break;
        case QEvent::WindowStateChange:
            followVisibility(m_target->isVisible());
            break;
        case QEvent::WindowActivate:
            // The window manager has just raised the target; bring the shadow along.
            if (isVisible()) {
                restack();
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void WindowShadow::followGeometry() {
    const QMargins grow(m_width, m_width, m_width, m_width);
    setGeometry(m_target->frameGeometry().marginsAdded(grow));
}

void WindowShadow::followVisibility(bool targetShown) {
    // A minimised window has nothing to shade; a maximised or full-screen one has no room
    // around it, and a shadow there would only darken the neighbouring screen's edge.
    const Qt::WindowStates noRoom = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!targetShown || (m_target->windowState() & noRoom) || !displaySupportsShadows()) {
        hide();
        return;
    }
    followGeometry();
    if (!isVisible()) {
        show();
        restack();
    }
}

void WindowShadow::restack() {
    // The offscreen and minimal platforms keep no stacking order (and complain when asked).
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        return;
    }
#if QT_CONFIG(xcb)
    // Raising the target would lift it above its own dialogs, which no window manager puts
    // back where none runs; placing the shadow right under it moves nothing else.
    if (platform == QLatin1String("xcb") && stackDirectlyBelowOnX11(winId(), m_target->winId())) {
        return;
    }
#endif
    // Top-level windows are not siblings for stackUnder(), so raise both, target last; a
    // window manager keeps the target's dialogs above it.
    raise();
    m_target->raise();
}

void WindowShadow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const int w = m_width;
    const QRect inner = rect().marginsRemoved(QMargins(w, w, w, w));
    if (w <= 0 || inner.isEmpty()) {
        return;
    }
    // The target's rectangle is left untouched (fully transparent): should a window manager
    // stack the shadow above the target after all, it still hides nothing of it.
    const qreal left = inner.left();
    const qreal top = inner.top();
    const qreal right = inner.left() + inner.width();
    const qreal bottom = inner.top() + inner.height();

    auto edge = [&](const QRectF& area, QPointF from, QPointF to) {
        QLinearGradient gradient(from, to);
        setFadeStops(gradient);
        painter.fillRect(area, gradient);
    };
    edge(QRectF(left, 0, inner.width(), w), QPointF(0, top), QPointF(0, 0));
    edge(QRectF(left, bottom, inner.width(), w), QPointF(0, bottom), QPointF(0, bottom + w));
    edge(QRectF(0, top, w, inner.height()), QPointF(left, 0), QPointF(0, 0));
    edge(QRectF(right, top, w, inner.height()), QPointF(right, 0), QPointF(right + w, 0));

    // Round, soft corners: the fade spreads in a quarter circle around each corner of the target.
    auto corner = [&](QPointF centre, const QRectF& area) {
        QRadialGradient gradient(centre, w);
        setFadeStops(gradient);
        painter.fillRect(area, gradient);
    };
    corner(QPointF(left, top), QRectF(0, 0, w, w));
    corner(QPointF(right, top), QRectF(right, 0, w, w));
    corner(QPointF(left, bottom), QRectF(0, bottom, w, w));
    corner(QPointF(right, bottom), QRectF(right, bottom, w, w));
}

bool WindowShadow::displaySupportsShadows() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
#if QT_CONFIG(xcb)
        return compositorRunsOnX11();
#else
        return false;
#endif
    }
    // Wayland, Windows and macOS always compose windows. The offscreen and minimal platforms
    // have no screen to show black on, and the tests check the shadow's geometry there.
    return true;
}

} // namespace yuzhou
