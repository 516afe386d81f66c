// The verdict window any calculator with checks gets: its rows and headings
// where the layout puts them, verdicts in the right colours, a text that is
// no number stopping the judgement, the notes growing the window and keeping
// it on screen, and a key or mouse press hiding it. A stub calculator of two
// groups of checks stands in for the real ones.

#include "uitest.h"
#include "verdictwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FieldTexts)

namespace {

// Two stresses below 100, then under "构造" a third; a note for each one
// above 1000.
constexpr std::array<DesignCheck, 3> stubChecks { {
    { "第一应力", "S1", "第1条" },
    { "第二应力", "S2", "第2条", "超限" },
    { "构造尺寸", "S3", "第3条", "不满足要求", "构造" },
} };

CheckTable stubTable()
{
    return stubChecks;
}

Verdicts judgeStub(const FieldTexts& texts, NumberFormat format)
{
    Verdicts verdicts;
    const FieldReader fields(texts, format);
    verdicts.fault = runSteps([&] {
        for (const DesignCheck& check : stubChecks) {
            JudgedCheck judged = stressFieldBelow(fields, check.field, { 100, "f = 100", "表1" });
            if (fields.readDouble(check.field).value > 1000)
                verdicts.notes.push_back(std::string(check.caption) + "远超限值，请复核截面。");
            verdicts.checks.push_back(std::move(judged));
        }
    });
    return verdicts;
}

CalculatorEntry stubCalculator()
{
    CalculatorEntry entry;
    entry.id = "stub";
    entry.checks = stubTable;
    entry.judge = judgeStub;
    return entry;
}

VerdictLayout stubLayout()
{
    VerdictLayout layout;
    layout.name = u"StubVerdicts"_s;
    layout.title = u"判断情况如下："_s;
    layout.captionName = [](std::size_t check) { return u"Caption%1"_s.arg(check); };
    layout.verdictName = [](std::size_t check) { return u"Verdict%1"_s.arg(check); };
    layout.headingName = [](std::size_t heading) { return u"Heading%1"_s.arg(heading); };
    return layout;
}

FieldTexts shown(const QString& s1, const QString& s2, const QString& s3)
{
    return { { "S1", s1.toStdString() }, { "S2", s2.toStdString() }, { "S3", s3.toStdString() } };
}

const QColor red(255, 0, 0);

} // namespace

class TestVerdictWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init() { m_window = std::make_unique<VerdictWindow>(stubCalculator(), stubLayout()); }
    void cleanup() { m_window.reset(); }

    void rowsHeadingsAndLabelNames();
    void verdicts_data();
    void verdicts();
    void textThatIsNoNumberStopsTheJudgement();
    void notesGrowTheWindowAndKeepItOnScreen();
    void opensBesideTheFields_data();
    void opensBesideTheFields();
    void keyOrMousePressHides_data();
    void keyOrMousePressHides();
    void slotMakesItAgainAfterItsCloseBox();

private:
    QLabel* label(const QString& name) const { return m_window->findChild<QLabel*>(name); }
    QStringList verdictTexts() const
    {
        return { label(u"Verdict0"_s)->text(), label(u"Verdict1"_s)->text(),
            label(u"Verdict2"_s)->text() };
    }

    std::unique_ptr<VerdictWindow> m_window;
};

