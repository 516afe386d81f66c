// The bracket check on field texts: the section and stress stages, the
// two-decimal pass, where each fault stops, and the eleven design checks.
// Expected figures come from an independent computation of the same steps,
// and each was checked against the section taken as three plates, each at its
// own distance from the centroidal axis, in double precision: they agree to
// the seventh digit that In keeps as a Single.

#include "bracketcalculation.h"
#include "exactfloat.h"
#include "bracketfields.h"
#include "bracketverdicts.h"
#include "fieldpairs.h"
#include "steelgrade.h"
#include "verdictsigns.h"
#include "webpanel.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FaultKind)

namespace {

const NumberFormat point { U'.' };

// The window as it opens, the materials shown and the steel grade chosen
// included, with `typed` typed into it.
FieldTexts withTyped(const QString& typed)
{
    return fieldPairs(typed, designTimeTexts(bracketFields()));
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
    void generalTextsBeforeThePass_data();
    void generalTextsBeforeThePass();
    void faults_data();
    void faults();
    void aSecondClickWritesTheSameTexts();
    void limits_data();
    void limits();
    void judgement_data();
    void judgement();
    void materialStrengths_data();
    void materialStrengths();
    void webPanels_data();
    void webPanels();
    void notes_data();
    void notes();
    void grades_data();
    void grades();
    void judgementStopsAtATextThatIsNoNumber_data();
    void judgementStopsAtATextThatIsNoNumber();
    void defaultsUnderACommaLocale();
};

void TestBracketCalculation::figures_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    // Equal flanges: the axis at mid-depth, 250 + 6 below the upper flange's
    // centre, the web's centre on it.
    QTest::newRow("defaults")
        << u""_s
        << u"Text13=180.00 Text14=400.00 Text15=9800.00 Text16=256.00 Text17=926900.00 "
           "Text18=0.00 Text19=418739500.00 Text20=1598242.32 Text21=1598242.32 Text22=112.62 "
           "Text23=88.54 Text24=1674957.95 Text25=614400.00 Text26=107.47 Text27=58.69 "
           "Text28=147.93 Text29=357.14 Text30=148.81 Text31=148.81 Text32=59.52"_s;
    // A wider lower flange pulls the axis below the web's centre: a < 0. The
    // section has In 380 220 348 mm⁴.
    QTest::newRow("bf1 100, bf2 300")
        << u"Text1=100 Text2=300"_s
        << u"Text16=318.69 Text17=871319.96 Text18=-62.69 Text19=380220400.00 Text20=1171011.96 "
           "Text21=1907720.71 Text22=94.35 Text23=91.66 Text24=2029941.21 Text25=695902.04 "
           "Text26=88.67 Text27=73.21 Text28=154.73 Text29=357.14 Text30=297.62 Text31=99.21 "
           "Text32=59.52"_s;
    // A short lever arm and a heavy shear: τ and the equivalent stress govern.
    QTest::newRow("bf2 400, F 1050, e 0.08")
        << u"Text2=400 Text7=1050 Text8=0.08"_s
        << u"Text16=306.36 Text18=-50.36 Text19=545084300.00 Text22=32.61 Text23=228.53 "
           "Text26=30.77 Text27=190.14 Text28=330.77 Text30=69.44 Text31=34.72 Text32=156.25"_s;
    QTest::newRow("F 600, e 0.2")
        << u"Text7=600 Text8=0.2"_s
        << u"Text13=120.00 Text22=75.08 Text23=132.81 Text28=168.47 Text32=89.29"_s;
    // Plates of half millimetres, where a Single product is no longer exact.
    QTest::newRow("ts 9.5, hw 487.5, unequal flanges")
        << u"Text1=150 Text2=250 Text3=14 Text4=16 Text5=9.5 Text6=487.5"_s
        << u"Text15=10731.25 Text16=295.52 Text17=1015994.07 Text18=-44.77 Text19=455763400.00 "
           "Text20=1506562.37 Text21=2120014.80 Text22=84.91 Text23=93.86 Text24=2290484.32 "
           "Text25=827924.93 Text26=78.59 Text27=76.49 Text28=154.03 Text29=361.81 "
           "Text30=172.29 Text31=90.45 Text32=61.12"_s;
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
        << u"Text13=0.00 Text14=400.00 Text22=0.00 Text23=88.54 Text26=0.00 Text27=58.69 "
           "Text28=101.65 Text29=0.00 Text30=0.00 Text31=0.00 Text32=59.52"_s;
    QTest::newRow("negative F")
        << u"Text7=-400"_s
        << u"Text13=-180.00 Text14=-400.00 Text22=-112.62 Text23=-88.54 Text26=-107.47 "
           "Text27=-58.69 Text28=147.93 Text29=-357.14 Text30=-148.81 Text31=-148.81 "
           "Text32=-59.52"_s;
    // V is the two-decimal text of the Single F's seven digits.
    QTest::newRow("F 1.005")
        << u"Text7=1.005"_s
        << u"Text13=0.45 Text14=1.01 Text22=0.28 Text23=0.22 Text28=0.37 Text29=0.90 Text32=0.15"_s;
    QTest::newRow("F 400.0 gives V 400.00") << u"Text7=400.0"_s << u"Text14=400.00"_s;
    QTest::newRow("F .5") << u"Text7=.5"_s << u"Text14=0.50"_s;
    QTest::newRow("unequal plates")
        << u"Text1=150 Text2=250 Text3=14 Text4=16 Text5=12 Text6=450 Text7=520.5 Text8=.38 "
           "Text12=8"_s
        << u"Text13=197.79 Text14=520.50 Text15=11500.00 Text16=270.68 Text17=985581.64 "
           "Text18=-38.68 Text19=404107300.00 Text20=1455307.69 Text21=1997349.78 Text22=99.03 "
           "Text23=105.79 Text24=2168868.12 Text25=777286.99 Text26=91.20 Text27=83.43 "
           "Text28=170.88 Text29=429.98 Text30=204.75 Text31=107.49 Text32=108.08"_s;
    QTest::newRow("heavy load")
        << u"Text7=700 Text8=0.6"_s
        << u"Text22=262.79 Text23=154.95 Text28=307.45 Text30=347.22 Text31=347.22 Text32=104.17"_s;
    // hf enters only the fillet weld stress.
    QTest::newRow("hf 8") << u"Text12=8"_s << u"Text29=357.14 Text31=148.81 Text32=74.40"_s;
    // The couple's arm: the depth less 20 mm until t1 + t2 = 40, where it is
    // the distance between the flange centres, then that distance.
    QTest::newRow("t1 + t2 40: both arms 520")
        << u"Text3=20 Text4=20"_s << u"Text29=346.15 Text30=86.54"_s;
    QTest::newRow("t1 + t2 41: the centres, 520.5 apart")
        << u"Text3=20 Text4=21"_s << u"Text29=345.82 Text30=86.46"_s;
    // The fillet's length: hw − 20 until hf = 10, then hw − 2hf.
    QTest::newRow("hf 10.5: lw 479") << u"Text12=10.5"_s << u"Text32=56.81"_s;
    QTest::newRow("materials are not read")
        << u"Text9=x Text10= Text11=? Combo1=Q345"_s << u"Text22=112.62 Text32=59.52"_s;
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

void TestBracketCalculation::generalTextsBeforeThePass_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults")
        << u""_s
        << u"Text13=180 Text14=400 Text15=9800 Text16=256 Text17=926900 Text18=0 "
           "Text19=4.187395E+08 Text20=1598242.32061069 Text21=1598242.32061069 "
           "Text22=112.623718914974 Text23=88.54192 Text24=1674957.952 Text25=614400 "
           "Text26=107.465384301182 Text27=58.69043 Text28=147.927373438793 Text29=357.1429 "
           "Text30=148.8095 Text31=148.8095"_s;
    // Half-millimetre plates and unequal flanges: y, S, a and W′n2 have all
    // fifteen digits, which a Double step done in Single would lose.
    QTest::newRow("ts 9.5, hw 487.5, unequal flanges")
        << u"Text1=150 Text2=250 Text3=14 Text4=16 Text5=9.5 Text6=487.5"_s
        << u"Text15=10731.25 Text16=295.518782760629 Text17=1015994.06592032 "
           "Text18=-44.7687683105469 Text19=4.557634E+08 Text20=1506562.36816402 "
           "Text21=2120014.79579559 Text22=84.9050696463315 Text23=93.86163 "
           "Text24=2290484.32422663 Text25=827924.926757812 Text26=78.5859995181482 "
           "Text27=76.48705 Text28=154.034302693426 Text29=361.8091 Text30=172.2901 "
           "Text31=90.45228"_s;
    // Here one unit in the last place of y's lower-flange arm, of c2 or of
    // Wn2's distance to the lower edge changes a digit of y, In or Wn2.
    QTest::newRow("last places of y, c2 and Wn2's edge distance show")
        << u"Text1=164 Text2=289 Text3=15.5 Text4=24.5 Text5=10.5 Text6=546 Text7=332 Text8=0.3"_s
        << u"Text16=365.803962749503 Text19=8.078254E+08 Text21=3802496.80947024"_s;
    // σ1 divides by W′n2 as read back from its fifteen digits; here dividing
    // by the unrounded quotient ends in ...521.
    QTest::newRow("σ1 over W′n2 as displayed")
        << u"Text1=179 Text2=261 Text3=12 Text4=10 Text5=14 Text6=321 Text7=854 Text8=0.6"_s
        << u"Text16=174.532101167315 Text19=1.690279E+08 Text24=1108613.08498443 "
           "Text26=462.199148967522"_s;
}

