#pragma once

#include "calculationsheet.h"
#include "sheettext.h"

#include <QTextFormat>

#include <memory>

class QPaintDevice;
class QTextDocument;

// The sheet laid out as one document, the drawings in their places: what the
// preview, the printer and the PDF paint, page by page.

// The table of a part that keeps together carries this property.
inline constexpr int keepTogetherProperty = QTextFormat::UserProperty + 2;

// The document of the sheet, laid out for `device` (the screen if none);
// a long unbroken text wraps anywhere rather than widen the page. On paper
// it paints the drawings itself with lines and text; for a word processor
// it holds them as pictures, which a file written from it carries along.
std::unique_ptr<QTextDocument> sheetDocument(const CalculationSheet& sheet,
    QPaintDevice* device = nullptr, SheetMedium medium = SheetMedium::Paper);
