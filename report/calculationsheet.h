#pragma once

#include "coretext.h"
#include "fieldfacts.h"
#include "titleblock.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <span>

// The calculation sheet (计算书) of one calculation: what it says, row by row,
// independent of how it is shown, printed or copied.
//
// Cell texts may carry subscripts written as "W_{n2}"; everything else in
// them is literal. sheettext.h turns them into HTML or plain text.

// The texts of a calculator's fields by control name ("Text1", "Combo1") as
// they stood after its last complete calculation, and when that was.
struct SheetSnapshot {
    QHash<QString, QString> texts;
    QDateTime calculatedAt;
    QChar decimalSeparator = u'.';
    TitleBlock titleBlock;
};

struct SheetCell {
    QString text;
    bool alert = false; // drawn in red
    bool verbatim = false; // a field text: every blank kept, no markup
};

struct SheetRow {
    QString field; // the control the row shows, if any
    QList<SheetCell> cells;

    // A heading within the table: a first cell and nothing else in the row.
    bool isHeading() const;
};

struct SheetTable {
    QStringList header; // each caption one word: it never wraps
    QList<int> widths; // per cent of the text width, one per column
    // Per column: its texts are single words (a verdict, a clause, a check's
    // name) that never wrap; the column widens to the longest, the others
    // give way. A column not listed wraps.
    QList<bool> words;
    QList<SheetRow> rows;
    // Read as one: the pages break before the part rather than inside it,
    // unless it is taller than a page.
    bool keepTogether = false;
};

// One size of a drawing as read: its label ("B = 400") and its value in mm,
// NaN when the text is no number.
struct SheetDimension {
    QString label;
    double mm = 0;
};

class SheetFigure;

// A drawing of what was calculated, to scale where its sizes allow: a figure
// its calculator paints (sheetfigure.h).
struct SheetDrawing {
    std::shared_ptr<const SheetFigure> figure;

    // Why the figure cannot be drawn to scale (a size zero, negative, no
    // number, or 200 times another), or empty when it can.
    QString schematicReason() const;
    // The sizes written on it: "B = 400".
    QStringList labels() const;
};

// The mark sheetHtml leaves for the drawing of part `index`, where the
// document puts the drawing.
inline QString sheetDrawingMark(qsizetype index)
{
    return QStringLiteral("[[drawing %1]]").arg(index);
}

// A numbered part: its heading, its table, a drawing under it if any, and the
// lines under those.
struct SheetPart {
    QString heading;
    SheetTable table;
    std::optional<SheetDrawing> drawing;
    QList<SheetCell> notes;
};

struct CalculationSheet {
    QString title;
    QString program; // name and version
    QString calculatedAt; // as shown, to the second
    QString basis; // 设计依据, one line
    TitleBlock titleBlock;
    QChar decimalSeparator = u'.';
    QList<SheetPart> parts;

    // The row showing `field`, or nullptr.
    const SheetRow* rowOf(const QString& field) const;
};

// Each calculator writes its own sheet from a snapshot of its window.
using SheetBuilder = CalculationSheet (*)(const SheetSnapshot& snapshot);

// What every sheet shares, for the calculators' sheets to build on. Items,
// symbols and units come from the calculator's table of fields.

// The title, the program, the time of the calculation and its title block.
CalculationSheet sheetHeader(const QString& title, const SheetSnapshot& snapshot);

// 一、计算条件: each input as the program read it (textAsRead), each piece
// of information as it stands.
SheetPart inputPart(const SheetSnapshot& snapshot, FieldTable fields);

// A formula of a result, in the notation of the sheet; subscripts as "W_{n2}",
// constants with a decimal point, which the sheet writes with the locale's.
struct SheetFormula {
    FieldName field;
    QString formula;
};

// 二、计算过程及结果: each result with its formula.
SheetPart resultPart(
    const SheetSnapshot& snapshot, FieldTable fields, std::span<const SheetFormula> formulas);

// Every table cell of a field's text is the text itself.
SheetCell fieldCell(const SheetSnapshot& snapshot, FieldName field);
SheetCell plainCell(const QString& text);

// A text's decimal constants ("1.05", "0.5") with the locale's separator.
QString withSeparator(const QString& text, QChar separator);

// The text of an input as the program read it (see textAsRead in
// numtext/readtext.h); a text that is no number as it stands.
QString inputAsRead(const SheetSnapshot& snapshot, FieldName field);

// A size of a drawing from the field's text: "B = 400", 400 mm.
SheetDimension drawingDimension(
    const SheetSnapshot& snapshot, FieldName field, const QString& symbol, double toMm = 1);