void TestBracketCalculation::generalTextsBeforeThePass()
{
    // hf 0 stops the check at the fillet weld, before the two-decimal pass:
    // what the steps wrote is still their general text.
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    FieldTexts fields = withTyped(typed + u" Text12=0"_s);
    fields.insert_or_assign((u"Text32"_s).toStdString(), std::string("old"));
    const std::optional<Fault> fault = calculateBracket(fields, point);
    QVERIFY(fault);
    QCOMPARE(QString::fromStdString(fault->field), u"Text32"_s);
    QCOMPARE(mismatches(fields, fieldPairs(expected + u" Text32=old"_s)), QStringList());
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
    // Upper flange 0 thick, web 10 × 100, lower flange 10 × 100: the axis lies
    // at the web's lower end, 100 mm below the upper flange.
    QTest::newRow("axis at the web's lower end divides W′n2")
        << u"Text3=0 Text6=100 Text5=10 Text4=100 Text2=10"_s << u"Text24"_s
        << FaultKind::DivisionByZero << 24;
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
    // Shear against fv = 125, not f.
    QTest::newRow("τ 125.00") << u"Text23"_s << u"125.00"_s << false;
    QTest::newRow("τ 124.99") << u"Text23"_s << u"124.99"_s << true;
    QTest::newRow("τ -125.00") << u"Text23"_s << u"-125.00"_s << false;
    QTest::newRow("equivalent 236.50 within 1.1 f") << u"Text28"_s << u"236.50"_s << true;
    QTest::newRow("equivalent 236.51") << u"Text28"_s << u"236.51"_s << false;
    QTest::newRow("upper weld 185.00") << u"Text30"_s << u"185.00"_s << false;
    QTest::newRow("upper weld 184.99") << u"Text30"_s << u"184.99"_s << true;
    QTest::newRow("lower weld 215.00") << u"Text31"_s << u"215.00"_s << false;
    QTest::newRow("lower weld 214.99") << u"Text31"_s << u"214.99"_s << true;
    QTest::newRow("fillet 160.00") << u"Text32"_s << u"160.00"_s << false;
    QTest::newRow("fillet 159.99") << u"Text32"_s << u"159.99"_s << true;
    // Compression is judged by its magnitude.
    QTest::newRow("σ -215.00 fails") << u"Text22"_s << u"-215.00"_s << false;
    QTest::newRow("σ -214.99 passes") << u"Text22"_s << u"-214.99"_s << true;
    QTest::newRow("fillet -160.00 fails") << u"Text32"_s << u"-160.00"_s << false;
    QTest::newRow("zero passes") << u"Text32"_s << u"0.00"_s << true;
}

