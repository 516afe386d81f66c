// The calculators from a terminal: `stelvana check` gives for each row what
// the window shows after a click, reads what spreadsheets write in the
// encodings they write it, the same bytes however the file arrives and on
// however many threads, and names where a file is malformed; `stelvana
// optimize bracket` gives the dialog's ten.

#include "bracketsearch.h"
#include "calculators.h"
#include "calculatorwindow.h"
#include "checkcommand.h"
#include "csvtable.h"
#include "gb18030.h"
#include "mdiform1.h"
#include "optimizecommand.h"
#include "searchspace.h"
#include "sectionchecks.h"
#include "sectionfields.h"
#include "sectionsearch.h"
#include "searchspace.h"
#include "tabletext.h"
#include "terminalcommands.h"
#include "uitest.h"
#include "verdictwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstring>
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

struct Checked {
    int status;
    QByteArray out;
    QString error;
    bool operator==(const Checked&) const = default;
};

// The table's bytes as a file or a pipe hands them: all that is asked for,
// or (piece > 0) 1 to `piece` bytes at a time.
Checked checkBytes(
    const QString& calculator, const QByteArray& bytes, unsigned threads = 1, std::size_t piece = 0)
{
    std::size_t at = 0, reads = 0;
    QByteArray out;
    const CheckRun run = checkTable(
        *findCalculator(calculator.toStdString()),
        [&](char* into, std::size_t most) -> std::optional<std::size_t> {
            std::size_t size = std::min(most, std::size_t(bytes.size()) - at);
            if (piece)
                size = std::min(size, 1 + reads++ % piece);
            std::memcpy(into, bytes.constData() + at, size);
            at += size;
            return size;
        },
        [&](std::string_view text) {
            out.append(text.data(), qsizetype(text.size()));
            return true;
        },
        terminalFaultWords, threads);
    return { run.outcome == CheckRun::Done ? 0 : 2, out, QString::fromStdString(run.error) };
}

// The records a table's bytes come to, read `piece` bytes at most at a time
// (0: all that is asked for): "line:field|field" each, "/" between, and
// "!line:byte" where the text stops.
QString decodedRecords(const QByteArray& bytes, std::size_t piece)
{
    std::size_t at = 0;
    TableText text([&](char* into, std::size_t most) -> std::optional<std::size_t> {
        const std::size_t size
            = std::min({ most, std::size_t(bytes.size()) - at, piece ? piece : most });
        std::memcpy(into, bytes.constData() + at, size);
        at += size;
        return size;
    });
    CsvParser parser;
    std::vector<CsvRecord> records;
    std::string utf8;
    for (TableText::Piece got; (got = text.next(utf8)) == TableText::Piece::Text;)
        parser.feed(utf8, records);
    if (!text.problem())
        parser.finish(records);
    QStringList shown;
    for (const CsvRecord& record : records) {
        QStringList fields;
        for (const std::string& field : record.fields)
            fields << QString::fromStdString(field);
        shown << QString::number(record.line) + u':' + fields.join(u'|');
    }
    if (const auto& problem = text.problem())
        shown << u"!%1:%2"_s.arg(problem->line).arg(problem->byte);
    return shown.join(u'/');
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
                             "200,200,12,12,5,900,400,.45,Q235B,10\n"
                             "200,200,-12,12,10,500,400,.45,Q235B,10\n"
                             "200,200,12,12,10,500,400,.45,Q500,10\n"
                             "250,200,12,12,10,500,-530,.45,Q235B,10\n"
                             "200,200,12,12,10,500,四百,.45,Q235B,10\n"_s;
const QString sectionCases = u"B,H,tw,t,N,M,steelGrade\n"
                             "400,600,8,12,,,Q235B\n"
                             "300,500,10,16,1200,300,Q345B\n"
                             "300,abc,10,16,1200,300,Q235B\n"_s;
// The audit's member on the engineer's basis: by id, as a file names them.
const QString sectionBasisCases
    = u"B,H,tw,t,N,M,L,muX,muY,betaMx,betaTx,eta,flangeEdges,steelGrade\n"
      "500,600,20,45,4500,300,6000,2,2,1.0,1.0,1.0,轧制或剪切边,Q235B\n"
      "500,600,20,45,4500,300,6000,1,1.5,0.85,0.65,0.7,焰切边,Q235B\n"
      "500,600,20,45,4500,300,-6000,2,2,1.0,1.0,1.0,焰切边,Q235B\n"
      "300,800,8,12,1502.2,44.5,3000,2,2,1.0,1.0,1.0,轧制或剪切边,Q345B\n"_s;

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }

    void checkGivesTheWorkedCases_data();
    void checkGivesTheWorkedCases();
    void checkReadsTheLoadColumns_data();
    void checkReadsTheLoadColumns();
    void checkMatchesTheWindow_data();
    void checkMatchesTheWindow();
    void spreadsheetDialectsRead();
    void sameBytesHoweverRead_data();
    void sameBytesHoweverRead();
    void encodingsDecided_data();
    void encodingsDecided();
    void rowsKeepTheirLineNumbers_data();
    void rowsKeepTheirLineNumbers();
    void closedChoiceRowNotClicked_data();
    void closedChoiceRowNotClicked();
    void malformedFileNamed_data();
    void malformedFileNamed();
    void failedReadOrWriteStops_data();
    void failedReadOrWriteStops();
    void optimizeGivesTheTen_data();
    void optimizeGivesTheTen();
    void optimizeSectionGivesTheTen_data();
    void optimizeSectionGivesTheTen();
};

