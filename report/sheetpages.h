#pragma once

#include "calculationsheet.h"

#include <QList>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// The sheet on paper: A4 portrait with a wider left margin for binding,
// broken into pages only between table rows and lines of text, the table's
// header row repeated on a page that continues it, and a running header on
// every page: 工程名称 · 构件 · the title, and "第 N 页 共 M 页".

QPageLayout sheetPageLayout();

// Dots per inch of the PDF and of the preview, which lay the text out alike.
constexpr int sheetResolution = 1200;

// One page: the part [top, bottom) of the laid-out document, in its units.
// A page that continues a table first shows that table's header rows,
// [headerTop, headerBottom).
struct SheetPage {
    qreal top = 0;
    qreal bottom = 0;
    qreal headerTop = 0;
    qreal headerBottom = 0;

    qreal headerHeight() const { return headerBottom - headerTop; }
};

// Breaks a laid-out document into pages of `height`. A break never falls
// inside a line or a table row unless a row is taller than a page, and falls
// right after a heading or a header row only when nothing else fits.
QList<SheetPage> paginate(const QTextDocument& document, qreal height);

// Paints the sheet on `device` with its current page layout; the page count,
// or 0 when the device could not be painted on.
int paintSheet(const CalculationSheet& sheet, QPagedPaintDevice& device);

// The sheet as the bytes of a PDF file, rendered in memory; empty when no
// page could be painted.
QByteArray sheetPdf(const CalculationSheet& sheet);

// Writes the sheet as a PDF file at `path` through a temporary file that
// replaces `path` only once every byte is written and committed, so a
// failure leaves any earlier file as it was and no partial one. An empty text
// on success, else why it failed, in Chinese, with the system's own words.
QString exportSheetPdf(const CalculationSheet& sheet, const QString& path);
