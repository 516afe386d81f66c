// Numeric texts: how a field's text is read as a Single or a Double and how
// numbers are written back, at both widths, in both decimal separators, and
// whatever the C library's locale.

#include "coretext.h"
#include "exactfloat.h"
#include "fault.h"
#include "format.h"
#include "mixedwidth.h"
#include "parse.h"
#include "readtext.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ParseStatus)
Q_DECLARE_METATYPE(FaultKind)
Q_DECLARE_METATYPE(std::optional<FaultKind>)
Q_DECLARE_METATYPE(std::function<void()>)

namespace {

const NumberFormat point { U'.' };
const NumberFormat comma { U',' };

NumberFormat formatFor(QChar separator)
{
    return NumberFormat { char32_t(separator.unicode()) };
}

// "0." followed by `zeros` zeros, then `tail`; or `head` followed by zeros.
QString afterZeros(qsizetype zeros, const QString& tail)
{
    return u"0."_s + QString(zeros, u'0') + tail;
}
QString beforeZeros(const QString& head, qsizetype zeros, const QString& tail)
{
    return head + QString(zeros, u'0') + tail;
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

// Wide enough for a Single's 24-bit significand cubed.
__extension__ using ExactInteger = unsigned __int128;

// One checked operation with its operands, as a row of the arithmetic table.
using Operation = std::function<void()>;

template <typename Compute> Operation operation(Compute compute)
{
    return [compute] { (void)compute(); };
}

std::optional<FaultKind> faultOf(const Operation& operation)
{
    try {
        operation();
    } catch (const Fault& fault) {
        return fault.kind;
    }
    return std::nullopt;
}

} // namespace

Parsed<double> parseDouble(const QString& text, NumberFormat format)
{
    return parseDouble(text.toStdString(), format);
}

Parsed<float> parseSingle(const QString& text, NumberFormat format)
{
    return parseSingle(text.toStdString(), format);
}

class TestNumText : public QObject {
    Q_OBJECT

private slots:
    void parseDouble_data();
    void parseDouble();
    void parseSingle_data();
    void parseSingle();
    void parseUtf8Bytes_data();
    void parseUtf8Bytes();

    void textAsRead_data();
    void textAsRead();

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
    // The point is a decimal point in every locale; grouping is never read.
    QTest::newRow("comma locale .45") << u".45"_s << QChar(u',') << ok << 0.45;
    QTest::newRow("comma locale 1.000 is one") << u"1.000"_s << QChar(u',') << ok << 1.0;
    QTest::newRow("comma locale 1.5E+3") << u"1.5E+3"_s << QChar(u',') << ok << 1500.0;
    // What a Chinese input method types in full-width or Chinese punctuation mode.
    QTest::newRow("４００") << u"４００"_s << QChar(u'.') << ok << 400.0;
    QTest::newRow("400．5") << u"400．5"_s << QChar(u'.') << ok << 400.5;
    QTest::newRow("400。5") << u"400。5"_s << QChar(u'.') << ok << 400.5;
    QTest::newRow("0。45") << u"0。45"_s << QChar(u'.') << ok << 0.45;
    QTest::newRow("－5") << u"－5"_s << QChar(u'.') << ok << -5.0;
    QTest::newRow("＋5") << u"＋5"_s << QChar(u'.') << ok << 5.0;
    QTest::newRow("１Ｅ３") << u"１Ｅ３"_s << QChar(u'.') << ok << 1000.0;
    QTest::newRow("２ｅ－３") << u"２ｅ－３"_s << QChar(u'.') << ok << 0.002;
    QTest::newRow("ideographic spaces") << u"\u3000１２\u3000"_s << QChar(u'.') << ok << 12.0;
    QTest::newRow("comma locale 0。45") << u"0。45"_s << QChar(u',') << ok << 0.45;
    // Zeros keep their sign.
    QTest::newRow("-0") << u"-0"_s << QChar(u'.') << ok << -0.0;
    QTest::newRow("-1e-400 is -0") << u"-1e-400"_s << QChar(u'.') << ok << -0.0;
    QTest::newRow("smallest subnormal") << u"4.9406564584124654e-324"_s << QChar(u'.') << ok
                                        << std::numeric_limits<double>::denorm_min();
    QTest::newRow("just above half the smallest subnormal")
        << u"2.4703282292062328e-324"_s << QChar(u'.') << ok
        << std::numeric_limits<double>::denorm_min();
    QTest::newRow("below half the smallest subnormal") << u"2.4e-324"_s << QChar(u'.') << ok << 0.0;
    // The order of a number counts every leading zero and every exponent
    // digit, however long the text.
    QTest::newRow("ten million zeros, then 1e10000400 is 1E+399")
        << afterZeros(10'000'000, u"1e10000400"_s) << QChar(u'.') << range << 0.0;
    QTest::newRow("1, ten million zeros, e-10000400 is 1E-400")
        << beforeZeros(u"1"_s, 10'000'000, u"e-10000400"_s) << QChar(u'.') << ok << 0.0;
    QTest::newRow("1, ten million zeros, e-10000000 is 1")
        << beforeZeros(u"1"_s, 10'000'000, u"e-10000000"_s) << QChar(u'.') << ok << 1.0;
    QTest::newRow("ten million zeros, then 25e10000000 is 2.5")
        << afterZeros(10'000'000, u"25e10000001"_s) << QChar(u'.') << ok << 2.5;
    QTest::newRow("zero with a huge exponent")
        << u"0e99999999999999999999"_s << QChar(u'.') << ok << 0.0;

