// Numeric texts: how a field's text is read as a Single or a Double and how
// numbers are written back, at both widths, in both decimal separators, and
// whatever the C library's locale.

#include "fault.h"
#include "format.h"
#include "mixedwidth.h"
#include "parse.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ParseStatus)
Q_DECLARE_METATYPE(FaultKind)

namespace {

const NumberFormat point { u'.' };
const NumberFormat comma { u',' };

NumberFormat formatFor(QChar separator)
{
    return NumberFormat { separator };
}

QString statusName(ParseStatus s)
{
    switch (s) {
    case ParseStatus::Ok:
        return u"Ok"_s;
    case ParseStatus::NotANumber:
        return u"NotANumber"_s;
    case ParseStatus::OutOfRange:
        return u"OutOfRange"_s;
    }
    return {};
}

template <typename Operation> std::optional<FaultKind> faultOf(Operation operation)
{
    try {
        operation();
    } catch (const Fault& fault) {
        return fault.kind;
    }
    return std::nullopt;
}

} // namespace

class TestNumText : public QObject {
    Q_OBJECT

private slots:
    void parseDouble_data();
    void parseDouble();
    void parseSingle_data();
    void parseSingle();

    void singleGeneralText_data();
    void singleGeneralText();
    void doubleGeneralText_data();
    void doubleGeneralText();

    void twoDecimalsOfDouble_data();
    void twoDecimalsOfDouble();
    void twoDecimalsOfSingleText_data();
    void twoDecimalsOfSingleText();
    void twoDecimalsOfText_data();
    void twoDecimalsOfText();

    void generalTextsAreStable_data();
    void generalTextsAreStable();

    void arithmeticFaults_data();
    void arithmeticFaults();
    void singleOperationsRoundAtSingle();
    void cubeOfSingleIsCorrectlyRounded();

    void independentOfTheCLocale();
};

void TestNumText::parseDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<ParseStatus>("status");
    QTest::addColumn<double>("value");

    const auto ok = ParseStatus::Ok;
    const auto nan = ParseStatus::NotANumber;
    const auto range = ParseStatus::OutOfRange;
    QTest::newRow(".45") << u".45"_s << QChar(u'.') << ok << 0.45;
    QTest::newRow("400") << u"400"_s << QChar(u'.') << ok << 400.0;
    QTest::newRow("blanks, sign, exponent") << u" -1.5E+3 "_s << QChar(u'.') << ok << -1500.0;
    QTest::newRow("45.") << u"45."_s << QChar(u'.') << ok << 45.0;
    QTest::newRow("plus sign") << u"+7"_s << QChar(u'.') << ok << 7.0;
    QTest::newRow("lower-case exponent") << u"2.5e-3"_s << QChar(u'.') << ok << 0.0025;
    QTest::newRow("-.5") << u"-.5"_s << QChar(u'.') << ok << -0.5;
    QTest::newRow("tabs around") << u"\t12\t"_s << QChar(u'.') << ok << 12.0;
    QTest::newRow("long digits") << u"3.14159265358979323846264338327950288"_s << QChar(u'.') << ok
                                 << 3.141592653589793;
    QTest::newRow("underflow to zero") << u"1e-400"_s << QChar(u'.') << ok << 0.0;
    QTest::newRow("largest double")
        << u"1.7976931348623157e308"_s << QChar(u'.') << ok << std::numeric_limits<double>::max();
    QTest::newRow("comma locale 0,45") << u"0,45"_s << QChar(u',') << ok << 0.45;
    QTest::newRow("comma locale ,5") << u",5"_s << QChar(u',') << ok << 0.5;

    QTest::newRow("1e") << u"1e"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("1e+") << u"1e+"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("empty") << u""_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("blanks only") << u"   "_s << QChar(u'.') << nan << 0.0;
    QTest::newRow(".") << u"."_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("sign only") << u"-"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("0,45 is not 45") << u"0,45"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("1,000 is not grouping") << u"1,000"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("point in a comma locale") << u"1.5"_s << QChar(u',') << nan << 0.0;
    QTest::newRow("two separators") << u"1.2.3"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("double sign") << u"--1"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("inner blank") << u"1 2"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("trailing letters") << u"12mm"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("inf") << u"inf"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("nan") << u"nan"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("hexadecimal") << u"0x10"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("full-width digits") << u"１２"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("exponent only") << u"E5"_s << QChar(u'.') << nan << 0.0;

    QTest::newRow("1e309") << u"1e309"_s << QChar(u'.') << range << 0.0;
    QTest::newRow("-1e309") << u"-1e309"_s << QChar(u'.') << range << 0.0;
    QTest::newRow("huge exponent") << u"1e99999999999999999999"_s << QChar(u'.') << range << 0.0;
}

