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

#include <algorithm>
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

    // The keys outside `known`, as read: what a newer version wrote here.
    QJsonObject otherKeys(const QStringList& known) const
    {
        QJsonObject other;
        for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it)
            if (!known.contains(it.key()))
                other.insert(it.key(), it.value());
        return other;
    }

    // The texts of the keys `keys`. A key the file lacks came after it was
    // saved: its text is the one in `absent`, or empty. Any other key is a
    // newer version's text, checked as one and returned in `newer`.
    QMap<QString, QString> texts(const QStringList& keys, const QMap<QString, QString>& absent,
        QJsonObject& newer) const
    {
        QMap<QString, QString> texts;
        for (const QString& key : keys)
            texts.insert(key, has(key) ? text(key) : absent.value(key));
        for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it)
            if (!keys.contains(it.key()))
                newer.insert(it.key(), text(it.key()));
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

void keepUnder(QJsonObject& newer, const QString& key, const QJsonObject& kept)
{
    if (!kept.isEmpty())
        newer.insert(key, kept);
}

DesignTrial readTrial(const ObjectReader& reader, const CalculatorEntry& calculator,
    const QMap<QString, QString>& designTimeInputs)
{
    DesignTrial trial;
    trial.newer = reader.otherKeys({ u"time"_s, u"inputs"_s, u"results"_s });
    trial.time = reader.text(u"time"_s);
    if (!QDateTime::fromString(trial.time, Qt::ISODate).isValid())
        refuse(u"字段“%1”不是日期和时间"_s.arg(reader.pathOf(u"time"_s)));
    QJsonObject newerInputs;
    QJsonObject newerResults;
    const ObjectReader inputs = reader.object(u"inputs"_s);
    trial.inputs = inputs.texts(storedFieldIds(calculator), designTimeInputs, newerInputs);
    checkChoices(inputs, calculator, trial.inputs);
    // A result kept only since the trial was saved was never calculated for it.
    trial.results
        = reader.object(u"results"_s).texts(trialResultIds(calculator), {}, newerResults);
    keepUnder(trial.newer, u"inputs"_s, newerInputs);
    keepUnder(trial.newer, u"results"_s, newerResults);
    return trial;
}

