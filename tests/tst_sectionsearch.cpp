// The lightest I-section: the screened, area-ordered search against brute
// force (a click on every section of the space), bit for bit.

#include "sectioncalculation.h"
#include "sectionchecks.h"
#include "sectionfields.h"
#include "sectionsearch.h"

#include <QtTest>

#include <bit>

using namespace Qt::StringLiterals;

namespace {

using Texts = std::vector<std::string>;

// "Q345B|Text23=1|Combo2=焰切边": the grade, then any field typed over.
FieldTexts windowWith(const QString& N, const QString& M, const QString& L, const QString& basis)
{
    FieldTexts window = designTimeTexts(sectionFields());
    window[std::string(SectionField::N)] = N.toStdString();
    window[std::string(SectionField::M)] = M.toStdString();
    window[std::string(SectionField::L)] = L.toStdString();
    const QStringList named = basis.split(u'|');
    window[std::string(SectionField::steelGrade)] = named[0].toStdString();
    for (qsizetype n = 1; n < named.size(); ++n) {
        const qsizetype sign = named[n].indexOf(u'=');
        window[named[n].left(sign).toStdString()] = named[n].mid(sign + 1).toStdString();
    }
    return window;
}

Texts split(const QString& list)
{
    Texts texts;
    for (const QString& text : list.split(u' '))
        texts.push_back(text.toStdString());
    return texts;
}

// Every section of the space judged by a click: the ten best that pass and
// how often each row held one back.
std::pair<std::vector<SectionCandidate>, std::vector<std::size_t>> bruteForce(
    const FieldTexts& window, const SectionSearchSpace& space)
{
    std::vector<SectionCandidate> passing;
    std::vector<std::size_t> heldBack(sectionChecks().size());
    for (const auto& B : space.B)
        for (const auto& H : space.H)
            for (const auto& tw : space.tw)
                for (const auto& t : space.t) {
                    if (const auto found
                        = judgeSectionCandidate(window, { B, H, tw, t }, NumberFormat {})) {
                        passing.push_back(*found);
                        continue;
                    }
                    FieldTexts texts = window;
                    for (const auto& [control, size] :
                        { std::pair(SectionField::B, B), std::pair(SectionField::H, H),
                            std::pair(SectionField::tw, tw), std::pair(SectionField::t, t) })
                        texts[std::string(control)] = size;
                    if (!calculateSection(texts, NumberFormat {}))
                        for (std::size_t row = 0;
                             const auto& check : judgeSection(texts, NumberFormat {}).checks)
                            heldBack[row++] += check.verdict == Verdict::NotMet
                                || check.verdict == Verdict::NotJudged;
                }
    std::sort(passing.begin(), passing.end(),
        [](const SectionCandidate& a, const SectionCandidate& b) { return a.before(b); });
    passing.resize(std::min<std::size_t>(passing.size(), 10));
    return { passing, heldBack };
}

QString shown(const SectionCandidate& candidate)
{
    QStringList sizes;
    for (const std::string& size : candidate.sizes)
        sizes << QString::fromStdString(size);
    return sizes.join(u' ') + u" A "_s + QString::fromStdString(candidate.areaText) + u" G "_s
        + QString::fromStdString(candidate.weightText) + u" 控制 "_s
        + QString::number(candidate.governing) + u' ' + QString::fromStdString(candidate.ratioText);
}

} // namespace

class SectionSearchTest : public QObject {
    Q_OBJECT

private slots:
    void sameTenAsBruteForce_data();
    void sameTenAsBruteForce();
    void screenNeverFailsAPass_data();
    void screenNeverFailsAPass();
    void refusals_data();
    void refusals();
};