void TestVerdictWindow::rowsHeadingsAndLabelNames()
{
    QCOMPARE(m_window->objectName(), u"StubVerdicts"_s);
    QVERIFY(m_window->isWindow());
    // 240 twips down, 360 apart; the heading takes the third row's place.
    QCOMPARE(label(u"Caption0"_s)->geometry(), QRect(8, 16, 184, 17));
    QCOMPARE(label(u"Verdict1"_s)->geometry(), QRect(200, 16 + 24, 105, 17));
    QCOMPARE(label(u"Heading0"_s)->geometry().top(), 16 + 24 * 2);
    QCOMPARE(label(u"Heading0"_s)->text(), u"构造"_s);
    QCOMPARE(label(u"Caption2"_s)->geometry().top(), 16 + 24 * 3);
    // As drawn: the rows and the heading, nothing under them yet.
    QCOMPARE(m_window->size(), QSize(312, 16 + 24 * 4));
    // Until judged, a verdict shows its own name.
    QCOMPARE(verdictTexts(), (QStringList { u"Verdict0"_s, u"Verdict1"_s, u"Verdict2"_s }));
    QCOMPARE(captionsWithMissingGlyphs(m_window.get()), QStringList());
}

void TestVerdictWindow::verdicts_data()
{
    QTest::addColumn<FieldTexts>("first"); // judged before, to recover from
    QTest::addColumn<FieldTexts>("texts");
    QTest::addColumn<QStringList>("verdicts");
    QTest::addColumn<QString>("reds");

    const FieldTexts fine = shown(u"1.00"_s, u"1.00"_s, u"1.00"_s);
    QTest::newRow("all met") << fine << fine
                             << QStringList { u"满足要求"_s, u"满足要求"_s, u"满足要求"_s }
                             << QString();
    // A check says its own "not met"; the limit itself is not met.
    QTest::newRow("each its own not met")
        << fine << shown(u"100.00"_s, u"-100.00"_s, u"99.99"_s)
        << QStringList { u"不满足要求"_s, u"超限"_s, u"满足要求"_s } << u"01"_s;
    QTest::newRow("red goes when met again")
        << shown(u"500.00"_s, u"500.00"_s, u"500.00"_s) << fine
        << QStringList { u"满足要求"_s, u"满足要求"_s, u"满足要求"_s } << QString();
}

void TestVerdictWindow::verdicts()
{
    QFETCH(FieldTexts, first);
    QFETCH(FieldTexts, texts);
    QFETCH(QStringList, verdicts);
    QFETCH(QString, reds);
    QVERIFY(!m_window->evaluate(first));
    QVERIFY(!m_window->evaluate(texts));
    QCOMPARE(verdictTexts(), verdicts);
    QString red;
    for (int n = 0; n < 3; ++n)
        if (label(u"Verdict%1"_s.arg(n))->palette().color(QPalette::WindowText) == ::red)
            red += QString::number(n);
    QCOMPARE(red, reds);
    // Read as sentences, the heading before its checks.
    QCOMPARE(m_window->accessibleDescription(),
        u"第一应力：%1；第二应力：%2；构造；构造尺寸：%3"_s.arg(
            verdicts[0], verdicts[1], verdicts[2]));
}

void TestVerdictWindow::textThatIsNoNumberStopsTheJudgement()
{
    QVERIFY(!m_window->evaluate(shown(u"1.00"_s, u"1.00"_s, u"1.00"_s)));
    const std::optional<Fault> fault
        = m_window->evaluate(shown(u"200.00"_s, u"1,5"_s, u"200.00"_s));
    QVERIFY(fault);
    QCOMPARE(fault->field, std::string("S2"));
    QCOMPARE(int(fault->kind), int(FaultKind::NotANumber));
    // The row above has its new verdict, the rest their old ones.
    QCOMPARE(verdictTexts(), (QStringList { u"不满足要求"_s, u"满足要求"_s, u"满足要求"_s }));
}

