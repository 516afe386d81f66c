#include "designfile.h"

#include "checkedwrite.h"

#include "calculatorentry.h"
#include "coretext.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

#ifndef STELVANA_VERSION
#define STELVANA_VERSION "1.0"
#endif

using namespace Qt::StringLiterals;

namespace {

const QString formatName = u"stelvana-design"_s;

// What is wrong with a file, thrown from wherever it was found.
struct Problem {
    QString sentence;
};

[[noreturn]] void refuse(const QString& sentence)
{
    throw Problem { sentence };
}

// Reads one JSON object, field by field, naming each by its path in the file
// ("calculators.bracket.inputs.bf1") when it is missing or wrong.
class ObjectReader {
public:
    ObjectReader(const QJsonObject& object, QString path)
        : m_object(object)
        , m_path(std::move(path))
    {
    }

    bool has(const QString& key) const { return m_object.contains(key); }

    QJsonValue value(const QString& key) const
    {
        const auto found = m_object.constFind(key);
        if (found == m_object.constEnd())
            refuse(u"缺少字段“%1”"_s.arg(pathOf(key)));
        return *found;
    }

    QString text(const QString& key) const
    {
        const QJsonValue found = value(key);
        if (!found.isString())
            refuse(u"字段“%1”应为文本"_s.arg(pathOf(key)));
        QString text = found.toString();
        if (text.size() > maxDesignText)
            refuse(u"字段“%1”的文本超过 %2 个字符"_s.arg(pathOf(key)).arg(maxDesignText));
        return text;
    }

    ObjectReader object(const QString& key) const
    {
        const QJsonValue found = value(key);
        if (!found.isObject())
            refuse(u"字段“%1”应为一组字段"_s.arg(pathOf(key)));
        return ObjectReader(found.toObject(), pathOf(key));
    }

    QJsonArray array(const QString& key) const
    {
        const QJsonValue found = value(key);
        if (!found.isArray())
            refuse(u"字段“%1”应为列表"_s.arg(pathOf(key)));
        return found.toArray();
    }

    // Every key of the object is one of `known`: a hand-edited misspelling
    // would otherwise be dropped without a word.
    void onlyKeys(const QStringList& known) const
    {
        for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it)
            if (!known.contains(it.key()))
                refuse(u"字段“%1”不是设计文件的内容"_s.arg(pathOf(it.key())));
    }

    // The texts of the keys `keys` and no other. A key the file lacks came
    // after it was saved: its text is the one in `absent`, or empty.
    QMap<QString, QString> texts(
        const QStringList& keys, const QMap<QString, QString>& absent) const
    {
        onlyKeys(keys);
        QMap<QString, QString> texts;
        for (const QString& key : keys)
            texts.insert(key, has(key) ? text(key) : absent.value(key));
        return texts;
    }

    QString pathOf(const QString& key) const
    {
        return m_path.isEmpty() ? key : m_path + u'.' + key;
    }

private:
    QJsonObject m_object;
    QString m_path;
};

// A closed choice holds one of its values: another could not be shown in
// its list, nor judged.
void checkChoices(const ObjectReader& inputs, const CalculatorEntry& calculator,
    const QMap<QString, QString>& texts)
{
    for (const FieldFacts& facts : calculator.fields()) {
        const QString id = fromCore(facts.id);
        if (const auto problem = choiceProblem(facts, facts.name, toCore(texts.value(id))))
            refuse(u"字段“%1”：%2"_s.arg(inputs.pathOf(id), fromCore(*problem)));
    }
}

