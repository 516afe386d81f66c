#pragma once

#include "fieldfacts.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

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
};

struct SheetCell {
    QString text;
    bool alert = false; // drawn in red
    bool verbatim = false; // a field text: every blank kept, no markup
};

struct SheetRow {
    QString field; // the control the row shows, if any
    QList<SheetCell> cells;
};

struct SheetTable {
    QStringList header;
    QList<int> widths; // per cent of the text width, one per column
    QList<SheetRow> rows;
};

// A numbered part: its heading, its table and the lines under the table.
struct SheetPart {
    QString heading;
    SheetTable table;
    QList<SheetCell> notes;
};

struct CalculationSheet {
    QString title;
    QString program; // name and version
    QString calculatedAt; // as shown, to the second
    QList<SheetPart> parts;

    // The row showing `field`, or nullptr.
    const SheetRow* rowOf(const QString& field) const;
};

// Each calculator writes its own sheet from a snapshot of its window.
using SheetBuilder = CalculationSheet (*)(const SheetSnapshot& snapshot);

// What every sheet shares, for the calculators' sheets to build on. Items,
// symbols and units come from the calculator's table of fields.

// The title, the program and the time of the calculation.
CalculationSheet sheetHeader(const QString& title, const SheetSnapshot& snapshot);

// 一、计算条件: each input and each piece of information as read.
SheetPart inputPart(const SheetSnapshot& snapshot, FieldTable fields);

// A formula of a result, in the notation of the sheet; subscripts as "W_{n2}".
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

// A text of the core (UTF-8) for the sheet.
inline QString sheetString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
