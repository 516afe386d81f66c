// The lightest bracket: the screened, area-ordered search against brute
// force (a click on every section of the space), and its cancelling.

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketsearch.h"
#include "bracketverdicts.h"
#include "parse.h"
#include "platestrengths.h"
#include "steelgrade.h"
#include "searchspace.h"

#include <QtTest>

#include <chrono>
#include <future>

using namespace Qt::StringLiterals;

namespace {

using Texts = std::vector<std::string>;

// The materials as "grade", or "grade|electrode|weld quality".
FieldTexts windowWith(const QString& F, const QString& e, const QString& materials)
{
    FieldTexts window = designTimeTexts(bracketFields());
    window[std::string(BracketField::F)] = F.toStdString();
    window[std::string(BracketField::e)] = e.toStdString();
    // "Q420|E60|二级|Text35=14": the grade, electrode and quality, then any
    // field typed over, the stiffener sized for a heavy load.
    QStringList named = materials.split(u'|');
    for (qsizetype n = named.size(); n-- > 0;)
        if (const qsizetype sign = named[n].indexOf(u'='); sign > 0) {
            window[named[n].left(sign).toStdString()] = named[n].mid(sign + 1).toStdString();
            named.removeAt(n);
        }
    window[std::string(BracketField::steelGrade)] = named[0].toStdString();
    if (named.size() == 3) {
        window[std::string(BracketField::electrode)] = named[1].toStdString();
        window[std::string(BracketField::weldQuality)] = named[2].toStdString();
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

// The options as an engineer reads them off the plates: t ≥ ts, each
// flange's ((bf − ts) / 2) / t ≤ 15εk, equal flanges.
bool detailed(const BracketSearchSpace& space, const FieldTexts& window, const Texts& sizes)
{
    std::vector<double> v;
    for (const std::string& size : sizes)
        v.push_back(parseSingle(size, NumberFormat {}).value);
    const double ek = epsilonK(*bracketMaterial(window).fy);
    const auto outstand = [&](double bf, double t) { return ((bf - v[4]) / 2) / t <= 15 * ek; };
    return (!space.flangesAtLeastWeb || (v[2] >= v[4] && v[3] >= v[4]))
        && (!space.tensionOutstand || (outstand(v[0], v[2]) && outstand(v[1], v[3])))
        && (!space.symmetric || (v[0] == v[1] && v[2] == v[3]));
}

// Every section of the space the options keep judged by a click: the ten
// best that pass, how often each row was not met, and how many were judged.
std::tuple<std::vector<BracketCandidate>, std::vector<std::size_t>, std::size_t> bruteForce(
    const FieldTexts& window, const BracketSearchSpace& space)
{
    std::vector<BracketCandidate> passing;
    std::vector<std::size_t> notMet(bracketDesignChecks().size());
    std::size_t judged = 0;
    for (const auto& bf1 : space.bf1)
        for (const auto& bf2 : space.bf2)
            for (const auto& t1 : space.t1)
                for (const auto& t2 : space.t2)
                    for (const auto& ts : space.ts)
                        for (const auto& hw : space.hw) {
                            if (!detailed(space, window, { bf1, bf2, t1, t2, ts }))
                                continue;
                            judged += space.hf.size();
                            // Each plate set with its smallest leg that passes:
                            // the spaces list the legs from the smallest.
                            bool welded = false;
                            for (const auto& hf : space.hf) {
                                const std::array<std::string, 7> sizes { bf1, bf2, t1, t2, ts, hw,
                                    hf };
                                const auto found
                                    = judgeBracketCandidate(window, sizes, NumberFormat {});
                                if (found && !welded)
                                    passing.push_back(*found);
                                welded = welded || found;
                                FieldTexts texts = window;
                                for (std::size_t n = 0; n < sizes.size(); ++n)
                                    texts[std::string(searchedSizes[n])] = sizes[n];
                                if (!calculateBracket(texts, NumberFormat {}))
                                    for (std::size_t row = 0; const auto& check :
                                         judgeBracket(texts, NumberFormat {}).checks)
                                        notMet[row++] += check.verdict != Verdict::Met;
                            }
                        }
    std::sort(passing.begin(), passing.end(),
        [](const BracketCandidate& a, const BracketCandidate& b) { return a.before(b); });
    passing.resize(std::min<std::size_t>(passing.size(), 10));
    return { passing, notMet, judged };
}

QString shown(const BracketCandidate& candidate)
{
    QStringList sizes;
    for (const std::string& size : candidate.sizes)
        sizes << QString::fromStdString(size);
    return sizes.join(u' ') + u" An "_s + QString::fromStdString(candidate.areaText) + u" 控制 "_s
        + QString::number(candidate.governing) + u' ' + QString::fromStdString(candidate.ratioText);
}

} // namespace

class BracketSearchTest : public QObject {
    Q_OBJECT

private slots:
    void sameTenAsBruteForce_data();
    void sameTenAsBruteForce();
    void sizesAsWritten_data();
    void sizesAsWritten();
    void faultyLoadStopsTheSearch();
    void unknownGradeSearchesNothing_data();
    void unknownGradeSearchesNothing();
    void cancelStopsWithin100ms();
};

void BracketSearchTest::sameTenAsBruteForce_data()
{
    QTest::addColumn<QString>("F");
    QTest::addColumn<QString>("e");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QStringList>("space"); // bf1, bf2, t1, t2, ts, hw, hf
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("mostFailed"); // -1 when sections pass
    // The options on: w 翼缘不薄于腹板, o 受拉翼缘宽厚比同受压翼缘, s 对称截面.
    QTest::addColumn<QString>("options");

    // The window's load; the plates either side of the stress limits.
    QTest::newRow("defaults") << "400"
                              << ".45"
                              << "Q235B"
                              << QStringList { "150 200 250 300 350 400", "150 200 250 300 350 400",
                                     "8 10 12 14 16 20", "8 10 12 14 16 20", "6 8 10 12", "500",
                                     "6 8 10" }
                              << 2 << -1 << "wo";
    QTest::newRow("defaults, equal flanges")
        << "400"
        << ".45"
        << "Q235B"
        << QStringList { "150 200 250 300 350 400", "150 200 250 300 350 400", "8 10 12 14 16 20",
               "8 10 12 14 16 20", "6 8 10 12", "500", "6 8 10" }
        << 2 << -1 << "wos";
    // A short heavy load: the web and the fillet govern, over three depths.
    QTest::newRow("short heavy load")
        << "1050"
        << "0.08"
        << "Q355B|Text34=120|Text35=14"
        << QStringList { "150 200 250", "150 200 250", "8 12 16", "8 12 16 20", "12 14 16 18 20",
               "400 500 600", "6 8 10 12 14 16" }
        << 1 << -1 << "wo";
    // Uplift turns the couple round; half-millimetre plates, a full-width digit.
    QTest::newRow("uplift, odd plates")
        << "-300"
        << "0.4"
        << "Q345"
        << QStringList { "160 190 220 250 280", "160 200 240 280", "9.5 12.5 16 22 28",
               "9.5 12.5 16 22", "7 9.5 11", "450 ５00", "6 7 8" }
        << 3 << -1 << "o";
    // Higher grades, electrodes and weld quality raise every strength the screen uses.
    QTest::newRow("Q420, E60, grade two")
        << "1050"
        << "0.08"
        << "Q420|E60|二级|Text34=120|Text35=14"
        << QStringList { "150 200 250", "150 200", "8 12 16", "8 12 16 20", "10 12 14 16",
               "400 500", "6 8 10 12" }
        << 2 << -1 << "w";
    QTest::newRow("Q390 under E43, grade one, uplift")
        << "-600"
        << "0.3"
        << "Q390|E43|一级"
        << QStringList { "150 200 250", "150 200 250", "8 10 12", "8 10 12 16", "8 10 12",
               "400 500", "6 8 10" }
        << 2 << -1 << "";
    // Wide thin flanges: S5 on their effective width, or past 20εk.
    QTest::newRow("S5 flanges") << "500"
                                << "0.5"
                                << "Q235B|Text35=12"
                                << QStringList { "200 300 400", "300 400 500", "8 10 12", "8 10 12",
                                       "8 10 12", "500", "8 10" }
                                << 2 << -1 << "";
    QTest::newRow("S5 flanges under uplift")
        << "-500"
        << "0.5"
        << "Q345"
        << QStringList { "300 400 500", "200 300", "8 10 12", "8 10 12", "8 10 12", "500", "8 10" }
        << 2 << -1 << "w";
    // Slender webs: past 80εk their panel (a = 600 mm) decides, past 150εk nothing passes.
    QTest::newRow("slender webs, panel of 600")
        << "320"
        << "0.6"
        << "Q235B"
        << QStringList { "150 200 250", "150 200 250", "8 10 12", "8 10 12", "4 5 6 8",
               "600 700 900", "6 8" }
        << 2 << -1 << "s";
    // A light load: the lightest sit exactly on b′/t = 15 and hw/ts = 80.
    QTest::newRow("on the plate limits")
        << "100"
        << "0.2"
        << "Q235B"
        << QStringList { "150 170", "186 246", "6 8", "6 8", "6 8 10", "480 640 800", "6 8" } << 2
        << -1 << "o";
    // The web under the load, no stiffener: σc = F/(ts·(a + 5t1)) rules out thin webs.
    QTest::newRow("no bearing stiffener")
        << "300"
        << "0.3"
        << "Q235B|Combo2=无|Text37=100"
        << QStringList { "150 200 250", "150 200 250", "8 10 12 14", "8 10 12 14", "6 8 10 12 14",
               "400 500", "6 8 10" }
        << 2 << -1 << "w";
    // A slender bearing stiffener, just wide enough for hw 900 (h0/30 + 40 =
    // 70), and the flanges' 5 mm fillets to the web, screened as the checks
    // work them out.
    QTest::newRow("slender stiffener, thin flange fillets")
        << "200"
        << "0.5"
        << "Q235B|Text34=70|Text35=6|Text36=10|Text33=5"
        << QStringList { "150 200 250", "150 200 250", "8 10 12", "8 10 12", "5 6 8 10",
               "900 960", "6 8" }
        << 2 << -1 << "";
    // An unstiffened column of 14 mm web and 22 mm flanges takes only light flanges.
    QTest::newRow("unstiffened column")
        << "250"
        << "0.4"
        << "Q345|Combo3=无|Text38=22|Text39=14|Text40=300"
        << QStringList { "150 200 250 300", "150 200 250 300", "8 10 12 16", "8 10 12 16",
               "8 10 12", "500", "6 8" }
        << 2 << -1 << "";
    // No fillet of 6 mm carries 1000 kN on a 500 mm web.
    QTest::newRow("no candidate") << "1000"
                                  << "0.05"
                                  << "Q235B|Text34=120|Text35=16"
                                  << QStringList { "200 300", "200 300", "16 20", "16 20", "18 20",
                                         "500", "6" }
                                  << 2 << 5 << "wos";
}

void BracketSearchTest::sameTenAsBruteForce()
{
    QFETCH(QString, F);
    QFETCH(QString, e);
    QFETCH(QString, grade);
    QFETCH(QStringList, space);
    QFETCH(int, threads);
    QFETCH(int, mostFailed);
    QFETCH(QString, options);

    const FieldTexts window = windowWith(F, e, grade);
    BracketSearchSpace sizes { split(space[0]), split(space[1]), split(space[2]), split(space[3]),
        split(space[4]), split(space[5]), split(space[6]) };
    sizes.flangesAtLeastWeb = options.contains(u'w');
    sizes.tensionOutstand = options.contains(u'o');
    sizes.symmetric = options.contains(u's');
    const auto [expected, notMet, judged] = bruteForce(window, sizes);
    const BracketSearch found
        = searchLightestBracket(window, sizes, NumberFormat {}, { .threads = unsigned(threads) });

    QCOMPARE(found.candidates, judged);
    QCOMPARE(searchedSections(sizes, window, NumberFormat {}), judged);
    QStringList got, want;
    for (const BracketCandidate& candidate : found.best)
        got << shown(candidate);
    for (const BracketCandidate& candidate : expected)
        want << shown(candidate);
    QCOMPARE(got, want);
    for (std::size_t n = 0; n < expected.size(); ++n)
        QCOMPARE(std::bit_cast<std::uint64_t>(found.best[n].area),
            std::bit_cast<std::uint64_t>(expected[n].area));

    if (mostFailed < 0) {
        QCOMPARE(found.best.size(), std::size_t(10));
        QVERIFY(!found.mostFailed);
        return;
    }
    QVERIFY(found.best.empty());
    QCOMPARE(std::max_element(notMet.begin(), notMet.end()) - notMet.begin(), mostFailed);
    QVERIFY(found.mostFailed);
    QCOMPARE(int(*found.mostFailed), mostFailed);
}

void BracketSearchTest::sizesAsWritten_data()
{
    QTest::addColumn<QString>("written"); // "from:to:step" or a list
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("sizes"); // or the problem

    QTest::newRow("widths") << "150:400:50" << QChar(u'.') << "150 200 250 300 350 400";
    QTest::newRow("decimal step reaches the end") << "0.1:0.3:0.1" << QChar(u'.') << "0.1 0.2 0.3";
    QTest::newRow("one size") << "500:500:10" << QChar(u'.') << "500";
    QTest::newRow("full-width, comma decimals")
        << "１２,5:14:0,5" << QChar(u',') << "12,5 13 13,5 14";
    QTest::newRow("backwards") << "400:150:10" << QChar(u'.') << "范围的终值“150”小于始值“400”。";
    QTest::newRow("no step") << "150:400:0" << QChar(u'.') << "步长“0”不是大于零的数。";
    QTest::newRow("too many") << "1:20000:1" << QChar(u'.') << "范围内的尺寸多于一万个。";
    QTest::newRow("thicknesses") << "6, 8，10、12；14  16;" << QChar(u'.') << "6 8 10 12 14 16";
    QTest::newRow("comma decimals") << "12,5 14、１６" << QChar(u',') << "12,5 14 １６";
    QTest::newRow("not a size") << "6 8 -10" << QChar(u'.') << "“-10”不是大于零的尺寸。";
    QTest::newRow("empty") << " ，" << QChar(u'.') << "没有尺寸。";
    // One plate, one section: each size once, as first written.
    QTest::newRow("repeated") << "6,6,6" << QChar(u'.') << "6";
    QTest::newRow("one plate written three ways") << "6 6.0 ６ 8 6" << QChar(u'.') << "6 8";
    QTest::newRow("steps finer than a Single") << "1:1.00000001:0.000000001" << QChar(u'.') << "1";
}

void BracketSearchTest::sizesAsWritten()
{
    QFETCH(QString, written);
    QFETCH(QChar, separator);
    QFETCH(QString, sizes);

    const NumberFormat format { char32_t(separator.unicode()) };
    const QStringList range = written.split(u':');
    const SizesRead read = range.size() == 3 ? sizesInRange(range[0].toStdString(),
                               range[1].toStdString(), range[2].toStdString(), format)
                                             : sizesInList(written.toStdString(), format);
    QStringList got;
    for (const std::string& size : read.sizes)
        got << QString::fromStdString(size);
    QCOMPARE(read.sizes.empty() ? QString::fromStdString(read.problem) : got.join(u' '), sizes);
}

void BracketSearchTest::faultyLoadStopsTheSearch()
{
    const FieldTexts window = windowWith(u"四百"_s, ".45", "Q235B");
    const BracketSearch found
        = searchLightestBracket(window, defaultBracketSearchSpace(window), NumberFormat {});
    QVERIFY(found.fault);
    QCOMPARE(found.fault->field, std::string(BracketField::F));
    QVERIFY(found.best.empty());

    BracketSearchSpace huge = defaultBracketSearchSpace(window);
    huge.hw = split("400 450 500 550 600 650 700");
    QCOMPARE(QString::fromStdString(searchSpaceProblem(huge).value_or("")),
        u"搜索范围的截面多于 5000 万个：请缩小范围或加大步长。"_s);
    QVERIFY(!searchSpaceProblem(defaultBracketSearchSpace(window)));
}

void BracketSearchTest::unknownGradeSearchesNothing_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("refused"); // how the reason starts; empty where it searches

    QTest::newRow("no such quality") << u"Q235F"_s << u"钢材牌号“Q235F”无法识别（应为"_s;
    QTest::newRow("blanks") << u" \u3000"_s << u"没有填写钢材牌号（应为"_s;
    QTest::newRow("pasted line") << u"Q235B 钢材，热轧，按GB/T 700-2006交货"_s
                                 << u"钢材牌号“Q235B 钢材，热轧，按GB/T 70…”无法识别（"_s;
    QTest::newRow("known, blanks around") << u" Q345\t"_s << QString();
    QTest::newRow("an unknown electrode") << u"Q235B|E70|三级"_s << u"焊条“E70”无法识别（应为"_s;
    QTest::newRow("no weld quality") << u"Q235B|E43|"_s << u"没有填写焊缝质量等级（应为"_s;
}

void BracketSearchTest::unknownGradeSearchesNothing()
{
    QFETCH(QString, grade);
    QFETCH(QString, refused);

    const BracketSearchSpace space { split("200 250"), split("200 250"), split("8 10 12"),
        split("8 10 12"), split("8 10"), split("500"), split("6 8") };
    const BracketSearch found
        = searchLightestBracket(windowWith("400", ".45", grade), space, NumberFormat {});
    QVERIFY2(QString::fromStdString(found.refused.value_or("")).startsWith(refused),
        found.refused.value_or("").c_str());
    // Refused before a single click, rather than blaming b′/t.
    QCOMPARE(found.best.empty(), !refused.isEmpty());
    QCOMPARE(found.clicked == 0, !refused.isEmpty());
}

void BracketSearchTest::cancelStopsWithin100ms()
{
    using namespace std::chrono;
    const FieldTexts window = windowWith("1050", "0.08", "Q235B");
    BracketSearchSpace space = defaultBracketSearchSpace(window);
    space.hw = split("350 450 550 650");
    for (const int delay : { 0, 20, 100 }) {
        std::atomic<bool> cancel = false;
        std::atomic<double> progress = 0;
        auto search = std::async(std::launch::async, [&] {
            return searchLightestBracket(window, space, NumberFormat {},
                { .threads = 2, .cancel = &cancel, .progress = &progress });
        });
        std::this_thread::sleep_for(milliseconds(delay));
        const auto asked = steady_clock::now();
        cancel = true;
        const BracketSearch stopped = search.get();
        const auto took = duration_cast<milliseconds>(steady_clock::now() - asked).count();
        QVERIFY2(took < 100, qPrintable(u"取消后 %1 ms"_s.arg(took)));
        QVERIFY(stopped.cancelled);
        QVERIFY(progress < 1);
    }
}

QTEST_APPLESS_MAIN(BracketSearchTest)
#include "tst_bracketsearch.moc"
