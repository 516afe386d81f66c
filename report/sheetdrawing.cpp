#include "sheetdrawing.h"

#include "sheettext.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int drawingObject = QTextFormat::UserObject + 19;
constexpr int drawingIndex = QTextFormat::UserProperty + 1;
constexpr qreal widthMm = 150;
constexpr qreal heightMm = 68;

qreal perMm(const QPaintDevice* device)
{
    return (device ? device->logicalDpiX() : 96) / 25.4;
}

// A dimension line from a to b with ticks at both ends and its label beside
// its middle, on the side `away` points to.
void dimension(
    QPainter& painter, QPointF a, QPointF b, const QString& label, QPointF away, qreal tick)
{
    painter.drawLine(a, b);
    const QPointF along = b - a;
    const qreal length = std::hypot(along.x(), along.y());
    // A thin plate's ticks would cross: they shrink to fit its thickness.
    const qreal tickSize = std::min(tick * 0.7, length * 0.3);
    if (length > 0) {
        const QPointF unit = along / length;
        const QPointF slant = QPointF(unit.x() + unit.y(), unit.y() - unit.x()) * tickSize;
        painter.drawLine(a - slant, a + slant);
        painter.drawLine(b - slant, b + slant);
    }
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(label), metrics.height());
    const QPointF middle = (a + b) / 2 + away * (tick * 0.6);
    QRectF text(QPointF(0, 0), size);
    text.moveCenter(middle);
    if (away.x() > 0)
        text.moveLeft(middle.x());
    else if (away.x() < 0)
        text.moveRight(middle.x());
    if (away.y() > 0)
        text.moveTop(middle.y());
    else if (away.y() < 0)
        text.moveBottom(middle.y());
    painter.drawText(text, Qt::AlignCenter, label);
}

// The sizes the section is drawn with: as read, or a fixed schematic shape.
struct Shape {
    double upperWidth, upperThickness, webThickness, webHeight, lowerWidth, lowerThickness;
};

Shape shapeOf(const SheetDrawing& drawing, bool toScale)
{
    if (toScale)
        return { drawing.upperWidth.mm, drawing.upperThickness.mm, drawing.webThickness.mm,
            drawing.webHeight.mm, drawing.lowerWidth.mm, drawing.lowerThickness.mm };
    return { 200, 14, 10, 272, 200, 14 };
}

class DrawingHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    DrawingHandler(QObject* parent, QList<SheetDrawing> drawings)
        : QObject(parent)
        , m_drawings(std::move(drawings))
    {
    }

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat&) override
    {
        return sheetDrawingSize(document->documentLayout()->paintDevice());
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
        const QTextFormat& format) override
    {
        const qsizetype index = format.intProperty(drawingIndex);
        if (index >= 0 && index < m_drawings.size())
            paintSheetDrawing(*painter, rect, m_drawings[index]);
    }

private:
    QList<SheetDrawing> m_drawings;
};

} // namespace

QSizeF sheetDrawingSize(const QPaintDevice* device)
{
    return QSizeF(widthMm, heightMm) * perMm(device);
}

QString sheetDrawingMark(qsizetype index)
{
    return u"[[drawing %1]]"_s.arg(index);
}

