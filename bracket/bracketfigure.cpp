#include "bracketfigure.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <cmath>

using namespace Qt::StringLiterals;

BracketFigure::BracketFigure(Sizes sizes)
    : m_sizes(std::move(sizes))
{
}

QList<SheetDimension> BracketFigure::sizes() const
{
    const Sizes& s = m_sizes;
    return { s.bf1, s.t1, s.ts, s.hw, s.bf2, s.t2 };
}

QString BracketFigure::caption() const
{
    return u"牛腿根部截面（按比例）与立面示意"_s;
}

void BracketFigure::paint(FigurePainter& painter, bool toScale) const
{
    const Sizes& s = m_sizes;
    const qreal mm = painter.mm();
    const QRectF& box = painter.box();
    QPainter& paper = painter.painter();
    const PlateSection shape = toScale
        ? PlateSection { s.bf1.mm, s.t1.mm, s.ts.mm, s.hw.mm, s.bf2.mm, s.t2.mm }
        : PlateSection { 200, 14, 10, 272, 200, 14 };
    // The section in the left part, room for the dimensions around it, the
    // elevation to the right of it; a strip at the foot keeps the caption
    // clear of the lower dimensions.
    const QRectF room(box.left() + 18 * mm, box.top() + 10 * mm, 62 * mm, box.height() - 26 * mm);
    const PlacedSection at = painter.plates(shape, room);
    const double wide = shape.width();
    const double deep = shape.depth();

    painter.thinPen();
    const qreal gap = painter.gap();
    const qreal tick = painter.tick();
    painter.dimension({ at.x(-shape.upperWidth / 2), at.y(0) - gap },
        { at.x(shape.upperWidth / 2), at.y(0) - gap }, s.bf1.label, { 0, -1 });
    const qreal right = at.x(wide / 2) + gap;
    painter.dimension({ at.x(-shape.lowerWidth / 2), at.y(deep) + gap },
        { at.x(shape.lowerWidth / 2), at.y(deep) + gap }, s.bf2.label, { 0, 1 });
    painter.dimension(
        { right, at.y(0) }, { right, at.y(shape.upperThickness) }, s.t1.label, { 1, 0 });
    painter.dimension({ right, at.y(shape.upperThickness) },
        { right, at.y(shape.upperThickness + shape.webHeight) }, s.hw.label, { 1, 0 });
    painter.dimension(
        { right, at.y(deep - shape.lowerThickness) }, { right, at.y(deep) }, s.t2.label, { 1, 0 });

    // The centroidal axis lies y under the upper flange's centre. The web's
    // thickness points at both faces in the middle of the web under it,
    // clear of y's dimension on the left, unless too little of the web is
    // left there.
    const double axisDown
        = toScale && std::isfinite(s.y.mm) ? shape.upperThickness / 2 + s.y.mm : deep * 0.4;
    const double webTop = shape.upperThickness;
    const double webBottom = shape.upperThickness + shape.webHeight;
    const bool roomUnderAxis = axisDown > webTop && (webBottom - axisDown) * at.scale > 7 * mm;
    const double webLabelAt = roomUnderAxis ? (axisDown + webBottom) / 2 : (webTop + webBottom) / 2;
    painter.thicknessAcross(at, shape.webThickness / 2, at.y(webLabelAt), s.ts.label);

    if (axisDown >= 0 && axisDown <= deep) {
        paper.setPen(QPen(Qt::black, 0.2 * mm, Qt::DashDotLine));
        paper.drawLine(QPointF(at.x(-wide / 2) - 8 * mm, at.y(axisDown)),
            QPointF(at.x(wide / 2) + 2 * mm, at.y(axisDown)));
        painter.thinPen();
        // Over the axis, or under it where y's label would stand there.
        const bool under = (axisDown - shape.upperThickness / 2) * at.scale < 12 * mm;
        painter.text(QRectF(box.left(), at.y(axisDown) - (under ? 0 : 5 * mm),
                         at.x(-wide / 2) - 9 * mm - box.left(), 5 * mm),
            Qt::AlignRight | (under ? Qt::AlignTop : Qt::AlignBottom), u"形心轴"_s,
            { 0, under ? 1.0 : -1.0 });
        painter.dimension({ at.x(-wide / 2) - gap, at.y(shape.upperThickness / 2) },
            { at.x(-wide / 2) - gap, at.y(axisDown) }, s.y.label, { -1, 0 });
    }

    // The elevation: the column face, clear of the plate sizes written right
    // of the section, the bracket's depth, F at e.
    const QFontMetricsF metrics(paper.font());
    qreal written = 0;
    for (const SheetDimension* size : { &s.t1, &s.hw, &s.t2 })
        written = std::max(written, metrics.horizontalAdvance(size->label));
    const qreal face = std::max(box.left() + 100 * mm, right + tick * 0.6 + written + 3 * mm);
    const qreal depth = std::min(room.height(), deep * at.scale);
    const qreal depthTop = room.center().y() - depth / 2 + 4 * mm;
    const double e = s.e.mm;
    const double length = std::isfinite(e) && e > 0 ? e * 1.25 : deep;
    const qreal elevationScale = std::min(45 * mm / length, depth / deep);
    const qreal reach = length * elevationScale;
    painter.outlinePen();
    paper.drawLine(QPointF(face, box.top() + 6 * mm), QPointF(face, box.bottom() - 4 * mm));
    paper.drawRect(QRectF(face, depthTop, reach, depth));
    painter.thinPen();
    if (std::isfinite(e) && e >= 0) {
        const qreal load = face + e * elevationScale;
        paper.drawLine(QPointF(load, depthTop - 9 * mm), QPointF(load, depthTop));
        QPainterPath head;
        head.moveTo(load, depthTop);
        head.lineTo(load - 1.2 * mm, depthTop - 3 * mm);
        head.lineTo(load + 1.2 * mm, depthTop - 3 * mm);
        head.closeSubpath();
        paper.fillPath(head, Qt::black);
        painter.text(QRectF(load + 1.5 * mm, depthTop - 10 * mm, 40 * mm, 5 * mm),
            Qt::AlignLeft | Qt::AlignVCenter, s.load, { 0, -1 });
        // A label wider than a short e stands beside it, off the column face.
        const bool beside = metrics.horizontalAdvance(s.e.label) + 2 * mm > load - face;
        const qreal under = depthTop + depth + gap;
        painter.dimension(
            { face, under }, { load, under }, beside ? QString() : s.e.label, { 0, 1 });
        if (beside)
            painter.text(QRectF(load + 2 * mm, under - 2.5 * mm, 40 * mm, 5 * mm),
                Qt::AlignLeft | Qt::AlignVCenter, s.e.label, { 1, 0 });
    }
    // Named at its top, clear of e's dimension and the caption at the foot.
    painter.text(QRectF(face - 25 * mm, box.top() + 4 * mm, 24 * mm, 5 * mm),
        Qt::AlignRight | Qt::AlignVCenter, u"柱边"_s, { -1, 0 });
}
