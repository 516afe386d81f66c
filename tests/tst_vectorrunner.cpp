// The vector runner (tests/vectors) checked against figures the calculation
// tests already hold, so that it cannot drift from the program; its escaped
// texts; its handling of malformed step files; the generator's steps; and the
// windows whose texts it carries from click to click.

#include "click.h"
#include "fieldbinding.h"
#include "form1.h"
#include "generator.h"
#include "sectionform.h"
#include "steptext.h"

#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Calculator)

namespace {

// Known steps; the figures are those of tst_sectioncalculation and
// tst_bracketcalculation.
const QByteArray knownSteps = R"(# the I-section window as it opens
section .
section . Text1=200 Text2=400 Text3=8 Text4=12.5
# B not a number: the results of the step before stay
section . Text1=a\sb
# nothing typed: the window still holds it
section .
section . Text1=200
section , new Text1=200 Text2=400 Text3=8 Text4=12,5
bracket .
bracket . Text7=700 Text8=0.6
bracket . new Text12=0
section . new Text4=-1
# a negative plate: no verdict
bracket . new Text3=-12
)";

struct RunResult {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

RunResult runRunner(const QByteArray& steps)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.steps"_s);
    const QString out = dir.filePath(u"out.txt"_s);
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(steps);
    file.close();

    QProcess runner;
    runner.start(QStringLiteral(STELVANA_VECTORS), { u"run"_s, in, out });
    if (!runner.waitForFinished(60'000))
        return {};
    RunResult result { runner.exitCode(), {}, runner.readAllStandardError() };
    QFile written(out);
    if (written.open(QIODevice::ReadOnly))
        result.output = written.readAll();
    return result;
}

// The lines of each step's record, header first.
QList<QList<QByteArray>> records(const QByteArray& output)
{
    QList<QList<QByteArray>> steps;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("step "))
            steps.append(QList<QByteArray>());
        if (!steps.isEmpty() && !line.isEmpty())
            steps.last().append(line);
    }
    return steps;
}

QByteArray bytes(const std::string& s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

} // namespace

class TestVectorRunner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowsLineEnds();
    void records_data();
    void records();
    void escaping_data();
    void escaping();
    void malformedEscapes_data();
    void malformedEscapes();
    void malformedStepFiles_data();
    void malformedStepFiles();
    void generatedStepsAreWindowInput_data();
    void generatedStepsAreWindowInput();
    void designTimeTextsAreTheWindows();
    void windowsCarryTheirTexts_data();
    void windowsCarryTheirTexts();

private:
    QByteArray m_output;
    QList<QList<QByteArray>> m_records;
};

void TestVectorRunner::initTestCase()
{
    const RunResult run = runRunner(knownSteps);
    QVERIFY2(run.exitCode == 0, run.errors.constData());
    QVERIFY(!run.output.contains('\r'));
    m_output = run.output;
    m_records = ::records(run.output);
    QCOMPARE(m_records.size(), 11);
}

// A step file checked out with Windows line ends gives the same output.
void TestVectorRunner::windowsLineEnds()
{
    QByteArray crlf = knownSteps;
    crlf.replace("\n", "\r\n");
    const RunResult run = runRunner(crlf);
    QVERIFY2(run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.output, m_output);
}

void TestVectorRunner::records_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("expected"); // lines the step's record holds, '|' between them
    QTest::addColumn<QString>("absent"); // lines it must not hold

    QTest::newRow("I-section defaults")
        << 1
        << u"step 1 section .|Text1=400|Text5=8104|Text6=147909685.33|Text7=85338445.33|"
           "Text8=135.10|Text9=102.62|Text10=986064.57|Text11=426692.23|Text14=138.18|"
           "Text15=138.18|Text17=20000.00|Text18=148.04|Text19=194.89|Text21=63.6164|"
           "Text22=636.164|fault none|verdicts 1010--"_s
        << QString();
    QTest::newRow("second set")
        << 2
        << u"Text1=200|Text4=12.5|Text5=8000|Text6=222916666.67|Text7=16682666.67|Text8=166.93|"
           "Text9=45.67|Text10=1114583.33|Text11=166826.67|Text14=124.62|Text15=119.58|"
           "Text17=20000.00|Text18=119.81|Text19=437.92|Text21=62.8|Text22=628|fault none"_s
        << QString();
    QTest::newRow("a fault leaves the last results")
        << 3 << u"Text1=a\\sb|Text5=8000|Text22=628|fault Text1 NotANumber text=a\\sb"_s
        << u"fault none"_s;
    QTest::newRow("the texts are carried")
        << 4 << u"Text1=a\\sb|Text4=12.5|fault Text1 NotANumber text=a\\sb"_s << QString();
    QTest::newRow("mended") << 5 << u"Text5=8000|Text8=166.93|fault none"_s << QString();
    QTest::newRow("new window in a comma locale")
        << 6 << u"step 6 section ,|Text12=150|Text8=166,93|Text21=62,8|fault none"_s << QString();
    QTest::newRow("bracket defaults")
        << 7
        << u"step 7 bracket "
           u".|Text8=.45|"
           "Text13=180.00|Text14=400.00|Text15=9800.00|Text16=256.00|Text17=926900.00|"
           "Text18=0.00|Text19=418739500.00|Text20=1598242.32|Text21=1598242.32|Text22=112.62|"
           "Text23=88.54|Text24=1674957.95|Text25=614400.00|Text26=107.47|Text27=58.69|"
           "Text28=147.93|Text29=357.14|Text30=148.81|Text31=148.81|Text32=59.52|fault none|"
           "verdicts 11111111111n111111111"_s
        << QString();
    QTest::newRow("heavy load fails six checks")
        << 8
        << u"Text22=262.79|Text23=154.95|Text28=307.45|Text30=347.22|Text31=347.22|Text32=104.17|"
           "verdicts 00000101111n011111111"_s
        << QString();
    // The verdict window opens only after a complete calculation.
    QTest::newRow("hf 0 stops before the two-decimal pass")
        << 9
        << u"Text12=0|Text16=256|Text19=4.187395E+08|Text31=148.8095|Text32=|"
           "fault Text32 DivisionByZero text="_s
        << u"verdicts"_s;
    QTest::newRow("negative Ix/A under the root")
        << 10 << u"Text4=-1|Text21=Text21|fault Text8 InvalidOperation text="_s << QString();
    QTest::newRow("not judged") << 11 << u"Text3=-12|fault none|verdicts ---------------------"_s
                                << QString();
}

