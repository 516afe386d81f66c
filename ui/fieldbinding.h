#pragma once

#include "fieldsheet.h"

#include <QString>
#include <QStringDecoder>

class QLocale;
class QWidget;

// Where the windows meet the numeric core, which speaks standard C++ only:
// field texts go across as UTF-8 by control name, the locale as its decimal
// separator.

// The texts of every named line edit under `window`.
FieldTexts readFieldTexts(const QWidget* window);

// Writes back each text that changed.
void writeFieldTexts(QWidget* window, const FieldTexts& texts);

// The decimal separator of `locale`; one that is not a single character (none
// ships today) gives the point.
NumberFormat numberFormatOf(const QLocale& locale);

// The number format of the user's locale, the one every window computes in.
NumberFormat userNumberFormat();

// A core text for the screen, and back. A leading U+FEFF is a character the
// engineer typed or pasted, not a byte-order mark: QString::fromStdString
// would drop it, and the window would rewrite the field it came from.
inline QString toQString(const std::string& utf8)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
        QByteArrayView(utf8.data(), qsizetype(utf8.size())));
}
inline std::string toUtf8(const QString& text)
{
    return text.toStdString();
}
