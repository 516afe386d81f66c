#include "sheetodt.h"

#include "checkedwrite.h"
#include "sheetdocument.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

using namespace Qt::StringLiterals;

QByteArray sheetOdt(const CalculationSheet& sheet)
{
    const std::unique_ptr<QTextDocument> document
        = sheetDocument(sheet, nullptr, SheetMedium::WordProcessor);
    // The file names one face, where the sheet lists its own for each
    // script: the word processor takes the face Chinese documents use, and
    // its own Chinese face where it has no 宋体.
    QTextCursor all(document.get());
    all.select(QTextCursor::Document);
    QTextCharFormat face;
    face.setFontFamilies({ u"SimSun"_s });
    // Qt 6.4's writer reads the face from the property that held it before.
    face.setProperty(QTextFormat::OldFontFamily, u"SimSun"_s);
    all.mergeCharFormat(face);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    return writer.write(document.get()) ? bytes : QByteArray();
}

QString exportSheetOdt(const CalculationSheet& sheet, const QString& path)
{
    const QByteArray bytes = sheetOdt(sheet);
    if (bytes.isEmpty())
        return u"无法生成OpenDocument文本。"_s;
    return writeWholeFile(path, bytes);
}
