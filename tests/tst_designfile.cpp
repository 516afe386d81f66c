// The design file on its own: what is saved reads back the same, texts as
// typed; a file kept from 1.0 opens as it was saved, and less a calculator or
// an input with the design-time texts in their place; every bad file is
// refused with its reason; a failed save leaves the earlier file whole.

#include "calculators.h"
#include "designfile.h"
#include "newersample.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Design)

namespace {

QJsonObject savedObject()
{
    return QJsonDocument::fromJson(designBytes(designTimeDesign(calculators()))).object();
}

// A saved design-time design with one change made by hand.
QByteArray edited(const std::function<void(QJsonObject&)>& edit)
{
    QJsonObject root = savedObject();
    edit(root);
    return QJsonDocument(root).toJson();
}

// The object at `path` ("calculators.bracket.inputs") changed by `edit`.
void editAt(
    QJsonObject& root, const QStringList& path, const std::function<void(QJsonObject&)>& edit)
{
    if (path.isEmpty()) {
        edit(root);
        return;
    }
    QJsonObject inner = root.value(path.front()).toObject();
    editAt(inner, path.mid(1), edit);
    root.insert(path.front(), inner);
}

QByteArray editedAt(const QString& path, const std::function<void(QJsonObject&)>& edit)
{
    return edited([&](QJsonObject& root) { editAt(root, path.split(u'.'), edit); });
}

DesignTrial bracketTrial(const QString& time, const QString& e)
{
    DesignTrial trial;
    trial.time = time;
    trial.inputs = designTimeDesign(calculators()).calculators[u"bracket"_s].inputs;
    trial.inputs[u"e"_s] = e;
    for (const QString& id : trialResultIds(*findCalculator("bracket")))
        trial.results.insert(id, u"1,5"_s);
    return trial;
}

// A saved design with one bracket trial, that trial changed by `edit`.
QByteArray withTrial(const std::function<void(QJsonObject&)>& edit)
{
    Design design = designTimeDesign(calculators());
    design.calculators[u"bracket"_s].trials = { bracketTrial(u"2026-12-08T16:20:05"_s, u"1"_s) };
    QJsonObject root = QJsonDocument::fromJson(designBytes(design)).object();
    editAt(root, { u"calculators"_s, u"bracket"_s }, [&](QJsonObject& bracket) {
        QJsonArray trials = bracket[u"trials"_s].toArray();
        QJsonObject trial = trials[0].toObject();
        edit(trial);
        trials[0] = trial;
        bracket[u"trials"_s] = trials;
    });
    return QJsonDocument(root).toJson();
}

// `value` less the key at `path`, a list index given as its number.
QJsonValue removedAt(const QJsonValue& value, QStringList path)
{
    const QString key = path.takeFirst();
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        array[key.toInt()] = removedAt(array[key.toInt()], path);
        return array;
    }
    QJsonObject object = value.toObject();
    if (path.isEmpty())
        object.remove(key);
    else
        object[key] = removedAt(object[key], path);
    return object;
}

// `bytes` less the keys at `paths`, as a file written before they existed.
QByteArray without(const QByteArray& bytes, const QStringList& paths)
{
    QJsonValue root = QJsonDocument::fromJson(bytes).object();
    for (const QString& path : paths)
        root = removedAt(root, path.split(u'.'));
    return QJsonDocument(root.toObject()).toJson();
}

// "key=text|key=text" as a map, the texts written out as the file holds them.
QMap<QString, QString> texts(const QString& pairs)
{
    QMap<QString, QString> map;
    for (const QString& pair : pairs.split(u'|'))
        map.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return map;
}