void TestBracketCalculation::limits()
{
    // The defaults as calculated, one stress shown otherwise.
    QFETCH(QString, field);
    QFETCH(QString, stress);
    QFETCH(bool, met);
    FieldTexts fields = withTyped({});
    QVERIFY(!calculateBracket(fields, point));
    fields.insert_or_assign(field.toStdString(), stress.toStdString());
    const Verdicts verdicts = judgeBracket(fields, point);
    QVERIFY(!verdicts.fault);
    QCOMPARE(verdicts.checks.size(), bracketDesignChecks().size());
    const auto& checks = bracketDesignChecks();
    for (std::size_t row = 0; row < checks.size(); ++row)
        QCOMPARE(verdicts.checks[row].verdict == Verdict::NotMet,
            checks[row].field == field.toStdString() && !met);
}

void TestBracketCalculation::judgement_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("verdicts"); // + met, - not met, ? not judged, in the window's order
    QTest::addColumn<int>("row"); // 1 … 11, the one whose figure the case is about
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("limit");

    const QString allMet = u"++++++ +++++"_s;
    QTest::newRow("defaults") << u""_s << allMet << 4 << u"148.81"_s << u"f_{t}^{w} = 185"_s;
    // Each case below passed every row before the checks knew it.
    QTest::newRow("t1 20: ft^w for 16 < t ≤ 40 is 175")
        << u"Text1=300 Text2=300 Text3=20 Text4=20 Text5=12 Text6=500 Text7=714 Text8=0.8"_s
        << u"+++-++ +++++"_s << 4 << u"183.08"_s << u"f_{t}^{w} = 175"_s;
    QTest::newRow("flanges 40 thick: the couple on their centres, 340 apart")
        << u"Text1=150 Text2=150 Text3=40 Text4=40 Text5=14 Text6=300 Text7=495 Text8=0.8 "
           "Text12=8"_s
        << u"+++-++ +++++"_s << 4 << u"194.12"_s << u"f_{t}^{w} = 175"_s;
    QTest::newRow("uplift puts the lower weld in tension")
        << u"Text1=250 Text7=-530"_s << u"++++-+ +++++"_s << 5 << u"-197.17"_s
        << u"f_{t}^{w} = 185"_s;
    QTest::newRow("uplift: the upper weld in compression")
        << u"Text1=250 Text7=-530"_s << u"++++-+ +++++"_s << 4 << u"-157.74"_s
        << u"f_{c}^{w} = 215"_s;
    QTest::newRow("hf 16: lw = hw − 2hf") << u"Text5=16 Text6=300 Text12=16"_s << u"+++--+ +++++"_s
                                          << 6 << u"66.63"_s << u"f_{f}^{w} = 160"_s;
    // The web's fillets are a T-joint, no lap: lw > 60hf keeps the full ff^w.
    QTest::newRow("lw 880 > 60 hf: 94.70 within ff^w")
        << u"Text5=8 Text6=900 Text12=6 Text7=700"_s << u"++++++ +++++"_s << 6 << u"94.70"_s
        << u"f_{f}^{w} = 160"_s;
    QTest::newRow("lw 880 = 146.7 hf, E50 on Q345")
        << u"Text5=8 Text6=900 Text12=6 Text7=1400 Combo1=Q345 Text9=E50"_s << u"+-+-++ ++-++"_s
        << 6 << u"189.39"_s << u"f_{f}^{w} = 200"_s;
    QTest::newRow("the web's upper end governs")
        << u"Text1=430 Text2=470 Text3=12 Text4=14 Text5=10 Text6=300 Text7=371 Text8=0.78"_s
        << u"++-+++ -++++"_s << 7 << u"242.34"_s << u"β_{1}·f = 1.1 × 215 = 236.5"_s;
    // 15εk < b′/t ≤ 20εk (S5): the flange on its effective width, 15εk·t each
    // side; the rows of its side judge that section's stresses.
    QTest::newRow("bf2 460: b′/t 18.75, S5")
        << u"Text2=460"_s << u"++++++ +++++"_s << 8 << u"18.75"_s << u"20ε_{k} = 20"_s;
    QTest::newRow("bf2 460: σ of the effective section, be 370")
        << u"Text2=460"_s << u"++++++ +++++"_s << 1 << u"74.09"_s << u"f = 215"_s;
    QTest::newRow("bf2 460, F 1100: the lower side fails on the effective section")
        << u"Text2=460 Text7=1100"_s << u"+----- -++++"_s << 5 << u"221.20"_s
        << u"f_{c}^{w} = 215"_s;
    QTest::newRow("bf2 490: b′/t 20 exactly")
        << u"Text2=490"_s << u"++++++ +++++"_s << 8 << u"20.00"_s << u"20ε_{k} = 20"_s;
    QTest::newRow("bf2 491: b′/t 20.04 beyond S5")
        << u"Text2=491"_s << u"++++++ +-+++"_s << 8 << u"20.04"_s << u"20ε_{k} = 20"_s;
    QTest::newRow("Q345, bf2 400: 16.25 within 20εk 16.51")
        << u"Combo1=Q345 Text2=400"_s << u"++++++ +++++"_s << 8 << u"16.25"_s
        << u"20ε_{k} = 16.51"_s;
    // Beyond 80εk the web's panel, a = 1000|e| by h0 = hw, by (6.3.3-1);
    // beyond 150εk, too slender whatever the stresses.
    const QString panel = u"(σ/σ_{cr})² + τ/τ_{cr} ≤ 1"_s;
    QTest::newRow("ts 6, hw 900: hw/ts 150, a = 0.5h0")
        << u"Text5=6 Text6=900"_s << u"++++++ +++++"_s << 9 << u"0.71"_s << panel;
    QTest::newRow("ts 6, hw 900, F 700: τ over τcr")
        << u"Text5=6 Text6=900 Text7=700"_s << u"+-++++ ++-++"_s << 9 << u"1.39"_s << panel;
    QTest::newRow("ts 5, hw 900: 180 > 150εk")
        << u"Text5=5 Text6=900"_s << u"++++++ ++-++"_s << 9 << u"180.00"_s << u"150ε_{k} = 150"_s;
    QTest::newRow("ts 6, hw 900, e 0.3: a = 0.33h0")
        << u"Text5=6 Text6=900 Text8=0.3"_s << u"++++++ ++?++"_s << 9 << u"150.00"_s << QString();
    QTest::newRow("ts 6, hw 800, e 2: a = 2.5h0 > 2h0 with hw/ts 133")
        << u"Text5=6 Text6=800 Text7=50 Text8=2"_s << u"++++++ ++?++"_s << 9 << u"133.33"_s
        << QString();
    QTest::newRow("uplift: the upper flange's side in compression")
        << u"Text5=6 Text6=900 Text7=-400"_s << u"++++++ +++++"_s << 9 << u"0.71"_s << panel;
    QTest::newRow("hf 4 on a web of 10")
        << u"Text12=4"_s << u"++++++ +++-+"_s << 10 << u"4"_s << u"h_{f,min} = 5"_s;
    QTest::newRow("lw 60 < 8 hf") << u"Text6=80 Text12=10 Text7=10 Text8=0.01"_s
                                  << u"++++++ ++++-"_s << 11 << u"60"_s
                                  << u"max(8h_{f}, 40) = 80"_s;

    // Boundaries: each thickness group ends at its own thickness.
    QTest::newRow("t2 16: f 215") << u"Text4=16"_s << allMet << 1 << u"94.19"_s << u"f = 215"_s;
    QTest::newRow("t2 16.5: f 205") << u"Text4=16.5"_s << allMet << 1 << u"92.32"_s << u"f = 205"_s;
    QTest::newRow("t2 40: f 205") << u"Text4=40"_s << allMet << 1 << u"49.50"_s << u"f = 205"_s;
    QTest::newRow("t2 40.5: f 200") << u"Text4=40.5"_s << allMet << 1 << u"49.06"_s << u"f = 200"_s;
    QTest::newRow("ts 16: fv 125")
        << u"Text5=16"_s << allMet << 2 << u"57.89"_s << u"f_{v} = 125"_s;
    QTest::newRow("ts 100: fv 115, 1.1 × 200")
        << u"Text5=100"_s << u"++++++ +++++"_s << 3 << u"33.33"_s << u"β_{1}·f = 1.1 × 200 = 220"_s;
    QTest::newRow("flange force 0: the upper weld in tension")
        << u"Text8=0"_s << allMet << 4 << u"0.00"_s << u"f_{t}^{w} = 185"_s;
    QTest::newRow("lw 480 = 60 hf: no reduction")
        << u"Text12=8"_s << allMet << 6 << u"74.40"_s << u"f_{f}^{w} = 160"_s;
    QTest::newRow("lw 480 > 60 hf 7.9")
        << u"Text12=7.9"_s << allMet << 6 << u"75.35"_s << u"f_{f}^{w} = 160"_s;
    QTest::newRow("b′/t exactly 15εk")
        << u"Text2=370"_s << allMet << 8 << u"15.00"_s << u"15ε_{k} = 15"_s;
    QTest::newRow("b′/t 15.02") << u"Text2=370.5"_s << u"++++++ +++++"_s << 8 << u"15.02"_s
                                << u"20ε_{k} = 20"_s;
    // Uplift: the upper flange is the one in compression.
    QTest::newRow("uplift: bf1 460, S5")
        << u"Text1=460 Text7=-100"_s << u"++++++ +++++"_s << 8 << u"18.75"_s << u"20ε_{k} = 20"_s;
    QTest::newRow("uplift: bf1 480, F −1000: the upper weld on be 370")
        << u"Text1=480 Text7=-1000"_s << u"---+-+ -++++"_s << 4 << u"-201.09"_s
        << u"f_{c}^{w} = 215"_s;
    QTest::newRow("Q345: εk 0.83")
        << u"Combo1=Q345"_s << allMet << 8 << u"7.92"_s << u"15ε_{k} = 12.38"_s;
    QTest::newRow("Q460E: hw/ts 60 > 80εk, the panel within")
        << u"Combo1=Q460E Text6=600"_s << u"++++++ +++++"_s << 9 << u"0.33"_s << panel;
    QTest::newRow("Q235 hw/ts 80 exactly: no panel check")
        << u"Text6=800 Text7=100"_s << u"++++++ +++++"_s << 9 << u"80.00"_s << u"80ε_{k} = 80"_s;

    // No verdict on an impossible bracket, nor on what needs an unknown grade's εk.
    const QString none = u"?????? ?????"_s;
    QTest::newRow("t1 −12") << u"Text3=-12"_s << none << 1 << u"-23.37"_s << QString();
    QTest::newRow("bf1 −200") << u"Text1=-200"_s << none << 8 << QString() << QString();
    QTest::newRow("bf2 −200") << u"Text2=-200"_s << none << 8 << QString() << QString();
    QTest::newRow("t2 −12") << u"Text4=-12"_s << none << 8 << QString() << QString();
    QTest::newRow("ts −10") << u"Text5=-10"_s << none << 8 << QString() << QString();
    QTest::newRow("hw −500") << u"Text6=-500"_s << none << 8 << QString() << QString();
    QTest::newRow("hf −10") << u"Text12=-10"_s << none << 8 << QString() << QString();
    QTest::newRow("t2 100.5") << u"Text4=100.5"_s << none << 8 << QString() << QString();
    // An unknown grade leaves every strength and εk; an electrode the fillet
    // welds, a weld quality the weld in tension, whichever it is.
    QTest::newRow("Q500") << u"Combo1=Q500"_s << u"?????? ???++"_s << 1 << u"112.62"_s << QString();
    QTest::newRow("no grade") << u"Combo1="_s << u"?????? ???++"_s << 9 << QString() << QString();
    QTest::newRow("q345 is no grade")
        << u"Combo1=q345"_s << u"?????? ???++"_s << 6 << u"59.52"_s << QString();
    QTest::newRow("E70") << u"Text9=E70"_s << u"+++++? +++++"_s << 6 << u"59.52"_s << QString();
    QTest::newRow("no electrode") << u"Text9="_s << u"+++++? +++++"_s << 6 << u"59.52"_s
                                  << QString();
    QTest::newRow("quality 四级: the upper weld in tension")
        << u"Text11=四级"_s << u"+++?++ +++++"_s << 4 << u"148.81"_s << QString();
    QTest::newRow("quality 四级, uplift: the lower weld in tension")
        << u"Text11=四级 Text7=-400"_s << u"++++?+ +++++"_s << 4 << u"-148.81"_s
        << u"f_{c}^{w} = 215"_s;
    QTest::newRow("Q500 and E70") << u"Combo1=Q500 Text9=E70 Text11=3"_s << u"?????? ???++"_s << 10
                                  << u"10"_s << u"h_{f,min} = 5"_s;
}