void SectionSearchTest::sameTenAsBruteForce_data()
{
    QTest::addColumn<QString>("N");
    QTest::addColumn<QString>("M");
    QTest::addColumn<QString>("L");
    QTest::addColumn<QString>("basis"); // the grade, then fields typed over
    QTest::addColumn<QStringList>("space"); // B, H, tw, t
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("mostFailed"); // -1 when ten pass

    const QStringList space { "150 200 250 300 350 400 450 500", "300 400 500 600 700", "6 8 10 12",
        "8 10 12 16 20" };
    // The window's forces and basis.
    QTest::newRow("defaults") << "1500"
                              << "300"
                              << "6000"
                              << "Q345B" << space << 2 << -1;
    // The design-time window's member, braced at mid-length out of plane.
    QTest::newRow("design-time window, μy 1")
        << "150"
        << "118"
        << "10000"
        << "Q235B|Text24=1"
        << QStringList { "400 450 500 550 600", "400 500 600 700 800", "6 8 10", "10 12 14 16 20" }
        << 1 << -1;
    // A heavy, short member: strength and the plates' classes govern.
    QTest::newRow("heavy load") << "4000"
                                << "600"
                                << "3000"
                                << "Q390|Text23=1|Text24=1"
                                << QStringList { "300 350 400 450 500 550 600",
                                       "500 600 700 800 900", "8 10 12 14", "16 20 25 30 36 40" }
                                << 3 << -1;
    // Flame-cut flanges take curve b about y, thick plates c and d.
    QTest::newRow("flame-cut edges")
        << "1500"
        << "300"
        << "6000"
        << "Q345B|Combo2=焰切边|Text25=0.85|Text26=0.65"
        << QStringList { "300 350 400 450 500", "400 500 600 700", "6 8 10 12", "10 14 20 36 40" }
        << 2 << -1;
    // Wide thin flanges and slender webs, judged on their effective section.
    QTest::newRow("S5 plates") << "300"
                               << "150"
                               << "4000"
                               << "Q235B|Text23=1|Text24=1"
                               << QStringList { "250 300 350 400", "600 800 1000 1200", "6 8",
                                      "8 10 12" }
                               << 2 << -1;
    // A member in tension: the compression rows are 不适用.
    QTest::newRow("tension") << "-800"
                             << "200"
                             << "6000"
                             << "Q235B|Text24=1"
                             << QStringList { "150 200 250 300", "300 400 500 600", "6 8 10",
                                    "8 10 12 16" }
                             << 2 << -1;
    // Nothing this small carries 1500 kN and 300 kN·m, nor stands 12 m out
    // of its plane.
    QTest::newRow("no candidate") << "1500"
                                  << "300"
                                  << "6000"
                                  << "Q345B" << QStringList { "150 200", "300 400", "6 8", "8 10" }
                                  << 2 << 0;
}

void SectionSearchTest::sameTenAsBruteForce()
{
    QFETCH(QString, N);
    QFETCH(QString, M);
    QFETCH(QString, L);
    QFETCH(QString, basis);
    QFETCH(QStringList, space);
    QFETCH(int, threads);
    QFETCH(int, mostFailed);

    const FieldTexts window = windowWith(N, M, L, basis);
    const SectionSearchSpace sizes { split(space[0]), split(space[1]), split(space[2]),
        split(space[3]) };
    const auto [expected, heldBack] = bruteForce(window, sizes);
    const SectionSearch found
        = searchLightestSection(window, sizes, NumberFormat {}, { .threads = unsigned(threads) });

    QCOMPARE(found.candidates, sizes.size());
    QStringList got, want;
    for (const SectionCandidate& candidate : found.best)
        got << shown(candidate);
    for (const SectionCandidate& candidate : expected)
        want << shown(candidate);
    QCOMPARE(got, want);
    for (std::size_t n = 0; n < expected.size(); ++n)
        QCOMPARE(std::bit_cast<std::uint64_t>(found.best[n].area),
            std::bit_cast<std::uint64_t>(expected[n].area));
    // The screen spares clicks: fewer than the space, all where ten pass.
    QVERIFY(found.clicked < sizes.size());

    if (mostFailed < 0) {
        QCOMPARE(found.best.size(), std::size_t(10));
        QVERIFY(!found.mostFailed);
        return;
    }
    QVERIFY(found.best.empty());
    QCOMPARE(std::max_element(heldBack.begin(), heldBack.end()) - heldBack.begin(), mostFailed);
    QCOMPARE(int(found.mostFailed.value_or(99)), mostFailed);
}

