// Each calculator's table of fields against its own calculation: names that
// identify one field each, ids a saved design can use as keys, inputs whose
// design-time texts read, and roles as the calculation bears them out. One row
// a calculator of the registry.

#include "calculators.h"
#include "coretext.h"
#include "parse.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace Qt::StringLiterals;

using Calculator = const CalculatorEntry*;
Q_DECLARE_METATYPE(Calculator)

namespace {

const NumberFormat point { U'.' };

void addCalculatorRows()
{
    QTest::addColumn<Calculator>("calculator");
    for (const CalculatorEntry& entry : calculators())
        QTest::newRow(std::string(entry.id).c_str()) << &entry;
}

bool isPlainAsciiId(std::string_view id)
{
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (id.empty() || !letter(id.front()))
        return false;
    for (const char c : id)
        if (!letter(c) && !digit(c) && c != '_')
            return false;
    return true;
}

} // namespace

class TestCalculatorTables : public QObject {
    Q_OBJECT

private slots:
    void namesAreUnique_data() { addCalculatorRows(); }
    void namesAreUnique();
    void idsArePlainAscii_data() { addCalculatorRows(); }
    void idsArePlainAscii();
    void unitsTypeOnAPlainKeyboard_data() { addCalculatorRows(); }
    void unitsTypeOnAPlainKeyboard();
    void inputsOpenWithNumbers_data() { addCalculatorRows(); }
    void inputsOpenWithNumbers();
    void aClickWritesExactlyTheResults_data() { addCalculatorRows(); }
    void aClickWritesExactlyTheResults();
    void typedUnit_data();
    void typedUnit();
    void registryIds_data();
    void registryIds();
};

// Two rows with one control would bind one window field twice; two with one
// id would save two fields under one key.
void TestCalculatorTables::namesAreUnique()
{
    QFETCH(Calculator, calculator);
    std::set<std::string_view> controls;
    std::set<std::string_view> ids;
    for (const FieldFacts& facts : calculator->fields()) {
        QVERIFY2(controls.insert(facts.control).second, qPrintable(fromCore(facts.control)));
        QVERIFY2(ids.insert(facts.id).second, qPrintable(fromCore(facts.id)));
    }
}

void TestCalculatorTables::idsArePlainAscii()
{
    QFETCH(Calculator, calculator);
    for (const FieldFacts& facts : calculator->fields())
        QVERIFY2(isPlainAsciiId(facts.id),
            qPrintable(fromCore(facts.control) + u' ' + fromCore(facts.id)));
}

// Every printed unit has a plain-keyboard form: a superscript or a middle dot
// that typedUnit does not know would reach the unit labels as it is.
void TestCalculatorTables::unitsTypeOnAPlainKeyboard()
{
    QFETCH(Calculator, calculator);
    for (const FieldFacts& facts : calculator->fields()) {
        const std::string typed = ::typedUnit(facts.unit);
        const bool printableAscii = std::all_of(typed.begin(), typed.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte > 0x20 && byte < 0x7F;
        });
        QVERIFY2(printableAscii, qPrintable(fromCore(facts.control) + u' ' + fromCore(facts.unit)));
    }
}

// The window opens ready to calculate: every input holds a number in the
// point locale (the bracket's e as ".45").
void TestCalculatorTables::inputsOpenWithNumbers()
{
    QFETCH(Calculator, calculator);
    const std::vector<FieldName> inputs = fieldsWith(calculator->fields(), FieldRole::Input);
    QVERIFY(!inputs.empty());
    for (const FieldName input : inputs) {
        const std::string_view text = findField(calculator->fields(), input)->designText;
        QVERIFY2(parseDouble(text, point), qPrintable(fromCore(input) + u'=' + fromCore(text)));
    }
}

// A click on the window as it opens calculates, and its writes are the
// table's results: each result's text changes, no input or information text
// does, and no field outside the table appears. A row given the wrong role
// fails here.
void TestCalculatorTables::aClickWritesExactlyTheResults()
{
    QFETCH(Calculator, calculator);
    const FieldTable table = calculator->fields();
    const FieldTexts before = designTimeTexts(table);
    FieldTexts after = before;
    const std::optional<Fault> fault = calculator->calculate(after, point);
    QVERIFY2(!fault, fault ? fault->field.c_str() : "");
    QCOMPARE(after.size(), before.size());
    QVERIFY(!fieldsWith(table, FieldRole::Result).empty());
    for (const FieldFacts& facts : table) {
        const std::string& was = before.at(std::string(facts.control));
        const std::string& now = after.at(std::string(facts.control));
        const QString seen = fromCore(facts.control) + u'=' + fromCore(now);
        if (facts.role == FieldRole::Result)
            QVERIFY2(now != was, qPrintable(seen + u" unchanged"_s));
        else
            QCOMPARE(seen, fromCore(facts.control) + u'=' + fromCore(was));
    }
    // A calculator with design checks judges the results it wrote.
    if (calculator->judge) {
        const Verdicts verdicts = calculator->judge(after, point);
        QVERIFY2(!verdicts.fault, verdicts.fault ? verdicts.fault->field.c_str() : "");
        QVERIFY(!verdicts.checks.empty());
    }
}

void TestCalculatorTables::typedUnit_data()
{
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("typed");

    QTest::newRow("moment") << u"kN·m"_s << u"kN.m"_s;
    QTest::newRow("stress") << u"N/mm²"_s << u"N/mm2"_s;
    QTest::newRow("modulus") << u"mm³"_s << u"mm3"_s;
    QTest::newRow("second moment") << u"mm⁴"_s << u"mm4"_s;
    QTest::newRow("plain unit") << u"kg/m"_s << u"kg/m"_s;
    QTest::newRow("a pure number") << QString() << QString();
    QTest::newRow("two in one") << u"kN·m²"_s << u"kN.m2"_s;
}

void TestCalculatorTables::typedUnit()
{
    QFETCH(QString, printed);
    QFETCH(QString, typed);
    QCOMPARE(fromCore(::typedUnit(printed.toStdString())), typed);
}

// Step files and saved designs name a calculator by its id: each id finds its
// own entry, and a word that is no id finds none.
void TestCalculatorTables::registryIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("entry"); // its place in the registry; -1 for none

    const std::span<const CalculatorEntry> all = calculators();
    for (std::size_t n = 0; n < all.size(); ++n)
        QTest::newRow(std::string(all[n].id).c_str()) << fromCore(all[n].id) << int(n);
    QTest::newRow("the frame") << u"frame"_s << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("capitalised") << u"Section"_s << -1;
    QTest::newRow("a trailing blank") << u"bracket "_s << -1;
    QTest::newRow("the menu's caption") << u"钢牛腿受力计算"_s << -1;
}

void TestCalculatorTables::registryIds()
{
    QFETCH(QString, id);
    QFETCH(int, entry);
    const std::string utf8 = id.toStdString();
    const CalculatorEntry* found = findCalculator(utf8);
    if (entry < 0)
        QCOMPARE(found, nullptr);
    else
        QCOMPARE(found, &calculators()[std::size_t(entry)]);
}

QTEST_GUILESS_MAIN(TestCalculatorTables)
#include "tst_calculatortables.moc"
