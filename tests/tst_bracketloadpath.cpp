// The bracket's checks under 荷载与节点, each just met and just not met, and
// what σc does to the rows it enters. Every expected figure was worked by
// hand from the clauses (GB 50017-2017 §6.1.4, §6.1.5, §6.3.3, §6.3.6,
// §6.3.7, §11.2.7, §12.3.4, table 11.3.5) in double, apart from the program:
// the default bracket's root section is y = c2 = 256 mm, In = 418 739 466.67
// mm⁴, and its stiffener pair A = 5 000 mm², i = 36.58 mm, λ = 13.67, φ = 0.986.

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketverdicts.h"
#include "exactfloat.h"
#include "fieldpairs.h"
#include "loadpath.h"
#include "verdictsigns.h"
#include "webpanel.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const NumberFormat point { U'.' };

Verdicts judged(const QString& typed)
{
    FieldTexts fields = fieldPairs(typed, designTimeTexts(bracketFields()));
    if (calculateBracket(fields, point))
        return {};
    return judgeBracket(fields, point);
}

} // namespace

class TestBracketLoadPath : public QObject {
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void figuresBitForBit_data();
    void figuresBitForBit();
    void designTimeTextsKeepEveryVerdict();
    void missingInputsReadAsDrawn();
};

void TestBracketLoadPath::rows_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row"); // 1 … 21, in the verdict window's order
    QTest::addColumn<QString>("sign"); // + met, - not met, n not applicable, ? not judged
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("limit");

    const QString none = u"Combo2=无"_s;
    // §6.1.4: σc = F ÷ (ts·(a + 5t1)), ψ = 1.0.
    QTest::newRow("default, no stiffener: 400 000 / (10 × 110)")
        << none << 12 << u"-"_s << u"363.64"_s << u"f = 215"_s;
    QTest::newRow("a 127: lz 187") << none + u" Text37=127"_s << 12 << u"+"_s << u"213.90"_s
                                   << u"f = 215"_s;
    QTest::newRow("a 126: lz 186") << none + u" Text37=126"_s << 12 << u"-"_s << u"215.05"_s
                                   << u"f = 215"_s;
    QTest::newRow("with a stiffener") << QString() << 12 << u"n"_s << QString() << QString();
    QTest::newRow("uplift pulls on the flange")
        << none + u" Text7=-400"_s << 12 << u"n"_s << QString() << QString();
    // §6.1.5 under the load: σ at d = min(lz/2, a) = 55 from the load, σc,
    // τ at one point, β1 = 1.2 for σ in tension against σc.
    QTest::newRow("upper end under the load")
        << none << 7 << u"-"_s << u"384.08"_s << u"β_{1}·f = 1.2 × 215 = 258"_s;
    QTest::newRow("a 400: the root governs again")
        << none + u" Text37=400"_s << 7 << u"+"_s << u"147.93"_s
        << u"β_{1}·f = 1.1 × 215 = 236.5"_s;
    // §6.3.3 with σc: λn,c 0.82 at a = 0.5h0, σc,cr = f.
    QTest::newRow("panel: σc/σc,cr added")
        << u"Text5=6 Text6=900 Combo2=无"_s << 9 << u"-"_s << u"3.53"_s
        << u"(σ/σ_{cr})² + τ/τ_{cr} + σ_{c}/σ_{c,cr} ≤ 1"_s;
    QTest::newRow("panel: F 100, a 300") << u"Text5=6 Text6=900 Combo2=无 Text7=100 Text37=300"_s
                                         << 9 << u"+"_s << u"0.37"_s
                                         << u"(σ/σ_{cr})² + τ/τ_{cr} + σ_{c}/σ_{c,cr} ≤ 1"_s;
    // §6.3.7: end bearing on 2(bs − c)·tst against fce, stability with curve b.
    QTest::newRow("tst 9: Ace 1 350") << u"Text35=9"_s << 13 << u"+"_s << u"296.30"_s
                                      << u"f_{ce} = 320"_s;
    QTest::newRow("tst 8: Ace 1 200") << u"Text35=8"_s << 13 << u"-"_s << u"333.33"_s
                                      << u"f_{ce} = 320"_s;
    QTest::newRow("Q345: fce 400") << u"Combo1=Q345 Text35=8"_s << 13 << u"+"_s << u"333.33"_s
                                   << u"f_{ce} = 400"_s;
    QTest::newRow("stability, defaults: φ 0.986")
        << QString() << 14 << u"+"_s << u"81.14"_s << u"f = 215"_s;
    const QString slender = u"Text5=6 Text6=900 Text34=40 Text35=6 Text36=10"_s;
    QTest::newRow("λ 63.43, φ 0.789: F 270")
        << slender + u" Text7=270"_s << 14 << u"+"_s << u"214.49"_s << u"f = 215"_s;
    QTest::newRow("λ 63.43, φ 0.789: F 271")
        << slender + u" Text7=271"_s << 14 << u"-"_s << u"215.28"_s << u"f = 215"_s;
    // §6.3.6: bs ≥ h0/30 + 40, tst ≥ bs/15.
    QTest::newRow("bs 57") << u"Text34=57"_s << 15 << u"+"_s << u"57"_s
                           << u"h_{0}/30 + 40 = 56.67"_s;
    QTest::newRow("bs 56") << u"Text34=56"_s << 15 << u"-"_s << u"56"_s
                           << u"h_{0}/30 + 40 = 56.67"_s;
    QTest::newRow("bs/tst 15") << u"Text34=150"_s << 16 << u"+"_s << u"15.00"_s << u"15"_s;
    QTest::newRow("bs/tst 15.1") << u"Text34=151"_s << 16 << u"-"_s << u"15.10"_s << u"15"_s;
    // §11.2.7: V·Sf/I on 2 × 0.7hf′, the load's ψF/(βf·lz) on the upper flange.
    QTest::newRow("upper fillets, stiffened") << QString() << 17 << u"+"_s << u"52.40"_s
                                              << u"f_{f}^{w} = 160"_s;
    QTest::newRow("upper fillets under the load, hf′ 14")
        << none + u" Text33=14"_s << 17 << u"+"_s << u"154.99"_s << u"f_{f}^{w} = 160"_s;
    QTest::newRow("upper fillets under the load, hf′ 13")
        << none + u" Text33=13"_s << 17 << u"-"_s << u"166.92"_s << u"f_{f}^{w} = 160"_s;
    QTest::newRow("lower fillets, hf′ 3") << none + u" Text33=3"_s << 18 << u"+"_s << u"139.74"_s
                                          << u"f_{f}^{w} = 160"_s;
    QTest::newRow("lower fillets, hf′ 2") << none + u" Text33=2"_s << 18 << u"-"_s << u"209.61"_s
                                          << u"f_{f}^{w} = 160"_s;
    // §12.3.4: twc ≥ max(Afb·fb/(be·fc), hc/(30εk)), tc ≥ 0.4√(Aft·fb/fc).
    const QString bare = u"Combo3=无"_s;
    QTest::newRow("column web 12 < 21.43") << bare << 19 << u"-"_s << u"12"_s
                                           << u"max(A_{fb}f_{b}/(b_{e}f_{c}), h_{c}/(30ε_{k})) = "
                                              u"max(21.43, 15.33) = 21.43"_s;
    QTest::newRow("column web 22: fc 205 asks 22.47")
        << bare + u" Text39=22"_s << 19 << u"-"_s << u"22"_s
        << u"max(A_{fb}f_{b}/(b_{e}f_{c}), h_{c}/(30ε_{k})) = max(22.47, 15.33) = 22.47"_s;
    QTest::newRow("column web 23") << bare + u" Text39=23"_s << 19 << u"+"_s << u"23"_s
                                   << u"max(A_{fb}f_{b}/(b_{e}f_{c}), h_{c}/(30ε_{k})) = "
                                      u"max(22.47, 15.33) = 22.47"_s;
    QTest::newRow("column web 23, hc 700") << bare + u" Text39=23 Text40=700"_s << 19 << u"-"_s
                                           << u"23"_s
                                           << u"max(A_{fb}f_{b}/(b_{e}f_{c}), h_{c}/(30ε_{k})) = "
                                              u"max(22.47, 23.33) = 23.33"_s;
    QTest::newRow("column flange 20 < 20.07")
        << bare << 20 << u"-"_s << u"20"_s << u"0.4√(A_{ft}f_{b}/f_{c}) = 20.07"_s;
    QTest::newRow("column flange 21")
        << bare + u" Text38=21"_s << 20 << u"+"_s << u"21"_s << u"0.4√(A_{ft}f_{b}/f_{c}) = 20.07"_s;
    QTest::newRow("column stiffened") << QString() << 19 << u"+"_s << QString() << QString();
    // Table 11.3.5 note 1: against the thicker of ts and tc.
    QTest::newRow("hf 5 meets ts 10 …") << u"Text12=5"_s << 10 << u"+"_s << u"5"_s
                                        << u"h_{f,min} = 5"_s;
    QTest::newRow("… not tc 20") << u"Text12=5"_s << 21 << u"-"_s << u"5"_s << u"h_{f,min} = 6"_s;
    QTest::newRow("tc 21: hf 8") << u"Text12=8 Text38=21"_s << 21 << u"+"_s << u"8"_s
                                 << u"h_{f,min} = 8"_s;
    QTest::newRow("tc 21: hf 7.9") << u"Text12=7.9 Text38=21"_s << 21 << u"-"_s << u"7.9"_s
                                   << u"h_{f,min} = 8"_s;
    // Nothing to judge on.
    QTest::newRow("cut beyond bs") << u"Text36=95"_s << 13 << u"?"_s << QString() << QString();
    QTest::newRow("tc 0") << bare + u" Text38=0"_s << 19 << u"?"_s << QString() << QString();
}