    QTest::newRow("1e") << u"1e"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("1e+") << u"1e+"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("empty") << u""_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("blanks only") << u"   "_s << QChar(u'.') << nan << 0.0;
    QTest::newRow(".") << u"."_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("sign only") << u"-"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("0,45 is not 45") << u"0,45"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("1,000 is not grouping") << u"1,000"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("comma locale 1,5.3") << u"1,5.3"_s << QChar(u',') << nan << 0.0;
    QTest::newRow("two separators") << u"1.2.3"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("double sign") << u"--1"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("inner blank") << u"1 2"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("trailing letters") << u"12mm"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("inf") << u"inf"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("nan") << u"nan"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("hexadecimal") << u"0x10"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("full-width comma") << u"０，４５"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("full-width letters") << u"１２ｍｍ"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("two kinds of point") << u"1.2。3"_s << QChar(u'.') << nan << 0.0;
    QTest::newRow("exponent only") << u"E5"_s << QChar(u'.') << nan << 0.0;

    QTest::newRow("1e309") << u"1e309"_s << QChar(u'.') << range << 0.0;
    QTest::newRow("-1e309") << u"-1e309"_s << QChar(u'.') << range << 0.0;
    QTest::newRow("huge exponent") << u"1e99999999999999999999"_s << QChar(u'.') << range << 0.0;
    QTest::newRow("huge negative exponent")
        << u"-1e-99999999999999999999"_s << QChar(u'.') << ok << -0.0;
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
        QCOMPARE(hexFloat(parsed.value), hexFloat(value));
}

void TestNumText::textAsRead_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("read");

    const auto row = [](const char* name, const char16_t* typed, QChar separator,
                         const char16_t* read) {
        QTest::newRow(name) << QString::fromUtf16(typed) << separator << QString::fromUtf16(read);
    };
    row("full-width with ideographic stop", u"１２。５", u'.', u"12.5");
    row("leading point", u".45", u'.', u"0.45");
    row("leading point under a comma locale", u".45", u',', u"0,45");
    row("signed leading point", u"-.5", u'.', u"-0.5");
    row("full-width sign and stop", u"－．５", u'.', u"-0.5");
    row("full-width point, comma locale", u"400．5", u',', u"400,5");
    row("locale separator kept", u"12,50", u',', u"12,50");
    row("digits as typed, no rounding", u"0.1000000000000000055511", u'.',
        u"0.1000000000000000055511");
    row("trailing zeros kept", u"12.500", u'.', u"12.500");
    row("trailing point kept", u"45.", u'.', u"45.");
    row("leading zeros kept", u"007", u'.', u"007");
    row("full-width exponent", u"１Ｅ３", u'.', u"1E3");
    row("exponent as typed", u"4e2", u'.', u"4e2");
    row("full-width plus", u"＋８", u'.', u"+8");
    row("blanks around", u"\t 200 ", u'.', u"200");
    row("ideographic space around", u"\u3000１２\u3000", u'.', u"12");
    row("not a number kept", u"Q235B", u'.', u"Q235B");
    row("grouping is no number", u"1,000.5", u'.', u"1,000.5");
    row("blank not a number kept", u" ", u'.', u" ");
}

