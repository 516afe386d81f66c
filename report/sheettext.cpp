#include "sheettext.h"

#include "sheetfont.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// "W_{n2}" and "f_{t}^{w}" as HTML (W<sub>n2</sub>, f<sub>t</sub><sup>w</sup>) or
// as plain text (Wn2, ft^w).
QString fromMarkup(const QString& text, bool html)
{
    QString out;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype sub = text.indexOf(u"_{"_s, at);
        const qsizetype sup = text.indexOf(u"^{"_s, at);
        const qsizetype open = sub < 0 ? sup : sup < 0 ? sub : std::min(sub, sup);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'}', open + 2);
        if (close < 0) {
            out += html ? text.mid(at).toHtmlEscaped() : text.mid(at);
            break;
        }
        const bool raised = text[open] == u'^';
        const QString before = text.mid(at, open - at);
        const QString inner = text.mid(open + 2, close - open - 2);
        if (html)
            out += before.toHtmlEscaped() + (raised ? u"<sup>"_s : u"<sub>"_s)
                + inner.toHtmlEscaped() + (raised ? u"</sup>"_s : u"</sub>"_s);
        else
            out += before + (raised ? u"^"_s : QString()) + inner;
        at = close + 1;
    }
    return out;
}

// A line may break before and after a Chinese character or punctuation mark.
bool breaksAround(QChar c)
{
    return c.script() == QChar::Script_Han || (c >= u'\u3000' && c <= u'\u303F')
        || (c >= u'\uFF00' && c <= u'\uFFEF');
}

// A formula or a unit breaks only where a reader expects it: before a + or −
// (or =) that is not deep inside brackets; never between an operator and its
// operand ("÷ | 12"), nor inside a unit ("kg/ | m³"), nor before a text's
// last Chinese character.
QString keptTogether(const QString& text)
{
    QString out;
    out.reserve(text.size() + 4);
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'(' || c == u'[')
            ++depth;
        else if (c == u')' || c == u']')
            depth = std::max(0, depth - 1);
        if (c == u' ') {
            const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
            const bool breakable = depth <= 1 && (next == u'+' || next == u'−' || next == u'=');
            out += breakable ? u' ' : u'\u00A0';
            continue;
        }
        out += c;
        // The word joiner holds "kg/m³" and "N/mm²" together, and a number or
        // a clause: "0.5", "4.4.1", "(C.0.5)".
        const bool inside = i > 0 && i + 1 < text.size() && text[i - 1].unicode() < 0x80;
        if (inside && c == u'/' && text[i - 1].isLetter() && text[i + 1].isLetter())
            out += u'\u2060';
        if (inside && (c == u'.' || c == u',') && text[i - 1].isLetterOrNumber()
            && text[i + 1].isDigit())
            out += u'\u2060';
    }
    // Nor does its last Chinese character stand alone on a line ("弯/矩").
    if (out.size() >= 2 && breaksAround(out.back()) && breaksAround(out[out.size() - 2]))
        out.insert(out.size() - 1, u'\u2060');
    return out;
}

// The longest text of a figure that never wraps.
constexpr qsizetype longestFigure = 24; // "-1.23456789012345E+300" and a blank or two

QString cellHtml(const SheetCell& cell, SheetMedium medium)
{
    QString text = cell.verbatim       ? cell.text.toHtmlEscaped()
        : medium == SheetMedium::Paper ? fromMarkup(keptTogether(cell.text), true)
                                       : fromMarkup(cell.text, true);
    if (cell.alert)
        text = u"<span style=\"color:#ff0000\">"_s + text + u"</span>"_s;
    return text;
}

// A field text keeps its blanks and, being a figure, stays on one line; only a
// text far longer than any figure may wrap, so that it cannot widen the page.
// A word of the program's own never wraps.
QString cellStyle(const SheetCell& cell, bool word)
{
    if (!cell.verbatim)
        return word ? u" style=\"white-space:nowrap\""_s : QString();
    return cell.text.size() <= longestFigure ? u" style=\"white-space:pre\""_s
                                             : u" style=\"white-space:pre-wrap\""_s;
}

QString cellText(const SheetCell& cell)
{
    return cell.verbatim ? cell.text : fromMarkup(cell.text, false);
}

// The title block's rows: two items a row, each a caption and its text; an
// empty text is a blank to sign on.
struct TitleItem {
    QString caption;
    QString text;
};

QList<std::pair<TitleItem, TitleItem>> titleRows(const TitleBlock& block)
{
    return {
        { { u"工程名称"_s, block.projectName }, { u"工程编号"_s, block.projectNumber } },
        { { u"构件名称/编号"_s, block.member }, { u"设计单位"_s, block.designOrganisation } },
        { { u"计算"_s, block.calculatedBy }, { u"日期"_s, block.calculatedOn } },
        { { u"校对"_s, block.checkedBy }, { u"日期"_s, block.checkedOn } },
        { { u"审核"_s, block.approvedBy }, { u"日期"_s, block.approvedOn } },
    };
}

// A blank to sign on, in plain text.
const QString signLine = u"________________"_s;

QString titleBlockHtml(const TitleBlock& block)
{
    QString html = u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"5\" width=\"100%\" "
                   u"style=\"border-collapse:collapse; border-style:solid; "
                   u"border-color:#000000; margin-bottom:6px\">\n"_s;
    for (const auto& [left, right] : titleRows(block)) {
        html += u"<tr>"_s;
        for (const TitleItem& item : { left, right })
            html += u"<td width=\"16%\" bgcolor=\"#e8e8e8\">"_s + item.caption.toHtmlEscaped()
                + u"</td><td width=\"34%\">"_s
                + (item.text.isEmpty() ? u"&nbsp;"_s : item.text.toHtmlEscaped()) + u"</td>"_s;
        html += u"</tr>\n"_s;
    }
    return html + u"</table>\n"_s;
}

