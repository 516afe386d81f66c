// The calculators from a terminal: `stelvana check` gives for each row what
// the window shows after a click, reads what spreadsheets write and names
// where a file is malformed; `stelvana optimize bracket` gives the dialog's
// ten.

#include "bracketsearch.h"
#include "calculators.h"
#include "calculatorwindow.h"
#include "checkcommand.h"
#include "csvtable.h"
#include "mdiform1.h"
#include "optimizecommand.h"
#include "searchspace.h"
#include "terminalcommands.h"
#include "uitest.h"
#include "verdictwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString checked(
    const QString& calculator, const QString& csv, int* status = nullptr, QString* error = nullptr)
{
    const CommandOutput output = checkTable(
        *findCalculator(calculator.toStdString()), csv.toStdString(), terminalFaultWords);
    if (status)
        *status = output.status;
    if (error)
        *error = QString::fromStdString(output.error);
    return QString::fromStdString(output.out);
}

// The output's records under its header, each as column → text.
QList<QMap<QString, QString>> outputRows(const QString& out)
{
    const CsvTable table = readCsv(out.toStdString());
    QList<QMap<QString, QString>> rows;
    for (std::size_t row = 1; row < table.records.size(); ++row) {
        QMap<QString, QString> texts;
        for (std::size_t n = 0; n < table.records[row].fields.size(); ++n)
            texts[QString::fromStdString(table.records[0].fields[n])]
                = QString::fromStdString(table.records[row].fields[n]);
        rows << texts;
    }
    return rows;
}

const QString bracketCases = u"bf1,bf2,t1,t2,ts,hw,F,e,steelGrade,hf\n"
                             "200,200,12,12,10,500,400,.45,Q235B,10\n"
                             "100,300,12,12,10,500,400,.45,Q235B,10\n"
                             "200,400,12,12,10,500,1050,0.08,Q235B,10\n"
                             "200,200,12,12,6,900,400,.45,Q235B,10\n"
                             "200,200,-12,12,10,500,400,.45,Q235B,10\n"
                             "200,200,12,12,10,500,400,.45,Q500,10\n"
                             "250,200,12,12,10,500,-530,.45,Q235B,10\n"
                             "200,200,12,12,10,500,四百,.45,Q235B,10\n"_s;
const QString sectionCases = u"B,H,tw,t,N,M,steelGrade\n"
                             "400,600,8,12,,,Q235B\n"
                             "300,500,10,16,1200,300,Q345B\n"
                             "300,abc,10,16,1200,300,Q235B\n"_s;

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }

    void checkGivesTheWorkedCases_data();
    void checkGivesTheWorkedCases();
    void checkMatchesTheWindow_data();
    void checkMatchesTheWindow();
    void spreadsheetDialectsRead();
    void malformedFileNamed_data();
    void malformedFileNamed();
    void optimizeGivesTheTen_data();
    void optimizeGivesTheTen();
};

void TestCommandLine::checkGivesTheWorkedCases_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected"); // column=text, "|" between

    QTest::newRow("defaults")
        << 0
        << u"sigma=112.62|sigma_eq=147.93|tau_f=59.52|下翼缘外边的正应力=满足要求|"
           "角焊缝计算长度=满足要求|fault="_s;
    QTest::newRow("heavy short load")
        << 2 << u"M=84.00|V=1050.00|截面形心轴处的剪应力=不满足要求|fault="_s;
    QTest::newRow("slender web") << 3 << u"腹板高厚比=应设加劲肋|受压翼缘宽厚比=满足要求"_s;
    QTest::newRow("negative plate") << 4 << u"下翼缘外边的正应力=未判断|角焊缝计算长度=未判断"_s;
    QTest::newRow("unknown grade")
        << 5 << u"受压翼缘宽厚比=未判断|腹板高厚比=未判断|腹板上端的折算应力=满足要求"_s;
    QTest::newRow("uplift") << 6 << u"下翼缘焊缝应力=不满足要求|上翼缘焊缝应力=满足要求"_s;
    QTest::newRow("load no number")
        << 7
        << u"F=四百|M=|下翼缘外边的正应力=|fault=“竖向压力设计值F”中的“四百”不是有效的数字。"_s;
}

