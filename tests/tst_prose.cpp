// What the program says of its calculators, one row a calculator: --help,
// the manual page, the AppStream listing and the desktop entry as the build
// made them, the README's hand-written list, and `stelvana optimize`
// accepting exactly the calculators whose entries say it serves them.

#include "calculators.h"
#include "coretext.h"
#include "startup.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using Calculator = const CalculatorEntry*;
Q_DECLARE_METATYPE(Calculator)

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString roff(std::string_view text)
{
    return fromCore(text).replace(u'-', u"\\-"_s);
}

// The bold captions of the list under the README's first heading.
QStringList readmeCaptions(const QString& readme)
{
    QStringList captions;
    static const QRegularExpression item(u"^- \\*\\*([^*]+)\\*\\* — \\S"_s);
    for (const QString& line : readme.section(u"\n## "_s, 0, 0).split(u'\n')) {
        if (const QRegularExpressionMatch m = item.match(line); m.hasMatch())
            captions << m.captured(1);
    }
    return captions;
}

} // namespace

class TestProse : public QObject {
    Q_OBJECT

private slots:
    void eachCalculatorDescribed_data();
    void eachCalculatorDescribed();
    void optimizeTakesTheFlagged_data();
    void optimizeTakesTheFlagged();
    void builtFilesValidate_data();
    void builtFilesValidate();
};

void TestProse::eachCalculatorDescribed_data()
{
    QTest::addColumn<Calculator>("calculator");
    for (const CalculatorEntry& entry : calculators())
        QTest::newRow(std::string(entry.id).c_str()) << &entry;
}

void TestProse::eachCalculatorDescribed()
{
    QFETCH(Calculator, calculator);
    const QString id = fromCore(calculator->id), caption = fromCore(calculator->menuCaption),
                  gloss = fromCore(calculator->gloss), zh = fromCore(calculator->summaryZh),
                  en = fromCore(calculator->summaryEn);
    QVERIFY(!gloss.isEmpty() && !zh.isEmpty() && !en.isEmpty());
    QVERIFY(!calculator->keywordsEn.empty() && !calculator->keywordsZh.empty());
    const QString optimizeCommand = u"stelvana optimize "_s + id + u' ';

    const QString help = helpLine();
    QVERIFY2(help.contains(QRegularExpression(u"\n +"_s + QRegularExpression::escape(id) + u" +"_s
                 + QRegularExpression::escape(caption + u"："_s + zh))),
        qPrintable(help));
    QVERIFY(help.contains(u"计算器为 "_s)
        && help.section(u"计算器为 "_s, 1).section(u'；', 0, 0).contains(id));
    QCOMPARE(help.contains(optimizeCommand), calculator->optimizes);

#ifdef STELVANA_README
    const QString readme = readText(QStringLiteral(STELVANA_README));
    QVERIFY2(readmeCaptions(readme).contains(caption),
        qPrintable(
            u"README.md: no “- **%1** — …” paragraph under its first heading"_s.arg(caption)));
#endif

#ifdef STELVANA_BUILT_PROSE
    const QString built = QStringLiteral(STELVANA_BUILT_PROSE);
    const QString page = readText(built + u"/doc/stelvana.1"_s);
    for (const QString& fragment :
        { u".  ds zh-%1 %2\\~\n"_s.arg(id, caption), u"\n.  ds zh-%1\n"_s.arg(id),
            u".BR \\*[zh-%1] \"(%2)\"\n%3\n"_s.arg(
                id, roff(calculator->gloss), roff(calculator->summaryEn)),
            u"for "_s + roff(calculator->gloss) })
        QVERIFY2(page.contains(fragment), qPrintable(fragment));
    QVERIFY(page.section(u".SH SYNOPSIS"_s, 0, 0).contains(roff(calculator->gloss)));
    QCOMPARE(page.contains(u".B stelvana optimize "_s + id + u'\n'), calculator->optimizes);
    QCOMPARE(page.contains(u".BI \"optimize "_s + id + u' '), calculator->optimizes);

    const QString listing = readText(built + u"/doc/stelvana.metainfo.xml"_s);
    QVERIFY(listing.contains(u"<li>"_s + en + u"</li>"_s));
    QVERIFY(listing.contains(u"<li xml:lang=\"zh_CN\">%1：%2</li>"_s.arg(caption, zh)));
    static const QRegularExpression summaries(u"<summary>(.*)</summary>\\s*"
                                              "<summary xml:lang=\"zh_CN\">(.*)</summary>"_s);
    const QRegularExpressionMatch summary = summaries.match(listing);
    QVERIFY(summary.captured(1).contains(gloss, Qt::CaseInsensitive));
    QVERIFY(summary.captured(2).contains(caption));

    const QString entry = readText(built + u"/stelvana.desktop"_s);
    const auto key = [&](const QString& name) {
        return entry.section(u'\n' + name + u'=', 1).section(u'\n', 0, 0);
    };
    QVERIFY2(key(u"Comment"_s).contains(gloss, Qt::CaseInsensitive), qPrintable(entry));
    QVERIFY(key(u"Comment[zh_CN]"_s).contains(caption));
    const QStringList keywords = key(u"Keywords"_s).split(u';');
    for (const auto* words : { &calculator->keywordsEn, &calculator->keywordsZh })
        for (const std::string_view word : *words)
            QVERIFY2(keywords.contains(fromCore(word)), qPrintable(fromCore(word)));
    for (const QString& text : { listing, entry })
        QVERIFY2(!text.contains(u"@prose_"_s), qPrintable(text));
#endif
}

