#include "sectionfigure.h"

using namespace Qt::StringLiterals;

SectionFigure::SectionFigure(
    SheetDimension B, SheetDimension H, SheetDimension tw, SheetDimension t)
    : m_B(std::move(B))
    , m_H(std::move(H))
    , m_tw(std::move(tw))
    , m_t(std::move(t))
{
}

QList<SheetDimension> SectionFigure::sizes() const
{
    // The web's height between the flanges must be drawable too.
    const SheetDimension web { {}, m_H.mm - 2 * m_t.mm };
    return { m_B, m_t, m_tw, web, m_B, m_t, m_H };
}

QString SectionFigure::caption() const
{
    return u"截面（按比例绘制）"_s;
}

void SectionFigure::paint(FigurePainter& painter, bool toScale) const
{
    const qreal mm = painter.mm();
    const QRectF& box = painter.box();
    const PlateSection shape = toScale
        ? PlateSection { m_B.mm, m_t.mm, m_tw.mm, m_H.mm - 2 * m_t.mm, m_B.mm, m_t.mm }
        : PlateSection { 200, 14, 10, 272, 200, 14 };
    // The section in the box, room for the dimensions around it; a strip at
    // the foot keeps the caption clear of the lower dimensions.
    const QRectF room(box.left() + 18 * mm, box.top() + 10 * mm, 110 * mm, box.height() - 24 * mm);
    const PlacedSection at = painter.plates(shape, room);
    const double wide = shape.width();
    const double deep = shape.depth();

    painter.thinPen();
    const qreal gap = painter.gap();
    painter.dimension({ at.x(-shape.upperWidth / 2), at.y(0) - gap },
        { at.x(shape.upperWidth / 2), at.y(0) - gap }, m_B.label, { 0, -1 });
    const qreal right = at.x(wide / 2) + gap;
    painter.dimension({ right, at.y(0) }, { right, at.y(deep) }, m_H.label, { 1, 0 });
    painter.dimension({ at.x(-wide / 2) - gap, at.y(0) },
        { at.x(-wide / 2) - gap, at.y(shape.upperThickness) }, m_t.label, { -1, 0 });
    // The web's thickness, pointing at both faces at the middle of the web.
    painter.thicknessAcross(at, shape.webThickness / 2,
        at.y((shape.upperThickness + (shape.upperThickness + shape.webHeight)) / 2), m_tw.label);
}
