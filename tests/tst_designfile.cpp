// The design file on its own: what is saved reads back the same, texts as
// typed; every bad file is refused with its reason; a failed save leaves the
// earlier file whole.

#include "designfile.h"

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

namespace {

QJsonObject savedObject()
{
    return QJsonDocument::fromJson(designBytes(designTimeDesign())).object();
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
    trial.inputs = designTimeDesign().calculators[u"bracket"_s].inputs;
    trial.inputs[u"e"_s] = e;
    for (const QString& id : trialResultIds(u"bracket"_s))
        trial.results.insert(id, u"1,5"_s);
    return trial;
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
    void badFiles_data();
    void badFiles();
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
    Design design = designTimeDesign();
    design.calculators[calculator].inputs[field] = text;
    design.calculators[calculator].titleBlock[u"projectName"_s] = u"某厂房 “二期”"_s;
    design.calculators[u"bracket"_s].trials = { bracketTrial(u"2026-12-08T16:20:05"_s, u"0,45"_s),
        bracketTrial(u"2026-12-08T16:21:00"_s, u"．５"_s) };

    const DesignReading read = parseDesign(designBytes(design));
    QCOMPARE(read.problem, QString());
    QVERIFY(read.design);
    QCOMPARE(read.design->calculators[calculator].inputs[field], text);
    QVERIFY(*read.design == design);
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
        << edited([](QJsonObject& root) { root[u"formatVersion"_s] = 2; }) << u"版本 2 比"_s;
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
    QTest::newRow("unknown top-level field")
        << edited([](QJsonObject& root) { root[u"results"_s] = QJsonObject(); })
        << u"字段“results”不是设计文件的内容"_s;
    QTest::newRow("calculators as list")
        << edited([](QJsonObject& root) { root[u"calculators"_s] = QJsonArray(); })
        << u"字段“calculators”应为一组字段"_s;
    QTest::newRow("no bracket") << editedAt(u"calculators"_s, [](QJsonObject& o) {
        o.remove(u"bracket"_s);
    }) << u"缺少字段“calculators.bracket”"_s;
    QTest::newRow("unknown calculator")
        << editedAt(u"calculators"_s, [](QJsonObject& o) { o[u"truss"_s] = QJsonObject(); })
        << u"“calculators.truss”不是"_s;
    QTest::newRow("missing input")
        << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) { o.remove(u"tw"_s); })
        << u"缺少字段“calculators.section.inputs.tw”"_s;
    QTest::newRow("missing steel grade") << editedAt(
        u"calculators.bracket.inputs"_s, [](QJsonObject& o) { o.remove(u"steelGrade"_s); })
                                         << u"“calculators.bracket.inputs.steelGrade”"_s;
    QTest::newRow("input as number")
        << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) { o[u"B"_s] = 400; })
        << u"“calculators.section.inputs.B”应为文本"_s;
    QTest::newRow("input null") << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) {
        o[u"B"_s] = QJsonValue::Null;
    }) << u"应为文本"_s;
    QTest::newRow("a result in the inputs")
        << editedAt(u"calculators.section.inputs"_s, [](QJsonObject& o) { o[u"A"_s] = u"1"_s; })
        << u"“calculators.section.inputs.A”不是"_s;
    QTest::newRow("control name for a symbol") << editedAt(
        u"calculators.section.inputs"_s, [](QJsonObject& o) { o[u"Text1"_s] = u"400"_s; })
                                               << u"“calculators.section.inputs.Text1”不是"_s;
    QTest::newRow("10 001 characters")
        << editedAt(u"calculators.bracket.inputs"_s,
               [&](QJsonObject& o) { o[u"F"_s] = tenThousandAndOne; })
        << u"“calculators.bracket.inputs.F”的文本超过 10000 个字符"_s;
    QTest::newRow("10 MB text") << editedAt(
        u"calculators.bracket.titleBlock"_s, [&](QJsonObject& o) { o[u"member"_s] = tenMegabytes; })
                                << u"“calculators.bracket.titleBlock.member”的文本超过"_s;
    QTest::newRow("missing title block field") << editedAt(
        u"calculators.section.titleBlock"_s, [](QJsonObject& o) { o.remove(u"checkedOn"_s); })
                                               << u"“calculators.section.titleBlock.checkedOn”"_s;
    QTest::newRow("trials as object") << editedAt(u"calculators.section"_s, [](QJsonObject& o) {
        o[u"trials"_s] = QJsonObject();
    }) << u"“calculators.section.trials”应为列表"_s;
    QTest::newRow("trial as text") << editedAt(u"calculators.section"_s, [](QJsonObject& o) {
        o[u"trials"_s] = QJsonArray { u"x"_s };
    }) << u"“calculators.section.trials[0]”应为一组字段"_s;

    Design design = designTimeDesign();
    const QJsonObject trial = QJsonDocument::fromJson([&] {
        design.calculators[u"bracket"_s].trials
            = { bracketTrial(u"2026-12-08T16:20:05"_s, u"1"_s) };
        return designBytes(design);
    }())
                                  .object()[u"calculators"_s]
                                  .toObject()[u"bracket"_s]
                                  .toObject()[u"trials"_s]
                                  .toArray()[0]
                                  .toObject();
    const auto withTrial = [&](const std::function<void(QJsonObject&)>& edit) {
        return editedAt(u"calculators.bracket"_s, [&](QJsonObject& o) {
            QJsonObject changed = trial;
            edit(changed);
            o[u"trials"_s] = QJsonArray { changed };
        });
    };
    QTest::newRow("trial time not a time")
        << withTrial([](QJsonObject& t) { t[u"time"_s] = u"昨天"_s; })
        << u"“calculators.bracket.trials[0].time”不是日期和时间"_s;
    QTest::newRow("trial without a result") << withTrial([](QJsonObject& t) {
        QJsonObject results = t[u"results"_s].toObject();
        results.remove(u"tau_f"_s);
        t[u"results"_s] = results;
    }) << u"“calculators.bracket.trials[0].results.tau_f”"_s;
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
    const DesignReading read = parseDesign(bytes);
    QVERIFY(!read.design);
    QVERIFY2(read.problem.contains(problem), qPrintable(read.problem));
}

