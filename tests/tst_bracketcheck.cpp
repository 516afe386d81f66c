// The bracket check from the button to its verdict window FrmShow: its rows
// and names as drawn, eleven verdicts in the right colours, "未判断" where
// there is nothing to judge, coming forward active on every calculation, a
// fault that takes an outdated verdict window away, the steel grade changing
// no figure, and the bracket's notes under the rows. What every verdict
// window does is tst_verdictwindow's.

#include "fieldpairs.h"
#include "form1.h"
#include "frmshow.h"
#include "uitest.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QColor red(255, 0, 0);

QStringList verdictTexts(const FrmShow* window)
{
    QStringList texts;
    for (int n = 7; n <= 27; ++n)
        texts << window->findChild<QLabel*>(u"Label%1"_s.arg(n))->text();
    return texts;
}

QColor colourOf(const FrmShow* window, int label)
{
    return window->findChild<QLabel*>(u"Label%1"_s.arg(label))
        ->palette()
        .color(QPalette::WindowText);
}

// The window as it opens: the load on its stiffener, the column stiffened.
const QStringList allMet = QStringList(11, u"满足要求"_s) + QStringList { u"不适用"_s }
    + QStringList(6, u"满足要求"_s) + QStringList(2, u"设水平加劲肋"_s) + QStringList { u"满足要求"_s };

} // namespace

class TestBracketCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void verdictWindowLayout();
    void defaultsMeetEveryRequirement();
    void comesForwardActiveOnEveryCalculation();
    void closeBoxDestroysAndTheNextCheckCreatesAgain();
    void faultHidesTheVerdictsAndIsReported();
    void verdictsOfTypedBrackets_data();
    void verdictsOfTypedBrackets();
    void steelGradeChangesNoFigure();
    void notesUnderTheRows_data();
    void notesUnderTheRows();

private:
    void confirm()
    {
        QTest::mouseClick(m_form->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    }
    QLineEdit* field(const QString& name) const { return m_form->findChild<QLineEdit*>(name); }

    QMdiArea* m_area = nullptr;
    Form1* m_form = nullptr;
};

void TestBracketCheck::init()
{
    m_form = new Form1;
    m_area = showInMdiArea(m_form);
    QVERIFY(m_area->isVisible());
}

void TestBracketCheck::cleanup()
{
    delete m_area;
    if (FrmShow* verdicts = FrmShow::existing())
        delete verdicts;
}

void TestBracketCheck::verdictWindowLayout()
{
    FrmShow* window = FrmShow::instance();
    QCOMPARE(window->objectName(), u"FrmShow"_s);
    QCOMPARE(window->windowTitle(), u"判断情况如下："_s);
    QCOMPARE(window->size(), QSize(312, 568));
    QVERIFY(window->isWindow());
    QVERIFY(!window->isVisible()); // created, not shown
    QCOMPARE(window->findChild<QLabel*>(u"Label3"_s)->text(), u"腹板下端的折算应力"_s);
    QCOMPARE(
        window->findChild<QLabel*>(u"Label12"_s)->geometry(), QRect(200, 16 + 24 * 5, 105, 17));
    // The heading takes a row's place; its five rows follow on the same pitch.
    QCOMPARE(window->findChild<QLabel*>(u"DetailingHeading"_s)->geometry().top(), 16 + 24 * 6);
    QCOMPARE(window->findChild<QLabel*>(u"Label13Caption"_s)->text(), u"腹板上端的折算应力"_s);
    QCOMPARE(window->findChild<QLabel*>(u"Label17Caption"_s)->geometry(),
        QRect(8, 16 + 24 * 11, 184, 17));
    QCOMPARE(
        window->findChild<QLabel*>(u"Label17"_s)->geometry(), QRect(200, 16 + 24 * 11, 105, 17));
    // 荷载与节点 under its own heading, ten rows on.
    QCOMPARE(window->findChild<QLabel*>(u"LoadHeading"_s)->geometry().top(), 16 + 24 * 12);
    QCOMPARE(window->findChild<QLabel*>(u"Label18Caption"_s)->text(), u"腹板局部压应力"_s);
    QCOMPARE(
        window->findChild<QLabel*>(u"Label27"_s)->geometry(), QRect(200, 16 + 24 * 22, 105, 17));
    QCOMPARE(captionsWithMissingGlyphs(window), QStringList());
}