void TestCommandLine::checkGivesTheWorkedCases_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected"); // column=text, "|" between

    QTest::newRow("defaults")
        << 0
        << u"sigma=112.62|sigma_eq=147.93|tau_f=59.52|下翼缘外边的正应力=满足要求|"
           "角焊缝计算长度=满足要求|腹板局部压应力=不适用|柱腹板（牛腿受压翼缘处）=设水平加劲肋|"
           "stiffener=有|tc=20|fault="_s;
    QTest::newRow("heavy short load")
        << 2 << u"M=84.00|V=1050.00|截面形心轴处的剪应力=不满足要求|fault="_s;
    QTest::newRow("slender web") << 3 << u"腹板高厚比=不满足要求|受压翼缘宽厚比=满足要求"_s;
    QTest::newRow("negative plate") << 4
                                    << u"下翼缘外边的正应力=未判断|角焊缝计算长度=未判断|"
                                       "notes=上翼缘厚t1 = −12：板件尺寸须为正数，未作判断。"_s;
    QTest::newRow("unknown grade")
        << 5 << u"受压翼缘宽厚比=未判断|腹板上端的折算应力=未判断|角焊缝焊脚尺寸=满足要求"_s;
    QTest::newRow("uplift") << 6 << u"下翼缘焊缝应力=不满足要求|上翼缘焊缝应力=满足要求"_s;
    QTest::newRow("load no number")
        << 7
        << u"F=四百|M=|下翼缘外边的正应力=|fault=“竖向压力设计值F”中的“四百”不是有效的数字。|notes="_s;
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

void TestCommandLine::checkReadsTheLoadColumns_data()
{
    QTest::addColumn<QString>("row"); // stiffener, bearing, columnStiffener, tc
    QTest::addColumn<QString>("expected");
    QTest::newRow("no stiffener, bare column")
        << u"无,50,无,20"_s
        << u"腹板局部压应力=不满足要求|支承加劲肋端面承压=不适用|腹板上端的折算应力=不满足要求|"
           "柱腹板（牛腿受压翼缘处）=不满足要求|柱翼缘（牛腿受拉翼缘处）=不满足要求|fault="_s;
    QTest::newRow("a longer bearing, a thicker column flange")
        << u"无,130,无,21"_s
        << u"腹板局部压应力=满足要求|柱翼缘（牛腿受拉翼缘处）=满足要求|fault="_s;
    QTest::newRow("as drawn") << u"有,50,有,20"_s
                              << u"腹板局部压应力=不适用|柱翼缘（牛腿受拉翼缘处）=设水平加劲肋|fault="_s;
    QTest::newRow("not a choice")
        << u"是,50,有,20"_s
        << u"腹板局部压应力=|fault=“是”不是支承加劲肋的可选值（有、无）"_s;
}

void TestCommandLine::checkReadsTheLoadColumns()
{
    QFETCH(QString, row);
    QFETCH(QString, expected);
    int status = -1;
    const QList<QMap<QString, QString>> rows = outputRows(
        checked(u"bracket"_s, u"stiffener,bearing,columnStiffener,tc\n"_s + row + u'\n', &status));
    QCOMPARE(status, 0);
    QCOMPARE(rows.size(), 1);
    for (const QString& pair : expected.split(u'|')) {
        const QString column = pair.section(u'=', 0, 0);
        QVERIFY2(rows[0].contains(column), qPrintable(column));
        QCOMPARE(column + u'=' + rows[0][column], pair);
    }
}