bool paintSheetDrawing(QPainter& painter, const QRectF& box, const SheetDrawing& drawing)
{
    const QString reason = drawing.schematicReason();
    const bool toScale = reason.isEmpty();
    const Shape shape = shapeOf(drawing, toScale);
    const bool bracket = drawing.kind == SheetDrawing::Kind::Bracket;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal mm = box.width() / widthMm;
    QFont font = sheetFont();
    font.setPointSizeF(8.5);
    font.setPixelSize(std::max(1, int(std::lround(3.0 * mm))));
    painter.setFont(font);
    QPen pen(Qt::black, 0.35 * mm);
    painter.setPen(pen);

    // The section in the left part, room for the dimensions around it; the
    // bracket's elevation with its load to the right of it.
    // A strip at the foot keeps the caption clear of the lower dimensions.
    const QRectF sectionRoom(box.left() + 18 * mm, box.top() + 10 * mm, (bracket ? 62 : 110) * mm,
        box.height() - 24 * mm);
    const double wide = std::max(shape.upperWidth, shape.lowerWidth);
    const double deep = shape.upperThickness + shape.webHeight + shape.lowerThickness;
    const double scale = std::min(sectionRoom.width() / wide, sectionRoom.height() / deep);
    const qreal centre = sectionRoom.center().x();
    const qreal top = sectionRoom.center().y() - deep * scale / 2;
    const auto x = [&](double fromAxis) { return centre + fromAxis * scale; };
    const auto y = [&](double down) { return top + down * scale; };

    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    outline.addRect(QRectF(QPointF(x(-shape.upperWidth / 2), y(0)),
        QPointF(x(shape.upperWidth / 2), y(shape.upperThickness))));
    outline.addRect(QRectF(QPointF(x(-shape.webThickness / 2), y(shape.upperThickness)),
        QPointF(x(shape.webThickness / 2), y(shape.upperThickness + shape.webHeight))));
    outline.addRect(QRectF(QPointF(x(-shape.lowerWidth / 2), y(deep - shape.lowerThickness)),
        QPointF(x(shape.lowerWidth / 2), y(deep))));
    painter.fillPath(outline.simplified(), QColor(0xd8, 0xd8, 0xd8));
    painter.drawPath(outline.simplified());

    const qreal tick = 2 * mm;
    const qreal gap = 4 * mm;
    QPen thin(Qt::black, 0.2 * mm);
    painter.setPen(thin);
    const SheetDimension& upperWidth = bracket ? drawing.upperWidth : drawing.upperWidth;
    dimension(painter, { x(-shape.upperWidth / 2), y(0) - gap },
        { x(shape.upperWidth / 2), y(0) - gap }, upperWidth.label, { 0, -1 }, tick);
    const qreal right = x(wide / 2) + gap;
    if (bracket) {
        dimension(painter, { x(-shape.lowerWidth / 2), y(deep) + gap },
            { x(shape.lowerWidth / 2), y(deep) + gap }, drawing.lowerWidth.label, { 0, 1 }, tick);
        dimension(painter, { right, y(0) }, { right, y(shape.upperThickness) },
            drawing.upperThickness.label, { 1, 0 }, tick);
        dimension(painter, { right, y(shape.upperThickness) },
            { right, y(shape.upperThickness + shape.webHeight) }, drawing.webHeight.label, { 1, 0 },
            tick);
        dimension(painter, { right, y(deep - shape.lowerThickness) }, { right, y(deep) },
            drawing.lowerThickness.label, { 1, 0 }, tick);
    } else {
        dimension(
            painter, { right, y(0) }, { right, y(deep) }, drawing.depth.label, { 1, 0 }, tick);
        dimension(painter, { x(-wide / 2) - gap, y(0) },
            { x(-wide / 2) - gap, y(shape.upperThickness) }, drawing.upperThickness.label,
            { -1, 0 }, tick);
    }
    // The bracket's centroidal axis lies y under the upper flange's centre.
    const double axisDown = !bracket                ? -1
        : toScale && std::isfinite(drawing.axis.mm) ? shape.upperThickness / 2 + drawing.axis.mm
                                                    : deep * 0.4;
    // The web's thickness, pointing at both faces: at the middle of the web,
    // or, on the bracket, of the web under the axis, clear of y's dimension
    // on the left, unless too little of the web is left there.
    const double webTop = shape.upperThickness;
    const double webBottom = shape.upperThickness + shape.webHeight;
    const bool roomUnderAxis = axisDown > webTop && (webBottom - axisDown) * scale > 7 * mm;
    const double webLabelAt = roomUnderAxis ? (axisDown + webBottom) / 2 : (webTop + webBottom) / 2;
    const qreal webMiddle = y(webLabelAt);
    painter.drawLine(QPointF(x(-shape.webThickness / 2) - 6 * mm, webMiddle),
        QPointF(x(shape.webThickness / 2) + 6 * mm, webMiddle));
    painter.drawText(
        QRectF(x(-shape.webThickness / 2) - 40 * mm, webMiddle - 5 * mm, 33 * mm, 5 * mm),
        Qt::AlignRight | Qt::AlignBottom, drawing.webThickness.label);

    if (bracket) {
        if (axisDown >= 0 && axisDown <= deep) {
            QPen axisPen(Qt::black, 0.2 * mm, Qt::DashDotLine);
            painter.setPen(axisPen);
            painter.drawLine(QPointF(x(-wide / 2) - 8 * mm, y(axisDown)),
                QPointF(x(wide / 2) + 2 * mm, y(axisDown)));
            painter.setPen(thin);
            // Over the axis, or under it where y's label would stand there.
            const bool under = (axisDown - shape.upperThickness / 2) * scale < 12 * mm;
            painter.drawText(QRectF(box.left(), y(axisDown) - (under ? 0 : 5 * mm),
                                 x(-wide / 2) - 9 * mm - box.left(), 5 * mm),
                Qt::AlignRight | (under ? Qt::AlignTop : Qt::AlignBottom), u"形心轴"_s);
            dimension(painter, { x(-wide / 2) - gap, y(shape.upperThickness / 2) },
                { x(-wide / 2) - gap, y(axisDown) }, drawing.axis.label, { -1, 0 }, tick);
        }

        // The elevation: the column face, the bracket's depth, F at e.
        // Clear of the plate sizes written right of the section.
        const QFontMetricsF metrics(painter.font());
        qreal sizes = 0;
        for (const SheetDimension* size :
            { &drawing.upperThickness, &drawing.webHeight, &drawing.lowerThickness })
            sizes = std::max(sizes, metrics.horizontalAdvance(size->label));
        const qreal face = std::max(box.left() + 100 * mm, right + tick * 0.6 + sizes + 3 * mm);
        const qreal depth = std::min(sectionRoom.height(), deep * scale);
        const qreal depthTop = sectionRoom.center().y() - depth / 2 + 4 * mm;
        const double e = drawing.loadAt.mm;
        const double length = std::isfinite(e) && e > 0 ? e * 1.25 : deep;
        const qreal elevationScale = std::min(45 * mm / length, depth / deep);
        const qreal reach = length * elevationScale;
        painter.setPen(pen);
        painter.drawLine(QPointF(face, box.top() + 6 * mm), QPointF(face, box.bottom() - 4 * mm));
        painter.drawRect(QRectF(face, depthTop, reach, depth));
        painter.setPen(thin);
        if (std::isfinite(e) && e >= 0) {
            const qreal at = face + e * elevationScale;
            painter.drawLine(QPointF(at, depthTop - 9 * mm), QPointF(at, depthTop));
            QPainterPath head;
            head.moveTo(at, depthTop);
            head.lineTo(at - 1.2 * mm, depthTop - 3 * mm);
            head.lineTo(at + 1.2 * mm, depthTop - 3 * mm);
            head.closeSubpath();
            painter.fillPath(head, Qt::black);
            painter.drawText(QRectF(at + 1.5 * mm, depthTop - 10 * mm, 40 * mm, 5 * mm),
                Qt::AlignLeft | Qt::AlignVCenter, drawing.load);
            // A label wider than a short e stands beside it, off the column face.
            const bool beside
                = metrics.horizontalAdvance(drawing.loadAt.label) + 2 * mm > at - face;
            const qreal under = depthTop + depth + gap;
            dimension(painter, { face, under }, { at, under },
                beside ? QString() : drawing.loadAt.label, { 0, 1 }, tick);
            if (beside)
                painter.drawText(QRectF(at + 2 * mm, under - 2.5 * mm, 40 * mm, 5 * mm),
                    Qt::AlignLeft | Qt::AlignVCenter, drawing.loadAt.label);
        }
        // Named at its top, clear of e's dimension and the caption at the foot.
        painter.drawText(QRectF(face - 25 * mm, box.top() + 4 * mm, 24 * mm, 5 * mm),
            Qt::AlignRight | Qt::AlignVCenter, u"柱边"_s);
    }

    const QString caption = toScale
        ? (bracket ? u"牛腿根部截面（按比例）与立面示意"_s : u"截面（按比例绘制）"_s)
        : u"截面示意图，未按比例绘制：%1。"_s.arg(reason);
    painter.setPen(toScale ? Qt::black : QColor(0xff, 0, 0));
    painter.drawText(QRectF(box.left(), box.bottom() - 5 * mm, 95 * mm, 5 * mm),
        Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.restore();
    return toScale;
}

void placeSheetDrawings(QTextDocument& document, const CalculationSheet& sheet)
{
    QList<SheetDrawing> drawings;
    for (qsizetype index = 0; index < sheet.parts.size(); ++index) {
        if (!sheet.parts[index].drawing)
            continue;
        const QTextCursor mark = document.find(sheetDrawingMark(index));
        if (mark.isNull())
            continue;
        QTextCursor cursor = mark;
        QTextCharFormat object;
        object.setObjectType(drawingObject);
        object.setProperty(drawingIndex, int(drawings.size()));
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
        drawings << *sheet.parts[index].drawing;
    }
    if (drawings.isEmpty())
        return;
    auto* handler = new DrawingHandler(&document, drawings);
    document.documentLayout()->registerHandler(drawingObject, handler);
}

#include "sheetdrawing.moc"