void TestBracketCalculation::judgement()
{
    QFETCH(QString, typed);
    QFETCH(QString, verdicts);
    QFETCH(int, row);
    QFETCH(QString, value);
    QFETCH(QString, limit);
    FieldTexts fields = withTyped(typed);
    QVERIFY(!calculateBracket(fields, point));
    const Verdicts judged = judgeBracket(fields, point);
    QVERIFY(!judged.fault);
    // The first eleven rows; those of the load and the column have cases of their own.
    QCOMPARE(verdictSigns(judged).left(11), QString(verdicts).remove(u' '));
    const JudgedCheck& check = judged.checks[std::size_t(row - 1)];
    QCOMPARE(QString::fromStdString(check.value), value);
    QCOMPARE(QString::fromStdString(check.limit), limit);
    // A check not judged has no ratio; a judged one has one.
    QCOMPARE(check.ratio.empty(), check.verdict == Verdict::NotJudged);
}

void TestBracketCalculation::materialStrengths_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field"); // the stress shown just below and just above its limit
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("symbol");

    // Tables 4.4.1 and 4.4.5 by grade and thickness group: f of the lower
    // flange (t2), fv of the web (ts), ft^w of a grade-three butt weld in
    // tension on the upper flange (t1), each plate at the end of its group.
    struct Group {
        const char* grade;
        double t;
        int f, fv, ftw;
    };
    const Group groups[] {
        { "Q235B", 16, 215, 125, 185 },
        { "Q235B", 40, 205, 120, 175 },
        { "Q235B", 100, 200, 115, 170 },
        { "Q345", 16, 305, 175, 260 },
        { "Q345", 40, 295, 170, 250 },
        { "Q345", 63, 290, 165, 245 },
        { "Q345", 80, 280, 160, 240 },
        { "Q345", 100, 270, 155, 230 },
        { "Q355C", 40.5, 290, 165, 245 },
        { "Q390", 16, 345, 200, 295 },
        { "Q390", 40, 330, 190, 280 },
        { "Q390", 63, 310, 180, 265 },
        { "Q390", 64, 295, 170, 250 },
        { "Q420", 16, 375, 215, 320 },
        { "Q420", 40, 355, 205, 300 },
        { "Q420", 63, 320, 185, 270 },
        { "Q420", 100, 305, 175, 260 },
        { "Q460E", 16.5, 390, 225, 330 },
        { "Q460E", 16, 410, 235, 350 },
        { "Q460E", 63, 355, 205, 300 },
        { "Q460E", 99, 340, 195, 290 },
    };
    for (const Group& g : groups) {
        const QString t = QString::number(g.t), grade = QString::fromUtf8(g.grade);
        const QString name = grade + u' ' + t;
        QTest::newRow(qPrintable(name + u" f"_s))
            << u"Combo1=%1 Text4=%2"_s.arg(grade, t) << u"Text22"_s << g.f << u"f"_s;
        QTest::newRow(qPrintable(name + u" fv"_s))
            << u"Combo1=%1 Text5=%2"_s.arg(grade, t) << u"Text23"_s << g.fv << u"f_{v}"_s;
        QTest::newRow(qPrintable(name + u" ft^w"_s))
            << u"Combo1=%1 Text3=%2"_s.arg(grade, t) << u"Text30"_s << g.ftw << u"f_{t}^{w}"_s;
    }
    // Grades one and two: a butt weld in tension as strong as the plate.
    QTest::newRow("Q345 40, 一级")
        << u"Combo1=Q345 Text3=40 Text11=一级"_s << u"Text30"_s << 295 << u"f_{t}^{w}"_s;
    QTest::newRow("Q235 12, 二级") << u"Text11=二级"_s << u"Text30"_s << 215 << u"f_{t}^{w}"_s;
    // In compression fc^w = f whatever the quality.
    QTest::newRow("Q420 20, uplift")
        << u"Combo1=Q420 Text3=20 Text7=-400"_s << u"Text30"_s << 355 << u"f_{c}^{w}"_s;

    // ff^w: the electrode's own value in the steel's row, no more than the
    // row's matching electrode gives.
    const char* electrodes[] { "E43", "E50", "E55", "E60" };
    const std::pair<const char*, std::array<int, 4>> fillets[] {
        { "Q235B", { 160, 160, 160, 160 } },
        { "Q345", { 160, 200, 200, 200 } },
        { "Q355", { 160, 200, 200, 200 } },
        { "Q390", { 160, 200, 200, 200 } },
        { "Q420", { 160, 200, 220, 240 } },
        { "Q460", { 160, 200, 220, 240 } },
    };
    for (const auto& [grade, ffw] : fillets)
        for (std::size_t n = 0; n < 4; ++n)
            QTest::newRow(qPrintable(u"%1 %2 ff^w"_s.arg(grade, electrodes[n])))
                << u"Combo1=%1 Text9=%2"_s.arg(grade, electrodes[n]) << u"Text32"_s << ffw[n]
                << u"f_{f}^{w}"_s;
    QTest::newRow("a full type E5515 on Q345")
        << u"Combo1=Q345 Text9=E5515"_s << u"Text32"_s << 200 << u"f_{f}^{w}"_s;
}

