#pragma once

#include "fieldsheet.h"

#include <QHash>
#include <QString>
#include <QStringDecoder>

#include <string>
#include <string_view>

// Where Qt meets the numeric core, which speaks standard C++ only: its texts
// are UTF-8, a window's texts go across by control name. Every layer above
// the core converts here and nowhere else.

// A core text for Qt. A leading U+FEFF is a character the engineer typed or
// pasted, not a byte-order mark: QString::fromUtf8 would drop it, and the
// window would rewrite the field it came from.
inline QString fromCore(std::string_view utf8)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
        QByteArrayView(utf8.data(), qsizetype(utf8.size())));
}

inline std::string toCore(const QString& text)
{
    return text.toStdString();
}

// A window's texts by control name, for the core and back.
inline FieldTexts coreTexts(const QHash<QString, QString>& texts)
{
    FieldTexts fields;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        fields.insert_or_assign(toCore(it.key()), toCore(it.value()));
    return fields;
}

inline QHash<QString, QString> qtTexts(const FieldTexts& fields)
{
    QHash<QString, QString> texts;
    for (const auto& [control, text] : fields)
        texts.insert(fromCore(control), fromCore(text));
    return texts;
}