void TestNumText::textAsRead()
{
    QFETCH(QString, typed);
    QFETCH(QChar, separator);
    QFETCH(QString, read);
    QCOMPARE(QString::fromStdString(::textAsRead(typed.toStdString(), formatFor(separator))), read);
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
    QTest::newRow("smallest subnormal")
        << u"1.4e-45"_s << ok << std::numeric_limits<float>::denorm_min();
    QTest::newRow("-1e-50 is -0") << u"-1e-50"_s << ok << -0.0f;
    QTest::newRow("1e-400 for a Single")
        << beforeZeros(u"1"_s, 10'000'000, u"e-10000400"_s) << ok << 0.0f;
    QTest::newRow("1E+39 for a Single") << afterZeros(10'000'000, u"1e10000040"_s) << range << 0.0f;
    QTest::newRow("full-width") << u"１２．５"_s << ok << 12.5f;
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
        QCOMPARE(hexFloat(parsed.value), hexFloat(value));
}

void TestNumText::parseUtf8Bytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ParseStatus>("status");

    // A field's text reaches the core as UTF-8; bytes that are not UTF-8
    // never read as a digit.
    QTest::newRow("full-width 400")
        << QByteArray("\xef\xbc\x94\xef\xbc\x90\xef\xbc\x90") << ParseStatus::Ok;
    QTest::newRow("lone byte") << QByteArray("4\xff") << ParseStatus::NotANumber;
    QTest::newRow("overlong 0") << QByteArray("1\xc0\xb0") << ParseStatus::NotANumber;
    QTest::newRow("truncated full-width 4") << QByteArray("4\xef\xbc") << ParseStatus::NotANumber;
    QTest::newRow("encoded surrogate") << QByteArray("1\xed\xa0\x80") << ParseStatus::NotANumber;
    QTest::newRow("NUL inside") << QByteArray("4\x00"
                                              "0",
        3) << ParseStatus::NotANumber;
}

void TestNumText::parseUtf8Bytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ParseStatus, status);
    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    QCOMPARE(statusName(::parseDouble(text, point).status), statusName(status));
    QCOMPARE(statusName(::parseSingle(text, point).status), statusName(status));
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
    QCOMPARE(fromCore(generalText(value, formatFor(separator))), text);
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
    QCOMPARE(fromCore(generalText(value, formatFor(separator))), text);
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
    // Not finite: nothing to round, the text stays what it is.
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << u"inf"_s;
    QTest::newRow("-infinity") << -std::numeric_limits<double>::infinity() << u"-inf"_s;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << u"nan"_s;
}

