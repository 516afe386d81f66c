// The bracket check from the button to the verdict window: six verdicts in
// the right colours, coming forward active on every calculation, hiding on a
// key or mouse press, a fault that takes an outdated verdict window away, and
// the steel grade changing nothing.

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
    for (int n = 7; n <= 12; ++n)
        texts << window->findChild<QLabel*>(u"Label%1"_s.arg(n))->text();
    return texts;
}

QColor colourOf(const FrmShow* window, int label)
{
    return window->findChild<QLabel*>(u"Label%1"_s.arg(label))
        ->palette()
        .color(QPalette::WindowText);
}

const QString allPass
    = u"Text22=112.62 Text23=88.54 Text28=147.93 Text30=148.81 Text31=148.81 Text32=59.52"_s;

} // namespace

class TestBracketCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void verdictWindowLayout();
    void verdictLabelsShowTheirNamesUntilJudged();
    void defaultsMeetEveryRequirement();
    void failingRowsAreRedAndRecover();
    void rowThatIsNotANumberStopsTheJudgement();
    void comesForwardActiveOnEveryCalculation();
    void keyOrMousePressHides_data();
    void keyOrMousePressHides();
    void closeBoxDestroysAndTheNextCheckCreatesAgain();
    void faultHidesTheVerdictsAndIsReported();
    void steelGradeChangesNothing();
    void noteWhereTheStrengthsDoNotHold_data();
    void noteWhereTheStrengthsDoNotHold();

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
    QCOMPARE(window->size(), QSize(312, 176));
    QVERIFY(window->isWindow());
    QVERIFY(!window->isVisible()); // created, not shown
    QCOMPARE(window->findChild<QLabel*>(u"Label3"_s)->text(), u"腹板下端的折算应力"_s);
    QCOMPARE(
        window->findChild<QLabel*>(u"Label12"_s)->geometry(), QRect(200, 16 + 24 * 5, 105, 17));
    QCOMPARE(captionsWithMissingGlyphs(window), QStringList());
}

void TestBracketCheck::verdictLabelsShowTheirNamesUntilJudged()
{
    FrmShow* window = FrmShow::instance();
    QCOMPARE(verdictTexts(window),
        (QStringList {
            u"Label7"_s, u"Label8"_s, u"Label9"_s, u"Label10"_s, u"Label11"_s, u"Label12"_s }));
}

void TestBracketCheck::defaultsMeetEveryRequirement()
{
    ModalBoxCatcher boxes;
    confirm();
    QCOMPARE(boxes.texts(), QStringList());
    FrmShow* window = FrmShow::existing();
    QVERIFY(window && window->isVisible());
    QCOMPARE(verdictTexts(window), QStringList(6, u"满足要求"_s));
    for (int n = 7; n <= 12; ++n)
        QCOMPARE(colourOf(window, n), window->palette().color(QPalette::WindowText));
    QCOMPARE(field(u"Text28"_s)->text(), u"147.93"_s);
}

void TestBracketCheck::failingRowsAreRedAndRecover()
{
    FrmShow* window = FrmShow::instance();
    window->evaluate(fieldPairs(allPass));
    window->evaluate(fieldPairs(
        u"Text22=215.00 Text23=88.61 Text28=236.51 Text30=-185.00 Text31=148.81 Text32=160.00"_s));
    QCOMPARE(verdictTexts(window),
        (QStringList { u"不满足要求"_s, u"满足要求"_s, u"不满足要求"_s, u"不满足要求"_s,
            u"满足要求"_s, u"不满足要求"_s }));
    QCOMPARE(colourOf(window, 7), red);
    QCOMPARE(colourOf(window, 10), red);
    QVERIFY(colourOf(window, 8) != red);
    window->evaluate(fieldPairs(allPass));
    QCOMPARE(verdictTexts(window), QStringList(6, u"满足要求"_s));
    QCOMPARE(colourOf(window, 7), window->palette().color(QPalette::WindowText));
}