void TestCommandLine::checkMatchesTheWindow_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QString>("csv");
    QTest::newRow("bracket") << u"bracket"_s << bracketCases;
    QTest::newRow("section") << u"section"_s << sectionCases;
    QTest::newRow("section basis") << u"section"_s << sectionBasisCases;
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
        // The notes under the verdicts, a sentence a line there.
        const auto* notes = window->verdictWindow()->findChild<QLabel*>(u"VerdictNotes"_s);
        QCOMPARE(
            rows[row][u"notes"_s], notes->isHidden() ? QString() : notes->text().remove(u'\n'));
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
    QVERIFY(dialect.endsWith(u"\r\n\r\n"_s)); // the blank line stays one
    // A fault in a cell is quoted; a quote in it doubled.
    QCOMPARE(QString::fromStdString(csvRecord({ "a,b", "say \"hi\"", " x", "12" })),
        u"\"a,b\",\"say \"\"hi\"\"\",\" x\",12\r\n"_s);
}

void TestCommandLine::sameBytesHoweverRead_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("bracket cases") << u"bracket"_s << bracketCases.toUtf8();
    QTest::newRow("section cases") << u"section"_s << sectionCases.toUtf8();
    QTest::newRow("spreadsheet dialect")
        << u"bracket"_s
        << QByteArray("\xEF\xBB\xBF"
                      "bf1;hw;\"F\"\r\n\"250\";500;\"4\r\n00\"\r\n\r\n\"\"\"\";5;6\r");
    QTest::newRow("GBK") << u"bracket"_s
                         << QByteArray("bf1,F,steelGrade\r\n\r\n200,400,Q345\xB8\xD6\r\n");
    QTest::newRow("wrong at line 4")
        << u"bracket"_s << QByteArray("bf1,F\n200,400\n300,500\n20\x80\xFF,1\n");
    // Many batches in flight at once, blank lines and faults among them.
    QByteArray many = "bf1,bf2,t1,F,e,steelGrade\n";
    for (int row = 0; row < 3000; ++row)
        many += row % 97 == 0 ? QByteArray("\n")
                              : QByteArray::number(150 + row % 251) + ','
                + QByteArray::number(400 - row % 199) + ",1" + QByteArray::number(row % 9) + ','
                + (row % 331 == 0 ? QByteArray("abc") : QByteArray::number(100 + row % 977)) + ",0."
                + QByteArray::number(row % 50) + ",Q" + (row % 2 ? "235B" : "345") + '\n';
    QTest::newRow("3000 rows") << u"bracket"_s << many;
}

// Whole or in pieces of a few bytes, which cut a line end, a quote or a
// character of two to four bytes anywhere; on one thread or on two: the
// same bytes out.
void TestCommandLine::sameBytesHoweverRead()
{
    QFETCH(QString, calculator);
    QFETCH(QByteArray, bytes);
    const Checked whole = checkBytes(calculator, bytes);
    QVERIFY(whole.out.count("\r\n") > 2);
    QCOMPARE(checkBytes(calculator, bytes, 2), whole);
    QCOMPARE(checkBytes(calculator, bytes, 1, 7), whole);
    QCOMPARE(checkBytes(calculator, bytes, 2, 3), whole);
}