void TestCommandLine::checkGivesTheWorkedCases()
{
    QFETCH(int, row);
    QFETCH(QString, expected);
    int status = -1;
    const QList<QMap<QString, QString>> rows
        = outputRows(checked(u"bracket"_s, bracketCases, &status));
    QCOMPARE(status, 0);
    QCOMPARE(rows.size(), 8);
    for (const QString& pair : expected.split(u'|')) {
        const QString column = pair.section(u'=', 0, 0);
        QVERIFY2(rows[row].contains(column), qPrintable(column));
        QCOMPARE(column + u'=' + rows[row][column], pair);
    }
}

void TestCommandLine::checkMatchesTheWindow_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QString>("csv");
    QTest::newRow("bracket") << u"bracket"_s << bracketCases;
    QTest::newRow("section") << u"section"_s << sectionCases;
}

// Every row typed into a fresh window and clicked: each result field and
// each verdict label shows what the row's output holds.
void TestCommandLine::checkMatchesTheWindow()
{
    QFETCH(QString, calculator);
    QFETCH(QString, csv);
    const CalculatorEntry& entry = *findCalculator(calculator.toStdString());
    const CsvTable input = readCsv(csv.toStdString());
    const QList<QMap<QString, QString>> rows = outputRows(checked(calculator, csv));
    QCOMPARE(rows.size(), qsizetype(input.records.size() - 1));
    const auto verdictLabel = [&](std::size_t check) {
        return calculator == u"bracket"_s ? u"Label%1"_s.arg(check + 7)
                                          : u"Check%1"_s.arg(check + 1);
    };
    for (qsizetype row = 0; row < rows.size(); ++row) {
        ModalBoxCatcher boxes;
        MDIForm1 frame;
        CalculatorWindow* window = frame.calculatorWindow(entry.id);
        for (std::size_t n = 0; n < input.records[0].fields.size(); ++n) {
            const FieldFacts& facts = *std::find_if(entry.fields().begin(), entry.fields().end(),
                [&](const FieldFacts& f) { return f.id == input.records[0].fields[n]; });
            const QString text
                = QString::fromStdString(input.records[std::size_t(row) + 1].fields[n]);
            if (auto* combo = window->findChild<QComboBox*>(QString::fromLatin1(facts.control)))
                combo->setCurrentText(text);
            else
                window->findChild<QLineEdit*>(QString::fromLatin1(facts.control))->setText(text);
        }
        // A fault names its field as the window's fault report does.
        for (const FieldFacts& facts : entry.fields())
            if (auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(facts.control)))
                QCOMPARE(QString::fromStdString(entry.spokenName(facts)), field->accessibleName());
        window->findChild<QPushButton*>(QString::fromLatin1(entry.confirmButton))->click();
        const QString context = calculator + u" row "_s + QString::number(row + 1);
        for (const FieldFacts& facts : entry.fields())
            if (facts.role == FieldRole::Result)
                QVERIFY2(window->findChild<QLineEdit*>(QString::fromLatin1(facts.control))->text()
                        == rows[row][QString::fromLatin1(facts.id)],
                    qPrintable(context + u' ' + QString::fromLatin1(facts.id)));
        const QString fault = rows[row][u"fault"_s];
        QCOMPARE(boxes.texts().size(), fault.isEmpty() ? 0 : 1);
        if (!fault.isEmpty()) {
            QVERIFY2(boxes.texts().front().contains(fault), qPrintable(boxes.texts().front()));
            continue;
        }
        const CheckTable checks = entry.checks();
        for (std::size_t check = 0; check < checks.size(); ++check)
            QVERIFY2(window->verdictWindow()->findChild<QLabel*>(verdictLabel(check))->text()
                    == rows[row][QString::fromUtf8(checks[check].caption)],
                qPrintable(context + u' ' + QString::fromUtf8(checks[check].caption)));
    }
}

