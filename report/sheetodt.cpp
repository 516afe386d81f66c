#include "sheetodt.h"

#include "checkedwrite.h"
#include "sheetdocument.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

// The width the sheet's text takes on an A4 page, in points.
constexpr qreal textWidthPt = 170 / 25.4 * 72;

// Qt writes a column's share of the table as a percentage where OpenDocument
// wants a length, and the word processors then make every column as wide as
// the others: the formulas' column as narrow as the units'. Each column is
// given its share of the page's text width in points instead.
void fixColumnWidths(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (!table || table->cellAt(0, 0).firstCursorPosition().block() != block)
            continue;
        QTextTableFormat format = table->format();
        QList<QTextLength> widths = format.columnWidthConstraints();
        bool changed = false;
        for (QTextLength& width : widths)
            if (width.type() == QTextLength::PercentageLength) {
                width = QTextLength(
                    QTextLength::FixedLength, width.rawValue() / 100 * textWidthPt);
                changed = true;
            }
        if (changed) {
            format.setColumnWidthConstraints(widths);
            table->setFormat(format);
        }
    }
}

} // namespace

QByteArray sheetOdt(const CalculationSheet& sheet)
{
    const std::unique_ptr<QTextDocument> document
        = sheetDocument(sheet, nullptr, SheetMedium::WordProcessor);
    // The file names one face, where the sheet lists its own for each
    // script: the word processor takes the face Chinese documents use, and
    // its own Chinese face where it has no 宋体.
    QTextCursor all(document.get());
    all.select(QTextCursor::Document);
    QTextCharFormat face;
    face.setFontFamilies({ u"SimSun"_s });
    // Qt 6.4's writer reads the face from the property that held it before.
    face.setProperty(QTextFormat::OldFontFamily, u"SimSun"_s);
    all.mergeCharFormat(face);
    fixColumnWidths(*document);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    return writer.write(document.get()) ? bytes : QByteArray();
}

QString exportSheetOdt(const CalculationSheet& sheet, const QString& path)
{
    const QByteArray bytes = sheetOdt(sheet);
    if (bytes.isEmpty())
        return u"无法生成OpenDocument文本。"_s;
    return writeWholeFile(path, bytes);
}
