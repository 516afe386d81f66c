#include "trialtable.h"
#include "coretext.h"

#include "calculatorentry.h"
#include "sheettext.h" // spreadsheetCell

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

// "B (mm)", "λx", "钢材": the engineer's symbol and unit, or the name where
// a field has no symbol.
QString headerOf(const FieldFacts& facts)
{
    const QString name = facts.symbol.empty() ? fromCore(facts.name) : fromCore(facts.symbol);
    return facts.unit.empty() ? name : name + u" ("_s + fromCore(facts.unit) + u')';
}

} // namespace

TrialTable trialTable(const CalculatorEntry& calculator, const QList<DesignTrial>& trials)
{
    TrialTable table;
    table.keys << u"time"_s;
    table.headers << u"时间"_s;
    const QStringList inputs = storedFieldIds(calculator);
    const QStringList results = trialResultIds(calculator);
    // Inputs, then results, each in the calculator's order of fields.
    for (const QStringList* wanted : { &inputs, &results })
        for (const FieldFacts& facts : calculator.fields())
            if (wanted->contains(fromCore(facts.id))) {
                table.keys << fromCore(facts.id);
                table.headers << headerOf(facts);
            }
    if (results.contains(QString::fromLatin1(checksMetKey))) {
        table.keys << QString::fromLatin1(checksMetKey);
        table.headers << u"满足项"_s;
    }

    for (const DesignTrial& trial : trials) {
        QStringList row;
        const QDateTime time = QDateTime::fromString(trial.time, Qt::ISODate);
        row << (time.isValid() ? time.toString(u"yyyy-MM-dd HH:mm:ss"_s) : trial.time);
        for (qsizetype column = 1; column < table.keys.size(); ++column) {
            const QString& key = table.keys[column];
            row << (trial.inputs.contains(key) ? trial.inputs.value(key)
                                               : trial.results.value(key));
        }
        table.rows << row;
    }
    for (qsizetype column = 0; column < table.keys.size(); ++column) {
        bool differs = false;
        for (const QStringList& row : table.rows)
            differs = differs || row[column] != table.rows.front()[column];
        table.differs << (column > 0 && differs); // the time always differs
    }
    return table;
}

QString TrialTable::tabSeparated() const
{
    QStringList lines;
    QStringList cells;
    for (const QString& header : headers)
        cells << spreadsheetCell(header);
    lines << cells.join(u'\t');
    for (const QStringList& row : rows) {
        cells.clear();
        for (const QString& text : row)
            cells << spreadsheetCell(text);
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}
