#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The calculation sheet (计算书) of one calculation: what it says, row by row,
// independent of how it is shown, printed or copied.
//
// Cell texts may carry subscripts written as "W_{n2}"; everything else in
// them is literal. sheettext.h turns them into HTML or plain text.

enum class SheetKind { Section, Bracket };

// The texts of a calculator's fields by control name ("Text1", "Combo1") as
// they stood after its last complete calculation, and when that was.
struct SheetSnapshot {
    SheetKind kind = SheetKind::Section;
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
    SheetKind kind = SheetKind::Section;
    QString title;
    QString program; // name and version
    QString calculatedAt; // as shown, to the second
    QList<SheetPart> parts;

    // The row showing `field`, or nullptr.
    const SheetRow* rowOf(const QString& field) const;
};

CalculationSheet buildSheet(const SheetSnapshot& snapshot);
