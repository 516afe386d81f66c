// The I-section calculation on field texts: the figures engineers check by
// hand, the read-backs of displayed figures, and where each fault stops it.
// Expected figures come from an independent computation of the same steps.

#include "fieldpairs.h"
#include "sectioncalculation.h"
#include "sectionchecks.h"
#include "sectionfields.h"
#include "verdictsigns.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The outputs in the order the steps write them.
const QStringList outputsInStepOrder { u"Text5"_s, u"Text6"_s, u"Text7"_s, u"Text8"_s, u"Text9"_s,
    u"Text10"_s, u"Text11"_s, u"Text14"_s, u"Text15"_s, u"Text17"_s, u"Text18"_s, u"Text19"_s,
    u"Text21"_s, u"Text22"_s };

// The window as it opens, with `typed` typed into it.
FieldTexts withTyped(const QString& typed)
{
    return fieldPairs(typed, designTimeTexts(sectionFields()));
}

const NumberFormat point { U'.' };

} // namespace

Q_DECLARE_METATYPE(FaultKind)

class TestSectionCalculation : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void faults_data();
    void faults();
    void aSecondClickWritesTheSameTexts();
    void memberChecks_data();
    void memberChecks();
    void memberNotes_data();
    void memberNotes();
    void memberBasis_data();
    void memberBasis();
    void commaLocale();
};

void TestSectionCalculation::figures_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    // The flange's outstand 24.63 is beyond S3: γx = 1.0, σp = σe. One
    // piece of 10 m weighs 636.164 kg.
    QTest::newRow("defaults")
        << u""_s
        << u"Text5=8104 Text6=147909685.33 Text7=85338445.33 Text8=135.10 Text9=102.62 "
           "Text10=986064.57 Text11=426692.23 Text14=138.18 Text15=138.18 Text17=20000.00 "
           "Text18=148.04 Text19=194.89 Text21=63.6164 Text22=636.164"_s;
    QTest::newRow("B 200, H 400, tw 8, t 12.5")
        << u"Text1=200 Text2=400 Text3=8 Text4=12.5"_s
        << u"Text5=8000 Text6=222916666.67 Text7=16682666.67 Text8=166.93 Text9=45.67 "
           "Text10=1114583.33 Text11=166826.67 Text14=124.62 Text15=119.58 Text17=20000.00 "
           "Text18=119.81 Text19=437.92 Text21=62.8 Text22=628"_s;
    // The slenderness ratios divide by the displayed radii: with the unrounded
    // radii they would read 91.28 and 437.24.
    QTest::newRow("slenderness from displayed radii")
        << u"Text1=200 Text2=520 Text3=6 Text4=12.5"_s
        << u"Text5=7970 Text8=219.12 Text9=45.74 Text18=91.27 Text19=437.25 Text21=62.5645"_s;
    // A is a Single with 7 significant digits; G is computed from that text
    // (unrounded it would be 87.0254909667969).
    QTest::newRow("G from the displayed area")
        << u"Text1=320.25 Text2=220 Text3=12 Text4=13.7"_s
        << u"Text5=11086.05 Text6=100645403.24 Text7=75023497.06 Text8=95.28 Text9=82.26 "
           "Text18=209.91 Text19=243.13 Text21=87.0254925 Text22=870.254925"_s;
    // B holds only a Single's precision.
    QTest::newRow("dimension beyond Single precision")
        << u"Text1=123.456789"_s
        << u"Text5=3679.309 Text6=53569364.96 Text7=2514013.71 Text8=120.66 Text9=26.14 "
           "Text10=357129.10 Text11=40727.02 Text14=371.18 Text15=355.45 Text21=28.88257565"_s;
    // Seven whole digits above 2²³, where a Single's last place is 1: an
    // operation one unit off would show (2·4500·1000 + 100·1, every step exact).
    QTest::newRow("area where the last place shows")
        << u"Text1=4500 Text2=2100 Text3=1 Text4=1000"_s << u"Text5=9000100"_s;
    QTest::newRow("two pieces double Gsum only")
        << u"Text20=2"_s << u"Text21=63.6164 Text22=1272.328"_s;
    QTest::newRow("no pieces") << u"Text20=0"_s << u"Text21=63.6164 Text22=0"_s;
    QTest::newRow("L 0") << u"Text16=0"_s << u"Text17=0.00 Text18=0.00 Text19=0.00"_s;
    // λx on μx·L, λy on μy·L: 15 000 ÷ 135.10 and 7 000 ÷ 102.62.
    QTest::newRow("μx 1.5, μy 0.7")
        << u"Text23=1.5 Text24=0.7"_s << u"Text17=15000.00 Text18=111.03 Text19=68.21"_s;
    QTest::newRow("reversed forces")
        << u"Text12=-150 Text13=-118"_s << u"Text14=-138.18 Text15=-138.18"_s;
    // γx = 1.05 up to b′/t = 13εk exactly: (214 − 6) ÷ 2 ÷ 8 = 13.
    QTest::newRow("b′/t 13εk: γx 1.05")
        << u"Text1=214"_s << u"Text5=5128 Text10=563049.32 Text14=238.82 Text15=228.84"_s;
    QTest::newRow("b′/t 13.03: γx 1.0") << u"Text1=214.5"_s << u"Text14=238.36 Text15=238.36"_s;
    // Q345's εk 0.825 puts the same flange beyond 13εk = 10.73.
    QTest::newRow("Q345 ranks it beyond S3")
        << u"Text1=214 Combo1=Q345"_s << u"Text14=238.82 Text15=238.82"_s;
    QTest::newRow("an unknown grade: γx 1.0")
        << u"Text1=214 Combo1=Q999"_s << u"Text14=238.82 Text15=238.82"_s;
    QTest::newRow("forces 0") << u"Text12=0 Text13=0"_s << u"Text14=0.00 Text15=0.00"_s;
    QTest::newRow("blanks around inputs") << u"Text1=\t400\t"_s << u"Text5=8104 Text8=135.10"_s;
}

