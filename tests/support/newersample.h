#pragma once

#include "calculators.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

// The sample a newer version wrote holds every calculator of this build,
// unless the build has one added since: that one the file lacks, as any
// older file does, and it is filled in.
inline QStringList calculatorsTheSampleLacks(const QByteArray& sample)
{
    const QJsonObject held
        = QJsonDocument::fromJson(sample).object().value(QStringLiteral("calculators")).toObject();
    QStringList lacked;
    for (const CalculatorEntry& entry : calculators())
        if (const QString id = QString::fromUtf8(entry.id.data(), qsizetype(entry.id.size()));
            !held.contains(id))
            lacked << id;
    return lacked;
}

// A saved design as the sample has it: less the calculators the sample
// lacks. Where it had to fill them in, the design was this program's, and
// its version is not compared.
inline QByteArray asTheSampleHasIt(const QByteArray& saved, const QByteArray& sample)
{
    const QStringList lacked = calculatorsTheSampleLacks(sample);
    if (lacked.isEmpty())
        return saved;
    QJsonObject root = QJsonDocument::fromJson(saved).object();
    QJsonObject held = root.value(QStringLiteral("calculators")).toObject();
    for (const QString& id : lacked)
        held.remove(id);
    root[QStringLiteral("calculators")] = held;
    root.remove(QStringLiteral("programVersion"));
    return QJsonDocument(root).toJson();
}
