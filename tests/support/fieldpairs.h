#pragma once

// How the calculation tests write sets of field texts: "Text1=200 Text4=12.5".

#include "fieldsheet.h"

#include <QString>
#include <QStringList>

// The pairs laid onto `onto` (a text may be empty: "Text2=").
inline FieldTexts fieldPairs(const QString& pairs, FieldTexts onto = {})
{
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts))
        onto.insert_or_assign(
            pair.section(u'=', 0, 0).toStdString(), pair.section(u'=', 1).toStdString());
    return onto;
}

// The text of `field`, for comparing with QCOMPARE; empty when absent.
inline QString textOf(const FieldTexts& texts, const QString& field)
{
    const auto found = texts.find(field.toStdString());
    return found == texts.end() ? QString() : QString::fromStdString(found->second);
}

// Each field of `expected` whose text differs in `actual`: "Text5=8103, expected 8104".
inline QStringList mismatches(const FieldTexts& actual, const FieldTexts& expected)
{
    QStringList found;
    for (const auto& [field, text] : expected) {
        const QString name = QString::fromStdString(field);
        if (textOf(actual, name) != QString::fromStdString(text))
            found << name + u'=' + textOf(actual, name) + QStringLiteral(", expected ")
                    + QString::fromStdString(text);
    }
    found.sort();
    return found;
}
