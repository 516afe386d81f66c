#pragma once

#include "calculationsheet.h"

#include <QFont>
#include <QString>
#include <QTextFormat>

#include <memory>

class QPaintDevice;
class QTextDocument;

// The sheet as HTML (preview, print, PDF and the clipboard's rich text) and as
// tab-separated plain text (the clipboard's text, for a spreadsheet).

// A serif Latin face, then a Ming face for the Chinese. Not Noto CJK first:
// Qt's PDF writer gives glyphs a CJK ideograph shares with a radical the
// radical's code (满⾜, ⼯字型) and drops digits the face substitutes in Latin
// text, so its PDF could not be searched; DejaVu and AR PL are plain TrueType.
QFont sheetFont();

// On paper (the preview, print and PDF) a formula or a unit holds together
// with non-breaking spaces and word joiners, and each drawing's place holds
// the mark sheetDocument puts the drawing at. On the clipboard the spaces are
// plain and a drawing has no place.
enum class SheetMedium { Clipboard, Paper };
QString sheetHtml(const CalculationSheet& sheet, SheetMedium medium = SheetMedium::Clipboard);
QString sheetPlainText(const CalculationSheet& sheet);

// A text as one cell of tab-separated text: quoted, its quotes doubled, when
// it holds a tab or a line break or begins with a quote, so that a
// spreadsheet reads it whole.
QString spreadsheetCell(const QString& text);

// The document of the sheet, laid out for `device` (the screen if none);
// a long unbroken text wraps anywhere rather than widen the page. The
// table of a part that keeps together carries keepTogetherProperty.
inline constexpr int keepTogetherProperty = QTextFormat::UserProperty + 2;
std::unique_ptr<QTextDocument> sheetDocument(
    const CalculationSheet& sheet, QPaintDevice* device = nullptr);