void TestBracketCalculation::materialStrengths()
{
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(int, limit);
    QFETCH(QString, symbol);
    FieldTexts fields = withTyped(typed);
    QVERIFY(!calculateBracket(fields, point));
    const auto& checks = bracketDesignChecks();
    const auto row
        = std::size_t(std::find_if(checks.begin(), checks.end(), [&](const DesignCheck& check) {
              return check.field == field.toStdString();
          }) - checks.begin());
    for (const int hundredths : { -1, 1 }) {
        const QString shown = QString::number(limit * 100 + hundredths);
        fields.insert_or_assign(
            field.toStdString(), (shown.chopped(2) + u'.' + shown.right(2)).toStdString());
        const Verdicts verdicts = judgeBracket(fields, point);
        QVERIFY(!verdicts.fault);
        const JudgedCheck& check = verdicts.checks[row];
        QCOMPARE(QString::fromStdString(check.limit), u"%1 = %2"_s.arg(symbol).arg(limit));
        QCOMPARE(check.verdict, hundredths < 0 ? Verdict::Met : Verdict::NotMet);
        QCOMPARE(verdicts.count(Verdict::NotMet), std::size_t(hundredths < 0 ? 0 : 1));
    }
}

void TestBracketCalculation::webPanels_data()
{
    QTest::addColumn<QList<double>>("given"); // σ, τ, hc, h0, tw, a, f, fv, εk
    // σcr, τcr and the sum, every bit (to six decimals beside each row); "" for none
    QTest::addColumn<QString>("figures");

    const double q345 = std::sqrt(235.0 / 345);
    // λn,b = (2hc/tw)/138/εk and λn,s = (h0/tw)/(37√k)/εk across their three
    // branches: a/h0 = 0.5 gives k = 25.36 and λn,s 0.54 (τcr = fv); a = h0
    // k = 9.34, λn,s 0.88; a = 2h0 k = 6.34; λn,b 0.72 (σcr = f), 1.00, 1.45.
    QTest::newRow("σcr = f, τcr = fv") << QList<double> { 100, 50, 500, 1000, 10, 500, 215, 125, 1 }
                                       << u"1.aep+7 1.f4p+6 1.3b9004dfa12ffp-1"_s; // 215.000000 125.000000 0.616333
    QTest::newRow("λn,b 1.00: 0.8875 f; λn,s 0.88") << QList<double> { 100, 50, 690, 1000, 10, 1000,
        215, 125, 1 } << u"1.7dap+7 1.db1dc96fec3bp+6 1.64262dfd93437p-1"_s; // 190.812500 118.779089 0.695604
    QTest::newRow("λn,b 1.45: 1.1f/λ², a = 2h0, over 1") << QList<double> { 100, 50, 1000, 1000, 10,
        2000, 215, 125, 1 } << u"1.c263fe5c91d16p+6 1.a35a50946d8a5p+6 1.440389d0f3bcep+0"_s; // 112.597650 104.838198 1.265679
    QTest::newRow("λn,s 1.50: 1.1fv/λ²") << QList<double> { 100, 50, 700, 1400, 10, 2800, 215, 125,
        1 } << u"1.78f37a6f4de9bp+7 1.e71cd024c7c8fp+5 1.1a48c69744ca4p+0"_s; // 188.475543 60.889069 1.102673
    QTest::newRow("Q345: εk 0.83 moves both") << QList<double> { 150, 60, 500, 1000, 10, 1000, 305,
        175, q345 } << u"1.2a9814e0a805ep+8 1.25ee581dc7482p+7 1.523ca1a73d0b2p-1"_s; // 298.594069 146.965516 0.660619
    // The panel's shape: 0.5h0 ≤ a ≤ 2h0, or 2.5h0 while h0/tw ≤ 100.
    QTest::newRow("a 2.4h0 with h0/tw 100") << QList<double> { 100, 50, 500, 1000, 10, 2400, 215,
        125, 1 } << u"1.aep+7 1.9b6f5e1d823d4p+6 1.67a5c64137ab8p-1"_s; // 215.000000 102.858757 0.702437
    QTest::newRow("a 2.4h0 with h0/tw 101")
        << QList<double> { 100, 50, 500, 1010, 10, 2400, 215, 125, 1 } << QString();
    QTest::newRow("a 0.4h0") << QList<double> { 100, 50, 500, 1000, 10, 400, 215, 125, 1 }
                             << QString();
    QTest::newRow("no compression in the web")
        << QList<double> { 100, 50, 0, 1000, 10, 1000, 215, 125, 1 } << QString();
    QTest::newRow("the axis above the web")
        << QList<double> { 100, 50, 1001, 1000, 10, 1000, 215, 125, 1 } << QString();
}

