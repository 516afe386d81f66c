// The bracket check on field texts: the section and stress stages, the
// two-decimal pass, where each fault stops, and the six design checks.
// Expected figures come from an independent computation of the same steps.

#include "bracketcalculation.h"
#include "bracketverdicts.h"
#include "fieldpairs.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FaultKind)

namespace {

const NumberFormat point { U'.' };

FieldTexts withTyped(const QString& typed)
{
    FieldTexts fields { { "Text1", "200" }, { "Text2", "200" }, { "Text3", "12" },
        { "Text4", "12" }, { "Text5", "10" }, { "Text6", "500" }, { "Text7", "400" },
        { "Text8", ".45" }, { "Text12", "10" },
        // shown for information only; the check never reads them
        { "Text9", "E43" }, { "Text10", "手工焊" }, { "Text11", "三级" } };
    return fieldPairs(typed, fields);
}

QString outputName(int n)
{
    return u"Text%1"_s.arg(n);
}

} // namespace

class TestBracketCalculation : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void generalTextsBeforeThePass();
    void faults_data();
    void faults();
    void aSecondClickWritesTheSameTexts();
    void limits_data();
    void limits();
    void judgementOfTheDefaults();
    void judgementStopsAtATextThatIsNoNumber();
    void defaultsUnderACommaLocale();
};

void TestBracketCalculation::figures_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults")
        << u""_s
        << u"Text13=180.00 Text14=400.00 Text15=9800.00 Text16=254.53 Text17=919710.76 "
           "Text18=1.47 Text19=415149400.00 Text20=1593476.52 Text21=1575702.61 Text22=114.23 "
           "Text23=88.61 Text24=1650894.40 Text25=617926.54 Text26=109.03 Text27=59.54 "
           "Text28=150.07 Text29=357.14 Text30=148.81 Text31=148.81 Text32=59.52"_s;
    // A wider lower flange pulls the axis below the web's centre: a < 0.
    QTest::newRow("bf1 100, bf2 300")
        << u"Text1=100 Text2=300"_s
        << u"Text16=316.49 Text17=861807.38 Text18=-60.49 Text19=603257600.00 Text20=1870625.32 "
           "Text21=2993682.81 Text22=60.13 Text23=57.14 Text24=3183246.19 Text25=703836.69 "
           "Text26=56.55 Text27=46.67 Text28=98.65 Text29=357.14 Text30=297.62 Text31=99.21 "
           "Text32=59.52"_s;
    // Seven whole digits above 2²³, where a Single's last place is 1: one unit
    // off in M = F·e or in An would show (every product here is exact).
    QTest::newRow("M and An where the last place shows")
        << u"Text1=4500 Text2=4500 Text3=1000 Text4=1000 Text5=1 Text6=100 Text7=9000100 Text8=1"_s
        << u"Text13=9000100.00 Text14=9000100.00 Text15=9000100.00"_s;
    QTest::newRow("F 0")
        << u"Text7=0"_s
        << u"Text13=0.00 Text14=0.00 Text22=0.00 Text23=0.00 Text26=0.00 Text27=0.00 "
           "Text28=0.00 Text29=0.00 Text30=0.00 Text31=0.00 Text32=0.00"_s;
    // No moment; the shear stresses remain.
    QTest::newRow("e 0")
        << u"Text8=0"_s
        << u"Text13=0.00 Text14=400.00 Text22=0.00 Text23=88.61 Text26=0.00 Text27=59.54 "
           "Text28=103.12 Text29=0.00 Text30=0.00 Text31=0.00 Text32=59.52"_s;
    QTest::newRow("negative F")
        << u"Text7=-400"_s
        << u"Text13=-180.00 Text14=-400.00 Text22=-114.23 Text23=-88.61 Text26=-109.03 "
           "Text27=-59.54 Text28=150.07 Text29=-357.14 Text30=-148.81 Text31=-148.81 "
           "Text32=-59.52"_s;
    // V is the two-decimal text of the Single F's seven digits.
    QTest::newRow("F 1.005")
        << u"Text7=1.005"_s
        << u"Text13=0.45 Text14=1.01 Text22=0.29 Text23=0.22 Text28=0.38 Text29=0.90 Text32=0.15"_s;
    QTest::newRow("F 400.0 gives V 400.00") << u"Text7=400.0"_s << u"Text14=400.00"_s;
    QTest::newRow("F .5") << u"Text7=.5"_s << u"Text14=0.50"_s;
    QTest::newRow("unequal plates")
        << u"Text1=150 Text2=250 Text3=14 Text4=16 Text5=12 Text6=450 Text7=520.5 Text8=.38 "
           "Text12=8"_s
        << u"Text13=197.79 Text14=520.50 Text15=11500.00 Text16=267.90 Text17=970980.15 "
           "Text18=-35.90 Text19=535868200.00 Text20=1949351.22 Text21=2625462.02 Text22=75.34 "
           "Text23=78.59 Text24=2833717.05 Text25=788417.36 Text26=69.80 Text27=63.82 "
           "Text28=130.73 Text29=429.98 Text30=204.75 Text31=107.49 Text32=108.08"_s;
    QTest::newRow("heavy load")
        << u"Text7=700 Text8=0.6"_s
        << u"Text22=266.55 Text23=155.08 Text28=311.91 Text30=347.22 Text31=347.22 Text32=104.17"_s;
    // hf enters only the fillet weld stress.
    QTest::newRow("hf 8") << u"Text12=8"_s << u"Text29=357.14 Text31=148.81 Text32=74.40"_s;
    QTest::newRow("materials are not read")
        << u"Text9=x Text10= Text11=?"_s << u"Text22=114.23 Text32=59.52"_s;
}