void TestNumText::twoDecimalsOfDouble()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(fromCore(fixedTwoDecimals(value, point)), text);
    if (!std::isfinite(value))
        QCOMPARE(fromCore(fixedTwoDecimals(float(value), point)), text);
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
    QCOMPARE(fromCore(fixedTwoDecimals(single.value, point)), text);
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
    QCOMPARE(fromCore(fixedTwoDecimals(before.toStdString(), formatFor(separator))), after);
    // The text form is a fixed point: applying it again changes nothing.
    QCOMPARE(fromCore(fixedTwoDecimals(after.toStdString(), formatFor(separator))), after);
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
    const QString doubleText = fromCore(generalText(value, point));
    const Parsed<double> doubleBack = ::parseDouble(doubleText, point);
    QVERIFY(doubleBack);
    QCOMPARE(fromCore(generalText(doubleBack.value, point)), doubleText);

    const float single = float(value);
    if (std::isinf(single))
        return;
    const QString singleText = fromCore(generalText(single, point));
    const Parsed<float> singleBack = ::parseSingle(singleText, point);
    QVERIFY(singleBack);
    // Seven digits can be more than a Single holds (1.00000006E+28 writes
    // "1E+28", which reads back as 9.999999E+27): a Single's read-back agrees
    // with its text to the seventh digit.
    QVERIFY(
        std::fabs(double(singleBack.value) - double(single)) <= std::fabs(double(single)) * 1e-6);
    // Read as a Double, the text carries just its seven digits.
    const Parsed<double> wideBack = ::parseDouble(singleText, point);
    if (std::fabs(single) >= 1e-4f && std::fabs(single) < 1e7f)
        QCOMPARE(fromCore(generalText(wideBack.value, point)), singleText);
}

void TestNumText::arithmeticFaults_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<std::optional<FaultKind>>("expected");

    const auto none = std::optional<FaultKind>();
    const auto byZero = std::optional(FaultKind::DivisionByZero);
    const auto invalid = std::optional(FaultKind::InvalidOperation);
    const auto range = std::optional(FaultKind::OutOfRange);
    QTest::newRow("Single 1 / 0") << operation([] { return Single { 1 } / Single { 0 }; })
                                  << byZero;
    QTest::newRow("Single 0 / 0") << operation([] { return Single { 0 } / Single { 0 }; })
                                  << invalid;
    QTest::newRow("Single overflow") << operation([] { return Single { 3e38f } * 2; }) << range;
    QTest::newRow("Single overflow in a sum")
        << operation([] { return Single { 3e38f } + Single { 3e38f }; }) << range;
    QTest::newRow("Single underflow is no fault")
        << operation([] { return Single { 1e-30f } * Single { 1e-30f }; }) << none;
    QTest::newRow("Single / small integer 0")
        << operation([] { return Single { 1 } / 0; }) << byZero;
    QTest::newRow("Double 1 / 0") << operation([] { return Double { 1 } / Double { 0 }; })
                                  << byZero;
    QTest::newRow("Double -1 / 0")
        << operation([] { return Double { -1 } / Double { 0 }; }) << byZero;
    QTest::newRow("Double 0 / 0") << operation([] { return Double { 0 } / Double { 0 }; })
                                  << invalid;
    QTest::newRow("Double -0 / 0")
        << operation([] { return Double { -0.0 } / Double { 0 }; }) << invalid;
    QTest::newRow("Double overflow") << operation([] { return Double { 1e300 } * 1e300; }) << range;
    QTest::newRow("Double overflow in a difference")
        << operation([] { return Double { -1e308 } - 1e308; }) << range;
    QTest::newRow("Double overflow in a quotient")
        << operation([] { return Double { 1e300 } / 1e-300; }) << range;
    QTest::newRow("square root of a negative")
        << operation([] { return squareRoot(Double { -1e-300 }); }) << invalid;
    QTest::newRow("square root of zero")
        << operation([] { return squareRoot(Double { 0 }); }) << none;
    QTest::newRow("square root of -0")
        << operation([] { return squareRoot(Double { -0.0 }); }) << none;
    QTest::newRow("cube overflows a Double only past 1E+102")
        << operation([] { return cube(Single { 3e38f }); }) << none;
}

void TestNumText::arithmeticFaults()
{
    QFETCH(Operation, operation);
    QFETCH(std::optional<FaultKind>, expected);
    const std::optional<FaultKind> fault = faultOf(operation);
    QCOMPARE(fault.has_value() ? int(*fault) : -1, expected.has_value() ? int(*expected) : -1);
}