void TestBracketLoadPath::rows()
{
    QFETCH(QString, typed);
    QFETCH(int, row);
    QFETCH(QString, sign);
    QFETCH(QString, value);
    QFETCH(QString, limit);
    const Verdicts verdicts = judged(typed);
    QVERIFY(!verdicts.fault);
    QCOMPARE(verdicts.checks.size(), bracketDesignChecks().size());
    const JudgedCheck& check = verdicts.checks[std::size_t(row - 1)];
    QCOMPARE(verdictSigns(verdicts).mid(row - 1, 1), sign);
    QCOMPARE(QString::fromStdString(check.value), value);
    QCOMPARE(QString::fromStdString(check.limit), limit);
}

void TestBracketLoadPath::figuresBitForBit_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<double>>("given");
    QTest::addColumn<QString>("figures"); // every bit; six decimals beside each row

    // lz, σc from F, ts, t1, a.
    QTest::newRow("σc: lz 110") << u"σc"_s << QList<double> { 400, 10, 12, 50 }
                                << u"1.b8p+6 1.6ba2e8ba2e8bap+8"_s; // 110 363.636364
    // F, bs, tst, c, ts, hw, fy: F/Ace, A, I, φ, F/(φA).
    QTest::newRow("stiffener: defaults, φ by λn ≤ 0.215")
        << u"stiffener"_s << QList<double> { 400, 95, 10, 20, 10, 500, 235 }
        << u"1.0aaaaaaaaaaabp+8 1.388p+12 1.986d4aaaaaaabp+22 1.f8d07fe3f2e23p-1 "
           "1.448e0d6e89f97p+6"_s; // 266.666667 5000 6691666.666667 0.985966 81.138723
    QTest::newRow("stiffener: λ 63.43, φ 0.789")
        << u"stiffener"_s << QList<double> { 270, 40, 6, 10, 6, 900, 235 }
        << u"1.77p+9 1.8fp+10 1.39bdp+18 1.93d4ae5751bf7p-1 1.acf9748924b01p+7"_s;
    // 750 1596 321268 0.788732 214.487217
    QTest::newRow("stiffener: Q345, εk 0.83")
        << u"stiffener"_s << QList<double> { 600, 120, 12, 20, 8, 800, 345 }
        << u"1.f4p+7 1.1d09f2aeee724p+12 1.d1be06a1c9f45p+23 1.f533126c361f6p-1 "
           "1.0ccac80762181p+7"_s; // 250 4560.621749 15261443.315994 0.978905 134.396057
    // V, Sf, I, ψF/(βf·lz), hf′.
    QTest::newRow("fillets under the load")
        << u"fillets"_s << QList<double> { 400, 614400, 418739500, 400000 / (1.22 * 110), 8 }
        << u"1.0f3cc732e8366p+8"_s; // 271.237415
    // Afb, fb, tf, tc, fc, hc, εk: be, by force, by slenderness; then Aft, fb, fc.
    QTest::newRow("column web") << u"column web"_s << QList<double> { 2400, 215, 12, 20, 205, 460, 1 }
                                << u"1.cp+6 1.6794f6302ad0cp+4 1.eaaaaaaaaaaabp+3"_s; // 112 22.473868 15.333333
    QTest::newRow("column flange") << u"column flange"_s << QList<double> { 2400, 215, 205 }
                                   << u"1.41174039103b8p+4"_s; // 20.068176
    // σ, τ, hc, h0, tw, a, f, fv, εk, σc: λn,c, σc,cr, the sum.
    QTest::newRow("panel: a = 0.5h0, λn,c 0.55")
        << u"panel"_s << QList<double> { 100, 50, 500, 1000, 10, 500, 215, 125, 1, 60 }
        << u"1.18bc9c63700abp-1 1.aep+7 1.ca7240688f53ap-1"_s; // 0.548314 215 0.895403
    QTest::newRow("panel: a = 1.5h0, λn,c 1.06")
        << u"panel"_s << QList<double> { 100, 50, 500, 1000, 10, 1500, 215, 125, 1, 60 }
        << u"1.0f01e3abcd13fp+0 1.781dac4568738p+7 1.fc5bee052a5e2p-1"_s; // 1.058623 188.057955 0.992889
    QTest::newRow("panel: a = 2h0, λn,c 1.80")
        << u"panel"_s << QList<double> { 100, 50, 700, 1500, 10, 3000, 215, 125, 1, 60 }
        << u"1.cbb432e50a455p+0 1.255e8b76d903dp+6 1.05688f44d8fe2p+1"_s; // 1.795718 73.342329 2.042253
}

