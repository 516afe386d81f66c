#pragma once

#include "calculationsheet.h"

#include <QRectF>
#include <QSizeF>

class QPainter;
class QPaintDevice;
class QTextDocument;

// A part's drawing, painted with lines and text only, so that a PDF holds it
// as vectors: its calculator's figure, to scale when its sizes allow, else
// schematic with a note saying why.

// Its size on `device` (the screen if none): 150 × 62 mm.
QSizeF sheetDrawingSize(const QPaintDevice* device);

// Paints `drawing` into `box`. Returns whether it was drawn to scale.
bool paintSheetDrawing(QPainter& painter, const QRectF& box, const SheetDrawing& drawing);

// Puts each part's drawing into `document` where sheetHtml left its mark, as
// an object the document lays out and paints itself.
void placeSheetDrawings(QTextDocument& document, const CalculationSheet& sheet);

// Puts each part's drawing into `document` where sheetHtml left its mark, as
// a picture of 300 dots per inch held in the document: for a file that
// another program opens.
void placeSheetPictures(QTextDocument& document, const CalculationSheet& sheet);
