// The frame and its menu: which calculator is shown, that hiding keeps values,
// that a close box brings the defaults back, and that windows are created on
// first reference only.

#include "form1.h"
#include "mdiform1.h"
#include "sectionform.h"
#include "uitest.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

class TestFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup() { m_frame.reset(); }

    void captionsRender();
    void startsWithNoCalculatorCreated();
    void menuGShowsTheSectionWindow();
    void menuGNFirstCreatesTheSectionWindowHidden();
    void sameCommandTwiceResetsNothing();
    void switchingKeepsTypedValuesAndResults();
    void exitButtonHidesAndKeepsValues();
    void closeBoxThenMenuBringsDefaultsBack_data();
    void closeBoxThenMenuBringsDefaultsBack();
    void closingTheFrameClosesTheVerdictWindow();
    void menuExitEndsAtOnce();

private:
    void trigger(const QString& action) { m_frame->findChild<QAction*>(action)->trigger(); }
    template <typename Window> Window* existing() const { return m_frame->findChild<Window*>(); }
    QLineEdit* field(QWidget* window, const QString& name) const
    {
        return window->findChild<QLineEdit*>(name);
    }

    std::unique_ptr<MDIForm1> m_frame;
};

void TestFrame::init()
{
    m_frame = std::make_unique<MDIForm1>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

// The menu's commands are actions, not widgets: their captions must render too.
void TestFrame::captionsRender()
{
    const QStringList faults = captionsWithMissingGlyphs(m_frame.get());
    QCOMPARE(faults, QStringList());
    QVERIFY(!m_frame->menuBar()->actions().isEmpty());
}

void TestFrame::startsWithNoCalculatorCreated()
{
    QVERIFY(!existing<SectionForm>());
    QVERIFY(!existing<Form1>());
}

void TestFrame::menuGShowsTheSectionWindow()
{
    trigger(u"menuG"_s);
    QVERIFY(existing<SectionForm>()->isVisible());
    QVERIFY(existing<SectionForm>()->isMaximized());
    // The first click also creates the bracket window, hidden.
    QVERIFY(existing<Form1>());
    QVERIFY(!existing<Form1>()->isVisible());
}

void TestFrame::menuGNFirstCreatesTheSectionWindowHidden()
{
    trigger(u"menuGN"_s);
    QVERIFY(existing<Form1>()->isVisible());
    QVERIFY(existing<Form1>()->isMaximized());
    QVERIFY(existing<SectionForm>());
    QVERIFY(!existing<SectionForm>()->isVisible());
}

void TestFrame::sameCommandTwiceResetsNothing()
{
    trigger(u"menuG"_s);
    SectionForm* section = existing<SectionForm>();
    field(section, u"Text1"_s)->setText(u"321"_s);
    trigger(u"menuG"_s);
    QCOMPARE(existing<SectionForm>(), section);
    QVERIFY(section->isVisible());
    QVERIFY(!existing<Form1>()->isVisible());
    QCOMPARE(field(section, u"Text1"_s)->text(), u"321"_s);
    QCOMPARE(m_frame->findChildren<SectionForm*>().size(), 1);
}

void TestFrame::switchingKeepsTypedValuesAndResults()
{
    ModalBoxCatcher boxes;
    trigger(u"menuG"_s);
    SectionForm* section = existing<SectionForm>();
    field(section, u"Text1"_s)->setText(u"200"_s);
    QTest::mouseClick(section->findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
    const QString area = field(section, u"Text5"_s)->text();
    QVERIFY(!area.isEmpty());

    trigger(u"menuGN"_s);
    Form1* bracket = existing<Form1>();
    field(bracket, u"Text7"_s)->setText(u"350"_s);
    trigger(u"menuG"_s);
    QCOMPARE(field(section, u"Text1"_s)->text(), u"200"_s);
    QCOMPARE(field(section, u"Text5"_s)->text(), area);
    trigger(u"menuGN"_s);
    QCOMPARE(existing<Form1>(), bracket);
    QCOMPARE(field(bracket, u"Text7"_s)->text(), u"350"_s);
    QCOMPARE(boxes.texts(), QStringList());
}

void TestFrame::exitButtonHidesAndKeepsValues()
{
    trigger(u"menuG"_s);
    SectionForm* section = existing<SectionForm>();
    field(section, u"Text16"_s)->setText(u"6000"_s);
    QTest::mouseClick(section->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    QVERIFY(!section->isVisible());
    QVERIFY(m_frame->isVisible());
    trigger(u"menuG"_s);
    QCOMPARE(existing<SectionForm>(), section);
    QVERIFY(section->isVisible());
    QCOMPARE(field(section, u"Text16"_s)->text(), u"6000"_s);
}

void TestFrame::closeBoxThenMenuBringsDefaultsBack_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("defaultText");
    QTest::newRow("I-section") << u"menuG"_s << u"SectionForm"_s << u"Text1"_s << u"400"_s;
    QTest::newRow("bracket") << u"menuGN"_s << u"Form1"_s << u"Text8"_s << u".45"_s;
}

void TestFrame::closeBoxThenMenuBringsDefaultsBack()
{
    QFETCH(QString, menu);
    QFETCH(QString, window);
    QFETCH(QString, input);
    QFETCH(QString, defaultText);

    trigger(menu);
    QPointer<QWidget> first = m_frame->findChild<QWidget*>(window);
    field(first, input)->setText(u"999"_s);
    first->close();
    QTRY_VERIFY(!first); // the close box destroys the window and its values
    trigger(menu);
    QWidget* again = m_frame->findChild<QWidget*>(window);
    QVERIFY(again && again->isVisible());
    QCOMPARE(field(again, input)->text(), defaultText);
}

void TestFrame::closingTheFrameClosesTheVerdictWindow()
{
    ModalBoxCatcher boxes;
    trigger(u"menuGN"_s);
    QTest::mouseClick(existing<Form1>()->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    QWidget* verdicts = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"FrmShow"_s && w->isVisible())
            verdicts = w;
    QVERIFY(verdicts);
    QPointer<QWidget> watched = verdicts;
    m_frame->close();
    QTRY_VERIFY(!watched || !watched->isVisible());
}

void TestFrame::menuExitEndsAtOnce()
{
    // The event loop ends, and no window is asked whether it may close.
    trigger(u"menuG"_s);
    struct CloseWatch : QObject {
        int closes = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            closes += event->type() == QEvent::Close;
            return false;
        }
    } watch;
    m_frame->installEventFilter(&watch);
    existing<SectionForm>()->installEventFilter(&watch);
    QTimer::singleShot(0, m_frame.get(), [this] { trigger(u"menuExit"_s); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(watch.closes, 0);
    QVERIFY(m_frame->isVisible());
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
