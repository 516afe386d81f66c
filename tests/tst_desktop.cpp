// The calculators on a desktop: Enter on buttons and fields, the steel grade
// list, results too long for their field, a fault in a scrolled window and
// restoring a maximized calculator.

#include "form1.h"
#include "frmshow.h"
#include "mdiform1.h"
#include "resultfield.h"
#include "sectionform.h"
#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QMdiSubWindow* makeCalculator(bool section)
{
    return section ? static_cast<QMdiSubWindow*>(new SectionForm)
                   : static_cast<QMdiSubWindow*>(new Form1);
}

bool inView(const QScrollArea* scroller, const QWidget* w)
{
    return scroller->viewport()->rect().contains(
        QRect(w->mapTo(scroller->viewport(), QPoint()), w->size()));
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void cleanup() { delete FrmShow::existing(); }

    void typedGradeStaysOutOfTheList();
    void enter_data();
    void enter();
    void longResult_data();
    void longResult();
    void faultScrollsItsFieldIntoView_data();
    void faultScrollsItsFieldIntoView();
    void restoring_data();
    void restoring();
};

void TestDesktop::typedGradeStaysOutOfTheList()
{
    auto* form = new Form1;
    const std::unique_ptr<QMdiArea> area(showInMdiArea(form));
    auto* grade = form->findChild<QComboBox*>(u"Combo1"_s);
    grade->setFocus();
    grade->lineEdit()->selectAll();
    QTest::keyClicks(grade, u"Q390"_s);
    QTest::keyClick(grade, Qt::Key_Return);
    QCOMPARE(grade->count(), 2);
    QCOMPARE(grade->itemText(1), u"Q345"_s);
}

void TestDesktop::enter_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("held"); // an auto-repeated press
    QTest::addColumn<bool>("calculates");
    QTest::addColumn<bool>("hides");

    const int enter = Qt::Key_Enter, ret = Qt::Key_Return;
    QTest::newRow("确定输入, I-section") << true << u"Command2"_s << ret << false << true << false;
    QTest::newRow("退出, I-section") << true << u"Command1"_s << ret << false << false << true;
    QTest::newRow("确定输入, bracket") << false << u"Command1"_s << enter << false << true << false;
    QTest::newRow("退出, held key") << false << u"Command2"_s << ret << true << false << false;
    QTest::newRow("input field") << true << u"Text1"_s << ret << false << false << false;
    QTest::newRow("steel grade") << false << u"Combo1"_s << ret << false << false << false;
}

void TestDesktop::enter()
{
    QFETCH(bool, section);
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(bool, held);
    QFETCH(bool, calculates);
    QFETCH(bool, hides);

    QMdiSubWindow* window = makeCalculator(section);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    ModalBoxCatcher boxes;
    auto* target = window->findChild<QWidget*>(focused);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    for (const QEvent::Type type : { QEvent::KeyPress, QEvent::KeyRelease }) {
        QKeyEvent event(type, key, modifiers, u"\r"_s, held);
        QApplication::sendEvent(target, &event);
    }

    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(window->isVisible(), !hides);
    const auto* result = window->findChild<QLineEdit*>(section ? u"Text5"_s : u"Text13"_s);
    QCOMPARE(!result->text().isEmpty(), calculates);
    const bool verdicts = FrmShow::existing() && FrmShow::existing()->isVisible();
    QCOMPARE(verdicts, calculates && !section);
}

void TestDesktop::longResult_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("head"); // what the drawn text starts with
    QTest::addColumn<QString>("tail"); // and ends with
    QTest::addColumn<int>("width"); // of the field, if not as placed

    QTest::newRow("Double, 100 px")
        << false << u"Text29"_s << u"2.85586886530293E+29"_s << u"2.855"_s << u"E+29"_s << 0;
    QTest::newRow("36 digits, two decimals")
        << true << u"Text6"_s << u"-123456789012345678901234567890123456,78"_s << u"-1,234"_s
        << u"E+35"_s << 0;
    QTest::newRow("decimals give way")
        << false << u"Text22"_s << u"-255.989694444444"_s << u"-255.9"_s << u"…"_s << 0;
    // As narrow as the bracket's moduli were once drawn.
    QTest::newRow("every decimal gives way, 70 px")
        << false << u"Text20"_s << u"1593476.52"_s << u"1593476."_s << u"…"_s << 70;
    QTest::newRow("not a number") << true << u"Text17"_s << u"abcdefghijklmnopqrstuvwxyz"_s
                                  << u"abc"_s << u"xyz"_s << 0;
    QTest::newRow("fits") << true << u"Text6"_s << u"1.03854E+08"_s << QString() << QString() << 0;
}