void TestCommandLine::encodingsDecided_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("records"); // the last few, as decodedRecords() shows them

    QTest::newRow("semicolons keep decimal commas")
        << QByteArray("bf1;F\r\n2,5;\"4;0\"\r\n") << u"1:bf1|F/2:2,5|4;0"_s;
    QTest::newRow("UTF-8 mark, then GBK") << QByteArray("\xEF\xBB\xBF"
                                                        "a\n\xB8\xD6\n")
                                          << u"1:a/2:钢"_s;
    QTest::newRow("GB18030's own mark") << QByteArray("\x84\x31\x95\x33"
                                                      "a\n\xB8\xD6")
                                        << u"1:a/2:钢"_s;
    QTest::newRow("UTF-8 cut by the file's end") << QByteArray("a\n\xE9") << u"1:a/!2:1"_s;
    QTest::newRow("CR line ends before a NUL") << QByteArray("a\rb\r\rc\0", 8) << u"!4:2"_s;
    QTest::newRow("GBK with a quoted line break")
        << QByteArray("a,b\n\"\xB8\xD6\r\n\xB2\xC4\",1\n") << u"1:a|b/2:钢\r\n材|1"_s;
    // Sixteen characters of UTF-8 decide it: a byte after them is wrong UTF-8.
    QTest::newRow("UTF-8 after sixteen characters")
        << (u"a\n"_s + QString(16, u'钢') + u"\n"_s).toUtf8() + "\xB8\xD6\n"
        << u"2:"_s + QString(16, u'钢') + u"/!3:1"_s;
    // Fifteen do not: C2 B7, UTF-8's ·, is GBK's 路.
    QTest::newRow("GBK after fifteen UTF-8 characters") << (u"a\n"_s + QString(15, u'·')).toUtf8()
            + "\xB8\xD6\n" << u"2:"_s + QString(15, u'路') + u'钢';
    // Past 64 KiB of ASCII, then Excel's GBK.
    QByteArray late = "a\n";
    while (late.size() < 70000)
        late += "Q235B\n";
    QTest::newRow("GBK after 64 KiB") << late + "Q\xB8\xD6\n" << u"11668:Q235B/11669:Q钢"_s;
    // UTF-8 whose 64 KiB sample ends inside a character: that cut is no
    // sign of GBK.
    QByteArray straddling = "a\n\xC2\xB7\n";
    while (straddling.size() < 2 + 65535)
        straddling += 'x';
    QTest::newRow("a character across the sample's end") << straddling
            + "\xE9\x92\xA2\n" << u"3:"_s + QString(65532, u'x') + u"钢"_s;
}

// However the bytes arrive: whole, or a few at a time, cutting characters
// of two to four bytes and line ends anywhere.
void TestCommandLine::encodingsDecided()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, records);
    std::string mark;
    if (bytes.startsWith("\x84\x31\x95\x33")
        && appendGb18030AsUtf8("\x84\x31\x95\x33", mark).bytes < 4)
        QSKIP("this platform's converter has GBK only (Wine), without GB18030's four-byte mark");
    for (const std::size_t piece : { 0, 3, 7, 1000 }) {
        if (piece && piece < 1000 && bytes.size() > 10000)
            continue; // 64 KiB a few bytes at a time is only slow
        const QString got = decodedRecords(bytes, piece);
        QVERIFY2(got.endsWith(records), qPrintable(u"%1: %2"_s.arg(piece).arg(got.right(80))));
    }
    // A message echoes a name within 24 characters, whatever their width.
    QCOMPARE(
        QString::fromStdString(echoed(std::string(30, 'x') + "\x01")), QString(24, u'x') + u'…');
    QCOMPARE(QString::fromStdString(echoed("钢材\t" + std::string(21, 'x') + "钢")),
        u"钢材?"_s + QString(21, u'x') + u'…');
}

void TestCommandLine::rowsKeepTheirLineNumbers_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR") << QByteArray("\r");
}

// Blank lines before the header and between rows, and a row whose quoted
// field holds a line end: in a spreadsheet every output row stands at its
// input row's line.
void TestCommandLine::rowsKeepTheirLineNumbers()
{
    QFETCH(QByteArray, lineEnd);
    const QByteArray table = QByteArray("\n\nbf1,F\n200,400\n\n\n\"2\n50\",abc\n300,\"5\n\n0\"\n\n")
                                 .replace("\n", lineEnd);
    const Checked checked = checkBytes(u"bracket"_s, table);
    QCOMPARE(checked.status, 0);
    const auto records = [](const QByteArray& bytes) {
        CsvParser parser;
        std::vector<CsvRecord> records;
        parser.feed(bytes.toStdString(), records);
        parser.finish(records);
        std::vector<std::pair<std::size_t, std::string>> lines;
        for (const CsvRecord& record : records)
            lines.emplace_back(record.line, record.fields.empty() ? "" : record.fields[0]);
        return lines;
    };
    QVERIFY(checked.out.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(records(checked.out.mid(3)), records(table));
    // The fault echoes the value on its one line.
    QVERIFY(checked.out.contains("\xE2\x80\x9C"
                                 "2\xE2\x86\xB5"
                                 "50\xE2\x80\x9D"));
}

// A closed choice (a bearing stiffener's 有/无) given a value it does not
// offer: the row is not clicked and its fault names the values offered.
constexpr std::string_view presence[] { "有", "无" };
constexpr FieldFacts stubFields[] {
    { .control = "Combo2", .id = "stiffener", .name = "支承加劲肋", .role = FieldRole::Information,
        .choices = presence, .designText = "有" },
    { .control = "Text1", .id = "a", .name = "a", .designText = "1" },
    { .control = "Text2", .id = "twice", .name = "2a", .role = FieldRole::Result },
};
const CalculatorEntry stub { .id = "stub",
    .fields = [] { return FieldTable(stubFields); },
    .calculate = [](FieldTexts& texts, NumberFormat) -> std::optional<Fault> {
        texts["Text2"] = texts["Text1"] + texts["Text1"];
        return std::nullopt;
    } };

void TestCommandLine::closedChoiceRowNotClicked_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("written");
    QTest::newRow("offered") << u"无,4"_s << u"无,4,44,,"_s;
    QTest::newRow("not offered")
        << u"是,4"_s << u"是,4,,“是”不是支承加劲肋的可选值（有、无）,"_s;
    QTest::newRow("blank") << u",4"_s << u",4,,“”不是支承加劲肋的可选值（有、无）,"_s;
}