// What 1.0 wrote to designs/saved-1.0.stelvana, typed under a comma locale;
// each calculator's inputs were changed after its last trial.
Design savedBy10()
{
    const QString block = u"projectName=某厂房二期|projectNumber=2026-018|"
                          u"designOrganisation=某建筑设计研究院|calculatedBy=王工|checkedBy=李工|"
                          u"approvedBy=张总|"_s;
    // Saved before the section had a grade: it opens with the design-time Q235B.
    const QString section = u"B=450|H=４００|tw=6,5|t=10|Num=2|steelGrade=Q235B|"_s;
    // … and its trials, saved before it had checks, no count of them met.
    const QString sectionFixed = u"checksMet=|A=11470|Ix=372022333,33|Wx=1860111,67|lambda_x=88,84|"
                                 u"lambda_y=139,05|"_s;
    const QString bracket = u"bf1=220|bf2=２２０|t1=14|t2=14|ts=12|e=0,45|steelGrade=Q345|"_s;
    const QString bracketTrial = bracket + u"hw=450|"_s;
    Design design;
    design.programVersion = u"1.0"_s;
    design.calculators[u"section"_s] = { texts(section + u"N=250,5|M=180|L=9000"_s),
        texts(block
            + u"member=GZ-3 钢柱|calculatedOn=2026-12-08|checkedOn=2026-12-09|"
              u"approvedOn=2026-12-10"_s),
        { { u"2026-12-09T03:14:45"_s, texts(section + u"N=200|M=150|L=8000"_s),
              texts(sectionFixed + u"sigma_e=98,08"_s) },
            { u"2026-12-09T03:14:47"_s, texts(section + u"N=200|M=180|L=8000"_s),
                texts(sectionFixed + u"sigma_e=114,21"_s) },
            { u"2026-12-09T03:14:49"_s, texts(section + u"N=250,5|M=180|L=8000"_s),
                texts(sectionFixed + u"sigma_e=118,61"_s) } } };
    design.calculators[u"bracket"_s] = { texts(bracket + u"hw=480|F=420|hf=10"_s),
        texts(block
            + u"member=NT-1 牛腿|calculatedOn=2026-12-11|checkedOn=2026-12-12|"
              u"approvedOn=2026-12-14"_s),
        { { u"2026-12-09T03:14:51"_s, texts(bracketTrial + u"F=380|hf=8"_s),
              texts(u"sigma=96,69|tau=76,29|sigma_eq=129,94|sigma_f1=121,22|sigma_f2=121,22|"
                    u"tau_f=78,90|checksMet=11/11"_s) },
            { u"2026-12-09T03:14:53"_s, texts(bracketTrial + u"F=420|hf=8"_s),
                texts(u"sigma=106,87|tau=84,32|sigma_eq=143,61|sigma_f1=133,98|"
                      u"sigma_f2=133,98|tau_f=87,21|checksMet=11/11"_s) },
            { u"2026-12-09T03:14:55"_s, texts(bracketTrial + u"F=420|hf=10"_s),
                texts(u"sigma=106,87|tau=84,32|sigma_eq=143,61|sigma_f1=133,98|"
                      u"sigma_f2=133,98|tau_f=69,77|checksMet=11/11"_s) } } };
    return design;
}

bool mounted(const QString& dir, const QStringList& options)
{
    QProcess mount;
    mount.start(u"mount"_s,
        QStringList { u"-t"_s, u"tmpfs"_s } + options + QStringList { u"tmpfs"_s, dir });
    return mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit
        && mount.exitCode() == 0;
}

void unmount(const QString& dir)
{
    QProcess::execute(u"umount"_s, { dir });
}

} // namespace

class TestDesignFile : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void olderFiles_data();
    void olderFiles();
    void newerParts_data();
    void newerParts();
    void newerFile();
    void badFiles_data();
    void badFiles();
    void calculatorNamedByAVersionWithout();
    void closedChoices_data();
    void closedChoices();
    void truncatedAnywhere();
    void fileProblems();
    void saveFailureKeepsTheEarlierFile_data();
    void saveFailureKeepsTheEarlierFile();
};

void TestDesignFile::roundTrip_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("design time") << u"section"_s << u"B"_s << u"400"_s;
    QTest::newRow("comma locale") << u"bracket"_s << u"e"_s << u"0,45"_s;
    QTest::newRow("full width") << u"section"_s << u"tw"_s << u"６．５"_s;
    QTest::newRow("leading U+FEFF") << u"section"_s << u"H"_s << u"\uFEFF300"_s;
    QTest::newRow("typed grade") << u"bracket"_s << u"steelGrade"_s << u"Q390"_s;
    QTest::newRow("blank") << u"bracket"_s << u"hf"_s << u""_s;
    QTest::newRow("quotes and backslash") << u"section"_s << u"N"_s << u"1\"5\\0\n"_s;
    QTest::newRow("10 000 characters") << u"section"_s << u"L"_s << QString(10000, u'9');
}