void TestBracketLoadPath::figuresBitForBit()
{
    QFETCH(QString, kind);
    QFETCH(QList<double>, given);
    QFETCH(QString, figures);
    const QList<double>& g = given;
    QList<double> got;
    if (kind == u"σc"_s) {
        const LocalCompression local = localCompression(g[0], g[1], g[2], g[3]);
        got = { local.lz, local.sigmaC };
    } else if (kind == u"stiffener"_s) {
        const BearingStiffener pair = bearingStiffener(g[0], g[1], g[2], g[3], g[4], g[5], int(g[6]));
        got = { pair.bearingStress, pair.area, pair.inertia, pair.phi, pair.stabilityStress };
    } else if (kind == u"fillets"_s) {
        got = { flangeWebWeld(g[0], g[1], g[2], g[3], g[4]).stress };
    } else if (kind == u"column web"_s) {
        const ColumnWebNeeds web = columnWebNeeds(g[0], g[1], g[2], g[3], g[4], g[5], g[6]);
        got = { web.be, web.byForce, web.bySlenderness };
    } else if (kind == u"column flange"_s) {
        got = { columnFlangeNeeds(g[0], g[1], g[2]) };
    } else {
        const std::optional<WebPanel> panel
            = webPanel({ g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7], g[8], g[9] });
        QVERIFY(panel);
        got = { panel->lambdaC, panel->sigmaCcr, panel->sum };
    }
    QStringList bits;
    for (const double figure : got)
        bits << hexFloat(figure);
    QCOMPARE(bits.join(u' '), figures);
}