void TestBracketCalculation::figures()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    FieldTexts fields = withTyped(typed);
    const std::optional<Fault> fault = calculateBracket(fields, point);
    QVERIFY2(!fault, fault ? fault->field.c_str() : "");
    QCOMPARE(mismatches(fields, fieldPairs(expected)), QStringList());
    // After the pass every output is two-decimal text.
    for (int n = 13; n <= 32; ++n) {
        const QString text = textOf(fields, outputName(n));
        QVERIFY2(text.size() >= 4 && text[text.size() - 3] == u'.', qPrintable(text));
    }
}

void TestBracketCalculation::generalTextsBeforeThePass()
{
    // hf 0 stops the check at the fillet weld, before the two-decimal pass:
    // what the steps wrote is still their general text.
    FieldTexts fields = withTyped(u"Text12=0"_s);
    fields.insert_or_assign((u"Text32"_s).toStdString(), std::string("old"));
    const std::optional<Fault> fault = calculateBracket(fields, point);
    QVERIFY(fault);
    QCOMPARE(
        mismatches(fields,
            fieldPairs(
                u"Text13=180 Text14=400 Text15=9800 Text16=254.530612244898 Text17=919710.75587478 "
                "Text18=1.46939086914062 Text19=4.151494E+08 Text20=1593476.51849798 "
                "Text21=1575702.61437389 Text22=114.234752893174 Text23=88.61491 "
                "Text24=1650894.39539795 Text25=617926.538085938 Text26=109.031807547333 "
                "Text27=59.53775 Text28=150.073868530217 Text29=357.1429 Text30=148.8095 "
                "Text31=148.8095 Text32=old"_s)),
        QStringList());
}

void TestBracketCalculation::faults_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<FaultKind>("kind");
    QTest::addColumn<int>("firstUnwritten"); // the first output left with its old text

    QTest::newRow("bf1 not a number")
        << u"Text1=abc"_s << u"Text1"_s << FaultKind::NotANumber << 13;
    QTest::newRow("hf read with the others")
        << u"Text12="_s << u"Text12"_s << FaultKind::NotANumber << 13;
    QTest::newRow("e 0,45 is not 0.45")
        << u"Text8=0,45"_s << u"Text8"_s << FaultKind::NotANumber << 13;
    QTest::newRow("F beyond a Single")
        << u"Text7=1e39"_s << u"Text7"_s << FaultKind::OutOfRange << 13;
    QTest::newRow("all plates 0: y is 0/0") << u"Text1=0 Text2=0 Text3=0 Text4=0 Text5=0 Text6=0"_s
                                            << u"Text16"_s << FaultKind::InvalidOperation << 16;
    QTest::newRow("F overflows the Single shear stress")
        << u"Text7=3e38 Text8=1"_s << u"Text23"_s << FaultKind::OutOfRange << 23;
    QTest::newRow("depth of 20 mm divides the flange force")
        << u"Text3=5 Text4=5 Text6=10"_s << u"Text29"_s << FaultKind::DivisionByZero << 29;
    QTest::newRow("t1 0 divides the upper weld stress")
        << u"Text3=0"_s << u"Text30"_s << FaultKind::DivisionByZero << 30;
    QTest::newRow("bf2 0 divides the lower weld stress")
        << u"Text2=0"_s << u"Text31"_s << FaultKind::DivisionByZero << 31;
    QTest::newRow("hf 0") << u"Text12=0"_s << u"Text32"_s << FaultKind::DivisionByZero << 32;
    QTest::newRow("hw 20") << u"Text6=20"_s << u"Text32"_s << FaultKind::DivisionByZero << 32;
}

void TestBracketCalculation::faults()
{
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(FaultKind, kind);
    QFETCH(int, firstUnwritten);

    FieldTexts fields = withTyped(typed);
    for (int n = 13; n <= 32; ++n)
        fields.insert_or_assign((outputName(n)).toStdString(), std::string("old"));
    const std::optional<Fault> fault = calculateBracket(fields, point);
    QVERIFY(fault);
    QCOMPARE(QString::fromStdString(fault->field), field);
    QCOMPARE(int(fault->kind), int(kind));
    for (int n = 13; n <= 32; ++n) {
        const QString text = textOf(fields, outputName(n));
        if (n < firstUnwritten)
            // new, and still general text: the two-decimal pass has not run
            QVERIFY2(text != u"old"_s && !text.endsWith(u".00"_s),
                qPrintable(outputName(n) + u'=' + text));
        else
            QCOMPARE(outputName(n) + u'=' + text, outputName(n) + u"=old"_s);
    }
}