void TestNumText::parseDouble()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(ParseStatus, status);
    QFETCH(double, value);
    const Parsed<double> parsed = ::parseDouble(text, formatFor(separator));
    QCOMPARE(statusName(parsed.status), statusName(status));
    if (status == ParseStatus::Ok)
        QCOMPARE(parsed.value, value);
}

void TestNumText::parseSingle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ParseStatus>("status");
    QTest::addColumn<float>("value");

    const auto ok = ParseStatus::Ok;
    const auto range = ParseStatus::OutOfRange;
    QTest::newRow(".45") << u".45"_s << ok << 0.45f;
    QTest::newRow("400") << u"400"_s << ok << 400.0f;
    QTest::newRow("12.5") << u"12.5"_s << ok << 12.5f;
    // Just above the midpoint of 1 and the next Single: read through a Double
    // it would land on the midpoint and round to even, to 1.
    QTest::newRow("no double rounding")
        << u"1.000000059604644775390626"_s << ok << 1.00000011920928955078125f;
    QTest::newRow("1e39 too large") << u"1e39"_s << range << 0.0f;
    QTest::newRow("-1e39 too large") << u"-1e39"_s << range << 0.0f;
    QTest::newRow("largest Single") << u"3.4028235e38"_s << ok << std::numeric_limits<float>::max();
    QTest::newRow("past the largest Single") << u"3.4028236e38"_s << range << 0.0f;
    QTest::newRow("tiny rounds to zero") << u"1e-50"_s << ok << 0.0f;
    QTest::newRow("subnormal") << u"1e-40"_s << ok << 1e-40f;
    QTest::newRow("not a number") << u"abc"_s << ParseStatus::NotANumber << 0.0f;
}

void TestNumText::parseSingle()
{
    QFETCH(QString, text);
    QFETCH(ParseStatus, status);
    QFETCH(float, value);
    const Parsed<float> parsed = ::parseSingle(text, point);
    QCOMPARE(statusName(parsed.status), statusName(status));
    if (status == ParseStatus::Ok)
        QCOMPARE(parsed.value, value);
}

void TestNumText::singleGeneralText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");

    QTest::newRow("400") << 400.0f << QChar(u'.') << u"400"_s;
    QTest::newRow("2.5") << 2.5f << QChar(u'.') << u"2.5"_s;
    QTest::newRow("0.45") << 0.45f << QChar(u'.') << u"0.45"_s;
    QTest::newRow("-0.45") << -0.45f << QChar(u'.') << u"-0.45"_s;
    QTest::newRow("180 from 400 x .45") << 400.0f * 0.45f << QChar(u'.') << u"180"_s;
    QTest::newRow("seven digits") << 9999999.0f << QChar(u'.') << u"9999999"_s;
    QTest::newRow("exponent at 1E+07") << 1e7f << QChar(u'.') << u"1E+07"_s;
    QTest::newRow("rounded into exponent") << 12345678.0f << QChar(u'.') << u"1.234568E+07"_s;
    QTest::newRow("9999999.5 carries") << 9999999.5f << QChar(u'.') << u"1E+07"_s;
    QTest::newRow("In of the default bracket") << 415149400.0f << QChar(u'.') << u"4.151494E+08"_s;
    QTest::newRow("0.0001 stays plain") << 0.0001f << QChar(u'.') << u"0.0001"_s;
    QTest::newRow("1E-05") << 1e-5f << QChar(u'.') << u"1E-05"_s;
    QTest::newRow("seven significant") << 123456.789f << QChar(u'.') << u"123456.8"_s;
    QTest::newRow("largest Single")
        << std::numeric_limits<float>::max() << QChar(u'.') << u"3.402823E+38"_s;
    QTest::newRow("negative zero") << -0.0f << QChar(u'.') << u"0"_s;
    QTest::newRow("comma locale") << 2.5f << QChar(u',') << u"2,5"_s;
}

