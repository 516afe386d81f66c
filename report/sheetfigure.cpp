#include "sheetfigure.h"

#include "sheetfont.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr qreal widthMm = 150;

} // namespace

FigurePainter::FigurePainter(QPainter& painter, const QRectF& box)
    : m_painter(painter)
    , m_box(box)
    , m_mm(box.width() / widthMm)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    QFont font = sheetFont();
    font.setPointSizeF(8.5);
    font.setPixelSize(std::max(1, int(std::lround(3.0 * m_mm))));
    m_painter.setFont(font);
    outlinePen();
}

FigurePainter::~FigurePainter()
{
    m_painter.restore();
}

void FigurePainter::outlinePen()
{
    m_painter.setPen(QPen(Qt::black, 0.35 * m_mm));
}

void FigurePainter::thinPen()
{
    m_painter.setPen(QPen(Qt::black, 0.2 * m_mm));
}

void FigurePainter::dimension(QPointF a, QPointF b, const QString& label, QPointF away)
{
    m_painter.drawLine(a, b);
    const QPointF along = b - a;
    const qreal length = std::hypot(along.x(), along.y());
    // A thin plate's ticks would cross: they shrink to fit its thickness.
    const qreal tickSize = std::min(tick() * 0.7, length * 0.3);
    if (length > 0) {
        const QPointF unit = along / length;
        const QPointF slant = QPointF(unit.x() + unit.y(), unit.y() - unit.x()) * tickSize;
        m_painter.drawLine(a - slant, a + slant);
        m_painter.drawLine(b - slant, b + slant);
    }
    if (label.isEmpty())
        return;
    const QFontMetricsF metrics(m_painter.font());
    const QSizeF size(metrics.horizontalAdvance(label), metrics.height());
    // Clear of the longest ticks, its own and those of a dimension that ends
    // where it does: they reach 0.7 tick either side of their lines.
    const QPointF middle = (a + b) / 2 + away * (tick() * 0.7 + 0.6 * m_mm);
    QRectF rect(QPointF(0, 0), size);
    rect.moveCenter(middle);
    if (away.x() > 0)
        rect.moveLeft(middle.x());
    else if (away.x() < 0)
        rect.moveRight(middle.x());
    if (away.y() > 0)
        rect.moveTop(middle.y());
    else if (away.y() < 0)
        rect.moveBottom(middle.y());
    text(rect, Qt::AlignCenter, label, away);
}

QRectF FigurePainter::text(QRectF rect, int flags, const QString& text, QPointF away)
{
    const QFontMetricsF metrics(m_painter.font());
    QRectF ink = metrics.boundingRect(rect, flags, text);
    // Each step clears the text in the way by half a millimetre; a handful
    // of texts can stand in a row.
    for (int step = 0; step < 8; ++step) {
        const auto clash = std::find_if(m_texts.cbegin(), m_texts.cend(),
            [&](const QRectF& placed) { return placed.intersects(ink); });
        if (clash == m_texts.cend())
            break;
        QPointF by;
        if (away.y() > 0)
            by.setY(clash->bottom() - ink.top() + m_mm / 2);
        else if (away.y() < 0)
            by.setY(clash->top() - ink.bottom() - m_mm / 2);
        else if (away.x() > 0)
            by.setX(clash->right() - ink.left() + m_mm / 2);
        else
            by.setX(clash->left() - ink.right() - m_mm / 2);
        rect.translate(by);
        ink.translate(by);
    }
    m_painter.drawText(rect, flags, text);
    m_texts << ink;
    return ink;
}

PlacedSection FigurePainter::plates(const PlateSection& section, const QRectF& room)
{
    const double deep = section.depth();
    const qreal scale = std::min(room.width() / section.width(), room.height() / deep);
    const PlacedSection placed { scale, room.center().x(), room.center().y() - deep * scale / 2 };
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    outline.addRect(QRectF(QPointF(placed.x(-section.upperWidth / 2), placed.y(0)),
        QPointF(placed.x(section.upperWidth / 2), placed.y(section.upperThickness))));
    outline.addRect(
        QRectF(QPointF(placed.x(-section.webThickness / 2), placed.y(section.upperThickness)),
            QPointF(placed.x(section.webThickness / 2),
                placed.y(section.upperThickness + section.webHeight))));
    outline.addRect(
        QRectF(QPointF(placed.x(-section.lowerWidth / 2), placed.y(deep - section.lowerThickness)),
            QPointF(placed.x(section.lowerWidth / 2), placed.y(deep))));
    m_painter.fillPath(outline.simplified(), QColor(0xd8, 0xd8, 0xd8));
    m_painter.drawPath(outline.simplified());
    return placed;
}

void FigurePainter::thicknessAcross(
    const PlacedSection& at, double halfWidth, qreal y, const QString& label)
{
    // An arrow at each face from outside; nothing crosses the plate, which a
    // line through it would draw as a stiffener.
    const qreal left = at.x(-halfWidth);
    const qreal right = at.x(halfWidth);
    const qreal head = 1.5 * m_mm;
    m_painter.drawLine(QPointF(left - 6 * m_mm, y), QPointF(left, y));
    m_painter.drawLine(QPointF(right, y), QPointF(right + 4 * m_mm, y));
    for (const auto& [face, pointing] : { std::pair { left, 1.0 }, std::pair { right, -1.0 } }) {
        QPainterPath arrow;
        arrow.moveTo(face, y);
        arrow.lineTo(face - pointing * head, y - head / 3);
        arrow.lineTo(face - pointing * head, y + head / 3);
        arrow.closeSubpath();
        m_painter.fillPath(arrow, m_painter.pen().color());
    }
    text(QRectF(left - 40 * m_mm, y - 5 * m_mm, 33 * m_mm, 5 * m_mm),
        Qt::AlignRight | Qt::AlignBottom, label, { 0, -1 });
}