void TestBracketCalculation::aSecondClickWritesTheSameTexts()
{
    FieldTexts once = withTyped(u"Text1=100 Text2=300"_s);
    QVERIFY(!calculateBracket(once, point));
    FieldTexts twice = once;
    QVERIFY(!calculateBracket(twice, point));
    QCOMPARE(twice, once);
}

void TestBracketCalculation::limits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stress");
    QTest::addColumn<bool>("met");

    QTest::newRow("σ 214.99") << u"Text22"_s << u"214.99"_s << true;
    QTest::newRow("σ 215.00") << u"Text22"_s << u"215.00"_s << false;
    QTest::newRow("τ 215.00") << u"Text23"_s << u"215.00"_s << false;
    QTest::newRow("τ 214.99") << u"Text23"_s << u"214.99"_s << true;
    QTest::newRow("equivalent 236.50 within 1.1 f") << u"Text28"_s << u"236.50"_s << true;
    QTest::newRow("equivalent 236.51") << u"Text28"_s << u"236.51"_s << false;
    QTest::newRow("upper weld 185.00") << u"Text30"_s << u"185.00"_s << false;
    QTest::newRow("upper weld 184.99") << u"Text30"_s << u"184.99"_s << true;
    QTest::newRow("lower weld 215.00") << u"Text31"_s << u"215.00"_s << false;
    QTest::newRow("lower weld 214.99") << u"Text31"_s << u"214.99"_s << true;
    QTest::newRow("fillet 160.00") << u"Text32"_s << u"160.00"_s << false;
    QTest::newRow("fillet 159.99") << u"Text32"_s << u"159.99"_s << true;
    // Compression is judged by its magnitude.
    QTest::newRow("σ -300.00 fails") << u"Text22"_s << u"-300.00"_s << false;
    QTest::newRow("σ -215.00 fails") << u"Text22"_s << u"-215.00"_s << false;
    QTest::newRow("σ -214.99 passes") << u"Text22"_s << u"-214.99"_s << true;
    QTest::newRow("fillet -160.00 fails") << u"Text32"_s << u"-160.00"_s << false;
    QTest::newRow("zero passes") << u"Text32"_s << u"0.00"_s << true;
}

void TestBracketCalculation::limits()
{
    QFETCH(QString, field);
    QFETCH(QString, stress);
    QFETCH(bool, met);
    FieldTexts fields
        = fieldPairs(u"Text22=1.00 Text23=1.00 Text28=1.00 Text30=1.00 Text31=1.00 Text32=1.00"_s);
    fields.insert_or_assign((field).toStdString(), QString(stress).toStdString());
    const BracketVerdicts verdicts = judgeBracket(fields, point);
    QVERIFY(!verdicts.fault);
    QCOMPARE(verdicts.met.size(), std::size_t(6));
    const auto& checks = bracketDesignChecks();
    for (std::size_t row = 0; row < checks.size(); ++row)
        QCOMPARE(verdicts.met[row], checks[row].field == field.toStdString() ? met : true);
}

void TestBracketCalculation::judgementOfTheDefaults()
{
    FieldTexts fields = withTyped({});
    QVERIFY(!calculateBracket(fields, point));
    QCOMPARE(judgeBracket(fields, point).met, std::vector<bool>(6, true));

    FieldTexts heavy = withTyped(u"Text7=700 Text8=0.6"_s);
    QVERIFY(!calculateBracket(heavy, point));
    QCOMPARE(judgeBracket(heavy, point).met,
        (std::vector<bool> { false, true, false, false, false, true }));
}

void TestBracketCalculation::judgementStopsAtATextThatIsNoNumber()
{
    const FieldTexts fields = fieldPairs(u"Text22=1.00 Text23=300.00 Text28="_s);
    const BracketVerdicts verdicts = judgeBracket(fields, point);
    QCOMPARE(verdicts.met, (std::vector<bool> { true, false }));
    QVERIFY(verdicts.fault);
    QCOMPARE(QString::fromStdString(verdicts.fault->field), u"Text28"_s);
}

void TestBracketCalculation::defaultsUnderACommaLocale()
{
    // The window's own e ".45" is read with a point wherever the separator
    // is a comma; the results are written with the comma.
    FieldTexts fields = withTyped({});
    const NumberFormat comma { U',' };
    QCOMPARE(calculateBracket(fields, comma).has_value(), false);
    QCOMPARE(textOf(fields, u"Text13"_s), u"180,00"_s);
    QCOMPARE(textOf(fields, u"Text19"_s), u"415149400,00"_s);
    QCOMPARE(textOf(fields, u"Text28"_s), u"150,07"_s);
    QCOMPARE(judgeBracket(fields, comma).met, std::vector<bool>(6, true));
}

QTEST_GUILESS_MAIN(TestBracketCalculation)
#include "tst_bracketcalculation.moc"