void TestSectionCalculation::figures()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    FieldTexts fields = withTyped(typed);
    const std::optional<Fault> fault = calculateSection(fields, point);
    QVERIFY2(!fault, fault ? fault->field.c_str() : "");
    QCOMPARE(mismatches(fields, fieldPairs(expected)), QStringList());
}

void TestSectionCalculation::faults_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<FaultKind>("kind");
    QTest::addColumn<QString>("lastWritten"); // the last output written before the fault

    const auto nan = FaultKind::NotANumber;
    QTest::newRow("B not a number") << u"Text1=abc"_s << u"Text1"_s << nan << u""_s;
    QTest::newRow("H empty") << u"Text2="_s << u"Text2"_s << nan << u""_s;
    QTest::newRow("tw with digit grouping") << u"Text3=1,000"_s << u"Text3"_s << nan << u""_s;
    QTest::newRow("t beyond a Single")
        << u"Text4=1e39"_s << u"Text4"_s << FaultKind::OutOfRange << u""_s;
    QTest::newRow("area beyond a Single")
        << u"Text1=3e38 Text4=2"_s << u"Text5"_s << FaultKind::OutOfRange << u""_s;
    QTest::newRow("all dimensions 0: ix is 0/0")
        << u"Text1=0 Text2=0 Text3=0 Text4=0"_s << u"Text8"_s << FaultKind::InvalidOperation
        << u"Text7"_s;
    QTest::newRow("negative Ix/A under the root")
        << u"Text4=-1"_s << u"Text8"_s << FaultKind::InvalidOperation << u"Text7"_s;
    QTest::newRow("H 0 divides Wx")
        << u"Text2=0"_s << u"Text10"_s << FaultKind::DivisionByZero << u"Text9"_s;
    QTest::newRow("B 0 divides Wy")
        << u"Text1=0"_s << u"Text11"_s << FaultKind::DivisionByZero << u"Text10"_s;
    QTest::newRow("M read before N") << u"Text12=x Text13=y"_s << u"Text13"_s << nan << u"Text11"_s;
    QTest::newRow("N not a number") << u"Text12=x"_s << u"Text12"_s << nan << u"Text11"_s;
    QTest::newRow("N beyond a Double")
        << u"Text12=1e400"_s << u"Text12"_s << FaultKind::OutOfRange << u"Text11"_s;
    QTest::newRow("M overflows") << u"Text13=1e305"_s << u"Text14"_s << FaultKind::OutOfRange
                                 << u"Text11"_s;
    QTest::newRow("L not a number") << u"Text16=ten"_s << u"Text16"_s << nan << u"Text15"_s;
    QTest::newRow("L overflows L0")
        << u"Text16=1.7e308"_s << u"Text17"_s << FaultKind::OutOfRange << u"Text15"_s;
    QTest::newRow("μx not a number") << u"Text23=two"_s << u"Text23"_s << nan << u"Text15"_s;
    QTest::newRow("μy not a number") << u"Text24=,"_s << u"Text24"_s << nan << u"Text18"_s;
    QTest::newRow("βtx not a number, read last")
        << u"Text26=x"_s << u"Text26"_s << nan << u"Text22"_s;
    QTest::newRow("Num not a number") << u"Text20=two"_s << u"Text20"_s << nan << u"Text21"_s;
    QTest::newRow("Gsum overflows")
        << u"Text20=1e305"_s << u"Text22"_s << FaultKind::OutOfRange << u"Text21"_s;
}

