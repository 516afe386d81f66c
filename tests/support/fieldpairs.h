#pragma once

// How the calculation tests write sets of field texts: "Text1=200 Text4=12.5".

#include "fieldsheet.h"

#include <QStringList>

// The pairs laid onto `onto` (a text may be empty: "Text2=").
inline FieldTexts fieldPairs(const QString& pairs, FieldTexts onto = {})
{
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts))
        onto.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return onto;
}

// Each field of `expected` whose text differs in `actual`: "Text5=8103, expected 8104".
inline QStringList mismatches(const FieldTexts& actual, const FieldTexts& expected)
{
    QStringList found;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (actual.value(it.key()) != it.value())
            found << it.key() + u'=' + actual.value(it.key()) + QStringLiteral(", expected ")
                    + it.value();
    found.sort();
    return found;
}