void TestBracketCalculation::webPanels()
{
    QFETCH(QList<double>, given);
    QFETCH(QString, figures);
    const std::optional<WebPanel> panel = webPanel({ given[0], given[1], given[2], given[3],
        given[4], given[5], given[6], given[7], given[8] });
    QCOMPARE(panel ? u"%1 %2 %3"_s.arg(hexFloat(panel->sigmaCr), hexFloat(panel->tauCr),
                         hexFloat(panel->sum))
                   : QString(),
        figures);
}

void TestBracketCalculation::notes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("notes"); // the first words of each sentence

    const QStringList open { u"柱在牛腿上、下翼缘对应处设水平加劲肋"_s, u"受拉翼缘对接焊缝"_s };
    QTest::newRow("defaults, Q235B") << QString() << open;
    QTest::newRow("thick plates need no note now") << u"Text4=40 Text5=20"_s << open;
    // The grade's own strengths need no note; Q355 is read as Q345.
    QTest::newRow("Q345") << u"Combo1=Q345"_s << open;
    QTest::newRow("Q355B") << u"Combo1=Q355B"_s
                           << QStringList { u"Q355取表4.4.1、表4.4.5中Q345"_s } + open;
    QTest::newRow("no grade") << u"Combo1="_s
                              << QStringList { u"未注明钢材牌号：无法确定设计强度与εk（应为Q235"_s }
            + open;
    QTest::newRow("an unknown grade, electrode and quality")
        << u"Combo1=Q500 Text9=E70 Text11=四级"_s
        << QStringList { u"钢材为Q500：无法确定设计强度与εk"_s,
               u"焊条为E70：表4.4.5无此焊条（应为E43、E50、E55或E60），角焊缝应力未作判断。"_s,
               u"焊缝质量为四级：应为一级、二级或三级，受拉一侧翼缘的对接焊缝应力未作判断。"_s,
               open.front() };
    QTest::newRow("grade two: ft^w = f, once inspected")
        << u"Text11=二级"_s
        << QStringList { open.front(), u"受拉翼缘对接焊缝按二级焊缝取ft^w = f"_s };
    QTest::newRow("a web beyond 150εk")
        << u"Text5=5 Text6=900"_s
        << QStringList { u"腹板高厚比180.00大于150εk = 150：受压翼缘扭转未受约束时"_s } + open;
    QTest::newRow("a panel the formulas do not take")
        << u"Text5=6 Text6=900 Text8=0.3"_s
        << QStringList {
               u"腹板高厚比150.00大于80εk = 80，区格长度a = 1000|e| = 300 mm与h0 = 900 mm之比不在0.5～2之间（第6.3.6条）"_s
           } + open;
    // An impossible bracket says why, and nothing else.
    QTest::newRow("t1 −12") << u"Text3=-12"_s
                            << QStringList { u"上翼缘厚t1 = −12：板件尺寸须为正数，未作判断。"_s };
    QTest::newRow("full-width hf －１０ as read")
        << u"Text12=－１０"_s << QStringList { u"角焊缝焊角尺寸hf = −10：焊脚尺寸须为正数"_s };
    QTest::newRow("two sizes, each named")
        << u"Text2=-200 Text5=120"_s
        << QStringList { u"下翼缘宽bf2 = −200"_s, u"腹板宽ts = 120：板厚超过100 mm"_s };
}