void TestNumText::singleGeneralText()
{
    QFETCH(float, value);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(generalText(value, formatFor(separator)), text);
}

void TestNumText::doubleGeneralText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");

    QTest::newRow("400") << 400.0 << QChar(u'.') << u"400"_s;
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QChar(u'.') << u"0.3"_s;
    QTest::newRow("one third") << 1.0 / 3 << QChar(u'.') << u"0.333333333333333"_s;
    QTest::newRow("G of the defaults") << (8104.0 * 7850) * 0.000001 << QChar(u'.') << u"63.6164"_s;
    QTest::newRow("fifteen digits") << 999999999999999.0 << QChar(u'.') << u"999999999999999"_s;
    QTest::newRow("exponent at 1E+15") << 1e15 << QChar(u'.') << u"1E+15"_s;
    QTest::newRow("Single's threshold is not Double's")
        << 12345678.0 << QChar(u'.') << u"12345678"_s;
    QTest::newRow("1E-05") << 1e-5 << QChar(u'.') << u"1E-05"_s;
    QTest::newRow("0.0001") << 0.0001 << QChar(u'.') << u"0.0001"_s;
    QTest::newRow("-1.5E-07") << -1.5e-7 << QChar(u'.') << u"-1.5E-07"_s;
    QTest::newRow("three exponent digits")
        << std::numeric_limits<double>::max() << QChar(u'.') << u"1.79769313486232E+308"_s;
    QTest::newRow("negative zero") << -0.0 << QChar(u'.') << u"0"_s;
    QTest::newRow("comma locale") << 1.5e-7 << QChar(u',') << u"1,5E-07"_s;
}

void TestNumText::doubleGeneralText()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(generalText(value, formatFor(separator)), text);
}

void TestNumText::twoDecimalsOfDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    // Each value is rounded from its own 15 significant digits, so a tie in
    // those digits rounds away from zero even when the binary value lies below it.
    QTest::newRow("2.675") << 2.675 << u"2.68"_s;
    QTest::newRow("0.125") << 0.125 << u"0.13"_s;
    QTest::newRow("-2.5") << -2.5 << u"-2.50"_s;
    QTest::newRow("-0.125") << -0.125 << u"-0.13"_s;
    QTest::newRow("0") << 0.0 << u"0.00"_s;
    QTest::newRow("negative zero") << -0.0 << u"0.00"_s;
    QTest::newRow("small negative rounds to 0.00") << -0.001 << u"0.00"_s;
    QTest::newRow("0.45") << 0.45 << u"0.45"_s;
    QTest::newRow("400") << 400.0 << u"400.00"_s;
    QTest::newRow("0.005") << 0.005 << u"0.01"_s;
    QTest::newRow("0.0049") << 0.0049 << u"0.00"_s;
    QTest::newRow("carry into a new digit") << 999.995 << u"1000.00"_s;
    QTest::newRow("9.995") << 9.995 << u"10.00"_s;
    QTest::newRow("1.47") << 1.47 << u"1.47"_s;
    QTest::newRow("-1234.5678") << -1234.5678 << u"-1234.57"_s;
    QTest::newRow("1e20 written out") << 1e20 << u"100000000000000000000.00"_s;
    QTest::newRow("beyond 15 digits only zeros")
        << 123456789012345678.0 << u"123456789012346000.00"_s;
    QTest::newRow("tiny") << 1e-300 << u"0.00"_s;
}

void TestNumText::twoDecimalsOfDouble()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(fixedTwoDecimals(value, point), text);
}

void TestNumText::twoDecimalsOfSingleText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");

    // A Single is rounded from its 7 significant digits.
    QTest::newRow("1.005") << u"1.005"_s << u"1.01"_s;
    QTest::newRow("400") << u"400"_s << u"400.00"_s;
    QTest::newRow("2.675") << u"2.675"_s << u"2.68"_s;
    QTest::newRow("0.5") << u".5"_s << u"0.50"_s;
    QTest::newRow("In in exponent form") << u"415149400"_s << u"415149400.00"_s;
    QTest::newRow("negative") << u"-400.0"_s << u"-400.00"_s;
}

