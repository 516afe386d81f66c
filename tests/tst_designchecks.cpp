// What every calculator's checks share: table 4.4.1's f by grade and
// thickness, appendix D's φ against the code's own tables, and the powers
// the slenderness limits are worked out with.

#include "exactfloat.h"
#include "stability.h"
#include "steelstrength.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(BucklingCurve)

class TestDesignChecks : public QObject {
    Q_OBJECT

private slots:
    void plateStrengths_data();
    void plateStrengths();
    void stabilityFactors_data();
    void stabilityFactors();
    void rationalPowers_data();
    void rationalPowers();
};

void TestDesignChecks::plateStrengths_data()
{
    QTest::addColumn<int>("fy");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("f"); // 0: none
    QTest::addColumn<QString>("group");

    // Each group ends at its own thickness.
    QTest::newRow("Q235 16") << 235 << 16.0 << 215.0 << u"t ≤ 16 mm"_s;
    QTest::newRow("Q235 16.5") << 235 << 16.5 << 205.0 << u"16 < t ≤ 40 mm"_s;
    QTest::newRow("Q235 63 is one group to 100") << 235 << 63.5 << 200.0 << u"40 < t ≤ 100 mm"_s;
    QTest::newRow("Q345 40") << 345 << 40.0 << 295.0 << u"16 < t ≤ 40 mm"_s;
    QTest::newRow("Q345 63") << 345 << 63.0 << 290.0 << u"40 < t ≤ 63 mm"_s;
    QTest::newRow("Q345 80") << 345 << 80.0 << 280.0 << u"63 < t ≤ 80 mm"_s;
    QTest::newRow("Q345 100") << 345 << 100.0 << 270.0 << u"80 < t ≤ 100 mm"_s;
    // Q355 came after the table: Q345's values, on the safe side.
    QTest::newRow("Q355 as Q345") << 355 << 8.0 << 305.0 << u"t ≤ 16 mm"_s;
    QTest::newRow("Q390 70: one group to 100") << 390 << 70.0 << 295.0 << u"63 < t ≤ 100 mm"_s;
    QTest::newRow("Q420 50") << 420 << 50.0 << 320.0 << u"40 < t ≤ 63 mm"_s;
    QTest::newRow("Q460 12") << 460 << 12.0 << 410.0 << u"t ≤ 16 mm"_s;
    QTest::newRow("beyond 100") << 345 << 100.5 << 0.0 << QString();
    QTest::newRow("no plate") << 235 << 0.0 << 0.0 << QString();
    QTest::newRow("no such grade") << 300 << 10.0 << 0.0 << QString();
}

void TestDesignChecks::plateStrengths()
{
    QFETCH(int, fy);
    QFETCH(double, t);
    QFETCH(double, f);
    QFETCH(QString, group);
    const std::optional<PlateStrength> strength = plateStrength(fy, t);
    QCOMPARE(strength ? strength->f : 0.0, f);
    QCOMPARE(
        strength ? QString::fromUtf8(strength->group.data(), strength->group.size()) : QString(),
        group);
}

void TestDesignChecks::stabilityFactors_data()
{
    QTest::addColumn<double>("lambda");
    QTest::addColumn<int>("fy");
    QTest::addColumn<BucklingCurve>("curve");
    QTest::addColumn<QString>("phi"); // to three decimals, as the tables print it

    // λ 100, Q235: λn = 100/π × √(235/206000) = 1.0751; curve b gives
    // (2.4435 − √(2.4435² − 4 × 1.1559)) ÷ (2 × 1.1559) = 0.555, table D.0.2.
    QTest::newRow("b, λ 100") << 100.0 << 235 << BucklingCurve::b << u"0.555"_s;
    // Curve c past λn 1.05 takes α2 1.216, α3 0.302: 0.463, table D.0.3.
    QTest::newRow("c, λ 100") << 100.0 << 235 << BucklingCurve::c << u"0.463"_s;
    QTest::newRow("b, λ 50") << 50.0 << 235 << BucklingCurve::b << u"0.856"_s;
    // λn 0.96 ≤ 1.05: α2 0.906, α3 0.595.
    QTest::newRow("c, λ 89") << 89.0 << 235 << BucklingCurve::c << u"0.523"_s;
    QTest::newRow("c, λ 150") << 150.0 << 235 << BucklingCurve::c << u"0.280"_s;
    // λn 0.161 ≤ 0.215: 1 − α1·λn² = 1 − 0.65 × 0.0260.
    QTest::newRow("b, λ 15, the short branch") << 15.0 << 235 << BucklingCurve::b << u"0.983"_s;
    QTest::newRow("c, λ 15, the short branch") << 15.0 << 235 << BucklingCurve::c << u"0.981"_s;
    // Q345 at λ 100 is Q235 at λ/εk = 121.2: curve b 0.431.
    QTest::newRow("b, λ 100, Q345") << 100.0 << 345 << BucklingCurve::b << u"0.431"_s;
    QTest::newRow("λ 0") << 0.0 << 235 << BucklingCurve::c << u"1.000"_s;
    // Curve d, table D.0.4: α1 1.35; α2 0.868, α3 0.915 to λn 1.05, then 1.375, 0.432.
    QTest::newRow("d, λ 100") << 100.0 << 235 << BucklingCurve::d << u"0.394"_s;
    QTest::newRow("d, λ 50") << 50.0 << 235 << BucklingCurve::d << u"0.690"_s;
    QTest::newRow("d, λ 150") << 150.0 << 235 << BucklingCurve::d << u"0.248"_s;
    QTest::newRow("d, λ 15, the short branch") << 15.0 << 235 << BucklingCurve::d << u"0.965"_s;
}

void TestDesignChecks::stabilityFactors()
{
    QFETCH(double, lambda);
    QFETCH(int, fy);
    QFETCH(BucklingCurve, curve);
    QFETCH(QString, phi);
    QCOMPARE(QString::number(stabilityFactor(lambda, fy, curve), 'f', 3), phi);
}

void TestDesignChecks::rationalPowers_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("q");
    QTest::addColumn<double>("expected"); // exactly, or within 4 units in the last place of pow
    QTest::addColumn<bool>("exact");

    QTest::newRow("2^1.5 is √8") << 2.0 << 3 << 2 << std::sqrt(8.0) << true;
    QTest::newRow("1^1.66") << 1.0 << 83 << 50 << 1.0 << true;
    QTest::newRow("0^1.66") << 0.0 << 83 << 50 << 0.0 << true;
    QTest::newRow("32^(1/5)") << 32.0 << 1 << 5 << 2.0 << true;
    QTest::newRow("2^1.66") << 2.0 << 83 << 50 << std::pow(2.0, 1.66) << false;
    QTest::newRow("0.77^1.66") << 0.77 << 83 << 50 << std::pow(0.77, 1.66) << false;
    QTest::newRow("0.001^1.66") << 0.001 << 83 << 50 << std::pow(0.001, 1.66) << false;
}

void TestDesignChecks::rationalPowers()
{
    QFETCH(double, x);
    QFETCH(int, p);
    QFETCH(int, q);
    QFETCH(double, expected);
    QFETCH(bool, exact);
    const double power = rationalPower(x, p, q);
    if (exact)
        QCOMPARE(hexFloat(power), hexFloat(expected));
    else
        QVERIFY2(std::fabs(power - expected) <= 4 * std::nextafter(expected, 10.0) - 4 * expected,
            qPrintable(hexFloat(power) + u" vs "_s + hexFloat(expected)));
}

QTEST_GUILESS_MAIN(TestDesignChecks)
#include "tst_designchecks.moc"