CalculatorDesign readCalculator(const ObjectReader& reader, const CalculatorEntry& calculator,
    const CalculatorDesign& designTime)
{
    CalculatorDesign design;
    design.newer = reader.otherKeys({ u"inputs"_s, u"titleBlock"_s, u"trials"_s });
    QJsonObject newerInputs;
    QJsonObject newerBlock;
    const ObjectReader inputs = reader.object(u"inputs"_s);
    design.inputs = inputs.texts(storedFieldIds(calculator), designTime.inputs, newerInputs);
    checkChoices(inputs, calculator, design.inputs);
    design.titleBlock = reader.object(u"titleBlock"_s).texts(titleBlockKeys(), {}, newerBlock);
    keepUnder(design.newer, u"inputs"_s, newerInputs);
    keepUnder(design.newer, u"titleBlock"_s, newerBlock);
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

// A file of a newer format is refused, naming both formats and, where the
// file says, the program that wrote it.
[[noreturn]] void refuseNewerFormat(const QJsonObject& root, double number)
{
    const QJsonValue writer = root.value(u"programVersion"_s);
    const QString by = writer.isString() && writer.toString().size() <= 20
        ? u"（Stelvana %1 保存）"_s.arg(writer.toString())
        : QString();
    refuse(u"文件的格式版本 %1%2比本程序（Stelvana %3）能读的格式版本 %4 新，请用新版程序打开"_s.arg(
        QString::number(number, 'f', 0), by.isEmpty() ? u" "_s : by,
        QString::fromLatin1(STELVANA_VERSION), QString::number(designFormatVersion)));
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
        refuseNewerFormat(root, number);

    Design design;
    design.newer = reader.otherKeys(
        { u"format"_s, u"formatVersion"_s, u"programVersion"_s, u"calculators"_s });
    design.programVersion = reader.text(u"programVersion"_s);
    const ObjectReader calculatorsReader = reader.object(u"calculators"_s);
    QStringList ids;
    for (const CalculatorEntry& entry : calculators)
        ids.append(fromCore(entry.id));
    // A calculator of a newer version: whatever it holds is its own.
    const QJsonObject newerCalculators = calculatorsReader.otherKeys(ids);
    for (auto it = newerCalculators.constBegin(); it != newerCalculators.constEnd(); ++it)
        calculatorsReader.object(it.key());
    keepUnder(design.newer, u"calculators"_s, newerCalculators);
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

bool hasKeysBesides(const QJsonObject& object, const QStringList& keys)
{
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        if (!keys.contains(it.key()))
            return true;
    return false;
}

// A name as a message can hold it: the file's keys and captions are as long
// as whoever wrote them liked.
QString shortName(const QString& name)
{
    constexpr qsizetype longest = 40;
    if (name.size() <= longest)
        return name;
    const qsizetype cut = name.at(longest - 2).isHighSurrogate() ? longest - 2 : longest - 1;
    return name.first(cut) + u'…';
}

// What `design` keeps of a newer version's, as the reading reports it. A
// caption beside a calculator this version has is no news.
void noteKept(const Design& design, CalculatorList calculators, DesignReading& reading)
{
    const QString caption = QString::fromLatin1(captionKey);
    const QJsonObject newerCalculators = design.newer.value(u"calculators"_s).toObject();
    for (auto it = newerCalculators.constBegin(); it != newerCalculators.constEnd(); ++it) {
        const QString named = it->toObject().value(caption).toString().trimmed();
        reading.keptCalculators.append(shortName(named.isEmpty() ? it.key() : named));
    }
    reading.keptOther = hasKeysBesides(design.newer, { u"calculators"_s });
    for (const CalculatorEntry& entry : calculators) {
        const CalculatorDesign calculator = design.calculators.value(fromCore(entry.id));
        QStringList inputs = calculator.newer.value(u"inputs"_s).toObject().keys();
        reading.keptOther |= hasKeysBesides(calculator.newer, { u"inputs"_s, caption });
        for (const DesignTrial& trial : calculator.trials) {
            inputs += trial.newer.value(u"inputs"_s).toObject().keys();
            reading.keptOther |= hasKeysBesides(trial.newer, { u"inputs"_s });
        }
        inputs.removeDuplicates();
        inputs.sort();
        for (QString& input : inputs)
            input = shortName(input);
        if (!inputs.isEmpty())
            reading.keptInputs.append({ fromCore(entry.menuCaption), inputs });
    }
}

// `written` with the keys of `newer` it has not, into the same objects: what
// this version writes always stands.
QJsonObject withNewer(QJsonObject written, const QJsonObject& newer)
{
    for (auto it = newer.constBegin(); it != newer.constEnd(); ++it) {
        const QJsonValue mine = written.value(it.key());
        if (mine.isUndefined())
            written.insert(it.key(), *it);
        else if (mine.isObject() && it->isObject())
            written.insert(it.key(), withNewer(mine.toObject(), it->toObject()));
    }
    return written;
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
        // Beside a calculator 1.0 did not have goes its caption, so that a
        // version without it can name it; 1.0 itself refuses any key it does
        // not know, and gets none beside its own two.
        constexpr std::string_view firstRelease[] { "section", "bracket" };
        if (std::find(std::begin(firstRelease), std::end(firstRelease), entry.id)
            == std::end(firstRelease))
            calculator.newer.insert(QString::fromLatin1(captionKey), fromCore(entry.menuCaption));
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
        DesignReading reading;
        reading.design = readDesign(document.object(), calculators, reading.filledIn);
        noteKept(*reading.design, calculators, reading);
        return reading;
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

void keepNewer(Design& design, const Design& opened)
{
    design.newer = opened.newer;
    // A calculator the opened design does not hold (none, before anything
    // is opened) keeps what its design-time design has beside it.
    for (auto it = design.calculators.begin(); it != design.calculators.end(); ++it)
        if (const auto held = opened.calculators.constFind(it.key());
            held != opened.calculators.constEnd())
            it->newer = held->newer;
    Design unchanged = opened;
    unchanged.programVersion = design.programVersion;
    if (design == unchanged)
        design.programVersion = opened.programVersion;
}

QString keptSentence(const DesignReading& reading)
{
    // A hand-made file may hold thousands; the first few say what happened.
    const auto quoted = [](const QStringList& names) {
        constexpr qsizetype most = 6;
        if (names.size() <= most)
            return u"“"_s + names.join(u"”、“"_s) + u"”"_s;
        return u"“%1”等 %2 项"_s.arg(names.first(most - 1).join(u"”、“"_s)).arg(names.size());
    };
    QStringList parts;
    if (!reading.keptCalculators.isEmpty())
        parts.append(quoted(reading.keptCalculators) + u"本版本不能计算"_s);
    for (const auto& [calculator, inputs] : reading.keptInputs)
        parts.append(u"“%1”的输入%2本版本没有"_s.arg(calculator, quoted(inputs)));
    if (reading.keptOther)
        parts.append(parts.isEmpty() ? u"有本版本不认识的内容"_s : u"还有本版本不认识的其他内容"_s);
    if (parts.isEmpty())
        return {};
    return u"此设计来自较新的版本：其中%1，已原样保留。"_s.arg(parts.join(u"，"_s));
}

QByteArray designBytes(const Design& design)
{
    QJsonObject calculatorsObject;
    for (auto it = design.calculators.constBegin(); it != design.calculators.constEnd(); ++it) {
        QJsonArray trials;
        for (const DesignTrial& trial : it->trials)
            trials.append(withNewer(
                QJsonObject { { u"time"_s, trial.time }, { u"inputs"_s, textsObject(trial.inputs) },
                    { u"results"_s, textsObject(trial.results) } },
                trial.newer));
        calculatorsObject.insert(it.key(),
            withNewer(QJsonObject { { u"inputs"_s, textsObject(it->inputs) },
                          { u"titleBlock"_s, textsObject(it->titleBlock) }, { u"trials"_s, trials } },
                it->newer));
    }
    const QJsonObject root = withNewer(
        { { u"format"_s, formatName }, { u"formatVersion"_s, designFormatVersion },
            { u"programVersion"_s, design.programVersion }, { u"calculators"_s, calculatorsObject } },
        design.newer);
    // Qt's parser drops a U+FEFF written as its bytes, even inside a string,
    // and an engineer's pasted text may begin with one; written as an escape
    // it reads back. Outside strings JSON has no such character.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

QString writeDesignFile(const QString& path, const Design& design)
{
    return writeWholeFile(path, designBytes(design));
}