void TestBracketCalculation::notes()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, notes);
    FieldTexts fields = withTyped(typed);
    QVERIFY(!calculateBracket(fields, point));
    const std::vector<std::string> said = judgeBracket(fields, point).notes;
    QCOMPARE(qsizetype(said.size()), notes.size());
    for (qsizetype n = 0; n < notes.size(); ++n)
        QVERIFY2(QString::fromStdString(said[std::size_t(n)]).startsWith(notes[n]),
            said[std::size_t(n)].c_str());
}

void TestBracketCalculation::grades_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<int>("fy"); // 0: no grade the checks know

    QTest::newRow("Q235B") << u"Q235B"_s << 235;
    QTest::newRow("Q355 alone") << u"Q355"_s << 355;
    QTest::newRow("blanks and a full-width space") << u" Q420C\u3000\t"_s << 420;
    QTest::newRow("Q460E") << u"Q460E"_s << 460;
    QTest::newRow("no quality F") << u"Q345F"_s << 0;
    QTest::newRow("two letters") << u"Q345BB"_s << 0;
    QTest::newRow("lower case") << u"q235b"_s << 0;
    QTest::newRow("Q235 inside") << u"XQ235"_s << 0;
    QTest::newRow("empty") << u""_s << 0;
}

void TestBracketCalculation::grades()
{
    QFETCH(QString, grade);
    QFETCH(int, fy);
    QCOMPARE(gradeYieldStrength(grade.toStdString()).value_or(0), fy);
}