void TestProse::optimizeTakesTheFlagged_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("served");
    for (const CalculatorEntry& entry : calculators())
        QTest::newRow(std::string(entry.id).c_str()) << fromCore(entry.id) << entry.optimizes;
    QTest::newRow("no calculator") << u"fillet_none"_s << false;
}

void TestProse::optimizeTakesTheFlagged()
{
#ifndef STELVANA_PROGRAM
    QSKIP("a cross build's program runs elsewhere");
#else
    QFETCH(QString, id);
    QFETCH(bool, served);
    // "=" names no input: a served calculator refuses it before searching,
    // the others with the command's usage, which names those it serves.
    QProcess program;
    program.start(QStringLiteral(STELVANA_PROGRAM), { u"optimize"_s, id, u"="_s });
    QVERIFY(program.waitForFinished(30000));
    const QString said = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitCode(), 2);
    QVERIFY2(said.contains(u"用法：stelvana optimize"_s) != served, qPrintable(said));
    if (!served) {
        for (const CalculatorEntry& entry : calculators())
            QCOMPARE(said.contains(fromCore(entry.id)), entry.optimizes);
    }
#endif
}

void TestProse::builtFilesValidate_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("desktop entry")
        << u"desktop-file-validate"_s << QStringList() << u"stelvana.desktop"_s;
    QTest::newRow("AppStream listing")
        << u"appstreamcli"_s << QStringList { u"validate"_s, u"--no-net"_s }
        << u"doc/stelvana.metainfo.xml"_s;
}

void TestProse::builtFilesValidate()
{
#ifndef STELVANA_BUILT_PROSE
    QSKIP("a cross build makes no desktop files");
#else
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    const QString tool = QStandardPaths::findExecutable(validator);
    if (tool.isEmpty())
        QSKIP(qPrintable(validator + u" is not installed"_s));
    QProcess run;
    run.start(tool, arguments << QStringLiteral(STELVANA_BUILT_PROSE) + u'/' + file);
    QVERIFY(run.waitForFinished(60000));
    const QString report
        = QString::fromUtf8(run.readAllStandardOutput() + run.readAllStandardError());
    // appstreamcli ends with 3 for warnings alone (the id is not reverse-DNS,
    // which would rename the installed files); errors are lines of "E:".
    QVERIFY2(run.exitCode() == 0 || (validator == u"appstreamcli"_s && run.exitCode() == 3),
        qPrintable(report));
    QVERIFY2(!report.contains(QRegularExpression(u"(^|\n)E:|error"_s)), qPrintable(report));
#endif
}

QTEST_GUILESS_MAIN(TestProse)
#include "tst_prose.moc"