void TestBracketCheck::rowThatIsNotANumberStopsTheJudgement()
{
    FrmShow* window = FrmShow::instance();
    QVERIFY(!window->evaluate(fieldPairs(allPass)));
    const std::optional<Fault> fault = window->evaluate(
        fieldPairs(u"Text22=215.00 Text23=88.61 Text28=236.51 Text30=1,5 Text31=999 Text32=999"_s));
    QVERIFY(fault);
    QCOMPARE(int(fault->kind), int(FaultKind::NotANumber));
    QCOMPARE(fault->field, std::string("Text30"));
    QCOMPARE(fault->text, std::string("1,5"));
    // The three rows above have their new verdicts, the rest their old ones.
    QCOMPARE(verdictTexts(window),
        (QStringList { u"不满足要求"_s, u"满足要求"_s, u"不满足要求"_s, u"满足要求"_s,
            u"满足要求"_s, u"满足要求"_s }));
    QCOMPARE(colourOf(window, 9), red);
    QVERIFY(colourOf(window, 11) != red);
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

void TestBracketCheck::keyOrMousePressHides_data()
{
    QTest::addColumn<bool>("key");
    QTest::addColumn<int>("input");
    QTest::addColumn<bool>("hides");
    QTest::newRow("space") << true << int(Qt::Key_Space) << true;
    QTest::newRow("Escape") << true << int(Qt::Key_Escape) << true;
    QTest::newRow("A") << true << int(Qt::Key_A) << true;
    QTest::newRow("Return") << true << int(Qt::Key_Return) << true;
    QTest::newRow("left button") << false << int(Qt::LeftButton) << true;
    QTest::newRow("right button") << false << int(Qt::RightButton) << true;
    // Keys that move the focus or prepare a shortcut leave the verdicts open.
    QTest::newRow("Tab") << true << int(Qt::Key_Tab) << false;
    QTest::newRow("Backtab") << true << int(Qt::Key_Backtab) << false;
    QTest::newRow("Shift") << true << int(Qt::Key_Shift) << false;
    QTest::newRow("Control") << true << int(Qt::Key_Control) << false;
    QTest::newRow("Alt") << true << int(Qt::Key_Alt) << false;
    QTest::newRow("Meta") << true << int(Qt::Key_Meta) << false;
}

void TestBracketCheck::keyOrMousePressHides()
{
    QFETCH(bool, key);
    QFETCH(int, input);
    QFETCH(bool, hides);
    ModalBoxCatcher boxes;
    confirm();
    FrmShow* window = FrmShow::existing();
    QVERIFY(window->isVisible());
    if (key)
        QTest::keyPress(window, Qt::Key(input));
    else
        QTest::mousePress(window, Qt::MouseButton(input), {}, QPoint(10, 10));
    QCOMPARE(window->isVisible(), !hides);
    QCOMPARE(FrmShow::existing(), window);
    QCOMPARE(field(u"Text22"_s)->text(), u"112.62"_s); // the bracket window keeps its results
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

void TestBracketCheck::steelGradeChangesNothing()
{
    ModalBoxCatcher boxes;
    confirm();
    QStringList before;
    for (int n = 13; n <= 32; ++n)
        before << field(u"Text%1"_s.arg(n))->text();
    const QStringList verdictsBefore = verdictTexts(FrmShow::existing());

    auto* grade = m_form->findChild<QComboBox*>(u"Combo1"_s);
    grade->setCurrentText(u"Q345"_s);
    confirm();
    QStringList after;
    for (int n = 13; n <= 32; ++n)
        after << field(u"Text%1"_s.arg(n))->text();
    QCOMPARE(after, before);
    QCOMPARE(verdictTexts(FrmShow::existing()), verdictsBefore);
    QCOMPARE(grade->currentText(), u"Q345"_s);
}

void TestBracketCheck::noteWhereTheStrengthsDoNotHold_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("note"); // how it begins; empty: no note

    QTest::newRow("defaults") << QString() << u"Q235B"_s << QString();
    QTest::newRow("16 mm plates") << u"Text3=16 Text4=16"_s << u"Q235B"_s << QString();
    QTest::newRow("t1 20") << u"Text3=20"_s << u"Q235B"_s << u"板厚大于16 mm"_s;
    QTest::newRow("Q345") << QString() << u"Q345"_s << u"钢材为Q345"_s;
    QTest::newRow("both") << u"Text5=18"_s << u"Q345"_s << u"板厚大于16 mm"_s;
}

void TestBracketCheck::noteWhereTheStrengthsDoNotHold()
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
    const QLabel* shown = window->findChild<QLabel*>(u"StrengthNote"_s);
    QCOMPARE(shown->isVisible(), !note.isEmpty());
    if (note.isEmpty()) {
        QCOMPARE(window->size(), QSize(312, 176)); // as drawn
        QVERIFY(!window->accessibleDescription().contains(u"本程序"_s));
        return;
    }
    QVERIFY2(shown->text().startsWith(note), qPrintable(shown->text()));
    // Under the last row, whole, inside the grown window; no verdict changes.
    const QRect lastRow = window->findChild<QLabel*>(u"Label12"_s)->geometry();
    QVERIFY(shown->geometry().top() >= lastRow.bottom());
    QVERIFY(window->rect().contains(shown->geometry()));
    QVERIFY(shown->height() >= shown->heightForWidth(shown->width()));
    QCOMPARE(verdictTexts(window), QStringList(6, u"满足要求"_s));
    QVERIFY(window->accessibleDescription().endsWith(shown->text()));
    QCOMPARE(boxes.texts(), QStringList());
}

QTEST_MAIN(TestBracketCheck)
#include "tst_bracketcheck.moc"