void TestSectionCalculation::faults()
{
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(FaultKind, kind);
    QFETCH(QString, lastWritten);

    FieldTexts fields = withTyped(typed);
    for (const QString& output : outputsInStepOrder)
        fields.insert_or_assign((output).toStdString(), std::string("old"));
    const std::optional<Fault> fault = calculateSection(fields, point);
    QVERIFY(fault);
    QCOMPARE(QString::fromStdString(fault->field), field);
    QCOMPARE(int(fault->kind), int(kind));

    // Fields written before the fault carry new text; the others keep the old.
    const qsizetype written = outputsInStepOrder.indexOf(lastWritten) + 1;
    for (qsizetype i = 0; i < outputsInStepOrder.size(); ++i) {
        const QString& output = outputsInStepOrder[i];
        if (i < written)
            QVERIFY2(textOf(fields, output) != u"old"_s, qPrintable(output));
        else
            QCOMPARE(output + u'=' + textOf(fields, output), output + u"=old"_s);
    }
}

void TestSectionCalculation::aSecondClickWritesTheSameTexts()
{
    FieldTexts once = withTyped(u"Text1=320.25 Text2=220 Text3=12 Text4=13.7"_s);
    QVERIFY(!calculateSection(once, point));
    FieldTexts twice = once;
    QVERIFY(!calculateSection(twice, point));
    QCOMPARE(twice, once);
}

void TestSectionCalculation::commaLocale()
{
    FieldTexts fields = withTyped(u"Text1=200 Text2=400 Text3=8 Text4=12,5"_s);
    QVERIFY(!calculateSection(fields, NumberFormat { U',' }));
    QCOMPARE(textOf(fields, u"Text8"_s), u"166,93"_s);
    QCOMPARE(textOf(fields, u"Text21"_s), u"62,8"_s);
}