void TestVectorRunner::records()
{
    QFETCH(int, step);
    QFETCH(QString, expected);
    QFETCH(QString, absent);
    const QList<QByteArray>& record = m_records.at(step - 1);
    QVERIFY(record.first().startsWith("step " + QByteArray::number(step) + ' '));
    for (const QString& line : expected.split(u'|'))
        QVERIFY2(record.contains(line.toUtf8()), qPrintable(line));
    for (const QString& line : absent.split(u'|', Qt::SkipEmptyParts))
        for (const QByteArray& have : record)
            QVERIFY2(!have.startsWith(line.toUtf8()), have.constData());
}

void TestVectorRunner::escaping_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("escaped");

    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("printable ASCII") << "E43-1.5e+3"_ba
                                     << "E43-1.5e+3"_ba;
    QTest::newRow("blanks and line ends") << " \t\n\r"_ba
                                          << R"(\s\t\n\r)"_ba;
    QTest::newRow("backslash") << R"(a\b)"_ba
                               << R"(a\\b)"_ba;
    QTest::newRow("CJK") << "\xE6\x89\x8B\xE5\xB7\xA5\xE7\x84\x8A"_ba
                         << R"(\u{624B}\u{5DE5}\u{710A})"_ba;
    QTest::newRow("no-break space, four-byte digit") << "\xC2\xA0\xF0\x9D\x9F\x8E"_ba
                                                     << R"(\u{00A0}\u{1D7CE})"_ba;
    QTest::newRow("ASCII controls and DEL") << "\x01\x1F\x7F"_ba
                                            << R"(\x01\x1F\x7F)"_ba;
    QTest::newRow("overlong slash") << "\xC0\xAF"_ba
                                    << R"(\xC0\xAF)"_ba;
    QTest::newRow("encoded surrogate") << "\xED\xA0\x80"_ba
                                       << R"(\xED\xA0\x80)"_ba;
    QTest::newRow("cut sequence, then ASCII") << "\xE6\x89"
                                                 "1"_ba
                                              << R"(\xE6\x891)"_ba;
    QTest::newRow("past U+10FFFF") << "\xF4\x90\x80\x80"_ba
                                   << R"(\xF4\x90\x80\x80)"_ba;
}

void TestVectorRunner::escaping()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, escaped);
    QCOMPARE(bytes(escapeText(text.toStdString())), escaped);
    const std::optional<std::string> back = unescapeText(escaped.toStdString());
    QVERIFY(back);
    QCOMPARE(bytes(*back), text);
}

void TestVectorRunner::malformedEscapes_data()
{
    QTest::addColumn<QByteArray>("escaped");

    QTest::newRow("lone backslash at the end") << R"(1\)"_ba;
    QTest::newRow("unknown escape") << R"(\q)"_ba;
    QTest::newRow("raw blank") << "1 2"_ba;
    QTest::newRow("raw byte past ASCII") << "\xE6\x89\x8B"_ba;
    QTest::newRow("short \\x") << R"(\x4)"_ba;
    QTest::newRow("small letters in \\x") << R"(\x7f)"_ba;
    QTest::newRow("small letters in \\u") << R"(\u{624b})"_ba;
    QTest::newRow("ASCII written as \\u") << R"(\u{0041})"_ba;
    QTest::newRow("surrogate") << R"(\u{D800})"_ba;
    QTest::newRow("past U+10FFFF") << R"(\u{110000})"_ba;
    QTest::newRow("empty braces") << R"(\u{})"_ba;
    QTest::newRow("unclosed") << R"(\u{624B)"_ba;
}

