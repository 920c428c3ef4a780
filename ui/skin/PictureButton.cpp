#include "skin/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace yuzhou {

PictureButton::PictureButton(IconKind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setCursor(Qt::PointingHandCursor);
}

QSize PictureButton::sizeHint() const {
    return QSize(24, 24);
}

const QPixmap& PictureButton::icon() {
    // Drawn again whenever the size or the screen's pixel density changes (the window may move
    // to another screen), so the picture is never a scaled copy.
    const qreal ratio = devicePixelRatioF();
    if (m_icon.isNull() || m_icon.deviceIndependentSize().toSize() != size() ||
        !qFuzzyCompare(m_icon.devicePixelRatio(), ratio)) {
        m_icon = drawIcon(m_kind, size(), ratio);
    }
    return m_icon;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_hovered || m_down) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, m_down ? 64 : 36));
        const qreal radius = qMin(width(), height()) / 6.0;
        painter.drawRoundedRect(QRectF(rect()), radius, radius);
    }
    const QPixmap& picture = icon();
    if (!picture.isNull()) {
        painter.drawPixmap(0, 0, picture);
    }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_down = true;
    update();
    emit pressed();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_down) {
        event->ignore();
        return;
    }
    m_down = false;
    update();
    // Letting go outside the picture is how a user takes back a press.
    if (rect().contains(event->position().toPoint())) {
        emit released();
    }
}

void PictureButton::enterEvent(QEnterEvent*) {
    m_hovered = true;
    update();
}

void PictureButton::leaveEvent(QEvent*) {
    m_hovered = false;
    update();
}

} // namespace yuzhou