void TestNumText::twoDecimalsOfSingleText()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    const Parsed<float> single = ::parseSingle(typed, point);
    QVERIFY(single);
    QCOMPARE(fixedTwoDecimals(single.value, point), text);
}

void TestNumText::twoDecimalsOfText_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("after");

    QTest::newRow("already two decimals") << u"1.47"_s << QChar(u'.') << u"1.47"_s;
    QTest::newRow("already, negative") << u"-60.49"_s << QChar(u'.') << u"-60.49"_s;
    QTest::newRow("Single exponent text") << u"4.151494E+08"_s << QChar(u'.') << u"415149400.00"_s;
    QTest::newRow("general Double") << u"254.530612244898"_s << QChar(u'.') << u"254.53"_s;
    QTest::newRow("blanks") << u"  3 "_s << QChar(u'.') << u"3.00"_s;
    QTest::newRow("comma locale") << u"2,5"_s << QChar(u',') << u"2,50"_s;
    QTest::newRow("not a number unchanged") << u"abc"_s << QChar(u'.') << u"abc"_s;
    QTest::newRow("empty unchanged") << u""_s << QChar(u'.') << u""_s;
    QTest::newRow("design-time text unchanged") << u"Text21"_s << QChar(u'.') << u"Text21"_s;
    QTest::newRow("out of range unchanged") << u"1e400"_s << QChar(u'.') << u"1e400"_s;
    QTest::newRow("other separator unchanged") << u"2,5"_s << QChar(u'.') << u"2,5"_s;
}

void TestNumText::twoDecimalsOfText()
{
    QFETCH(QString, before);
    QFETCH(QChar, separator);
    QFETCH(QString, after);
    QCOMPARE(fixedTwoDecimals(QStringView(before), formatFor(separator)), after);
    // The text form is a fixed point: applying it again changes nothing.
    QCOMPARE(fixedTwoDecimals(QStringView(after), formatFor(separator)), after);
}

void TestNumText::generalTextsAreStable_data()
{
    QTest::addColumn<double>("value");
    for (double v : { 0.45, 1.0 / 3, 2.0 / 3, 63.6164, 415149400.0, 1e-5, 1.23456789e-7,
             9.87654321e20, -254.53061224489795, 1e300, 5e-324, 1.00000006e28 })
        QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
}

void TestNumText::generalTextsAreStable()
{
    // A read-back carries the digits of its text. At 15 digits a Double's
    // text survives reading and writing again to the letter.
    QFETCH(double, value);
    const QString doubleText = generalText(value, point);
    const Parsed<double> doubleBack = ::parseDouble(doubleText, point);
    QVERIFY(doubleBack);
    QCOMPARE(generalText(doubleBack.value, point), doubleText);

    const float single = float(value);
    if (std::isinf(single))
        return;
    const QString singleText = generalText(single, point);
    const Parsed<float> singleBack = ::parseSingle(singleText, point);
    QVERIFY(singleBack);
    // Seven digits can be more than a Single holds (1.00000006E+28 writes
    // "1E+28", which reads back as 9.999999E+27): a Single's read-back agrees
    // with its text to the seventh digit.
    QVERIFY(std::fabs(double(singleBack.value) - double(single)) <= std::fabs(double(single)) * 1e-6);
    // Read as a Double, the text carries just its seven digits.
    const Parsed<double> wideBack = ::parseDouble(singleText, point);
    if (std::fabs(single) >= 1e-4f && std::fabs(single) < 1e7f)
        QCOMPARE(generalText(wideBack.value, point), singleText);
}

void TestNumText::arithmeticFaults_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("expected"); // -1: no fault

    QTest::newRow("Single 1 / 0") << 0 << int(FaultKind::DivisionByZero);
    QTest::newRow("Single 0 / 0") << 1 << int(FaultKind::InvalidOperation);
    QTest::newRow("Single overflow") << 2 << int(FaultKind::OutOfRange);
    QTest::newRow("Double 1 / 0") << 3 << int(FaultKind::DivisionByZero);
    QTest::newRow("Double -1 / 0") << 4 << int(FaultKind::DivisionByZero);
    QTest::newRow("Double 0 / 0") << 5 << int(FaultKind::InvalidOperation);
    QTest::newRow("Double overflow") << 6 << int(FaultKind::OutOfRange);
    QTest::newRow("square root of a negative") << 7 << int(FaultKind::InvalidOperation);
    QTest::newRow("square root of zero") << 8 << -1;
    QTest::newRow("Double overflow in a difference") << 9 << int(FaultKind::OutOfRange);
    QTest::newRow("Single underflow is no fault") << 10 << -1;
}