void TestCommandLine::closedChoiceRowNotClicked()
{
    QFETCH(QString, row);
    QFETCH(QString, written);
    const CommandOutput output
        = checkTable(stub, (u"stiffener,a\n"_s + row + u"\n"_s).toStdString(), terminalFaultWords);
    QCOMPARE(output.status, 0);
    QCOMPARE(QString::fromStdString(output.out).split(u"\r\n"_s).value(1), written);
}

void TestCommandLine::malformedFileNamed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rowsBefore"); // written before the line at fault
    QTest::addColumn<QString>("error");

    QTest::newRow("empty") << QByteArray() << -1 << u"第 1 行：没有列出输入的表头"_s;
    QTest::newRow("blank lines only")
        << QByteArray("\n\r\n") << -1 << u"第 1 行：没有列出输入的表头"_s;
    QTest::newRow("unknown column")
        << QByteArray("bf1,Bf2\n200,200\n") << -1
        << u"第 1 行第 2 列：未知的列“Bf2”（bracket 的输入为 bf1, bf2, t1, t2, ts, hw, F, e, steelGrade, electrode, weldingMethod, weldQuality, hf, hf2, stiffener, bs, tst, cut, bearing, tc, twc, hc, columnStiffener）"_s;
    QTest::newRow("a result as input")
        << QByteArray("bf1,sigma\n") << -1 << u"第 1 行第 2 列：未知的列“sigma”"_s;
    QTest::newRow("a long name, cut") << QByteArray("bf1," + QByteArray(300, 'x') + "\n") << -1
                                      << u"第 1 行第 2 列：未知的列“xxxxxxxxxxxxxxxxxxxxxxxx…”（"_s;
    QTest::newRow("GBK name") << QByteArray("bf1,\xB8\xD6\xB2\xC4\n") << -1
                              << u"第 1 行第 2 列：未知的列“钢材”"_s;
    // GB18030's four-byte characters, inside the basic plane and beyond it.
    QTest::newRow("GB18030 name") << QByteArray("bf1,\xB8\xD6\x81\x30\x84\x36\x94\x39\xFC\x36\n")
                                  << -1 << u"第 1 行第 2 列：未知的列“钢¥😀”"_s;
    QTest::newRow("named twice") << QByteArray("F,e,F\n") << -1
                                 << u"第 1 行第 3 列：列“F”出现了两次"_s;
    QTest::newRow("short row") << QByteArray("bf1,bf2,F\n200,200,400\n\n300,300\n") << 1
                               << u"第 4 行第 3 列：这一行有 2 个字段，表头有 3 个"_s;
    QTest::newRow("long row") << QByteArray("bf1;bf2\n200;200;400\n") << 0
                              << u"第 2 行第 3 列：这一行有 3 个字段，表头有 2 个"_s;
    QTest::newRow("unclosed quote")
        << QByteArray("bf1,F\n200,\"400\n") << 0 << u"第 2 行第 2 列：引号没有闭合"_s;
    QTest::newRow("quote in a field")
        << QByteArray("bf1,F\n200,4\"00\n") << 0 << u"第 2 行第 2 列：未加引号的字段中有引号"_s;
    QTest::newRow("after a quoted line break") << QByteArray("bf1,F\n\"2\n00\",400x\n300,\"4\"00\n")
                                               << 1 << u"第 4 行第 2 列：右引号后还有文字"_s;
    QTest::newRow("neither UTF-8 nor GB18030") << QByteArray(
        "bf1,F\n200,400\n2\x80\xFF"
        "0,400\n") << 1 << u"第 3 行第 2 字节：既不是 UTF-8 也不是 GB18030（GBK）编码的文字"_s;
    QTest::newRow("NUL") << QByteArray("bf1,F\n200,400\n20\0000,400\n", 23) << 1
                         << u"第 3 行第 3 字节：含有空字节（NUL），这不是文字表格"_s;
    QTest::newRow("NUL in a line not ended")
        << QByteArray("bf1\n200\n\0", 9) << 1 << u"第 3 行第 1 字节：含有空字节（NUL）"_s;
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE"
                                          "b\0f\0",
        6) << -1 << u"第 1 行第 1 字节：文件是 UTF-16 编码的文字"_s;
    QTest::newRow("a line without end") << QByteArray("bf1\n200\n" + QByteArray((1 << 20) + 1, '2'))
                                        << 1 << u"第 3 行：这一行超过 1 MB 仍未结束"_s;
    // Past the 64 KiB that decided for UTF-8, a byte that is not.
    QByteArray utf8 = "bf1,steelGrade\n200,Q235钢\n";
    while (utf8.size() < 70000)
        utf8 += "200,Q235B\n";
    QTest::newRow("UTF-8, then not") << utf8 + "200,Q\xB8\xD6\n"
                                     << 6999 << u"第 7001 行第 6 字节：不是 UTF-8 编码的文字"_s;
}