void TestBracketCheck::defaultsMeetEveryRequirement()
{
    ModalBoxCatcher boxes;
    confirm();
    QCOMPARE(boxes.texts(), QStringList());
    FrmShow* window = FrmShow::existing();
    QVERIFY(window && window->isVisible());
    QCOMPARE(verdictTexts(window), allMet);
    for (int n = 7; n <= 27; ++n)
        QCOMPARE(colourOf(window, n), window->palette().color(QPalette::WindowText));
    QCOMPARE(field(u"Text28"_s)->text(), u"147.93"_s);
}

void TestBracketCheck::verdictsOfTypedBrackets_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("verdicts"); // the eleven, "满足要求" as "+"
    QTest::addColumn<QString>("reds"); // the labels drawn red

    QTest::newRow("defaults") << QString() << u"++++++ +++++"_s << QString();
    // A web beyond 150εk fails in red; within it, its panel is checked.
    QTest::newRow("ts 5, hw 900") << u"Text5=5 Text6=900"_s << u"++++++ ++不满足要求++"_s
                                  << u"Label15"_s;
    QTest::newRow("ts 6, hw 900") << u"Text5=6 Text6=900"_s << u"++++++ +++++"_s << QString();
    // Nothing to judge is no failure: not red.
    QTest::newRow("t1 −12")
        << u"Text3=-12"_s
        << u"未判断未判断未判断未判断未判断未判断 未判断未判断未判断未判断未判断"_s << QString();
    QTest::newRow("an unknown grade")
        << u"Combo1=Q500"_s << u"未判断未判断未判断未判断未判断未判断 未判断未判断未判断++"_s
        << QString();
    QTest::newRow("uplift fails the lower weld in tension")
        << u"Text1=250 Text7=-530"_s << u"++++不满足要求+ +++++"_s << u"Label11"_s;
}

void TestBracketCheck::verdictsOfTypedBrackets()
{
    QFETCH(QString, typed);
    QFETCH(QString, verdicts);
    QFETCH(QString, reds);
    ModalBoxCatcher boxes;
    for (const auto& [name, text] : fieldPairs(typed)) {
        const QString control = QString::fromStdString(name);
        if (auto* grade = m_form->findChild<QComboBox*>(control))
            grade->setCurrentText(QString::fromStdString(text));
        else
            field(control)->setText(QString::fromStdString(text));
    }
    confirm();
    QCOMPARE(boxes.texts(), QStringList());
    FrmShow* window = FrmShow::existing();
    QVERIFY(window && window->isVisible());
    // The first eleven rows; the load's are the load path suite's.
    QString seen;
    for (const QString& verdict : verdictTexts(window).mid(0, 11))
        seen += verdict == u"满足要求"_s ? u"+"_s : verdict;
    QCOMPARE(seen, QString(verdicts).remove(u' '));
    QStringList red;
    for (int n = 7; n <= 17; ++n)
        if (colourOf(window, n) == ::red)
            red << u"Label%1"_s.arg(n);
    QCOMPARE(red.join(u' '), reds);
}

void TestBracketCheck::comesForwardActiveOnEveryCalculation()
{
    ModalBoxCatcher boxes;
    for (int calculation = 1; calculation <= 3; ++calculation) {
        const QByteArray round = QByteArray::number(calculation);
        // The bracket window has the keyboard again, as after a click into it;
        // on the third round the verdicts are still showing behind it.
        m_area->activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(m_area), round);
        confirm();
        FrmShow* window = FrmShow::existing();
        QVERIFY2(window && window->isVisible(), round);
        QTRY_VERIFY2(window->isActiveWindow(), round);
        QCOMPARE(QApplication::focusWidget(), window);
        if (calculation == 2)
            continue;
        // The key goes where the system sends it, to the active window.
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Space);
        QVERIFY2(!window->isVisible(), round);
    }
    QCOMPARE(boxes.texts(), QStringList());
}