// Cut short at any byte, a saved file is refused, never half read.
void TestDesignFile::truncatedAnywhere()
{
    Design design = designTimeDesign();
    design.calculators[u"bracket"_s].trials = { bracketTrial(u"2026-12-08T16:20:05"_s, u"1"_s) };
    const QByteArray whole = designBytes(design).trimmed();
    for (qsizetype length = 0; length < whole.size(); ++length) {
        const DesignReading read = parseDesign(whole.first(length));
        QVERIFY2(!read.design && !read.problem.isEmpty(), qPrintable(QString::number(length)));
    }
    QVERIFY(parseDesign(whole).design);
}

void TestDesignFile::fileProblems()
{
    QTemporaryDir dir;
    QCOMPARE(readDesignFile(dir.filePath(u"none.stelvana"_s)).problem, u"文件不存在"_s);
    QVERIFY(!readDesignFile(dir.path()).design);
    const QString path = dir.filePath(u"a.stelvana"_s);
    QCOMPARE(writeDesignFile(path, designTimeDesign()), QString());
    const DesignReading read = readDesignFile(path);
    QVERIFY(read.design && *read.design == designTimeDesign());
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
    const Design earlier = designTimeDesign();
    const QString wrote = writeDesignFile(path, earlier);
    if (!wrote.isEmpty()) {
        unmount(dir);
        QFAIL(qPrintable(wrote));
    }

    Design larger = designTimeDesign();
    if (device == u"full"_s) {
        // 16 KiB cannot hold this title block.
        larger.calculators[u"section"_s].titleBlock[u"member"_s] = QString(9000, u'梁');
    } else if (!mounted(dir, { u"-o"_s, u"remount,ro"_s })) {
        unmount(dir);
        QSKIP("cannot remount the tmpfs read-only");
    }
    const QString reason = writeDesignFile(path, larger);
    const DesignReading still = readDesignFile(path);
    unmount(dir);
    QVERIFY2(reason.startsWith(said), qPrintable(reason));
    QVERIFY(still.design);
    QVERIFY(*still.design == earlier);
}

QTEST_GUILESS_MAIN(TestDesignFile)
#include "tst_designfile.moc"