void TestDesignFile::roundTrip()
{
    QFETCH(QString, calculator);
    QFETCH(QString, field);
    QFETCH(QString, text);
    Design design = designTimeDesign(calculators());
    design.calculators[calculator].inputs[field] = text;
    design.calculators[calculator].titleBlock[u"projectName"_s] = u"某厂房 “二期”"_s;
    design.calculators[u"bracket"_s].trials = { bracketTrial(u"2026-12-08T16:20:05"_s, u"0,45"_s),
        bracketTrial(u"2026-12-08T16:21:00"_s, u"．５"_s) };

    const DesignReading read = parseDesign(designBytes(design), calculators());
    QCOMPARE(read.problem, QString());
    QVERIFY(read.design);
    QCOMPARE(read.design->calculators[calculator].inputs[field], text);
    QVERIFY(*read.design == design);
}

// The kept file as 1.0 saved it, and with the parts taken out that a file
// from before them lacks.
void TestDesignFile::olderFiles_data()
{
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<Design>("expected");
    const auto row = [](const char* name, const QStringList& removed,
                         const std::function<void(CalculatorDesign&, CalculatorDesign&)>& change) {
        Design expected = savedBy10();
        // The inputs added since 1.0 open with their design-time texts.
        const Design fresh = designTimeDesign(calculators());
        for (auto it = expected.calculators.begin(); it != expected.calculators.end(); ++it) {
            const QMap<QString, QString>& designTime = fresh.calculators[it.key()].inputs;
            for (auto input = designTime.begin(); input != designTime.end(); ++input) {
                it->inputs.insert(input.key(), it->inputs.value(input.key(), input.value()));
                for (DesignTrial& trial : it->trials)
                    trial.inputs.insert(input.key(), trial.inputs.value(input.key(), input.value()));
            }
        }
        change(expected.calculators[u"section"_s], expected.calculators[u"bracket"_s]);
        QTest::newRow(name) << removed << expected;
    };
    row("as saved by 1.0", {}, [](auto&, auto&) {});
    row("no bracket", { u"calculators.bracket"_s }, [](auto&, CalculatorDesign& bracket) {
        bracket = designTimeDesign(calculators()).calculators[u"bracket"_s];
    });
    // 1.0 had no member basis: the cantilever's μ, factors of 1.0, rolled edges.
    row("1.0 knew no member basis", {}, [](CalculatorDesign& section, auto&) {
        const QMap<QString, QString> basis { { u"muX"_s, u"2"_s }, { u"muY"_s, u"2"_s },
            { u"betaMx"_s, u"1.0"_s }, { u"betaTx"_s, u"1.0"_s }, { u"eta"_s, u"1.0"_s },
            { u"flangeEdges"_s, u"轧制或剪切边"_s } };
        section.inputs.insert(basis);
    });
    row("no input", { u"calculators.section.inputs.tw"_s },
        [](CalculatorDesign& section, auto&) { section.inputs[u"tw"_s] = u"6"_s; });
    row("no steel grade", { u"calculators.bracket.inputs.steelGrade"_s },
        [](auto&, CalculatorDesign& bracket) { bracket.inputs[u"steelGrade"_s] = u"Q235B"_s; });
    row("trial without an input", { u"calculators.bracket.trials.1.inputs.steelGrade"_s },
        [](auto&, CalculatorDesign& bracket) {
            bracket.trials[1].inputs[u"steelGrade"_s] = u"Q235B"_s;
        });
    row("trial without a result", { u"calculators.section.trials.0.results.sigma_e"_s },
        [](CalculatorDesign& section, auto&) { section.trials[0].results[u"sigma_e"_s] = {}; });
    row("no title block key",
        { u"calculators.section.titleBlock.checkedOn"_s,
            u"calculators.bracket.titleBlock.member"_s },
        [](CalculatorDesign& section, CalculatorDesign& bracket) {
            section.titleBlock[u"checkedOn"_s] = {};
            bracket.titleBlock[u"member"_s] = {};
        });
}

