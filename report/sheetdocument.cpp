#include "sheetdocument.h"

#include "sheetdrawing.h"
#include "sheetfont.h"
#include "sheettext.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextFrame>
#include <QTextOption>
#include <QTextTable>

namespace {

// The text width of the sheet's page, for a device that has no page.
constexpr qreal textWidthMm = 170;

// The columns of a part's table as laid out: each column of words as wide as
// its longest word, no column narrower than its caption or than a piece of
// text it may not break; the other columns share what is left in the
// proportions the sheet gives them.
struct ColumnFit {
    QTextTable* table;
    QList<qreal> widths; // in the device's units
    QList<qreal> least;
    QList<bool> fixed; // kept at its width: never gives way to another column

    void apply(qreal width) const
    {
        QList<QTextLength> constraints;
        for (qreal w : widths)
            constraints << QTextLength(QTextLength::PercentageLength, 100 * w / width);
        QTextTableFormat format = table->format();
        format.setColumnWidthConstraints(constraints);
        table->setFormat(format);
    }
};

ColumnFit fitColumns(QTextTable& table, const SheetTable& part, const QPaintDevice* device,
    qreal width)
{
    ColumnFit fit { &table, {}, {}, {} };
    const qsizetype columns = part.header.size();
    if (columns != table.columns() || part.widths.size() != columns)
        return fit;
    const qreal dpi = device ? device->logicalDpiX() : 96;
    // Both paddings, a rule, and a little more for rounding in the layout.
    const QTextTableFormat format = table.format();
    const qreal edges = (2 * format.cellPadding() + 2 * format.border()) * dpi / 96 + dpi / 50;
    QFont plain = sheetFont();
    QFont bold = plain;
    bold.setBold(true);
    const QFontMetricsF plainMetrics(plain, device);
    const QFontMetricsF boldMetrics(bold, device);

    // Nor wider than half the page, whatever was typed.
    fit.least.resize(columns);
    fit.fixed.resize(columns);
    for (qsizetype c = 0; c < columns; ++c) {
        qreal least = boldMetrics.horizontalAdvance(part.header[c]);
        fit.fixed[c] = part.words.value(c);
        for (const SheetRow& row : part.rows)
            if (!row.isHeading() && c < row.cells.size())
                for (const QString& piece : unbrokenPieces(row.cells[c], fit.fixed[c]))
                    least = std::max(least, plainMetrics.horizontalAdvance(piece));
        fit.least[c] = std::min(least + edges, width / 2);
    }
    // A column given less than its least takes that, and the rest is shared
    // again.
    QList<bool> settled = fit.fixed;
    fit.widths.resize(columns);
    for (bool done = false; !done;) {
        qreal left = width, shares = 0;
        for (qsizetype c = 0; c < columns; ++c) {
            if (settled[c])
                left -= fit.least[c];
            else
                shares += part.widths[c];
        }
        done = true;
        for (qsizetype c = 0; c < columns; ++c) {
            fit.widths[c] = settled[c] ? fit.least[c]
                                       : left * part.widths[c] / std::max(shares, qreal(1));
            if (!settled[c] && fit.widths[c] < fit.least[c]) {
                settled[c] = true;
                done = false;
            }
        }
    }
    return fit;
}

// The widest character a cell of column `column` leaves alone on a line of
// its own ("局部稳定与构/造"), or 0.
qreal loneCharacter(const QTextTable& table, int column, const QFontMetricsF& metrics)
{
    qreal widest = 0;
    for (int r = 0; r < table.rows(); ++r) {
        const QTextTableCell cell = table.cellAt(r, column);
        if (cell.row() != r || cell.columnSpan() > 1)
            continue;
        for (auto it = cell.begin(); !it.atEnd(); ++it) {
            const QTextBlock block = it.currentBlock();
            const QTextLayout* layout = block.layout();
            if (!layout || layout->lineCount() < 2)
                continue;
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const QString text
                    = block.text().mid(line.textStart(), line.textLength()).trimmed();
                if (text.size() == 1)
                    widest = std::max(widest, metrics.horizontalAdvance(text));
            }
        }
    }
    return widest;
}

// Widens each column where a character stands alone on a line by that
// character, taken from the column with most to spare, until none does.
void keepCharactersTogether(
    QTextDocument& document, QList<ColumnFit>& fits, const QPaintDevice* device, qreal width)
{
    const QFontMetricsF metrics(sheetFont(), device);
    constexpr int rounds = 12;
    for (int round = 0; round < rounds; ++round) {
        document.documentLayout()->documentSize(); // lays it out
        bool widened = false;
        for (ColumnFit& fit : fits)
            for (qsizetype c = 0; c < fit.widths.size(); ++c) {
                const qreal lone = loneCharacter(*fit.table, int(c), metrics);
                if (lone <= 0)
                    continue;
                qsizetype donor = -1;
                for (qsizetype d = 0; d < fit.widths.size(); ++d)
                    if (d != c && !fit.fixed[d]
                        && (donor < 0
                            || fit.widths[d] - fit.least[d]
                                > fit.widths[donor] - fit.least[donor]))
                        donor = d;
                if (donor < 0 || fit.widths[donor] - lone < fit.least[donor])
                    continue;
                fit.widths[c] += lone;
                fit.widths[donor] -= lone;
                fit.fixed[c] = true; // it gives nothing back
                fit.apply(width);
                widened = true;
            }
        if (!widened)
            return;
    }
}

} // namespace

std::unique_ptr<QTextDocument> sheetDocument(
    const CalculationSheet& sheet, QPaintDevice* device, SheetMedium medium)
{
    auto document = std::make_unique<QTextDocument>();
    if (device)
        document->documentLayout()->setPaintDevice(device);
    document->setDefaultFont(sheetFont());
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(option);
    document->setHtml(sheetHtml(sheet, medium));
    // The parts' tables are the document's last, one a part, in order.
    QList<QTextTable*> tables;
    for (auto it = document->rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
            tables << table;
    // Laid out as wide as the page's text, where the columns are fitted.
    const qreal width = device && device->width() > 0
        ? device->width()
        : textWidthMm * (device ? device->logicalDpiX() : 96) / 25.4;
    document->setDocumentMargin(0);
    document->setTextWidth(width);
    QList<ColumnFit> fits;
    const qsizetype first = tables.size() - sheet.parts.size();
    for (qsizetype index = 0; index < sheet.parts.size() && first >= 0; ++index) {
        QTextTable& table = *tables[first + index];
        fits << fitColumns(table, sheet.parts[index].table, device, width);
        if (!fits.back().widths.isEmpty())
            fits.back().apply(width);
        if (sheet.parts[index].table.keepTogether) {
            QTextTableFormat format = table.format();
            format.setProperty(keepTogetherProperty, true);
            table.setFormat(format);
        }
    }
    if (medium == SheetMedium::WordProcessor)
        placeSheetPictures(*document, sheet);
    else
        placeSheetDrawings(*document, sheet);
    keepCharactersTogether(*document, fits, device, width);
    document->setMetaInformation(QTextDocument::DocumentTitle, sheet.title);
    return document;
}