void TestBracketCheck::closeBoxDestroysAndTheNextCheckCreatesAgain()
{
    ModalBoxCatcher boxes;
    confirm();
    QPointer<FrmShow> first = FrmShow::existing();
    first->close();
    QTRY_VERIFY(!first);
    QVERIFY(!FrmShow::existing());
    confirm();
    QVERIFY(FrmShow::existing() && FrmShow::existing()->isVisible());
}

void TestBracketCheck::faultHidesTheVerdictsAndIsReported()
{
    ModalBoxCatcher boxes;
    confirm();
    QVERIFY(FrmShow::existing()->isVisible());
    field(u"Text12"_s)->setText(u"0"_s);
    confirm();
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY(boxes.texts().front().startsWith(u"计算错误|计算"_s));
    QVERIFY(boxes.texts().front().contains(u"除数为零"_s));
    QVERIFY(!FrmShow::existing()->isVisible());
    // Stopped at the fillet weld: the steps before left general text.
    QCOMPARE(field(u"Text19"_s)->text(), u"4.187395E+08"_s);
    QCOMPARE(field(u"Text32"_s)->text(), u"59.52"_s);
}

void TestBracketCheck::steelGradeChangesNoFigure()
{
    ModalBoxCatcher boxes;
    confirm();
    QStringList before;
    for (int n = 13; n <= 32; ++n)
        before << field(u"Text%1"_s.arg(n))->text();

    auto* grade = m_form->findChild<QComboBox*>(u"Combo1"_s);
    grade->setCurrentText(u"Q345"_s);
    confirm();
    QStringList after;
    for (int n = 13; n <= 32; ++n)
        after << field(u"Text%1"_s.arg(n))->text();
    QCOMPARE(after, before);
    // εk 0.83 still leaves the defaults' flange and web within their limits.
    QCOMPARE(verdictTexts(FrmShow::existing()), allMet);
    QCOMPARE(grade->currentText(), u"Q345"_s);
}

void TestBracketCheck::notesUnderTheRows_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("note"); // how they begin

    QTest::newRow("defaults: what the column's stiffeners must do")
        << QString() << u"Q235B"_s << u"柱在牛腿上、下翼缘对应处设水平加劲肋"_s;
    QTest::newRow("Q355") << QString() << u"Q355"_s << u"Q355取表4.4.1、表4.4.5中Q345"_s;
    QTest::newRow("an impossible bracket")
        << u"Text3=-12"_s << u"Q235B"_s << u"上翼缘厚t1 = −12：板件尺寸须为正数"_s;
    QTest::newRow("every note at once") << u"Text5=6 Text6=900"_s << u""_s << u"未注明钢材牌号"_s;
}

void TestBracketCheck::notesUnderTheRows()
{
    QFETCH(QString, typed);
    QFETCH(QString, grade);
    QFETCH(QString, note);
    ModalBoxCatcher boxes;
    for (const auto& [name, text] : fieldPairs(typed))
        field(QString::fromStdString(name))->setText(QString::fromStdString(text));
    m_form->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(grade);
    confirm();
    FrmShow* window = FrmShow::existing();
    QVERIFY(window && window->isVisible());
    const QLabel* shown = window->findChild<QLabel*>(u"VerdictNotes"_s);
    QVERIFY(shown->isVisible());
    QVERIFY2(shown->text().contains(note), qPrintable(shown->text()));
    QVERIFY(
        shown->geometry().top() >= window->findChild<QLabel*>(u"Label27"_s)->geometry().bottom());
    QVERIFY(window->accessibleDescription().endsWith(shown->text()));
    QCOMPARE(boxes.texts(), QStringList());
}

QTEST_MAIN(TestBracketCheck)
#include "tst_bracketcheck.moc"