void TestDesignFile::olderFiles()
{
    QFETCH(QStringList, removed);
    QFETCH(Design, expected);
    const QString kept = QStringLiteral(STELVANA_SAVED_DESIGNS "/saved-1.0.stelvana");
    QFile file(kept);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const DesignReading read = removed.isEmpty()
        ? readDesignFile(kept, calculators())
        : parseDesign(without(file.readAll(), removed), calculators());
    QCOMPARE(read.problem, QString());
    QVERIFY(read.design);
    // The calculators it was saved with as saved; any added since as a new
    // design has them.
    const Design fresh = designTimeDesign(calculators());
    QCOMPARE(read.design->calculators.keys(), fresh.calculators.keys());
    for (auto it = read.design->calculators.constBegin(); it != read.design->calculators.constEnd();
         ++it) {
        const CalculatorDesign& wanted = expected.calculators.contains(it.key())
            ? expected.calculators[it.key()]
            : fresh.calculators[it.key()];
        QCOMPARE(it->inputs, wanted.inputs);
        QCOMPARE(it->titleBlock, wanted.titleBlock);
        QCOMPARE(it->trials, wanted.trials);
    }
    QCOMPARE(read.design->programVersion, u"1.0"_s);
    QCOMPARE(keptSentence(read), QString());
}

// What a newer version adds is kept where it was and written back as read,
// and the calculators and inputs among it are named.
void TestDesignFile::newerParts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kept"); // between "其中" and "，已原样保留。"
    const QJsonObject fillet { { u"caption"_s, u"角焊缝连接"_s },
        { u"inputs"_s, QJsonObject { { u"theta"_s, u"30"_s } } }, { u"trials"_s, QJsonArray {} } };
    const auto calculator = [](const QString& id, const QJsonValue& value) {
        return editedAt(u"calculators"_s, [&](QJsonObject& o) { o[id] = value; });
    };
    const auto input = [](const QString& at, const QString& id) {
        return editedAt(at, [&](QJsonObject& o) { o[id] = u"有"_s; });
    };
    QTest::newRow("calculator, by its caption")
        << calculator(u"obliqueFillet"_s, fillet) << u"“角焊缝连接”本版本不能计算"_s;
    QTest::newRow("calculator, by its id")
        << calculator(u"truss"_s, QJsonObject { { u"caption"_s, 7 } }) << u"“truss”本版本不能计算"_s;
    QTest::newRow("calculator, a long caption cut")
        << calculator(u"truss"_s, QJsonObject { { u"caption"_s, QString(50, u'桁') } })
        << u"“%1…”本版本不能计算"_s.arg(QString(39, u'桁'));
    QTest::newRow("input") << input(u"calculators.section.inputs"_s, u"stiffeners"_s)
                           << u"“工字型截面性质”的输入“stiffeners”本版本没有"_s;
    QTest::newRow("many inputs") << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) {
        for (const QString& id : u"a b c d e f g"_s.split(u' '))
            o[id] = u""_s;
    }) << u"“工字型截面性质”的输入“a”、“b”、“c”、“d”、“e”等 7 项本版本没有"_s;
    QTest::newRow("input in a trial only") << withTrial([](QJsonObject& t) {
        editAt(t, { u"inputs"_s }, [](QJsonObject& o) { o[u"Combo1"_s] = u"Q345"_s; });
    }) << u"“钢牛腿受力计算”的输入“Combo1”本版本没有"_s;
    QTest::newRow("title-block key") << input(u"calculators.bracket.titleBlock"_s, u"reviewer"_s)
                                     << u"有本版本不认识的内容"_s;
    QTest::newRow("trial result and key") << withTrial([](QJsonObject& t) {
        editAt(t, { u"results"_s }, [](QJsonObject& o) { o[u"sigma_c"_s] = u"12,5"_s; });
        t[u"note"_s] = QJsonObject { { u"by"_s, u"王工"_s } };
    }) << u"有本版本不认识的内容"_s;
    QTest::newRow("caption beside a known calculator") << editedAt(u"calculators.bracket"_s,
        [](QJsonObject& o) { o[u"caption"_s] = u"钢牛腿受力计算"_s; }) << QString();
    QTest::newRow("all of them") << edited([&](QJsonObject& root) {
        root[u"units"_s] = QJsonArray { u"mm"_s, u"kN"_s, 1.5, QJsonValue::Null };
        editAt(root, { u"calculators"_s }, [&](QJsonObject& o) {
            o[u"truss"_s] = QJsonObject {};
            o[u"obliqueFillet"_s] = fillet;
        });
        editAt(root, { u"calculators"_s, u"bracket"_s, u"inputs"_s },
            [](QJsonObject& o) { o[u"edge"_s] = u"焰切"_s; });
        editAt(root, { u"calculators"_s, u"section"_s, u"inputs"_s }, [](QJsonObject& o) {
            o[u"stiffeners"_s] = u"有"_s;
            o[u"Text1"_s] = u"400"_s;
        });
    }) << u"“角焊缝连接”、“truss”本版本不能计算，“工字型截面性质”的输入“Text1”、“stiffeners”本版本"
          u"没有，“钢牛腿受力计算”的输入“edge”本版本没有，还有本版本不认识的其他内容"_s;
}

