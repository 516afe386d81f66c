#include "sheetdrawing.h"

#include "sheetfigure.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QUrl>

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

namespace {

// Calls `place` with a cursor over the mark of each part's drawing, and the
// drawing; the drawings it placed.
template <typename Place>
QList<SheetDrawing> eachDrawing(QTextDocument& document, const CalculationSheet& sheet, Place place)
{
    QList<SheetDrawing> drawings;
    for (qsizetype index = 0; index < sheet.parts.size(); ++index) {
        if (!sheet.parts[index].drawing)
            continue;
        QTextCursor mark = document.find(sheetDrawingMark(index));
        if (mark.isNull())
            continue;
        place(mark, *sheet.parts[index].drawing, int(drawings.size()));
        drawings << *sheet.parts[index].drawing;
    }
    return drawings;
}

} // namespace

void placeSheetDrawings(QTextDocument& document, const CalculationSheet& sheet)
{
    const QList<SheetDrawing> drawings = eachDrawing(
        document, sheet, [](QTextCursor& cursor, const SheetDrawing&, int index) {
            QTextCharFormat object;
            object.setObjectType(drawingObject);
            object.setProperty(drawingIndex, index);
            cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
        });
    if (drawings.isEmpty())
        return;
    auto* handler = new DrawingHandler(&document, drawings);
    document.documentLayout()->registerHandler(drawingObject, handler);
}

void placeSheetPictures(QTextDocument& document, const CalculationSheet& sheet)
{
    // Lines of 0.2 mm stay two dots wide and the 3 mm texts legible when the
    // picture is printed at its size.
    constexpr qreal dpi = 300;
    // A label may reach past the drawing's box (F at the elevation's right
    // end), as it does into the page's margin on paper: the picture is as
    // wide as the page's text, the box in its middle.
    constexpr qreal sideMm = 10;
    eachDrawing(document, sheet, [&](QTextCursor& cursor, const SheetDrawing& drawing, int index) {
        const qreal dots = dpi / 25.4;
        QImage picture(QSizeF((widthMm + 2 * sideMm) * dots, heightMm * dots).toSize(),
            QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        picture.setDotsPerMeterY(picture.dotsPerMeterX());
        {
            QPainter painter(&picture);
            paintSheetDrawing(painter,
                QRectF(sideMm * dots, 0, widthMm * dots, heightMm * dots), drawing);
        }
        const QString name = u"drawing%1.png"_s.arg(index + 1);
        document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
        // Its size on paper, in the 96 dots per inch a document's pictures
        // are measured in.
        QTextImageFormat format;
        format.setName(name);
        format.setWidth((widthMm + 2 * sideMm) * perMm(nullptr));
        format.setHeight(heightMm * perMm(nullptr));
        cursor.insertImage(format);
    });
}

#include "sheetdrawing.moc"