QStringList metaItems(const CalculationSheet& sheet)
{
    return { u"计算程序："_s + sheet.program, u"计算时间："_s + sheet.calculatedAt };
}

} // namespace

QString spreadsheetCell(const QString& text)
{
    if (!text.contains(u'\t') && !text.contains(u'\n') && !text.contains(u'\r')
        && !text.startsWith(u'"'))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

QStringList unbrokenPieces(const SheetCell& cell, bool word)
{
    if (cell.verbatim) // a long text wraps anywhere
        return cell.text.size() <= longestFigure ? QStringList { cell.text } : QStringList();
    const QString text = fromMarkup(keptTogether(cell.text), false);
    if (word)
        return { text };
    QStringList pieces;
    QString piece;
    bool joined = false; // by a word joiner to what comes before
    bool afterChinese = false;
    for (const QChar c : text) {
        if (c == u'\u2060') {
            joined = true;
            continue;
        }
        if (!joined && (c == u' ' || breaksAround(c) || afterChinese) && !piece.isEmpty()) {
            pieces << piece;
            piece.clear();
        }
        if (c != u' ')
            piece += c;
        joined = false;
        afterChinese = breaksAround(c);
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

QString sheetHtml(const CalculationSheet& sheet, SheetMedium medium)
{
    QString html = u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>"_s
        + sheet.title.toHtmlEscaped() + u"</title></head>\n"_s;
    html += u"<body style=\"font-family:"_s;
    const QStringList& families = sheetFamilies();
    for (qsizetype i = 0; i < families.size(); ++i)
        html += (i ? u", '"_s : u"'"_s) + families[i] + u'\'';
    html += u"; font-size:10.5pt; color:#000000\">\n"_s;
    html += u"<h1 align=\"center\" style=\"font-size:16pt; margin-bottom:4px\">"_s
        + sheet.title.toHtmlEscaped() + u"</h1>\n"_s;
    html += u"<p align=\"center\" style=\"margin-bottom:6px\">"_s
        + metaItems(sheet).join(u'\n').toHtmlEscaped().replace(
            u"\n"_s, u"&nbsp;&nbsp;&nbsp;&nbsp;"_s)
        + u"</p>\n"_s;
    html += titleBlockHtml(sheet.titleBlock);
    if (!sheet.basis.isEmpty())
        html += u"<p style=\"margin-top:4px\">"_s + sheet.basis.toHtmlEscaped() + u"</p>\n"_s;
    for (qsizetype index = 0; index < sheet.parts.size(); ++index) {
        const SheetPart& part = sheet.parts[index];
        html += u"<h2 style=\"font-size:12pt; margin-top:14px; margin-bottom:6px\">"_s
            + part.heading.toHtmlEscaped() + u"</h2>\n"_s;
        const SheetTable& table = part.table;
        html += u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\" "
                u"style=\"border-collapse:collapse; border-style:solid; border-color:#000000\">\n"
                u"<thead><tr>"_s;
        for (qsizetype c = 0; c < table.header.size(); ++c)
            html += u"<th width=\"%1%\" bgcolor=\"#e8e8e8\" style=\"white-space:nowrap\">"_s.arg(
                        table.widths.value(c))
                + cellHtml(plainCell(table.header[c]), medium) + u"</th>"_s;
        html += u"</tr></thead>\n"_s;
        for (const SheetRow& row : table.rows) {
            html += u"<tr>"_s;
            if (row.isHeading()) // across the table, so that it never wraps
                html += u"<td colspan=\"%1\">"_s.arg(row.cells.size())
                    + cellHtml(row.cells.front(), medium) + u"</td>"_s;
            else
                for (qsizetype c = 0; c < row.cells.size(); ++c)
                    html += u"<td%1>"_s.arg(cellStyle(row.cells[c], table.words.value(c)))
                        + cellHtml(row.cells[c], medium) + u"</td>"_s;
            html += u"</tr>\n"_s;
        }
        html += u"</table>\n"_s;
        if (part.drawing && medium != SheetMedium::Clipboard)
            html += u"<p align=\"center\" style=\"margin-top:8px\">"_s + sheetDrawingMark(index)
                + u"</p>\n"_s;
        for (const SheetCell& note : part.notes)
            html += u"<p style=\"margin-top:6px\">"_s + cellHtml(note, medium) + u"</p>\n"_s;
    }
    html += u"</body></html>\n"_s;
    return html;
}

QString sheetPlainText(const CalculationSheet& sheet)
{
    QStringList lines { sheet.title, metaItems(sheet).join(u'\t') };
    for (const auto& [left, right] : titleRows(sheet.titleBlock)) {
        QStringList cells;
        for (const TitleItem& item : { left, right })
            cells << item.caption << spreadsheetCell(item.text.isEmpty() ? signLine : item.text);
        lines << cells.join(u'\t');
    }
    if (!sheet.basis.isEmpty())
        lines << sheet.basis;
    for (const SheetPart& part : sheet.parts) {
        lines << QString() << part.heading;
        QStringList header;
        for (const QString& caption : part.table.header)
            header << spreadsheetCell(fromMarkup(caption, false));
        lines << header.join(u'\t');
        for (const SheetRow& row : part.table.rows) {
            QStringList cells;
            for (const SheetCell& cell : row.cells)
                cells << spreadsheetCell(cellText(cell));
            lines << cells.join(u'\t');
        }
        for (const SheetCell& note : part.notes)
            lines << cellText(note);
    }
    return lines.join(u'\n') + u'\n';
}