void TestVerdictWindow::notesGrowTheWindowAndKeepItOnScreen()
{
    QVERIFY(!m_window->evaluate(shown(u"5000.00"_s, u"5000.00"_s, u"5000.00"_s)));
    const QLabel* notes = m_window->findChild<QLabel*>(u"VerdictNotes"_s);
    QVERIFY(!notes->isHidden());
    QCOMPARE(notes->text().count(u'\n'), 2); // one sentence a line
    QVERIFY(notes->geometry().top() >= label(u"Caption2"_s)->geometry().bottom());
    QVERIFY(m_window->rect().contains(notes->geometry()));
    QVERIFY(m_window->accessibleDescription().endsWith(notes->text()));
    // Low on the screen, it comes up as far as it must.
    const QRect room = m_window->screen()->availableGeometry();
    m_window->move(m_window->x(), room.bottom() - 20);
    m_window->bringForward();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY2(room.contains(m_window->frameGeometry()), qPrintable(QString::number(m_window->y())));
    // Nothing left to say: the notes go and the window is as drawn.
    QVERIFY(!m_window->evaluate(shown(u"1.00"_s, u"1.00"_s, u"1.00"_s)));
    QVERIFY(notes->isHidden());
    QCOMPARE(m_window->size(), QSize(312, 16 + 24 * 4));
}

// The fields a calculator window shows, as parts of the screen; the window
// opens clear of them where the screen has room, and later stays where the
// user left it.
void TestVerdictWindow::opensBesideTheFields_data()
{
    QTest::addColumn<QRect>("fields"); // in thousandths of the available screen
    QTest::addColumn<QString>("side");
    QTest::newRow("room at the right") << QRect(0, 100, 400, 500) << u"right"_s;
    QTest::newRow("room at the left only") << QRect(550, 0, 450, 800) << u"left"_s;
    QTest::newRow("no room") << QRect(0, 0, 1000, 1000) << u"edge"_s;
    QTest::newRow("above the screen's top") << QRect(0, -200, 300, 500) << u"right"_s;
}

void TestVerdictWindow::opensBesideTheFields()
{
    QFETCH(QRect, fields);
    QFETCH(QString, side);
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    const auto part = [&](int thousandths, int of) { return of * thousandths / 1000; };
    const QRect beside(room.left() + part(fields.x(), room.width()),
        room.top() + part(fields.y(), room.height()), part(fields.width(), room.width()),
        part(fields.height(), room.height()));
    m_window->bringForward(beside);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QRect opened = m_window->frameGeometry();
    QVERIFY(room.contains(opened));
    QCOMPARE(opened.top(), std::max(beside.top(), room.top()));
    if (side == u"right")
        QVERIFY(opened.left() > beside.right());
    else if (side == u"left")
        QVERIFY(opened.right() < beside.left());
    else // at the right edge, give or take a window manager's border
        QVERIFY(room.right() - opened.right() <= 16);
    m_window->hide();
    m_window->bringForward(QRect(0, 0, 10, 10));
    QCOMPARE(m_window->frameGeometry().topLeft(), opened.topLeft());
}

void TestVerdictWindow::keyOrMousePressHides_data()
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

void TestVerdictWindow::keyOrMousePressHides()
{
    QFETCH(bool, key);
    QFETCH(int, input);
    QFETCH(bool, hides);
    QVERIFY(!m_window->evaluate(shown(u"1.00"_s, u"1.00"_s, u"1.00"_s)));
    m_window->bringForward();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    if (key)
        QTest::keyPress(m_window.get(), Qt::Key(input));
    else
        QTest::mousePress(m_window.get(), Qt::MouseButton(input), {}, QPoint(10, 10));
    QCOMPARE(m_window->isVisible(), !hides);
}

void TestVerdictWindow::slotMakesItAgainAfterItsCloseBox()
{
    int made = 0;
    QPointer<VerdictWindow> first;
    {
        VerdictWindowSlot slot([&] {
            ++made;
            return new VerdictWindow(stubCalculator(), stubLayout());
        });
        QVERIFY(!slot.existing());
        first = slot.window();
        QCOMPARE(slot.window(), first.data());
        first->close(); // its close box destroys it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first && !slot.existing());
        first = slot.window();
        QCOMPARE(made, 2);
    }
    // Gone with the window that held it.
    QVERIFY(!first);
}

QTEST_MAIN(TestVerdictWindow)
#include "tst_verdictwindow.moc"
