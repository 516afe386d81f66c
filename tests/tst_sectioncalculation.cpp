// The I-section calculation on field texts: the figures engineers check by
// hand, the read-backs of displayed figures, and where each fault stops it.
// Expected figures come from an independent computation of the same steps.

#include "fieldpairs.h"
#include "sectioncalculation.h"
#include "sectionfields.h"

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
    void commaLocale();
};

void TestSectionCalculation::figures_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults")
        << u""_s
        << u"Text5=8104 Text6=147909685.33 Text7=85338445.33 Text8=135.10 Text9=102.62 "
           "Text10=986064.57 Text11=426692.23 Text14=138.18 Text15=132.48 Text17=20000.00 "
           "Text18=148.04 Text19=194.89 Text21=63.6164 Text22=63.6164"_s;
    QTest::newRow("B 200, H 400, tw 8, t 12.5")
        << u"Text1=200 Text2=400 Text3=8 Text4=12.5"_s
        << u"Text5=8000 Text6=222916666.67 Text7=16682666.67 Text8=166.93 Text9=45.67 "
           "Text10=1114583.33 Text11=166826.67 Text14=124.62 Text15=119.58 Text17=20000.00 "
           "Text18=119.81 Text19=437.92 Text21=62.8 Text22=62.8"_s;
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
           "Text18=209.91 Text19=243.13 Text21=87.0254925 Text22=87.0254925"_s;
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
        << u"Text20=2"_s << u"Text21=63.6164 Text22=127.2328"_s;
    QTest::newRow("no pieces") << u"Text20=0"_s << u"Text21=63.6164 Text22=0"_s;
    QTest::newRow("L 0") << u"Text16=0"_s << u"Text17=0.00 Text18=0.00 Text19=0.00"_s;
    QTest::newRow("reversed forces")
        << u"Text12=-150 Text13=-118"_s << u"Text14=-138.18 Text15=-132.48"_s;
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
    QTest::newRow("Num not a number") << u"Text20=two"_s << u"Text20"_s << nan << u"Text21"_s;
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

QTEST_GUILESS_MAIN(TestSectionCalculation)
#include "tst_sectioncalculation.moc"