void TestDesktop::longResult()
{
    QFETCH(bool, section);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, head);
    QFETCH(QString, tail);
    QFETCH(int, width);

    QMdiSubWindow* window = makeCalculator(section);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    window->findChild<QLineEdit*>(u"Text1"_s)->setFocus();
    auto* result = window->findChild<ResultField*>(field);
    if (width > 0)
        result->resize(width, result->height());
    result->setText(text);
    result->setCursorPosition(0);

    const QString shown = result->displayedText();
    const bool fits = head.isEmpty();
    QVERIFY2(
        fits ? shown == text : shown.startsWith(head) && shown.endsWith(tail), qPrintable(shown));
    QCOMPARE(shown.contains(u'…'), !fits);
    QCOMPARE(result->grab().toImage(), asPlainLineEdit(result, shown));
    QCOMPARE(result->toolTip(), fits ? QString() : text);

    // The calculations, the selection and the clipboard get every digit.
    QCOMPARE(result->text(), text);
    result->setFocus();
    QCOMPARE(result->displayedText(), text);
    result->clearFocus();
    result->resize(600, result->height());
    QCOMPARE(result->toolTip(), QString());
    QCOMPARE(result->displayedText(), text);
    result->selectAll();
    result->copy();
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestDesktop::faultScrollsItsFieldIntoView_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("scrolledToEnd"); // where the user left the scroll bars
    QTest::addColumn<QString>("caption"); // a label made the field's buddy

    QTest::newRow("I-section B, from the far corner")
        << true << u"Text1"_s << true << u"Label2(0)"_s;
    QTest::newRow("bracket F, from the start") << false << u"Text7"_s << false << QString();
    QTest::newRow("bracket bf1, from the far corner")
        << false << u"Text1"_s << true << u"Label1(0)"_s;
}

void TestDesktop::faultScrollsItsFieldIntoView()
{
    QFETCH(bool, section);
    QFETCH(QString, field);
    QFETCH(bool, scrolledToEnd);
    QFETCH(QString, caption);

    QMdiSubWindow* window = makeCalculator(section);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    area->resize(360, 260);
    QTRY_VERIFY(window->widget()->height() < 260);
    auto* scroller = qobject_cast<QScrollArea*>(window->widget());
    for (QScrollBar* bar : { scroller->horizontalScrollBar(), scroller->verticalScrollBar() })
        bar->setValue(scrolledToEnd ? bar->maximum() : bar->minimum());
    auto* faulty = window->findChild<QLineEdit*>(field);
    QVERIFY(!inView(scroller, faulty));
    auto* label = window->findChild<QLabel*>(caption);
    if (!caption.isEmpty())
        label->setBuddy(faulty);

    ModalBoxCatcher boxes;
    faulty->setText(u"abc"_s);
    window->findChild<QPushButton*>(section ? u"Command2"_s : u"Command1"_s)->click();
    QCOMPARE(boxes.texts().size(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), faulty);
    QVERIFY(inView(scroller, faulty));
    QVERIFY(caption.isEmpty() || inView(scroller, label));
}

void TestDesktop::restoring_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QSize>("frameSize");
    QTest::addColumn<QSize>("frameSizeWhenRestored");
    QTest::addColumn<QRect>("chosen"); // a normal geometry the user gave it first

    QTest::newRow("I-section") << true << QSize(1400, 1000) << QSize(1400, 1000) << QRect();
    QTest::newRow("frame narrowed while maximized")
        << false << QSize(1400, 1000) << QSize(800, 1000) << QRect();
    // At start-up the calculator is made before the frame is maximized.
    QTest::newRow("frame enlarged while maximized")
        << true << QSize(320, 360) << QSize(1400, 1000) << QRect();
    QTest::newRow("a size the user chose")
        << false << QSize(1400, 1000) << QSize(1400, 1000) << QRect(30, 20, 500, 400);
}

void TestDesktop::restoring()
{
    QFETCH(bool, section);
    QFETCH(QSize, frameSize);
    QFETCH(QSize, frameSizeWhenRestored);
    QFETCH(QRect, chosen);

    MDIForm1 frame;
    frame.resize(frameSize);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QAction*>(section ? u"menuG"_s : u"menuGN"_s)->trigger();
    QMdiSubWindow* window = section
        ? static_cast<QMdiSubWindow*>(frame.calculatorWindow("section"))
        : static_cast<QMdiSubWindow*>(frame.calculatorWindow("bracket"));
    if (chosen.isValid()) {
        window->showNormal();
        window->setGeometry(chosen);
        window->showMaximized();
    }
    QVERIFY(window->isMaximized());
    frame.resize(frameSizeWhenRestored);
    QTRY_COMPARE(frame.size(), frameSizeWhenRestored);

    window->showNormal();
    const QWidget* client = window->findChild<QWidget*>(window->objectName() + u"Client"_s);
    const QMargins border = window->contentsMargins();
    const QSize drawn
        = client->size() + QSize(border.left() + border.right(), border.top() + border.bottom());
    const QRect room = frame.findChild<QMdiArea*>()->viewport()->rect();
    QCOMPARE(window->size(), chosen.isValid() ? chosen.size() : drawn.boundedTo(room.size()));
    QVERIFY(room.contains(window->geometry()));
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
