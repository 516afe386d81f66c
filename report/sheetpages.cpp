#include "sheetpages.h"

#include "checkedwrite.h"
#include "sheetdocument.h"
#include "sheetfont.h"
#include "sheettext.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Binding on the left; the running header sits inside the top of the text
// area, ruled off from the sheet.
constexpr QMarginsF marginsMm(25, 15, 15, 15);
constexpr qreal headMm = 9;

// How willingly a page ends at a break: the first kind that fits is taken.
enum class Keep {
    Free,
    // After a heading or a header row, inside a table kept together, between
    // a table and the line under it, before the sheet's last paragraph: only
    // if nothing else fits.
    Together,
    // Between the lines of a paragraph: only a paragraph taller than a page.
    // A QTextLayout draws one line above the part it is asked for, so a split
    // paragraph would put its line on both pages of the PDF.
    Split,
};

// Where a page may end (`end`) and the next begin (`start`). Between table
// rows both pages take the rule between the rows, so each keeps its edge.
struct Break {
    qreal end;
    qreal start;
    int table = -1; // the table the next page continues, if any
    Keep keep = Keep::Free;
};

Keep keptIf(bool keep)
{
    return keep ? Keep::Together : Keep::Free;
}

struct TableHead {
    qreal top;
    qreal bottom;
};

// Where a table may break: its rows' tops from the blocks in their cells (a
// cell spanning rows counts for the row it starts in).
void tableBreaks(const QTextDocument& document, QTextTable* table, int index, bool afterHeading,
    std::vector<Break>& breaks, std::vector<TableHead>& heads)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const int rows = table->rows();
    constexpr qreal none = std::numeric_limits<qreal>::max();
    std::vector<qreal> top(std::size_t(rows), none);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                const QRectF box = layout->blockBoundingRect(it.currentBlock());
                top[std::size_t(r)] = std::min(top[std::size_t(r)], box.top());
            }
        }

    // Qt places a cell's text its padding and the rule above it below the
    // row's top edge. A page ending after row r - 1 keeps the rule under it,
    // and the next page starts with the same rule over row r. A fifth of a
    // pixel more on both sides takes in a rule drawn a little off its place,
    // and shows too little of the verticals beyond it to be seen.
    const QPaintDevice* device = layout->paintDevice();
    const qreal scale = device ? device->logicalDpiY() / 96.0 : 1.0;
    const qreal padding = table->format().cellPadding() * scale;
    const qreal border = table->format().border() * scale;
    const qreal hair = scale / 5;
    const auto ruleTop = [&](int r) { return top[std::size_t(r)] - padding - border - hair; };
    const auto ruleBottom = [&](int r) { return top[std::size_t(r)] - padding + hair; };
    if (top[0] == none) { // no text at all: nothing to keep together
        heads.push_back({ 0, 0 });
        return;
    }

    // A page may start at the table; a page that continues it repeats the
    // header rows, their last rule left to the row that follows them.
    const int headerRows = std::clamp(table->format().headerRowCount(), 0, rows - 1);
    // A table that keeps together breaks only when nothing before it fits.
    const bool together = table->format().boolProperty(keepTogetherProperty);
    breaks.push_back({ ruleTop(0), ruleTop(0), -1, keptIf(afterHeading) });
    heads.push_back({ ruleTop(0), headerRows > 0 ? ruleTop(headerRows) + hair : ruleTop(0) });
    for (int r = 1; r < rows; ++r) {
        if (top[std::size_t(r)] == none)
            continue;
        breaks.push_back({ ruleBottom(r), ruleTop(r), headerRows > 0 ? index : -1,
            keptIf(together || r <= headerRows) });
    }
}

void paintSlice(QPainter& painter, const QTextDocument& document, qreal top, qreal bottom, qreal at,
    qreal width)
{
    painter.save();
    painter.setClipRect(QRectF(0, at, width, bottom - top));
    painter.translate(0, at - top);
    // The layout draws every line that touches its clip, and a PDF keeps the
    // text it draws however it is clipped: a line ending at `top` or starting
    // at `bottom` belongs to the page before or after, and must not be drawn
    // here too, where a search or a copy would find it twice.
    const qreal inside = std::min(qreal(0.5), (bottom - top) / 4);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top + inside, width, bottom - top - 2 * inside);
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

QPageLayout sheetPageLayout()
{
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, marginsMm, QPageLayout::Millimeter);
}