void TestDesignFile::newerParts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kept);
    const DesignReading read = parseDesign(bytes, calculators());
    QCOMPARE(read.problem, QString());
    QVERIFY(read.design);
    QCOMPARE(read.design->calculators.keys(), designTimeDesign(calculators()).calculators.keys());
    QCOMPARE(keptSentence(read),
        kept.isEmpty() ? QString() : u"此设计来自较新的版本：其中%1，已原样保留。"_s.arg(kept));
    QCOMPARE(designBytes(*read.design), bytes);
}

// As a newer version writes a calculator and an input this one has not:
// opened, named, and written back to the same bytes.
void TestDesignFile::newerFile()
{
    const QString path = QStringLiteral(STELVANA_SAVED_DESIGNS "/newer-calculator.stelvana");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const DesignReading read = readDesignFile(path, calculators());
    QCOMPARE(read.problem, QString());
    QVERIFY(read.design);
    QCOMPARE(keptSentence(read),
        u"此设计来自较新的版本：其中“角焊缝连接”本版本不能计算，“钢牛腿受力计算”的输入“stiffeners”"
        u"本版本没有，已原样保留。"_s);
    const QByteArray bytes = file.readAll();
    const QStringList lacked = calculatorsTheSampleLacks(bytes);
    QCOMPARE(read.filledIn, lacked);
    QCOMPARE(asTheSampleHasIt(designBytes(*read.design), bytes), asTheSampleHasIt(bytes, bytes));
    if (!lacked.isEmpty())
        return; // filled in, the design is this program's
    // As the windows give it back, under this program's version: unchanged,
    // it is still the newer version's file; typed over, this program's.
    const QString own = designTimeDesign(calculators()).programVersion;
    Design windows = *read.design;
    windows.newer = {};
    windows.calculators[u"bracket"_s].newer = {};
    for (const QString& typed : { u"400"_s, u"450"_s }) {
        windows.programVersion = own;
        windows.calculators[u"section"_s].inputs[u"B"_s] = typed;
        keepNewer(windows, *read.design);
        QCOMPARE(designBytes(windows) == bytes, typed == u"400"_s);
        QCOMPARE(windows.programVersion, typed == u"400"_s ? u"1.5"_s : own);
    }
}

