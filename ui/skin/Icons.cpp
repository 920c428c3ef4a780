#include "skin/Icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>
#include <algorithm>

namespace yuzhou {

namespace {

/// Every picture is designed on a square grid of this many units.
constexpr qreal kGrid = 24.0;

/// Near-white with a hint of blue, so the symbols sit calmly on the blue bands.
const QColor kLight(0xf4, 0xf8, 0xfb);

QPen lightPen(qreal width) {
    return QPen(kLight, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawSettings(QPainter& painter) {
    const QPointF centre(12, 12);
    QPainterPath gear;
    gear.addEllipse(centre, 6.8, 6.8);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(-1.9, -10.0, 3.8, 5.0), 0.9, 0.9);
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(tooth * 45.0);
        gear = gear.united(turn.map(shape));
    }
    QPainterPath hole;
    hole.addEllipse(centre, 2.9, 2.9);
    painter.fillPath(gear.subtracted(hole), kLight);
}

void drawTutorial(QPainter& painter) {
    // Two pages bowing down to the spine, each with two lines of text.
    QPainterPath pages;
    pages.moveTo(12, 7.2);
    pages.cubicTo(10.0, 5.4, 6.6, 4.9, 3.2, 5.6);
    pages.lineTo(3.2, 18.2);
    pages.cubicTo(6.6, 17.5, 10.0, 18.0, 12, 19.6);
    pages.cubicTo(14.0, 18.0, 17.4, 17.5, 20.8, 18.2);
    pages.lineTo(20.8, 5.6);
    pages.cubicTo(17.4, 4.9, 14.0, 5.4, 12, 7.2);
    pages.closeSubpath();

    QColor paper = kLight;
    paper.setAlpha(56);
    painter.fillPath(pages, paper);
    painter.strokePath(pages, lightPen(1.7));
    painter.setPen(lightPen(1.7));
    painter.drawLine(QPointF(12, 7.4), QPointF(12, 19.2));

    painter.setPen(lightPen(1.2));
    painter.drawLine(QPointF(5.6, 9.6), QPointF(9.6, 10.4));
    painter.drawLine(QPointF(5.6, 12.8), QPointF(9.6, 13.6));
    painter.drawLine(QPointF(18.4, 9.6), QPointF(14.4, 10.4));
    painter.drawLine(QPointF(18.4, 12.8), QPointF(14.4, 13.6));
}

/// An arc of the update circle running clockwise from `startDegrees`, ending in an arrowhead.
void drawChasingArrow(QPainter& painter, qreal startDegrees, qreal sweepDegrees) {
    const QPointF centre(12, 12);
    const qreal radius = 7.2;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    QPainterPath arc;
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, -sweepDegrees);
    painter.strokePath(arc, lightPen(2.0));