DesignTrial readTrial(const ObjectReader& reader, const CalculatorEntry& calculator,
    const QMap<QString, QString>& designTimeInputs)
{
    reader.onlyKeys({ u"time"_s, u"inputs"_s, u"results"_s });
    DesignTrial trial;
    trial.time = reader.text(u"time"_s);
    if (!QDateTime::fromString(trial.time, Qt::ISODate).isValid())
        refuse(u"字段“%1”不是日期和时间"_s.arg(reader.pathOf(u"time"_s)));
    const ObjectReader inputs = reader.object(u"inputs"_s);
    trial.inputs = inputs.texts(storedFieldIds(calculator), designTimeInputs);
    checkChoices(inputs, calculator, trial.inputs);
    // A result kept only since the trial was saved was never calculated for it.
    trial.results = reader.object(u"results"_s).texts(trialResultIds(calculator), {});
    return trial;
}

CalculatorDesign readCalculator(const ObjectReader& reader, const CalculatorEntry& calculator,
    const CalculatorDesign& designTime)
{
    reader.onlyKeys({ u"inputs"_s, u"titleBlock"_s, u"trials"_s });
    CalculatorDesign design;
    const ObjectReader inputs = reader.object(u"inputs"_s);
    design.inputs = inputs.texts(storedFieldIds(calculator), designTime.inputs);
    checkChoices(inputs, calculator, design.inputs);
    design.titleBlock = reader.object(u"titleBlock"_s).texts(titleBlockKeys(), {});
    const QJsonArray trials = reader.array(u"trials"_s);
    const QString trialsPath = reader.pathOf(u"trials"_s);
    if (trials.size() > maxTrials)
        refuse(u"“%1”有 %2 条记录，多于 %3 条"_s.arg(trialsPath).arg(trials.size()).arg(maxTrials));
    for (qsizetype index = 0; index < trials.size(); ++index) {
        const QString path = u"%1[%2]"_s.arg(trialsPath).arg(index);
        if (!trials[index].isObject())
            refuse(u"字段“%1”应为一组字段"_s.arg(path));
        design.trials.append(
            readTrial(ObjectReader(trials[index].toObject(), path), calculator, designTime.inputs));
    }
    return design;
}

Design readDesign(const QJsonObject& root, CalculatorList calculators, QStringList& filledIn)
{
    const ObjectReader reader(root, {});
    // The name first: a JSON file of some other program is not "broken".
    if (root.value(u"format"_s) != QJsonValue(formatName))
        refuse(u"这不是 Stelvana 设计文件"_s);
    const QJsonValue version = reader.value(u"formatVersion"_s);
    const double number = version.toDouble(-1);
    if (!version.isDouble() || number < 1 || number != std::floor(number))
        refuse(u"格式版本“formatVersion”应为正整数"_s);
    if (number > designFormatVersion)
        refuse(
            u"文件的格式版本 %1 比本程序能读的版本 %2 新，请用新版程序打开"_s.arg(number, 0, 'f', 0)
                .arg(designFormatVersion));
    reader.onlyKeys({ u"format"_s, u"formatVersion"_s, u"programVersion"_s, u"calculators"_s });

    Design design;
    design.programVersion = reader.text(u"programVersion"_s);
    const ObjectReader calculatorsReader = reader.object(u"calculators"_s);
    QStringList ids;
    for (const CalculatorEntry& entry : calculators)
        ids.append(fromCore(entry.id));
    calculatorsReader.onlyKeys(ids);
    // A file saved before a calculator or an input existed opens with the
    // design-time texts in their place, as a new design would have them.
    const Design designTime = designTimeDesign(calculators);
    for (const CalculatorEntry& entry : calculators) {
        const QString id = fromCore(entry.id);
        const CalculatorDesign fresh = designTime.calculators.value(id);
        if (!calculatorsReader.has(id))
            filledIn.append(id);
        design.calculators.insert(id,
            calculatorsReader.has(id) ? readCalculator(calculatorsReader.object(id), entry, fresh)
                                      : fresh);
    }
    return design;
}

DesignReading refused(const QString& problem)
{
    DesignReading reading;
    reading.problem = problem;
    return reading;
}

QJsonObject textsObject(const QMap<QString, QString>& texts)
{
    QJsonObject object;
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

} // namespace