void TestCommandLine::spreadsheetDialectsRead()
{
    // A byte order mark, semicolons, CR LF, quotes and full-width digits, as
    // a spreadsheet with the comma for decimals saves its table.
    const QString plain = checked(u"bracket"_s, u"bf1,hw,F\n250,500,400\n"_s);
    const QString dialect
        = checked(u"bracket"_s, u"\uFEFFbf1;hw;\"F\"\r\n\"２５０\";５００;４００\r\n\r\n"_s);
    const QList<QMap<QString, QString>> plainRows = outputRows(plain),
                                        dialectRows = outputRows(dialect);
    QCOMPARE(dialectRows.size(), 1);
    QCOMPARE(dialectRows[0][u"bf1"_s], u"２５０"_s);
    for (const QString& column : plainRows[0].keys())
        if (column != u"bf1"_s && column != u"hw"_s && column != u"F"_s)
            QCOMPARE(dialectRows[0][column], plainRows[0][column]);
    // QString drops the mark; the bytes keep it.
    QVERIFY(checkTable(*findCalculator("bracket"), "bf1\n200\n", terminalFaultWords)
                .out.starts_with("\xEF\xBB\xBF"
                                 "bf1,bf2,"));
    QVERIFY(dialect.endsWith(u",\r\n"_s));
    // A fault in a cell is quoted; a quote in it doubled.
    QCOMPARE(QString::fromStdString(csvRecord({ "a,b", "say \"hi\"", " x", "12" })),
        u"\"a,b\",\"say \"\"hi\"\"\",\" x\",12\r\n"_s);
}

void TestCommandLine::malformedFileNamed_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QString>("error");

    QTest::newRow("empty") << QString() << u"line 1: no header naming the inputs"_s;
    QTest::newRow("blank lines only") << u"\n\r\n"_s << u"line 1: no header naming the inputs"_s;
    QTest::newRow("unknown column")
        << u"bf1,Bf2\n200,200\n"_s
        << u"line 1, column 2: unknown column \"Bf2\" (the inputs of bracket are bf1, bf2, t1, t2, ts, hw, F, e, steelGrade, hf)"_s;
    QTest::newRow("a result as input")
        << u"bf1,sigma\n"_s << u"line 1, column 2: unknown column \"sigma\""_s;
    QTest::newRow("named twice") << u"F,e,F\n"_s << u"line 1, column 3: column \"F\" named twice"_s;
    QTest::newRow("short row") << u"bf1,bf2,F\n200,200,400\n\n300,300\n"_s
                               << u"line 4, column 3: 2 fields where the header names 3"_s;
    QTest::newRow("long row") << u"bf1;bf2\n200;200;400\n"_s
                              << u"line 2, column 3: 3 fields where the header names 2"_s;
    QTest::newRow("unclosed quote")
        << u"bf1,F\n200,\"400\n"_s << u"line 2, column 2: unclosed quote"_s;
    QTest::newRow("quote in a field")
        << u"bf1,F\n200,4\"00\n"_s << u"line 2, column 2: a quote inside an unquoted field"_s;
    QTest::newRow("after a quoted line break") << u"bf1,F\n\"2\n00\",400x\n300,\"4\"00\n"_s
                                               << u"line 4, column 2: text after a closing quote"_s;
}

void TestCommandLine::malformedFileNamed()
{
    QFETCH(QString, csv);
    QFETCH(QString, error);
    int status = -1;
    QString said;
    const QString out = checked(u"bracket"_s, csv, &status, &said);
    QCOMPARE(status, 2);
    QVERIFY(out.isEmpty());
    QVERIFY2(said.startsWith(error), qPrintable(said));
    QVERIFY(!said.contains(u'\n'));
}