void TestBracketCalculation::judgementStopsAtATextThatIsNoNumber_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("judged"); // checks judged before it

    QTest::newRow("τ") << u"Text23="_s << 1;
    QTest::newRow("the equivalent stress") << u"Text28=x"_s << 2;
    // The flange force decides which weld is in tension.
    QTest::newRow("the flange force") << u"Text29=-"_s << 3;
}

void TestBracketCalculation::judgementStopsAtATextThatIsNoNumber()
{
    QFETCH(QString, shown);
    QFETCH(int, judged);
    FieldTexts fields = withTyped({});
    QVERIFY(!calculateBracket(fields, point));
    fields = fieldPairs(shown, fields);
    const Verdicts verdicts = judgeBracket(fields, point);
    QCOMPARE(int(verdicts.checks.size()), judged);
    QVERIFY(verdicts.fault);
    QCOMPARE(QString::fromStdString(verdicts.fault->field), shown.section(u'=', 0, 0));
}

void TestBracketCalculation::defaultsUnderACommaLocale()
{
    // The window's own e ".45" is read with a point wherever the separator
    // is a comma; the results are written with the comma.
    FieldTexts fields = withTyped({});
    const NumberFormat comma { U',' };
    QCOMPARE(calculateBracket(fields, comma).has_value(), false);
    QCOMPARE(textOf(fields, u"Text13"_s), u"180,00"_s);
    QCOMPARE(textOf(fields, u"Text19"_s), u"418739500,00"_s);
    QCOMPARE(textOf(fields, u"Text28"_s), u"147,93"_s);
    const Verdicts verdicts = judgeBracket(fields, comma);
    // Every row met but the web's under the load, which the stiffener takes.
    QCOMPARE(verdicts.count(Verdict::Met), bracketDesignChecks().size() - 1);
    QCOMPARE(verdicts.checks[11].verdict, Verdict::NotApplicable);
    QCOMPARE(QString::fromStdString(verdicts.checks[2].limit), u"β_{1}·f = 1,1 × 215 = 236,5"_s);
    QCOMPARE(QString::fromStdString(verdicts.checks[7].value), u"7,92"_s);
}

QTEST_GUILESS_MAIN(TestBracketCalculation)
#include "tst_bracketcalculation.moc"