void TestDesignFile::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");

    const QString tenThousandAndOne(10001, u'1');
    const QString tenMegabytes(10 * 1024 * 1024, u'1');
    QTest::newRow("empty") << QByteArray() << u"文件是空的"_s;
    QTest::newRow("blank lines") << QByteArray("\n\n  \n") << u"文件是空的"_s;
    QTest::newRow("not JSON") << QByteArray("B=400\nH=300\n") << u"第 2 个字节处读不下去"_s;
    QTest::newRow("a PNG") << QByteArray("\x89PNG\r\n\x1a\n", 8) << u"读不下去"_s;
    QTest::newRow("JSON array") << QByteArray("[1, 2]") << u"不是 Stelvana 设计文件"_s;
    QTest::newRow("other program's JSON")
        << QByteArray(R"({"name": "x", "version": 1})") << u"不是 Stelvana 设计文件"_s;
    QTest::newRow("format as number")
        << edited([](QJsonObject& root) { root[u"format"_s] = 1; }) << u"不是 Stelvana"_s;
    QTest::newRow("newer format version")
        << edited([](QJsonObject& root) { root[u"formatVersion"_s] = 2; })
        << u"文件的格式版本 2（Stelvana 1.0 保存）比本程序（Stelvana %1）能读的格式版本 1 新"_s.arg(
               designTimeDesign(calculators()).programVersion);
    QTest::newRow("newer format, no program version") << edited([](QJsonObject& root) {
        root[u"formatVersion"_s] = 3;
        root.remove(u"programVersion"_s);
    }) << u"文件的格式版本 3 比本程序"_s;
    QTest::newRow("format version 0")
        << edited([](QJsonObject& root) { root[u"formatVersion"_s] = 0; }) << u"正整数"_s;
    QTest::newRow("format version 1.5")
        << edited([](QJsonObject& root) { root[u"formatVersion"_s] = 1.5; }) << u"正整数"_s;
    QTest::newRow("format version as text")
        << edited([](QJsonObject& root) { root[u"formatVersion"_s] = u"1"_s; }) << u"正整数"_s;
    QTest::newRow("no format version")
        << edited([](QJsonObject& root) { root.remove(u"formatVersion"_s); })
        << u"缺少字段“formatVersion”"_s;
    QTest::newRow("no program version")
        << edited([](QJsonObject& root) { root.remove(u"programVersion"_s); })
        << u"缺少字段“programVersion”"_s;
    QTest::newRow("calculators as list")
        << edited([](QJsonObject& root) { root[u"calculators"_s] = QJsonArray(); })
        << u"字段“calculators”应为一组字段"_s;
    QTest::newRow("bracket as text")
        << editedAt(u"calculators"_s, [](QJsonObject& o) { o[u"bracket"_s] = u"牛腿"_s; })
        << u"字段“calculators.bracket”应为一组字段"_s;
    QTest::newRow("newer calculator as text")
        << editedAt(u"calculators"_s, [](QJsonObject& o) { o[u"truss"_s] = u"桁架"_s; })
        << u"字段“calculators.truss”应为一组字段"_s;
    QTest::newRow("newer input as number") << editedAt(u"calculators.section.inputs"_s,
        [](QJsonObject& o) { o[u"stiffeners"_s] = 2; }) << u"“calculators.section.inputs.stiffeners”应为文本"_s;
    QTest::newRow("newer title block text too long")
        << editedAt(u"calculators.section.titleBlock"_s,
               [&](QJsonObject& o) { o[u"reviewer"_s] = tenThousandAndOne; })
        << u"“calculators.section.titleBlock.reviewer”的文本超过"_s;
    QTest::newRow("no inputs") << editedAt(u"calculators.section"_s, [](QJsonObject& o) {
        o.remove(u"inputs"_s);
    }) << u"缺少字段“calculators.section.inputs”"_s;
    QTest::newRow("no trials") << editedAt(u"calculators.bracket"_s, [](QJsonObject& o) {
        o.remove(u"trials"_s);
    }) << u"缺少字段“calculators.bracket.trials”"_s;
    QTest::newRow("input as number")
        << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) { o[u"B"_s] = 400; })
        << u"“calculators.section.inputs.B”应为文本"_s;
    QTest::newRow("input null") << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) {
        o[u"B"_s] = QJsonValue::Null;
    }) << u"应为文本"_s;
    QTest::newRow("10 001 characters")
        << editedAt(u"calculators.bracket.inputs"_s,
               [&](QJsonObject& o) { o[u"F"_s] = tenThousandAndOne; })
        << u"“calculators.bracket.inputs.F”的文本超过 10000 个字符"_s;
    QTest::newRow("10 MB text") << editedAt(
        u"calculators.bracket.titleBlock"_s, [&](QJsonObject& o) { o[u"member"_s] = tenMegabytes; })
                                << u"“calculators.bracket.titleBlock.member”的文本超过"_s;
    QTest::newRow("trials as object") << editedAt(u"calculators.section"_s, [](QJsonObject& o) {
        o[u"trials"_s] = QJsonObject();
    }) << u"“calculators.section.trials”应为列表"_s;
    QTest::newRow("trial as text") << editedAt(u"calculators.section"_s, [](QJsonObject& o) {
        o[u"trials"_s] = QJsonArray { u"x"_s };
    }) << u"“calculators.section.trials[0]”应为一组字段"_s;

    const QJsonObject trial = QJsonDocument::fromJson(withTrial([](QJsonObject&) {}))
                                  .object()[u"calculators"_s][u"bracket"_s][u"trials"_s][0]
                                  .toObject();
    QTest::newRow("trial time not a time")
        << withTrial([](QJsonObject& t) { t[u"time"_s] = u"昨天"_s; })
        << u"“calculators.bracket.trials[0].time”不是日期和时间"_s;
    QTest::newRow("trial without a time") << withTrial([](QJsonObject& t) { t.remove(u"time"_s); })
                                          << u"缺少字段“calculators.bracket.trials[0].time”"_s;
    QTest::newRow("newer trial result null") << withTrial([](QJsonObject& t) {
        QJsonObject results = t[u"results"_s].toObject();
        results[u"sigma_c"_s] = QJsonValue::Null;
        t[u"results"_s] = results;
    }) << u"“calculators.bracket.trials[0].results.sigma_c”应为文本"_s;
    QTest::newRow("201 trials") << editedAt(u"calculators.bracket"_s, [&](QJsonObject& o) {
        QJsonArray trials;
        for (int i = 0; i < 201; ++i)
            trials.append(trial);
        o[u"trials"_s] = trials;
    }) << u"有 201 条记录，多于 200 条"_s;
}