    // Angles count anticlockwise with y pointing up; on screen, clockwise travel at angle a
    // heads along (sin a, cos a).
    const qreal end = qDegreesToRadians(startDegrees - sweepDegrees);
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    const QPointF ahead(std::sin(end), std::cos(end));
    const QPointF across(ahead.y(), -ahead.x());
    QPainterPath head;
    head.moveTo(tip + ahead * 2.6);
    head.lineTo(tip - ahead * 0.9 + across * 3.0);
    head.lineTo(tip - ahead * 0.9 - across * 3.0);
    head.closeSubpath();
    painter.setPen(lightPen(0.8));
    painter.setBrush(kLight);
    painter.drawPath(head);
    painter.setBrush(Qt::NoBrush);
}

void drawUpdate(QPainter& painter) {
    drawChasingArrow(painter, 165, 120);
    drawChasingArrow(painter, 345, 120);
}

void drawMinimise(QPainter& painter) {
    painter.setPen(lightPen(2.2));
    painter.drawLine(QPointF(6.5, 12), QPointF(17.5, 12));
}

void drawClose(QPainter& painter) {
    painter.setPen(lightPen(2.2));
    painter.drawLine(QPointF(7, 7), QPointF(17, 17));
    painter.drawLine(QPointF(17, 7), QPointF(7, 17));
}

void drawLogo(QPainter& painter) {
    // A pale round badge, so the coloured mark stands out from the blue band.
    const QPointF centre(12, 12);
    QRadialGradient badgeFill(QPointF(9.5, 8), 14);
    badgeFill.setColorAt(0, QColor(0xfd, 0xfa, 0xf1));
    badgeFill.setColorAt(1, QColor(0xec, 0xe1, 0xc4));
    QPainterPath badge;
    badge.addEllipse(centre, 11.3, 11.3);
    painter.fillPath(badge, badgeFill);
    painter.setClipPath(badge);

    // Water: two gentle waves below the hull.
    QPainterPath water;
    water.moveTo(0, 17.6);
    for (qreal x = 0; x < 24; x += 6) {
        water.cubicTo(x + 1.5, 16.4, x + 4.5, 18.8, x + 6, 17.6);
    }
    water.lineTo(24, 24);
    water.lineTo(0, 24);
    water.closeSubpath();
    QLinearGradient waterFill(0, 16.5, 0, 24);
    waterFill.setColorAt(0, QColor(0x3a, 0x9b, 0xc0));
    waterFill.setColorAt(1, QColor(0x1f, 0x5f, 0x8b));
    painter.fillPath(water, waterFill);
    QPainterPath ripple;
    ripple.moveTo(6.5, 20.6);
    ripple.cubicTo(8.0, 19.8, 9.5, 21.4, 11, 20.6);
    ripple.moveTo(13.5, 21.2);
    ripple.cubicTo(15.0, 20.4, 16.5, 22.0, 18, 21.2);
    painter.strokePath(ripple, QPen(QColor(255, 255, 255, 150), 0.7, Qt::SolidLine, Qt::RoundCap));
    painter.setClipping(false);

    // The hull: a shallow crescent, higher at the bow.
    QPainterPath hull;
    hull.moveTo(4.6, 14.0);
    hull.lineTo(19.6, 13.4);
    hull.cubicTo(18.6, 16.2, 16.8, 17.4, 14.2, 17.4);
    hull.lineTo(9.0, 17.4);
    hull.cubicTo(6.8, 17.4, 5.4, 16.0, 4.6, 14.0);
    hull.closeSubpath();
    QLinearGradient hullFill(0, 13.4, 0, 17.4);
    hullFill.setColorAt(0, QColor(0x9c, 0x66, 0x3a));
    hullFill.setColorAt(1, QColor(0x6e, 0x43, 0x22));
    painter.fillPath(hull, hullFill);

    // The mast, and an elm leaf for a sail: an oval pointed at the tip, uneven at the stalk,
    // with its midrib.
    painter.setPen(QPen(QColor(0x5c, 0x3a, 0x1e), 0.9, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(11.2, 13.8), QPointF(11.2, 3.6));

    const QPointF stalk(11.8, 12.6);
    const QPointF tip(16.4, 3.4);
    QPainterPath leaf;
    leaf.moveTo(stalk);
    leaf.cubicTo(17.6, 12.4, 19.2, 7.0, tip.x(), tip.y());
    leaf.cubicTo(12.6, 4.6, 10.8, 8.6, 12.4, 11.4);
    leaf.closeSubpath();
    QLinearGradient leafFill(tip, stalk);
    leafFill.setColorAt(0, QColor(0x8b, 0xc3, 0x4a));
    leafFill.setColorAt(1, QColor(0x3f, 0x86, 0x2f));
    painter.fillPath(leaf, leafFill);
    painter.setPen(QPen(QColor(0xe8, 0xf5, 0xd8, 190), 0.55, Qt::SolidLine, Qt::RoundCap));
    QPainterPath midrib;
    midrib.moveTo(stalk);
    midrib.quadTo(15.2, 8.6, tip.x(), tip.y());
    painter.drawPath(midrib);
}

} // namespace

QPixmap drawIcon(IconKind kind, QSize logicalSize, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(logicalSize * ratio);
    if (pixmap.isNull()) {
        return pixmap;
    }
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(logicalSize.width(), logicalSize.height());
    painter.translate((logicalSize.width() - side) / 2.0, (logicalSize.height() - side) / 2.0);
    painter.scale(side / kGrid, side / kGrid);

    switch (kind) {
    case IconKind::Settings:
        drawSettings(painter);
        break;
    case IconKind::Tutorial:
        drawTutorial(painter);
        break;
    case IconKind::Update:
        drawUpdate(painter);
        break;
    case IconKind::Minimise:
        drawMinimise(painter);
        break;
    case IconKind::Close:
        drawClose(painter);
        break;
    case IconKind::Logo:
        drawLogo(painter);
        break;
    }
    return pixmap;
}

} // namespace yuzhou