void TestBracketLoadPath::designTimeTextsKeepEveryVerdict()
{
    // The window as it opens: the stiffener takes the load, the column is
    // stiffened, nothing new fails.
    QCOMPARE(verdictSigns(judged(QString())), u"+++++++++++n+++++++++"_s);
    const Verdicts stiffened = judged(QString());
    QCOMPARE(QString::fromUtf8(verdictText(bracketDesignChecks()[18], stiffened.checks[18])),
        u"设水平加劲肋"_s);
}

void TestBracketLoadPath::missingInputsReadAsDrawn()
{
    // A table or a design older than these inputs judges as the window opens.
    FieldTexts full = fieldPairs(QString(), designTimeTexts(bracketFields()));
    FieldTexts older = full;
    for (const char* id : { "Text33", "Combo2", "Text34", "Text35", "Text36", "Text37", "Text38",
             "Text39", "Text40", "Combo3" })
        older.erase(id);
    QVERIFY(!calculateBracket(full, point));
    QVERIFY(!calculateBracket(older, point));
    QCOMPARE(verdictSigns(judgeBracket(older, point)), verdictSigns(judgeBracket(full, point)));
    QCOMPARE(judgeBracket(older, point).notes, judgeBracket(full, point).notes);
}

QTEST_GUILESS_MAIN(TestBracketLoadPath)
#include "tst_bracketloadpath.moc"