void TestNumText::arithmeticFaults()
{
    QFETCH(int, operation);
    QFETCH(int, expected);
    const Single big { 3e38f }, one { 1 }, zero { 0 };
    const Double wideOne { 1 }, wideZero { 0 };
    const std::optional<FaultKind> fault = faultOf([&] {
        switch (operation) {
        case 0:
            (void)(one / zero);
            break;
        case 1:
            (void)(zero / zero);
            break;
        case 2:
            (void)(big * 2);
            break;
        case 3:
            (void)(wideOne / wideZero);
            break;
        case 4:
            (void)(Double { -1 } / wideZero);
            break;
        case 5:
            (void)(wideZero / wideZero);
            break;
        case 6:
            (void)(Double { 1e300 } * 1e300);
            break;
        case 7:
            (void)squareRoot(Double { -1e-300 });
            break;
        case 8:
            (void)squareRoot(wideZero);
            break;
        case 9:
            (void)(Double { -1e308 } - 1e308);
            break;
        case 10:
            (void)(Single { 1e-30f } * Single { 1e-30f });
            break;
        }
    });
    if (expected < 0)
        QVERIFY(!fault);
    else
        QCOMPARE(fault.has_value() ? int(*fault) : -1, expected);
}

void TestNumText::singleOperationsRoundAtSingle()
{
    // Each Single operation rounds to single precision on its own: 16777216 + 1
    // is lost in a Single and kept in a Double.
    const Single big { 16777216.0f };
    QCOMPARE((big + 1).value, 16777216.0f);
    QCOMPARE((widen(big) + 1).value, 16777217.0);
    // 0.45 as a Single times 400 rounds back to 180 exactly; widened it does not.
    const Single e { 0.45f }, F { 400 };
    QCOMPARE((F * e).value, 180.0f);
    QVERIFY((widen(F) * widen(e)).value != 180.0);
}

void TestNumText::cubeOfSingleIsCorrectlyRounded()
{
    // x·x of a widened Single is exact in a Double, so (x·x)·x rounds once.
    for (float x : { 300.0f, 284.0f, 12.5f, 6.0f, 0.45f, 123.456f, 16777215.0f }) {
        const long double exact = (long double)x * x * x;
        QCOMPARE(cube(Single { x }).value, double(exact));
    }
}

void TestNumText::independentOfTheCLocale()
{
    // Compile a German locale (decimal comma) for the C library and switch to
    // it: the numeric texts must not notice.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const int built = QProcess::execute(u"localedef"_s,
        { u"-i"_s, u"de_DE"_s, u"-f"_s, u"UTF-8"_s, dir.filePath(u"de_DE.UTF-8"_s) });
    QVERIFY2(built == 0 || built == 1, "localedef (Debian package locales) is needed");
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    QVERIFY2(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr, "German C locale not available");
    QCOMPARE(std::localeconv()->decimal_point[0], ',');

    QCOMPARE(::parseDouble(u"0.45"_s, point).value, 0.45);
    QCOMPARE(::parseSingle(u"1.5E+3"_s, point).value, 1500.0f);
    QVERIFY(!::parseDouble(u"0,45"_s, point));
    QCOMPARE(generalText(2.5, point), u"2.5"_s);
    QCOMPARE(generalText(1.234568e7f, point), u"1.234568E+07"_s);
    QCOMPARE(fixedTwoDecimals(2.675, point), u"2.68"_s);
    QCOMPARE(fixedTwoDecimals(u"1.47"_s, point), u"1.47"_s);
    QCOMPARE(generalText(2.5, comma), u"2,5"_s);

    std::setlocale(LC_ALL, "C");
    qunsetenv("LOCPATH");
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
