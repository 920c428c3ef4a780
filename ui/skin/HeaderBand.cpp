#include "skin/HeaderBand.h"

#include "skin/WindowDragger.h"

#include <QLinearGradient>
#include <QPainter>

namespace yuzhou {

namespace {

const QColor kDeepBlue(0x1f, 0x4e, 0x79);
const QColor kTeal(0x2e, 0x86, 0xab);

} // namespace

HeaderBand::HeaderBand(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    WindowDragger::install(this);
}

QSize HeaderBand::sizeHint() const {
    return QSize(480, 48);
}

void HeaderBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(QPointF(0, 0), QPointF(width(), 0));
    gradient.setColorAt(0, kDeepBlue);
    gradient.setColorAt(1, kTeal);
    painter.fillRect(rect(), gradient);

    // A faint light line along the top and a dark one along the bottom give the band a little
    // depth against the window below it.
    painter.fillRect(QRect(0, 0, width(), 1), QColor(255, 255, 255, 36));
    painter.fillRect(QRect(0, height() - 1, width(), 1), QColor(0, 0, 0, 48));
}

} // namespace yuzhou