void TestDesignFile::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const DesignReading read = parseDesign(bytes, calculators());
    QVERIFY(!read.design);
    QVERIFY2(read.problem.contains(problem), qPrintable(read.problem));
}

// A calculator with a closed choice, as a bearing stiffener's 有/无 is: a file
// holding another value is refused with the values it may hold, in the inputs
// and in a trial alike; an open choice takes any text.
constexpr std::string_view presence[] { "有", "无" };
constexpr FieldFacts stubFields[] {
    { .control = "Combo2", .id = "stiffener", .name = "支承加劲肋", .role = FieldRole::Information,
        .choices = presence, .designText = "有" },
    { .control = "Combo1", .id = "steelGrade", .name = "钢材", .role = FieldRole::Information,
        .choices = std::span(presence).first(1), .open = true, .designText = "有" },
};
const CalculatorEntry stub[] { { .id = "stub", .fields = [] { return FieldTable(stubFields); } } };

void TestDesignFile::closedChoices_data()
{
    QTest::addColumn<QString>("stiffener");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<bool>("inTrial");
    QTest::addColumn<QString>("problem");
    const QString refused = u"“是”不是支承加劲肋的可选值（有、无）"_s;
    QTest::newRow("offered") << u"无"_s << u"Q345"_s << false << QString();
    QTest::newRow("not offered") << u"是"_s << u"有"_s << false
                                 << u"字段“calculators.stub.inputs.stiffener”："_s + refused;
    QTest::newRow("in a trial") << u"是"_s << u"有"_s << true
                                << u"字段“calculators.stub.trials[0].inputs.stiffener”："_s + refused;
    QTest::newRow("blank") << u""_s << u"有"_s << false << u"“”不是支承加劲肋的可选值"_s;
}

void TestDesignFile::closedChoices()
{
    QFETCH(QString, stiffener);
    QFETCH(QString, grade);
    QFETCH(bool, inTrial);
    QFETCH(QString, problem);
    Design design = designTimeDesign(stub);
    QMap<QString, QString> inputs { { u"stiffener"_s, stiffener }, { u"steelGrade"_s, grade } };
    if (inTrial)
        design.calculators[u"stub"_s].trials = { { u"2026-12-09T10:00:00"_s, inputs, {} } };
    else
        design.calculators[u"stub"_s].inputs = inputs;
    const DesignReading read = parseDesign(designBytes(design), stub);
    QCOMPARE(read.problem.contains(problem), true);
    QCOMPARE(bool(read.design), problem.isEmpty());
}

