#pragma once

#include "calculatorentry.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <utility>

// A saved design (suffix .stelvana): for each calculator of the registry, the
// inputs exactly as typed, the sheet's title block and the trials, in JSON.
// Every text is a string as the engineer typed it ("0,45", "４００"); no
// figure in the file is ever read as a result.
//
// A newer version may write what this one has no use for: a calculator, an
// input, any key. Each object keeps that part as read, in `newer`, in the
// object's own shape (an input this version lacks under "inputs"), and
// writes it back unchanged; a colleague's file survives an older program.

inline constexpr int designFormatVersion = 1;
inline constexpr qsizetype maxDesignText = 10000; // characters in any one text
inline constexpr qsizetype maxTrials = 200; // rows per calculator
inline constexpr qint64 maxDesignFileBytes = 64 * 1024 * 1024;

// One complete calculation kept for comparison.
struct DesignTrial {
    QString time; // ISO 8601, local time: "2026-12-08T16:20:05"
    QMap<QString, QString> inputs; // by field id, as typed
    QMap<QString, QString> results; // the key results' texts, by field id
    QJsonObject newer {}; // what a newer version wrote in the trial, as read

    bool operator==(const DesignTrial&) const = default;
};

struct CalculatorDesign {
    QMap<QString, QString> inputs; // by field id ("B", "tw", "steelGrade")
    QMap<QString, QString> titleBlock; // by titleBlockKeys()
    QList<DesignTrial> trials; // oldest first
    QJsonObject newer {}; // its inputs, title-block keys and other keys this version lacks

    bool operator==(const CalculatorDesign&) const = default;
};

struct Design {
    QString programVersion; // of the program that wrote it
    QMap<QString, CalculatorDesign> calculators; // by calculator id
    // The calculators this version has not, under "calculators", and any
    // other key of the file's own.
    QJsonObject newer {};

    bool operator==(const Design&) const = default;
};

// The key beside a calculator under which a version names it for older ones
// that have not got it: its menu caption, "角焊缝连接". Read, never required.
inline constexpr auto captionKey = "caption";

// `design` with every part a newer version wrote in `opened`: the windows
// give the texts this version knows, the file what only a newer one does.
// Where that leaves `design` as opened, it keeps the writer's programVersion
// too: a design saved unchanged is the same file, byte for byte.
void keepNewer(Design& design, const Design& opened);

// The title block's keys in the file, as the sheet lists them.
const QStringList& titleBlockKeys();

// The field ids a calculator's design holds: its inputs and the steel grade
// chosen in its combo box; fixed information and results are never stored.
QStringList storedFieldIds(const CalculatorEntry& calculator);

// The ids of the results a trial keeps for `calculatorId`, and the key under
// which the bracket's count of met checks is kept.
QStringList trialResultIds(const CalculatorEntry& calculator);
inline constexpr auto checksMetKey = "checksMet";

// The design with the design-time texts and an empty title block.
Design designTimeDesign(CalculatorList calculators);

// Reading: either the design, or one sentence in Chinese saying what is wrong
// with the bytes (without the file's name, which the caller adds).
struct DesignReading {
    std::optional<Design> design;
    QString problem;
    // The calculators the file was saved without, filled in with their
    // design-time texts: the design opened is no longer the file's.
    QStringList filledIn;
    // What a newer version wrote that this one keeps without using it: the
    // calculators by caption (or id); each known calculator's inputs by
    // id, after its menu caption; and whether anything else was kept.
    QStringList keptCalculators;
    QList<std::pair<QString, QStringList>> keptInputs;
    bool keptOther = false;
};

// The one sentence that tells the engineer what was kept, or an empty text.
QString keptSentence(const DesignReading& reading);

// Parses and checks every field before anything is returned: the fuzz target.
DesignReading parseDesign(QByteArrayView bytes, CalculatorList calculators);

// The whole file read and parsed; a file that cannot be read says why.
DesignReading readDesignFile(const QString& path, CalculatorList calculators);

QByteArray designBytes(const Design& design);

// Writes through QSaveFile: the earlier file stays whole unless every byte of
// the new one reached the disk. An empty string, or the reason it failed.
QString writeDesignFile(const QString& path, const Design& design);