void TestCommandLine::malformedFileNamed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rowsBefore);
    QFETCH(QString, error);
    const Checked checked = checkBytes(u"bracket"_s, bytes);
    QCOMPARE(checked.status, 2);
    if (checked.error.contains(u"没有 GB18030 的转换程序"_s)) // Wine has GBK only
        QSKIP("no GB18030 converter here");
    QVERIFY2(checked.error.startsWith(error), qPrintable(checked.error));
    QVERIFY(!checked.error.contains(u'\n'));
    // The rows before the line at fault, under the header; nothing at all for a wrong header.
    if (rowsBefore < 0)
        QVERIFY(checked.out.isEmpty());
    else
        QCOMPARE(readCsv(checked.out.toStdString()).records.size(), std::size_t(rowsBefore + 1));
}

void TestCommandLine::failedReadOrWriteStops_data()
{
    QTest::addColumn<unsigned>("threads");
    QTest::addColumn<int>("failingRead"); // the read that fails, -1 none
    QTest::addColumn<int>("failingWrite"); // the write that fails, -1 none
    QTest::addColumn<int>("outcome");

    for (const unsigned threads : { 1u, 2u }) {
        const QByteArray on = QByteArray::number(threads) + " thread(s), ";
        QTest::newRow(on + "the header's write")
            << threads << -1 << 0 << int(CheckRun::WriteFailed);
        QTest::newRow(on + "a batch's write") << threads << -1 << 3 << int(CheckRun::WriteFailed);
        QTest::newRow(on + "the first read") << threads << 0 << -1 << int(CheckRun::ReadFailed);
        QTest::newRow(on + "a later read") << threads << 10 << -1 << int(CheckRun::ReadFailed);
    }
}

// A disk that fills or a pipe that breaks mid-table: the run ends with the
// failure, without waiting on batches no one will write, and reads no
// further than it must.
void TestCommandLine::failedReadOrWriteStops()
{
    QFETCH(unsigned, threads);
    QFETCH(int, failingRead);
    QFETCH(int, failingWrite);
    QFETCH(int, outcome);
    QByteArray table = "bf1,F\n";
    for (int row = 0; row < 10000; ++row)
        table += QByteArray::number(150 + row % 200) + ",400\n"; // 20 reads
    int reads = 0, writes = 0;
    std::size_t at = 0;
    const CheckRun run = checkTable(
        *findCalculator("bracket"),
        [&](char* into, std::size_t most) -> std::optional<std::size_t> {
            if (reads++ == failingRead)
                return std::nullopt;
            const std::size_t size
                = std::min({ most, std::size_t(4096), std::size_t(table.size()) - at });
            std::memcpy(into, table.constData() + at, size);
            at += size;
            return size;
        },
        [&](std::string_view) { return writes++ != failingWrite; }, terminalFaultWords, threads);
    QCOMPARE(int(run.outcome), outcome);
    if (failingWrite >= 0) {
        QCOMPARE(writes, failingWrite + 1);
        // Reading stops within the batches in flight, not at the table's end.
        QVERIFY2(at < std::size_t(table.size()) / 2, qPrintable(QString::number(at)));
    }
}

