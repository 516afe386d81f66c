#include "sheetdrawing.h"

#include "sheetfigure.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
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

bool paintSheetDrawing(QPainter& painter, const QRectF& box, const SheetDrawing& drawing)
{
    const QString reason = drawing.schematicReason();
    const bool toScale = reason.isEmpty();
    FigurePainter figure(painter, box);
    drawing.figure->paint(figure, toScale);

    const qreal mm = figure.mm();
    const QString caption
        = toScale ? drawing.figure->caption() : u"截面示意图，未按比例绘制：%1。"_s.arg(reason);
    painter.setPen(toScale ? Qt::black : QColor(0xff, 0, 0));
    painter.drawText(QRectF(box.left(), box.bottom() - 5 * mm, 95 * mm, 5 * mm),
        Qt::AlignLeft | Qt::AlignVCenter, caption);
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