// A calculator added since 1.0 is saved with its caption beside it, so that
// a version without it names it and keeps it; 1.0's own two carry none.
void TestDesignFile::calculatorNamedByAVersionWithout()
{
    std::vector<CalculatorEntry> withStub(calculators().begin(), calculators().end());
    withStub.push_back(stub[0]);
    withStub.back().menuCaption = "角焊缝连接";
    const QByteArray bytes = designBytes(designTimeDesign(withStub));
    Design unopened = designTimeDesign(withStub);
    keepNewer(unopened, Design {}); // as the frame saves before anything is opened
    QCOMPARE(designBytes(unopened), bytes);
    const DesignReading read = parseDesign(bytes, calculators());
    QVERIFY(read.design);
    QVERIFY2(keptSentence(read).contains(u"其中“角焊缝连接”本版本不能计算"_s), qPrintable(keptSentence(read)));
    QCOMPARE(designBytes(*read.design), bytes);
    const QJsonObject held = QJsonDocument::fromJson(bytes).object()[u"calculators"_s].toObject();
    for (const QString id : { u"section"_s, u"bracket"_s })
        QVERIFY(!held[id].toObject().contains(u"caption"_s));
}

// Cut short at any byte, a saved file is refused, never half read.
void TestDesignFile::truncatedAnywhere()
{
    Design design = designTimeDesign(calculators());
    design.calculators[u"bracket"_s].trials = { bracketTrial(u"2026-12-08T16:20:05"_s, u"1"_s) };
    const QByteArray whole = designBytes(design).trimmed();
    for (qsizetype length = 0; length < whole.size(); ++length) {
        const DesignReading read = parseDesign(whole.first(length), calculators());
        QVERIFY2(!read.design && !read.problem.isEmpty(), qPrintable(QString::number(length)));
    }
    QVERIFY(parseDesign(whole, calculators()).design);
}

void TestDesignFile::fileProblems()
{
    QTemporaryDir dir;
    QCOMPARE(
        readDesignFile(dir.filePath(u"none.stelvana"_s), calculators()).problem, u"文件不存在"_s);
    QVERIFY(!readDesignFile(dir.path(), calculators()).design);
    const QString path = dir.filePath(u"a.stelvana"_s);
    QCOMPARE(writeDesignFile(path, designTimeDesign(calculators())), QString());
    const DesignReading read = readDesignFile(path, calculators());
    QVERIFY(read.design && *read.design == designTimeDesign(calculators()));
}

void TestDesignFile::saveFailureKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("said"); // how the reason begins
    QTest::newRow("full disk") << u"full"_s << u"磁盘空间已满"_s;
    QTest::newRow("read-only folder") << u"read-only"_s << u"没有写入权限"_s;
}

void TestDesignFile::saveFailureKeepsTheEarlierFile()
{
    QFETCH(QString, device);
    QFETCH(QString, said);
    QTemporaryDir scratch;
    const QString dir = scratch.filePath(u"mount"_s);
    QVERIFY(QDir().mkpath(dir));
    if (!mounted(dir, { u"-o"_s, u"size=16k"_s }))
        QSKIP("filling a small tmpfs needs Linux and root");
    const QString path = dir + u"/bracket.stelvana"_s;
    const Design earlier = designTimeDesign(calculators());
    const QString wrote = writeDesignFile(path, earlier);
    if (!wrote.isEmpty()) {
        unmount(dir);
        QFAIL(qPrintable(wrote));
    }

    Design larger = designTimeDesign(calculators());
    if (device == u"full"_s) {
        // 16 KiB cannot hold this title block.
        larger.calculators[u"section"_s].titleBlock[u"member"_s] = QString(9000, u'梁');
    } else if (!mounted(dir, { u"-o"_s, u"remount,ro"_s })) {
        unmount(dir);
        QSKIP("cannot remount the tmpfs read-only");
    }
    const QString reason = writeDesignFile(path, larger);
    const DesignReading still = readDesignFile(path, calculators());
    unmount(dir);
    QVERIFY2(reason.startsWith(said), qPrintable(reason));
    QVERIFY(still.design);
    QVERIFY(*still.design == earlier);
}

QTEST_GUILESS_MAIN(TestDesignFile)
#include "tst_designfile.moc"