void TestCommandLine::optimizeGivesTheTen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error"); // or the first row after the header

    const QStringList small { u"bf1=150:250:50"_s, u"bf2=150:250:50"_s, u"t1=8,12,16"_s,
        u"t2=8,12,16,20"_s, u"ts=14,16,18,20"_s, u"hw=400:600:100"_s, u"hf=8,10,12,14"_s };
    QTest::newRow("short heavy load")
        << (QStringList { u"F=1050"_s, u"e=0.08"_s, u"steelGrade=Q355B"_s } + small) << 0
        << u"150,150,8,8,20,600,10,14400.00,截面形心轴处的剪应力,0.95"_s;
    QTest::newRow("nothing passes")
        << (QStringList { u"F=3000"_s } + small) << 1
        << u"no section of the 5184 searched passes every check; the row failed most often: 下翼缘外边的正应力"_s;
    QTest::newRow("unknown input")
        << QStringList { u"sigma=100"_s } << 2 << u"\"sigma\" is no input of the bracket"_s;
    QTest::newRow("not id=value") << QStringList { u"F"_s } << 2 << u"\"F\" is not id=value"_s;
    QTest::newRow("half a range") << QStringList { u"bf1=150:400"_s } << 2
                                  << u"bf1=150:400: a range is from:to:step"_s;
    QTest::newRow("backward range") << QStringList { u"hw=600:400:50"_s } << 2
                                    << u"hw=600:400:50: 范围的终值“400”小于始值“600”。"_s;
    QTest::newRow("too large") << QStringList { u"hw=300:900:100"_s } << 2
                               << u"搜索范围的截面多于 5000 万个：请缩小范围或加大步长。"_s;
    QTest::newRow("load no number")
        << QStringList { u"F=abc"_s } << 2 << u"“竖向压力设计值F”中的“abc”不是有效的数字。"_s;
    // A size given twice is one size: the same ten, each once.
    QTest::newRow("repeated sizes")
        << (QStringList { u"F=1050"_s, u"e=0.08"_s, u"steelGrade=Q355B"_s } + small
               + QStringList { u"t1=8,8,12,16,16.0"_s, u"hf=8,8,10,12,14,14"_s })
        << 0 << u"150,150,8,8,20,600,10,14400.00,截面形心轴处的剪应力,0.95"_s;
    // A grade without fy is named before anything is searched.
    QTest::newRow("unknown grade")
        << QStringList { u"steelGrade=Q999"_s } << 2
        << u"钢材牌号“Q999”无法识别（应为Q235、Q345、Q355、Q390、Q420或Q460，可带质量等级A～E），"
           "受压翼缘宽厚比与腹板高厚比无法判断，任何截面都不能满足全部验算：请先改正钢材。"_s;
}

void TestCommandLine::optimizeGivesTheTen()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    std::vector<std::string> given;
    for (const QString& argument : arguments)
        given.push_back(argument.toStdString());
    const CommandOutput output = optimizeBracket(given, terminalFaultWords);
    QCOMPARE(output.status, status);
    if (status != 0) {
        QCOMPARE(QString::fromStdString(output.error), error);
        return;
    }
    const CsvTable table = readCsv(output.out);
    QCOMPARE(table.records.size(), std::size_t(11));
    QCOMPARE(QString::fromStdString(csvRecord(table.records[0].fields)),
        u"bf1,bf2,t1,t2,ts,hw,hf,An,governing,ratio\r\n"_s);
    QCOMPARE(QString::fromStdString(csvRecord(table.records[1].fields)), error + u"\r\n"_s);
    QSet<QString> sections; // each once
    for (std::size_t row = 1; row < table.records.size(); ++row)
        sections << QString::fromStdString(csvRecord(table.records[row].fields));
    QCOMPARE(sections.size(), 10);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