const QStringList& titleBlockKeys()
{
    static const QStringList keys { u"projectName"_s, u"projectNumber"_s, u"member"_s,
        u"designOrganisation"_s, u"calculatedBy"_s, u"calculatedOn"_s, u"checkedBy"_s,
        u"checkedOn"_s, u"approvedBy"_s, u"approvedOn"_s };
    return keys;
}

QStringList storedFieldIds(const CalculatorEntry& calculator)
{
    QStringList ids;
    for (const FieldFacts& facts : calculator.fields())
        if (facts.isStored())
            ids.append(fromCore(facts.id));
    return ids;
}

QStringList trialResultIds(const CalculatorEntry& calculator)
{
    QStringList ids;
    for (const std::string_view id : calculator.trialResults)
        ids.append(fromCore(id));
    if (calculator.checks)
        ids.append(QString::fromLatin1(checksMetKey));
    return ids;
}

Design designTimeDesign(CalculatorList calculators)
{
    Design design;
    design.programVersion = QString::fromLatin1(STELVANA_VERSION);
    for (const CalculatorEntry& entry : calculators) {
        CalculatorDesign calculator;
        const QStringList stored = storedFieldIds(entry);
        for (const FieldFacts& facts : entry.fields())
            if (stored.contains(fromCore(facts.id)))
                calculator.inputs.insert(fromCore(facts.id), fromCore(facts.designText));
        for (const QString& key : titleBlockKeys())
            calculator.titleBlock.insert(key, QString());
        design.calculators.insert(fromCore(entry.id), calculator);
    }
    return design;
}

DesignReading parseDesign(QByteArrayView bytes, CalculatorList calculators)
{
    if (bytes.trimmed().isEmpty())
        return refused(u"文件是空的"_s);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        return refused(u"文件不完整或已损坏，第 %1 个字节处读不下去"_s.arg(error.offset + 1));
    if (!document.isObject())
        return refused(u"这不是 Stelvana 设计文件"_s);
    try {
        QStringList filledIn;
        Design design = readDesign(document.object(), calculators, filledIn);
        return { std::move(design), {}, filledIn };
    } catch (const Problem& problem) {
        return refused(problem.sentence);
    }
}

DesignReading readDesignFile(const QString& path, CalculatorList calculators)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return refused(u"文件不存在"_s);
    if (!file.open(QIODevice::ReadOnly))
        return refused(u"文件无法读取（%1）"_s.arg(file.errorString()));
    if (file.size() > maxDesignFileBytes)
        return refused(u"文件太大，不是本程序保存的设计"_s);
    const QByteArray bytes = file.read(maxDesignFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(u"文件无法读取（%1）"_s.arg(file.errorString()));
    if (bytes.size() > maxDesignFileBytes)
        return refused(u"文件太大，不是本程序保存的设计"_s);
    return parseDesign(bytes, calculators);
}

QByteArray designBytes(const Design& design)
{
    QJsonObject calculatorsObject;
    for (auto it = design.calculators.constBegin(); it != design.calculators.constEnd(); ++it) {
        QJsonArray trials;
        for (const DesignTrial& trial : it->trials)
            trials.append(
                QJsonObject { { u"time"_s, trial.time }, { u"inputs"_s, textsObject(trial.inputs) },
                    { u"results"_s, textsObject(trial.results) } });
        calculatorsObject.insert(it.key(),
            QJsonObject { { u"inputs"_s, textsObject(it->inputs) },
                { u"titleBlock"_s, textsObject(it->titleBlock) }, { u"trials"_s, trials } });
    }
    const QJsonObject root { { u"format"_s, formatName },
        { u"formatVersion"_s, designFormatVersion }, { u"programVersion"_s, design.programVersion },
        { u"calculators"_s, calculatorsObject } };
    // Qt's parser drops a U+FEFF written as its bytes, even inside a string,
    // and an engineer's pasted text may begin with one; written as an escape
    // it reads back. Outside strings JSON has no such character.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

QString writeDesignFile(const QString& path, const Design& design)
{
    return writeWholeFile(path, designBytes(design));
}