// Over a wide sweep of plates and forces, no section the screen fails passes
// a click: every listed candidate is a click's own result.
void SectionSearchTest::screenNeverFailsAPass_data()
{
    QTest::addColumn<QString>("N");
    QTest::addColumn<QString>("M");
    QTest::addColumn<QString>("L");
    QTest::addColumn<QString>("basis");

    QTest::newRow("Q345, 6 m") << "1500"
                               << "300"
                               << "6000"
                               << "Q345B";
    QTest::newRow("Q460, short, flame-cut") << "3000"
                                            << "800"
                                            << "2500"
                                            << "Q460|Combo2=焰切边|Text23=1|Text24=0.5";
    QTest::newRow("moment alone, Q235") << "0"
                                        << "400"
                                        << "3000"
                                        << "Q235B|Text24=1";
    // Long and heavy: many sections near or past 1 − 0.8N/N′Ex = 0.
    QTest::newRow("amplifier near zero") << "2500"
                                         << "20"
                                         << "9000"
                                         << "Q235B|Text24=1";
    QTest::newRow("tension and moment") << "-2000"
                                        << "-300"
                                        << "5000"
                                        << "Q390|Text24=1|Text26=0.65|Text27=0.7";
}

void SectionSearchTest::screenNeverFailsAPass()
{
    QFETCH(QString, N);
    QFETCH(QString, M);
    QFETCH(QString, L);
    QFETCH(QString, basis);

    const FieldTexts window = windowWith(N, M, L, basis);
    SectionScreen screen;
    QVERIFY(!runSteps([&] { screen = readSectionScreen(window, NumberFormat {}); }));
    int passed = 0, screened = 0;
    for (int B = 150; B <= 600; B += 30)
        for (int H = 200; H <= 1200; H += 70)
            for (const int tw : { 6, 8, 12, 16, 20 })
                for (const int t : { 8, 10, 14, 18, 25, 32, 40 }) {
                    const std::array<std::string, 4> sizes { std::to_string(B), std::to_string(H),
                        std::to_string(tw), std::to_string(t) };
                    const bool passes
                        = judgeSectionCandidate(window, sizes, NumberFormat {}).has_value();
                    const bool failedOnScreen
                        = sectionSureFailures(screen, float(B), float(H), float(tw), float(t)) != 0;
                    passed += passes;
                    screened += failedOnScreen;
                    QVERIFY2(!(passes && failedOnScreen),
                        qPrintable(QString::fromStdString(
                            sizes[0] + " " + sizes[1] + " " + sizes[2] + " " + sizes[3])));
                }
    // Both sides are there to be told apart.
    QVERIFY(passed > 0);
    QVERIFY(screened > 0);
}

void SectionSearchTest::refusals_data()
{
    QTest::addColumn<QString>("basis");
    QTest::addColumn<QString>("N");
    QTest::addColumn<QString>("refused"); // the start of the reason, or empty
    QTest::addColumn<QString>("fault"); // the field that stops every click, or empty

    QTest::newRow("unknown grade") << "Q999"
                                   << "1500"
                                   << "钢材牌号“Q999”无法识别"
                                   << "";
    QTest::newRow("no grade") << ""
                              << "1500"
                              << "没有选择钢材牌号"
                              << "";
    QTest::newRow("force not a number") << "Q345B"
                                        << "1500kN"
                                        << ""
                                        << "Text12";
    QTest::newRow("factor not a number") << "Q345B|Text25=β"
                                         << "1500"
                                         << ""
                                         << "Text25";
}

void SectionSearchTest::refusals()
{
    QFETCH(QString, basis);
    QFETCH(QString, N);
    QFETCH(QString, refused);
    QFETCH(QString, fault);

    const SectionSearch found = searchLightestSection(
        windowWith(N, u"300"_s, u"6000"_s, basis), defaultSectionSearchSpace(), NumberFormat {});
    QVERIFY(found.best.empty());
    QCOMPARE(QString::fromStdString(found.refused.value_or("")).left(refused.size()), refused);
    QCOMPARE(QString::fromStdString(found.fault ? found.fault->field : ""), fault);
    QCOMPARE(found.clicked, std::size_t(0));
}

QTEST_APPLESS_MAIN(SectionSearchTest)
#include "tst_sectionsearch.moc"