void TestSectionCalculation::memberChecks_data()
{
    QTest::addColumn<QString>("typed");
    // + met, - not met, ? not judged, n not applicable: 强度, 翼缘, 腹板,
    // 长细比, 平面内, 平面外
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<int>("row"); // 1 … 6, the one the case is about
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("limit");

    // b′/t 24.63 > 15, λy 194.89 > 150 and > 120εk.
    // The defaults' flange is beyond S5 (24.63 > 20εk): no stability on it.
    QTest::newRow("defaults") << u""_s << u"+-+-??"_s << 2 << u"24.63"_s << u"15ε_{k} = 15"_s;
    QTest::newRow("defaults: λ") << u""_s << u"+-+-??"_s << 4 << u"194.89"_s << u"[λ] = 150"_s;
    QTest::newRow("B 200, H 400, tw 8, t 12.5: λy 437.92")
        << u"Text1=200 Text2=400 Text3=8 Text4=12.5"_s << u"+++-+?"_s << 4 << u"437.92"_s
        << u"[λ] = 150"_s;
    // A 9320, Wx 1 257 924.53; σ = 85.84 + 47.70 ÷ 1.05 = 131.26.
    const QString stocky
        = u"Text1=200 Text2=400 Text3=10 Text4=14 Text12=800 Text13=60 Text16=2000"_s;
    QTest::newRow("stocky: strength") << stocky << u"+++++-"_s << 1 << u"131.26"_s << u"f = 215"_s;
    // φx 0.96 at λx 24.35, N′Ex 2.9·10⁷ N: 0.42 + 0.22.
    QTest::newRow("stocky: in plane") << stocky << u"+++++-"_s << 5 << u"0.63"_s << u"1"_s;
    // φy 0.52 (c) at λy 89.31, φb 1.07 − 89.31² ÷ 44000 = 0.89: 0.77 + 0.25.
    QTest::newRow("stocky: out of plane") << stocky << u"+++++-"_s << 6 << u"1.02"_s << u"1"_s;
    // Q345: f 305 lifts it, for all its lower φ.
    QTest::newRow("stocky in Q345")
        << stocky + u" Combo1=Q345"_s << u"++++++"_s << 6 << u"0.85"_s << u"1"_s;
    // No compression limits for a member in tension or without N.
    QTest::newRow("N −150") << u"Text12=-150"_s << u"+-+nn?"_s << 4 << QString() << QString();
    QTest::newRow("N 0") << u"Text12=0"_s << u"+-+nn?"_s << 5 << QString() << QString();
    QTest::newRow("web wholly in tension")
        << u"Text12=-2000 Text13=1"_s << u"--nnn?"_s << 3 << u"47.33"_s << QString();
    // 15εk exactly: (246 − 6) ÷ 2 ÷ 8.
    QTest::newRow("b′/t 15εk") << u"Text1=246"_s << u"+++--?"_s << 2 << u"15.00"_s
                               << u"15ε_{k} = 15"_s;
    // Beyond 15εk and within 20εk the flange is S5: judged on the effective section.
    QTest::newRow("b′/t 15.03") << u"Text1=246.5"_s << u"+++--?"_s << 2 << u"15.03"_s
                                << u"20ε_{k} = 20"_s;
    QTest::newRow("t −8") << u"Text4=-8"_s << u"??????"_s << 1 << QString() << QString();
    QTest::newRow("H 30 leaves no web")
        << u"Text2=30 Text4=15"_s << u"??????"_s << 1 << QString() << QString();
    QTest::newRow("Q999") << u"Combo1=Q999"_s << u"??????"_s << 1 << QString() << QString();
    // §8.4.2 by hand. The audit's S5 web, Q345: α0 0.195, kσ 4.43, λn,p 1.99,
    // ρ 0.455, he = 353.16 of hc 776 as 2he/(4 + α0) and the rest; Ae 10 025.3,
    // e 2.76, W1x 3 422 857: N/(φy·Ae·f) + (M + Ne)/(φb·W1x·f) = 1.29.
    const QString web = u"Text1=300 Text2=800 Text3=8 Text4=12 Text12=1502.2 Text13=44.5 "
                        "Text16=3000 Combo1=Q345"_s;
    QTest::newRow("S5 web: out of plane") << web << u"+++++-"_s << 6 << u"1.29"_s << u"1"_s;
    QTest::newRow("S5 web: its row") << web << u"+++++-"_s << 3 << u"97.00"_s << u"250"_s;
    // 149.84 + (44.5·10⁶ + 1 502 200 × 2.765) ÷ 3 422 857, no γx.
    QTest::newRow("S5 web: strength") << web << u"+++++-"_s << 1 << u"164.06"_s << u"f = 305"_s;
    // An S5 flange, b′/t 17.73: the compressed one cut to 15·11·2 + 10 = 340
    // wide; Ae 11 920, e 10.77, W1x 1 668 394: 41.946 + 63.165 = 105.11.
    QTest::newRow("S5 flange: strength")
        << u"Text1=400 Text2=400 Text3=10 Text4=11 Text12=500 Text13=100 Text16=3000"_s
        << u"++++++"_s << 1 << u"105.11"_s << u"f = 215"_s;
    // A web beyond S5 (776 ÷ 3 = 258.67 > 250; α0 0.46) is not the clause's:
    // strength on the gross section as before, its stability not judged.
    QTest::newRow("web beyond S5")
        << u"Text1=300 Text2=800 Text3=3 Text4=12 Text12=100 Text13=10 Text16=3000"_s
        << u"++-+??"_s << 3 << u"258.67"_s << u"(45 + 25α_{0}^{1.66})ε_{k} = 51.91"_s;
    // No length, no slenderness: nothing of stability is judged, nor passed.
    QTest::newRow("L −6000") << u"Text16=-6000"_s << u"+-+???"_s << 4 << QString() << QString();
    QTest::newRow("L 0, in tension")
        << u"Text16=0 Text12=-150"_s << u"+-+???"_s << 6 << QString() << QString();
    QTest::newRow("μy 0") << u"Text24=0"_s << u"+-+???"_s << 5 << QString() << QString();
}

