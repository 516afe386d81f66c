// The words of a fault report: which field, what went wrong, and the start of
// a long text quoted without cutting a character in two.

#include "faultreport.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FaultKind)

class TestFaultReport : public QObject {
    Q_OBJECT

private slots:
    void message_data();
    void message();
};

void TestFaultReport::message_data()
{
    QTest::addColumn<FaultKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString digits39(39, u'1');
    const QString emoji = u"\U0001F600"_s; // two UTF-16 units
    QTest::newRow("not a number") << FaultKind::NotANumber << u"abc"_s
                                  << u"“轴力N”中的“abc”不是有效的数字。"_s;
    QTest::newRow("empty") << FaultKind::NotANumber << u"  "_s << u"“轴力N”中没有数字。"_s;
    QTest::newRow("read out of range")
        << FaultKind::OutOfRange << u"1e999"_s << u"“轴力N”中的“1e999”超出了数值范围。"_s;
    QTest::newRow("result out of range")
        << FaultKind::OutOfRange << QString() << u"计算“轴力N”时结果超出了数值范围。"_s;
    QTest::newRow("division by zero")
        << FaultKind::DivisionByZero << QString() << u"计算“轴力N”时出现了除数为零。"_s;
    QTest::newRow("forty characters in full")
        << FaultKind::NotANumber << QString(40, u'x')
        << u"“轴力N”中的“"_s + QString(40, u'x') + u"”不是有效的数字。"_s;
    QTest::newRow("forty-one shortened")
        << FaultKind::NotANumber << QString(41, u'x')
        << u"“轴力N”中的“"_s + QString(40, u'x') + u"…”不是有效的数字。"_s;
    // The 40th character is an emoji, two UTF-16 units: it stays whole.
    QTest::newRow("emoji at the cut")
        << FaultKind::NotANumber << digits39 + emoji + u"222"_s
        << u"“轴力N”中的“"_s + digits39 + emoji + u"…”不是有效的数字。"_s;
    // e and a combining acute accent are one character to the reader.
    QTest::newRow("combining accent at the cut")
        << FaultKind::NotANumber << digits39 + u"e\u0301zzz"_s
        << u"“轴力N”中的“"_s + digits39 + u"e\u0301…”不是有效的数字。"_s;
    QTest::newRow("forty emoji in full")
        << FaultKind::NotANumber << emoji.repeated(40)
        << u"“轴力N”中的“"_s + emoji.repeated(40) + u"”不是有效的数字。"_s;
}

void TestFaultReport::message()
{
    QFETCH(FaultKind, kind);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString message = faultMessage(Fault { kind, "Text12", text.toStdString() }, u"轴力N"_s);
    QCOMPARE(message, expected + u"\n计算已在此处停止，其后的结果未更新。"_s);
}

QTEST_GUILESS_MAIN(TestFaultReport)
#include "tst_faultreport.moc"