QList<SheetPage> paginate(const QTextDocument& document, qreal height)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const qreal end = layout->documentSize().height();
    std::vector<Break> breaks;
    std::vector<TableHead> heads;

    // A heading stays with what follows it, a table with the line under it
    // (the conclusion under the verdicts), the sheet's last paragraph with
    // the one before it. The empty block Qt keeps after a table is laid out
    // beside it, not under it: it offers no break.
    bool afterHeading = false;
    bool afterTable = false;
    std::size_t lastParagraph = 0;
    qreal reached = 0;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            const QRectF box = layout->frameBoundingRect(frame);
            auto* table = qobject_cast<QTextTable*>(frame);
            if (table)
                tableBreaks(document, table, int(heads.size()), afterHeading, breaks, heads);
            else
                breaks.push_back({ box.top(), box.top(), -1, keptIf(afterHeading) });
            afterHeading = false;
            afterTable = table != nullptr;
            reached = std::max(reached, box.bottom());
            continue;
        }
        const QTextBlock block = it.currentBlock();
        const QRectF box = layout->blockBoundingRect(block);
        if (box.top() < reached)
            continue;
        const qreal top = box.top();
        reached = box.bottom();
        lastParagraph = breaks.size();
        breaks.push_back({ top, top, -1, keptIf(afterHeading || afterTable) });
        if (const QTextLayout* lines = block.layout())
            for (int i = 1; i < lines->lineCount(); ++i) {
                const qreal y = top + lines->lineAt(i).y();
                breaks.push_back({ y, y, -1, Keep::Split });
            }
        afterHeading = block.blockFormat().headingLevel() > 0;
        afterTable = false;
    }
    if (lastParagraph > 0 && breaks[lastParagraph].keep == Keep::Free)
        breaks[lastParagraph].keep = Keep::Together;
    std::sort(
        breaks.begin(), breaks.end(), [](const Break& a, const Break& b) { return a.end < b.end; });

    QList<SheetPage> pages;
    SheetPage page;
    const qreal least = height / 1000; // progress on every page
    while (true) {
        const qreal room = height - page.headerHeight();
        if (end - page.top <= room) {
            page.bottom = std::max(end, page.top);
            pages << page;
            return pages;
        }
        const Break* chosen = nullptr;
        for (Keep allowed : { Keep::Free, Keep::Together, Keep::Split }) {
            for (const Break& b : breaks)
                if (b.end <= page.top + room && b.start > page.top + least && b.keep <= allowed)
                    chosen = &b;
            if (chosen)
                break;
        }
        SheetPage next;
        if (chosen) {
            page.bottom = chosen->end;
            next.top = chosen->start;
            if (chosen->table >= 0) {
                next.headerTop = heads[std::size_t(chosen->table)].top;
                next.headerBottom = heads[std::size_t(chosen->table)].bottom;
            }
        } else {
            // A single row taller than a page: it has to be split.
            page.bottom = page.top + std::max(room, least);
            next.top = page.bottom;
        }
        pages << page;
        page = next;
    }
}

namespace {

// 工程名称 · 构件 · the title, in `room`: a long project name, and then a long
// member, gives way with "…", the title never; the title block has them whole.
QString runningHeader(const CalculationSheet& sheet, const QFontMetricsF& metrics, qreal room)
{
    const TitleBlock& block = sheet.titleBlock;
    const QString blank = u"＿＿＿＿＿＿"_s;
    const QString separator = u" · "_s;
    QString project = block.projectName.isEmpty() ? blank : block.projectName;
    QString member = block.member.isEmpty() ? blank : block.member;
    const auto whole = [&] { return project + separator + member + separator + sheet.title; };
    const auto elide = [&](QString& part) {
        const qreal others = metrics.horizontalAdvance(whole()) - metrics.horizontalAdvance(part);
        part = metrics.elidedText(part, Qt::ElideRight, std::max(room - others, qreal(0)));
        if (part.isEmpty())
            part = u"…"_s;
    };
    if (metrics.horizontalAdvance(whole()) > room)
        elide(project);
    if (metrics.horizontalAdvance(whole()) > room)
        elide(member);
    return whole();
}

} // namespace

int paintSheet(const CalculationSheet& sheet, QPagedPaintDevice& device)
{
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet, &device);
    document->setDocumentMargin(0);
    const qreal width = device.width();
    const qreal head = headMm / 25.4 * device.logicalDpiY();
    const qreal height = device.height() - head;
    if (width <= 0 || height <= 0)
        return 0;
    document->setTextWidth(width);
    const QList<SheetPage> pages = paginate(*document, height);

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    QFont headFont = sheetFont();
    headFont.setPointSizeF(9);
    const auto pageNumber = [&](qsizetype n) {
        return u"第 %1 页 共 %2 页"_s.arg(n + 1).arg(pages.size());
    };
    // The header stops short of the widest page number.
    const QFontMetricsF metrics(headFont, &device);
    const qreal room = width - metrics.horizontalAdvance(pageNumber(pages.size() - 1))
        - 4 / 25.4 * device.logicalDpiX();
    const QString header = runningHeader(sheet, metrics, room);
    for (qsizetype n = 0; n < pages.size(); ++n) {
        if (n > 0 && !device.newPage())
            return 0;
        // 工程名称 · 构件 · 第 N 页 共 M 页 on every page, over a rule.
        painter.setFont(headFont);
        painter.setPen(QPen(Qt::black, device.logicalDpiY() / 300.0));
        const QRectF line(0, 0, width, head * 0.7);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, pageNumber(n));
        painter.drawLine(QPointF(0, head * 0.75), QPointF(width, head * 0.75));
        const SheetPage& page = pages[n];
        if (page.headerHeight() > 0)
            paintSlice(painter, *document, page.headerTop, page.headerBottom, head, width);
        paintSlice(painter, *document, page.top, page.bottom, head + page.headerHeight(), width);
    }
    return painter.end() ? int(pages.size()) : 0;
}

QByteArray sheetPdf(const CalculationSheet& sheet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(sheetResolution);
        writer.setPageLayout(sheetPageLayout());
        writer.setTitle(sheet.title);
        writer.setCreator(sheet.program);
        pages = paintSheet(sheet, writer);
    } // the writer finishes the file as it goes
    return pages > 0 ? bytes : QByteArray();
}

QString exportSheetPdf(const CalculationSheet& sheet, const QString& path)
{
    const QByteArray bytes = sheetPdf(sheet);
    if (bytes.isEmpty())
        return u"无法生成PDF的页面。"_s;
    return writeWholeFile(path, bytes);
}