void TestSectionCalculation::memberChecks()
{
    QFETCH(QString, typed);
    QFETCH(QString, verdicts);
    QFETCH(int, row);
    QFETCH(QString, value);
    QFETCH(QString, limit);
    FieldTexts fields = withTyped(typed);
    QVERIFY(!calculateSection(fields, point));
    const Verdicts judged = judgeSection(fields, point);
    QVERIFY(!judged.fault);
    QCOMPARE(verdictSigns(judged), verdicts);
    const JudgedCheck& check = judged.checks[std::size_t(row - 1)];
    QCOMPARE(QString::fromStdString(check.value), value);
    QCOMPARE(QString::fromStdString(check.limit), limit);
}

void TestSectionCalculation::memberNotes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("notes"); // how each begins

    QTest::newRow("defaults") << u""_s
                              << QStringList { u"翼缘宽厚比24.63大于20εk = 20，超出S5级"_s,
                                     u"λy = 194.89大于120εk = 120"_s };
    QTest::newRow("t −8") << u"Text4=-8"_s << QStringList { u"翼缘厚t = −8：板件尺寸须为正数"_s };
    QTest::newRow("t 120") << u"Text4=120 Text2=400"_s
                           << QStringList { u"翼缘厚t = 120：板厚超过100 mm"_s };
    QTest::newRow("no grade") << u"Combo1="_s << QStringList { u"未注明钢材牌号："_s };
    QTest::newRow("μx −1") << u"Text23=-1"_s
                           << QStringList { u"翼缘宽厚比24.63大于20εk = 20，超出S5级"_s,
                                  u"平面内计算长度系数μx = −1：构件长度与计算长度须为正数"_s };
    QTest::newRow("S5 web: the effective section")
        << u"Text1=300 Text2=800 Text3=8 Text4=12 Text12=1502.2 Text13=44.5 Text16=3000 "
           "Combo1=Q345"_s
        << QStringList { u"腹板高厚比97.00大于S4级限值38.50"_s,
               u"有效截面（第8.4.2条）：腹板 kσ = 4.43，λn,p = 1.99，ρ = 0.46，hc = 776.00 mm，"
               "he = 353.16 mm；Ae = 10025.27 mm²（毛截面 A = 13408 mm²），W1x = 3422856.51"_s };
    QTest::newRow("Q355 takes Q345's f")
        << u"Text1=200 Text2=400 Text3=10 Text4=14 Text12=800 Text13=60 Text16=2000 Combo1=Q355"_s
        << QStringList { u"Q355取表4.4.1中Q345的设计强度"_s };
}

void TestSectionCalculation::memberNotes()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, notes);
    FieldTexts fields = withTyped(typed);
    QVERIFY(!calculateSection(fields, point));
    const std::vector<std::string> said = judgeSection(fields, point).notes;
    QCOMPARE(qsizetype(said.size()), notes.size());
    for (qsizetype n = 0; n < notes.size(); ++n)
        QVERIFY2(QString::fromStdString(said[std::size_t(n)]).startsWith(notes[n]),
            said[std::size_t(n)].c_str());
    // γx as the window and the sheet say it.
    if (typed.isEmpty())
        QCOMPARE(
            QString::fromStdString(plasticFactorCaption(fields, point)), u"γx = 1.0，翼缘超S3级"_s);
}

