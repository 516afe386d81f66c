#include "sheetdocument.h"

#include "sheetdrawing.h"
#include "sheetfont.h"
#include "sheettext.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextOption>
#include <QTextTable>

std::unique_ptr<QTextDocument> sheetDocument(const CalculationSheet& sheet, QPaintDevice* device)
{
    auto document = std::make_unique<QTextDocument>();
    if (device)
        document->documentLayout()->setPaintDevice(device);
    document->setDefaultFont(sheetFont());
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(option);
    document->setHtml(sheetHtml(sheet, SheetMedium::Paper));
    // The parts' tables are the document's last, one a part, in order.
    QList<QTextTable*> tables;
    for (auto it = document->rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
            tables << table;
    const qsizetype first = tables.size() - sheet.parts.size();
    for (qsizetype index = 0; index < sheet.parts.size() && first >= 0; ++index)
        if (sheet.parts[index].table.keepTogether) {
            QTextTableFormat format = tables[first + index]->format();
            format.setProperty(keepTogetherProperty, true);
            tables[first + index]->setFormat(format);
        }
    placeSheetDrawings(*document, sheet);
    document->setMetaInformation(QTextDocument::DocumentTitle, sheet.title);
    return document;
}
