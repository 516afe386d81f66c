#pragma once

#include "calculationsheet.h"

#include <QByteArray>
#include <QString>

// The sheet as an OpenDocument text (.odt), which Word, WPS and LibreOffice
// open and edit: the title block, every table and note, the drawings as
// pictures. The word processor lays out its own pages.

// The bytes of the file, written in memory; empty when Qt could not write it.
QByteArray sheetOdt(const CalculationSheet& sheet);

// Writes it at `path` as exportSheetPdf writes the PDF: whole or not at all,
// an earlier file kept on a failure. An empty text on success, else why not.
QString exportSheetOdt(const CalculationSheet& sheet, const QString& path);