void TestVectorRunner::malformedEscapes()
{
    QFETCH(QByteArray, escaped);
    QVERIFY(!unescapeText(escaped.toStdString()));
}

void TestVectorRunner::malformedStepFiles_data()
{
    QTest::addColumn<QByteArray>("steps");
    QTest::addColumn<QByteArray>("where"); // the line the runner names

    QTest::newRow("unknown calculator") << "frame .\n"_ba
                                        << ":1: the calculator"_ba;
    QTest::newRow("no separator") << "section\n"_ba
                                  << ":1: no decimal separator"_ba;
    QTest::newRow("two-character separator") << "section ..\n"_ba
                                             << ":1: the decimal separator"_ba;
    QTest::newRow("typed without =") << "section . Text1\n"_ba
                                     << ":1: a typed field"_ba;
    QTest::newRow("two blanks") << "section .  Text1=1\n"_ba
                                << ":1: a typed field"_ba;
    QTest::newRow("bad escape, after a comment and a blank line")
        << "# steps\n\nsection . Text1=\\q\n"_ba
        << ":3: the text typed into Text1"_ba;
    QTest::newRow("a field the window lacks") << "section .\nsection . Text32=1\n"_ba
                                              << ":2: the window has no field Text32"_ba;
}

void TestVectorRunner::malformedStepFiles()
{
    QFETCH(QByteArray, steps);
    QFETCH(QByteArray, where);
    const RunResult run = runRunner(steps);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(where), run.errors.constData());
}

void TestVectorRunner::generatedStepsAreWindowInput_data()
{
    QTest::addColumn<Calculator>("calculator");
    for (const CalculatorEntry& entry : calculators())
        QTest::newRow(std::string(entry.id).c_str()) << &entry;
}

void TestVectorRunner::generatedStepsAreWindowInput()
{
    QFETCH(Calculator, calculator);
    const std::vector<Step> steps = generateSteps(calculator, 7, 3000);
    const WindowTexts window = windowAsOpened(calculator);
    std::size_t comma = 0;
    for (const Step& step : steps) {
        const std::string line = formatStep(step);
        const StepParse parsed = parseStep(line);
        QVERIFY2(parsed.step, line.c_str());
        QCOMPARE(bytes(formatStep(*parsed.step)), bytes(line));
        for (const auto& [field, text] : step.typed)
            QVERIFY2(window.contains(field), field.c_str());
        comma += step.separator == U',';
    }
    // A share of the steps runs in a comma locale.
    QVERIFY2(
        comma > steps.size() / 10 && comma < steps.size() / 2, qPrintable(QString::number(comma)));

    const std::vector<Step> again = generateSteps(calculator, 7, 3000);
    const std::vector<Step> other = generateSteps(calculator, 8, 3000);
    const auto same = [](const std::vector<Step>& a, const std::vector<Step>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
            [](const Step& x, const Step& y) { return formatStep(x) == formatStep(y); });
    };
    QVERIFY(same(steps, again));
    QVERIFY(!same(steps, other));
}

void TestVectorRunner::designTimeTextsAreTheWindows()
{
    SectionForm section;
    QCOMPARE(readFieldTexts(&section), windowAsOpened(findCalculator("section")));
    Form1 bracket;
    QCOMPARE(readFieldTexts(&bracket), windowAsOpened(findCalculator("bracket")));
}

// Between clicks a window hands the calculation what the field holds and
// takes back what it returns; a text no step rewrites comes back unchanged.
void TestVectorRunner::windowsCarryTheirTexts_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("leading U+FEFF") << u"\uFEFF12.5"_s;
    QTest::newRow("U+FEFF alone") << u"\uFEFF"_s;
    QTest::newRow("trailing U+FEFF") << u"12.5\uFEFF"_s;
    QTest::newRow("no-break and ideographic spaces") << u"\u00A012.5\u3000"_s;
    QTest::newRow("full-width") << u"\uFF14\uFF10\uFF10\u3002\uFF15"_s;
    QTest::newRow("ten thousand digits") << QString(10'000, u'7');
}

void TestVectorRunner::windowsCarryTheirTexts()
{
    QFETCH(QString, typed);
    SectionForm form;
    auto* field = form.findChild<QLineEdit*>(u"Text13"_s);
    QVERIFY(field);
    field->setText(typed);
    FieldTexts texts = readFieldTexts(&form);
    QCOMPARE(bytes(texts.at("Text13")), typed.toUtf8());
    writeFieldTexts(&form, texts);
    QCOMPARE(field->text(), typed);
}

QTEST_MAIN(TestVectorRunner)
#include "tst_vectorrunner.moc"
