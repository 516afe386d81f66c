#pragma once

#include "calculationsheet.h"

#include <QString>

// The sheet as HTML (preview, print, PDF and the clipboard's rich text) and as
// tab-separated plain text (the clipboard's text, for a spreadsheet).

// On paper (the preview, print and PDF) a formula or a unit holds together
// with non-breaking spaces and word joiners, and each drawing's place holds
// the mark the document puts the drawing at. On the clipboard the spaces are
// plain and a drawing has no place. A file for a word processor has the
// drawings' places and plain text, which its reader searches and edits, and
// whose lines the word processor breaks as it likes.
enum class SheetMedium { Clipboard, Paper, WordProcessor };
QString sheetHtml(const CalculationSheet& sheet, SheetMedium medium = SheetMedium::Clipboard);
QString sheetPlainText(const CalculationSheet& sheet);

// The pieces a table cell's text never breaks inside on paper, as plain text:
// the whole text of a word or a figure; else the text between the blanks a
// formula may break at and around each Chinese character.
QStringList unbrokenPieces(const SheetCell& cell, bool word);

// A text as one cell of tab-separated text: quoted, its quotes doubled, when
// it holds a tab or a line break or begins with a quote, so that a
// spreadsheet reads it whole.
QString spreadsheetCell(const QString& text);