void TestCommandLine::optimizeGivesTheTen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error"); // or the first row after the header

    const QStringList small { u"bf1=150:250:50"_s, u"bf2=150:250:50"_s, u"t1=8,12,16"_s,
        u"t2=8,12,16,20"_s, u"ts=14,16,18,20"_s, u"hw=400:600:100"_s, u"hf=8,10,12,14"_s };
    // Flanges no thinner than the web leave ts = 14 or 16 under t1 = 16.
    QTest::newRow("short heavy load")
        << (QStringList { u"F=1050"_s, u"e=0.08"_s, u"steelGrade=Q355B"_s, u"bs=140"_s, u"tst=16"_s } + small) << 0
        << u"150,150,16,16,14,500,10,11800.00,角焊缝应力,0.98"_s;
    QTest::newRow("short heavy load, options off")
        << (QStringList { u"F=1050"_s, u"e=0.08"_s, u"steelGrade=Q355B"_s, u"bs=140"_s, u"tst=16"_s, u"flange-ge-web=0"_s,
               u"tension-outstand=0"_s, u"symmetric=0"_s }
               + small)
        << 0 << u"150,150,8,8,20,400,14,10400.00,截面形心轴处的剪应力,0.96"_s;
    // 4 flange pairs of the 48 × 9 widths × 3 depths × 4 legs.
    QTest::newRow("nothing passes")
        << (QStringList { u"F=3000"_s } + small) << 1
        << u"搜索的 432 个截面中没有一个满足全部验算；最常不满足的一项：下翼缘外边的正应力"_s;
    QTest::newRow("nothing kept")
        << QStringList { u"bf1=150"_s, u"bf2=200"_s, u"symmetric=1"_s } << 1
        << u"搜索的 0 个截面中没有一个满足全部验算（构造选项排除了搜索范围内的全部截面）"_s;
    QTest::newRow("option not 0 or 1")
        << QStringList { u"symmetric=yes"_s } << 2 << u"symmetric=yes：取值为 1（是）或 0（否）"_s;
    QTest::newRow("option empty") << QStringList { u"tension-outstand="_s } << 2
                                  << u"tension-outstand=：取值为 1（是）或 0（否）"_s;
    QTest::newRow("unknown input")
        << QStringList { u"sigma=100"_s } << 2 << u"“sigma”不是牛腿 bracket 的输入"_s;
    QTest::newRow("not id=value") << QStringList { u"F"_s } << 2 << u"“F”不是 id=值 的形式"_s;
    QTest::newRow("half a range") << QStringList { u"bf1=150:400"_s } << 2
                                  << u"bf1=150:400：范围写作 始值:终值:步长"_s;
    QTest::newRow("backward range") << QStringList { u"hw=600:400:50"_s } << 2
                                    << u"hw=600:400:50：范围的终值“400”小于始值“600”。"_s;
    QTest::newRow("a long value, cut")
        << QStringList { u"t1=8,"_s + QString(100, u'9') + u'x' } << 2
        << u"t1=8,9999999999999999999999…：“999999999999999999999999…”不是大于零的尺寸。"_s;
    QTest::newRow("too large") << QStringList { u"hw=300:900:100"_s } << 2
                               << u"搜索范围的截面多于 5000 万个：请缩小范围或加大步长。"_s;
    QTest::newRow("load no number")
        << QStringList { u"F=abc"_s } << 2 << u"“竖向压力设计值F”中的“abc”不是有效的数字。"_s;
    QTest::newRow("a long load, cut")
        << QStringList { u"F=abc"_s + QString(100, u'x') } << 2
        << u"“竖向压力设计值F”中的“abc"_s + QString(21, u'x') + u"…”不是有效的数字。"_s;
    // A size given twice is one size: the same ten, each once.
    QTest::newRow("repeated sizes")
        << (QStringList { u"F=1050"_s, u"e=0.08"_s, u"steelGrade=Q355B"_s, u"bs=140"_s, u"tst=16"_s } + small
               + QStringList { u"t1=8,8,12,16,16.0"_s, u"hf=8,8,10,12,14,14"_s })
        << 0 << u"150,150,16,16,14,500,10,11800.00,角焊缝应力,0.98"_s;
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