void TestNumText::singleOperationsRoundAtSingle()
{
    // Each Single operation rounds to single precision on its own: 16777216 + 1
    // is lost in a Single and kept in a Double.
    const Single big { 16777216.0f };
    QCOMPARE(hexFloat((big + 1).value), hexFloat(16777216.0f));
    QCOMPARE(hexFloat((widen(big) + 1).value), hexFloat(16777217.0));
    // 0.45 as a Single times 400 rounds back to 180 exactly; widened it does not.
    const Single e { 0.45f }, F { 400 };
    QCOMPARE(hexFloat((F * e).value), hexFloat(180.0f));
    QCOMPARE(hexFloat((widen(F) * widen(e)).value), hexFloat(179.99999523162841796875));
    // 1/3 rounded at single precision, then widened exactly.
    QCOMPARE(hexFloat((Single { 1 } / 3).value), hexFloat(1.0f / 3.0f));
    QCOMPARE(hexFloat(widen(Single { 1 } / 3).value), hexFloat(double(1.0f / 3.0f)));
}

void TestNumText::cubeOfSingleIsCorrectlyRounded()
{
    // x·x of a widened Single is exact in a Double, so (x·x)·x rounds once.
    // The reference: the 24-bit significand cubed exactly in a 128-bit
    // integer, rounded once to a Double, then scaled by a power of two.
    for (float x : { 300.0f, 284.0f, 12.5f, 6.0f, 0.45f, 123.456f, 16777215.0f, 0.1f, 1.1f,
             3.3333333f, 7.77777f, 16777213.0f, 1e-30f, 1e30f,
             // where a library's pow(x, 3) rounds the other way
             0x1.001ff8p+0f, 0x1.0039b2p+0f, 0x1.0045ccp+0f }) {
        int exponent = 0;
        const float fraction = std::frexp(x, &exponent);
        const auto significand = ExactInteger(std::ldexp(fraction, 24));
        const double exact
            = std::ldexp(double(significand * significand * significand), 3 * (exponent - 24));
        QCOMPARE(hexFloat(cube(Single { x }).value), hexFloat(exact));
    }
}

void TestNumText::independentOfTheCLocale()
{
    // Switch the C library to a German locale (decimal comma): the numeric
    // texts must not notice.
#ifdef Q_OS_WIN
    // Windows' C runtime has its locales built in, under either name.
    const char* german = std::setlocale(LC_ALL, "de-DE") ? "de-DE" : "German_Germany.1252";
#else
    // glibc's must be compiled first.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const int built = QProcess::execute(u"localedef"_s,
        { u"-i"_s, u"de_DE"_s, u"-f"_s, u"UTF-8"_s, dir.filePath(u"de_DE.UTF-8"_s) });
    QVERIFY2(built == 0 || built == 1, "localedef (Debian package locales) is needed");
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const char* german = "de_DE.UTF-8";
#endif
    // Back to the C locale however the test ends, so that no later test runs
    // under the German one.
    struct CLocaleRestorer {
        ~CLocaleRestorer()
        {
            std::setlocale(LC_ALL, "C");
            qunsetenv("LOCPATH");
        }
    } restorer;
    QVERIFY2(std::setlocale(LC_ALL, german) != nullptr, "German C locale not available");
    QCOMPARE(std::localeconv()->decimal_point[0], ',');

    QCOMPARE(hexFloat(::parseDouble(u"0.45"_s, point).value), hexFloat(0.45));
    QCOMPARE(hexFloat(::parseSingle(u"1.5E+3"_s, point).value), hexFloat(1500.0f));
    QVERIFY(!::parseDouble(u"0,45"_s, point));
    QCOMPARE(fromCore(generalText(2.5, point)), u"2.5"_s);
    QCOMPARE(fromCore(generalText(1.234568e7f, point)), u"1.234568E+07"_s);
    QCOMPARE(fromCore(fixedTwoDecimals(2.675, point)), u"2.68"_s);
    QCOMPARE(fromCore(fixedTwoDecimals(std::string_view("1.47"), point)), u"1.47"_s);
    QCOMPARE(fromCore(generalText(2.5, comma)), u"2,5"_s);
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