// The audit's member, B 500, H 600, tw 20, t 45, N 4500, M 300, L 6000, and
// its neighbours: the curves by t and the flanges' edges, then each factor of
// the basis moving its own row alone. Hand-worked: A 55 200, Wx 12 313 200,
// f 200, λx 46.39, λy 92.06 (c: φx 0.798; d: φy 0.429, φb 0.877).
void TestSectionCalculation::memberBasis_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<QString>("inPlane"); // value (curve)
    QTest::addColumn<QString>("outOfPlane");

    const QString audit = u"Text1=500 Text2=600 Text3=20 Text4=45 Text12=4500 Text13=300 "
                          "Text16=6000"_s;
    QTest::newRow("audit: c and d") << audit << u"+++++-"_s << u"0.64 c"_s << u"1.09 d"_s;
    QTest::newRow("audit flame-cut: b and b")
        << audit + u" Combo2=焰切边"_s << u"++++++"_s << u"0.59 b"_s << u"0.81 b"_s;
    // Either side of 40 mm, f 205 both.
    QTest::newRow("t 39 rolled: b and c")
        << audit + u" Text4=39"_s << u"+++++-"_s << u"0.65 b"_s << u"1.05 c"_s;
    QTest::newRow("t 39 flame-cut: b and b")
        << audit + u" Text4=39 Combo2=焰切边"_s << u"++++++"_s << u"0.65 b"_s << u"0.90 b"_s;
    QTest::newRow("t 40 rolled: c and d")
        << audit + u" Text4=40"_s << u"+++++-"_s << u"0.68 c"_s << u"1.18 d"_s;
    QTest::newRow("t 40 flame-cut: b and b")
        << audit + u" Text4=40 Combo2=焰切边"_s << u"++++++"_s << u"0.63 b"_s << u"0.88 b"_s;
    // μx 1: λx 23.19, φx 0.945; μy 1: λy 46.03, φy 0.720, φb 1.
    QTest::newRow("μx 1") << audit + u" Text23=1"_s << u"+++++-"_s << u"0.55 c"_s << u"1.09 d"_s;
    QTest::newRow("μy 1") << audit + u" Text24=1"_s << u"++++++"_s << u"0.64 c"_s << u"0.69 d"_s;
    QTest::newRow("βmx 0.6") << audit + u" Text25=0.6"_s << u"+++++-"_s << u"0.59 c"_s
                             << u"1.09 d"_s;
    QTest::newRow("βtx 0.6") << audit + u" Text26=0.6"_s << u"+++++-"_s << u"0.64 c"_s
                             << u"1.03 d"_s;
    QTest::newRow("η 0.7") << audit + u" Text27=0.7"_s << u"+++++-"_s << u"0.64 c"_s
                           << u"1.05 d"_s;
}

void TestSectionCalculation::memberBasis()
{
    QFETCH(QString, typed);
    QFETCH(QString, verdicts);
    QFETCH(QString, inPlane);
    QFETCH(QString, outOfPlane);
    FieldTexts fields = withTyped(typed);
    QVERIFY(!calculateSection(fields, point));
    const Verdicts judged = judgeSection(fields, point);
    QVERIFY(!judged.fault);
    QCOMPARE(verdictSigns(judged), verdicts);
    const std::pair<std::size_t, QString> rows[] { { 4, inPlane }, { 5, outOfPlane } };
    for (const auto& [check, expected] : rows) {
        const JudgedCheck& row = judged.checks[check];
        QCOMPARE(QString::fromStdString(row.value), expected.section(u' ', 0, 0));
        const QString curve = u"（"_s + expected.section(u' ', 1) + u"类）"_s;
        QVERIFY2(QString::fromStdString(row.source).contains(curve), row.source.c_str());
    }
}

QTEST_GUILESS_MAIN(TestSectionCalculation)
#include "tst_sectioncalculation.moc"