void TestCommandLine::optimizeSectionGivesTheTen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("space"); // B, H, tw, t as the dialog reads them
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");

    const QStringList wide { u"150:600:10"_s, u"200:1200:10"_s, u"6,8,10,12,14,16,18,20"_s,
        u"8,10,12,14,16,18,20,22,25,28,30,32,36,40"_s };
    const QStringList forces { u"N=1500"_s, u"M=300"_s, u"L=6000"_s, u"steelGrade=Q345B"_s };
    QTest::newRow("default space") << forces << wide << 0 << QString();
    QTest::newRow("flame-cut, braced, a narrower space")
        << (forces
               + QStringList { u"flangeEdges=焰切边"_s, u"muY=1"_s, u"betaTx=0.65"_s,
                   u"B=200:400:20"_s, u"H=400:800:50"_s, u"tw=8,10"_s, u"t=12,14,16,20,40"_s })
        << QStringList { u"200:400:20"_s, u"400:800:50"_s, u"8,10"_s, u"12,14,16,20,40"_s } << 0
        << QString();
    QTest::newRow("nothing passes")
        << (forces + QStringList { u"B=150:200:50"_s, u"H=300,400"_s, u"tw=6"_s, u"t=8"_s })
        << QStringList {} << 1
        << u"搜索的 4 个截面中没有一个满足全部验算；最常不满足的一项：强度"_s;
    QTest::newRow("an output is no input")
        << QStringList { u"A=100"_s } << QStringList {} << 2 << u"“A”不是工字型截面 section 的输入"_s;
    QTest::newRow("half a range") << QStringList { u"H=200:400"_s } << QStringList {} << 2
                                  << u"H=200:400：范围写作 始值:终值:步长"_s;
    QTest::newRow("force no number") << QStringList { u"N=abc"_s } << QStringList {} << 2
                                     << u"“轴力N”中的“abc”不是有效的数字。"_s;
    QTest::newRow("unknown grade")
        << QStringList { u"steelGrade=Q999"_s } << QStringList {} << 2
        << u"钢材牌号“Q999”无法识别（应为Q235、Q345、Q355、Q390、Q420或Q460，可带质量等级A～E），"
           "设计强度与截面等级无法确定，任何截面都不能满足全部验算：请先改正钢材。"_s;
}

// The CSV's rows are the ten the dialog's search finds on the same texts.
void TestCommandLine::optimizeSectionGivesTheTen()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, space);
    QFETCH(int, status);
    QFETCH(QString, error);
    std::vector<std::string> given;
    for (const QString& argument : arguments)
        given.push_back(argument.toStdString());
    const CommandOutput output = optimizeSection(given, terminalFaultWords);
    QCOMPARE(output.status, status);
    if (status != 0) {
        QCOMPARE(QString::fromStdString(output.error), error);
        return;
    }
    FieldTexts window = designTimeTexts(sectionFields());
    const QStringList searched { u"B"_s, u"H"_s, u"tw"_s, u"t"_s };
    for (const QString& argument : arguments) {
        const QString id = argument.section(u'=', 0, 0);
        for (const FieldFacts& facts : sectionFields())
            if (QString::fromUtf8(facts.id) == id && !searched.contains(id))
                window[std::string(facts.control)] = argument.section(u'=', 1).toStdString();
    }
    const auto sizes = [&](const QString& written) {
        const QStringList range = written.split(u':');
        return (range.size() == 3 ? sizesInRange(range[0].toStdString(), range[1].toStdString(),
                                        range[2].toStdString(), NumberFormat {})
                                  : sizesInList(written.toStdString(), NumberFormat {}))
            .sizes;
    };
    const SectionSearch dialog = searchLightestSection(window,
        { sizes(space[0]), sizes(space[1]), sizes(space[2]), sizes(space[3]) }, NumberFormat {});
    QCOMPARE(dialog.best.size(), std::size_t(10));
    const CsvTable table = readCsv(output.out);
    QCOMPARE(table.records.size(), std::size_t(11));
    QCOMPARE(QString::fromStdString(csvRecord(table.records[0].fields)),
        u"B,H,tw,t,A,governing,ratio\r\n"_s);
    for (std::size_t row = 0; row < 10; ++row) {
        const SectionCandidate& candidate = dialog.best[row];
        const std::vector<std::string> expected { candidate.sizes[0], candidate.sizes[1],
            candidate.sizes[2], candidate.sizes[3], candidate.areaText,
            std::string(sectionChecks()[candidate.governing].caption), candidate.ratioText };
        QCOMPARE(QString::fromStdString(csvRecord(table.records[row + 1].fields)),
            QString::fromStdString(csvRecord(expected)));
    }
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
