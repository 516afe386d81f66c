// The calculators as a desktop user meets them: keys on buttons and fields,
// the steel grade list, results too long for their field, a fault in a
// scrolled window and restoring a maximized calculator.

#include "controls.h"
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

QLineEdit* fieldOf(QWidget* window, const QString& name)
{
    return window->findChild<QLineEdit*>(name);
}

// Where `field` is, in the coordinates of the viewport of the scroll area
// that holds it.
QRect inViewport(QScrollArea* scroller, QWidget* field)
{
    return QRect(field->mapTo(scroller->viewport(), QPoint()), field->size());
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void cleanup() { delete FrmShow::existing(); }

    void typedGradeStaysOutOfTheList_data();
    void typedGradeStaysOutOfTheList();
    void enterOnAFocusedButtonPressesIt_data();
    void enterOnAFocusedButtonPressesIt();
    void buttonsKeepTheirLook_data();
    void buttonsKeepTheirLook();
    void enterInAFieldDoesNothing_data();
    void enterInAFieldDoesNothing();

    void longResultKeepsItsMagnitude_data();
    void longResultKeepsItsMagnitude();
    void focusedResultShowsTheWholeText();
    void toolTipFollowsTextAndWidth();
    void hugeInputsGiveReadableResults();

    void faultScrollsItsFieldIntoView_data();
    void faultScrollsItsFieldIntoView();
    void restoringGivesTheDrawnSize_data();
    void restoringGivesTheDrawnSize();
    void restoringKeepsASizeTheUserChose();
};

void TestDesktop::typedGradeStaysOutOfTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("another grade") << u"Q390"_s;
    QTest::newRow("a listed grade") << u"Q345"_s;
    QTest::newRow("lower case") << u"q235b"_s;
    QTest::newRow("nothing") << QString();
}

void TestDesktop::typedGradeStaysOutOfTheList()
{
    QFETCH(QString, typed);
    auto* form = new Form1;
    const std::unique_ptr<QMdiArea> area(showInMdiArea(form));
    auto* grade = form->findChild<QComboBox*>(u"Combo1"_s);
    grade->setFocus();
    QCOMPARE(QApplication::focusWidget(), grade);
    grade->lineEdit()->selectAll();
    QTest::keyClicks(grade, typed);
    QTest::keyClick(grade, Qt::Key_Return);
    QTest::keyClick(grade, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(grade->count(), 2);
    QCOMPARE(grade->itemText(0), u"Q235B"_s);
    QCOMPARE(grade->itemText(1), u"Q345"_s);
}

void TestDesktop::enterOnAFocusedButtonPressesIt_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("held"); // an auto-repeated press of a held key
    QTest::addColumn<QString>("result"); // a result field filled by the press, or none
    QTest::addColumn<bool>("hides");

    QTest::newRow("确定输入, I-section")
        << true << u"Command2"_s << int(Qt::Key_Return) << false << u"Text5"_s << false;
    QTest::newRow("退出, I-section")
        << true << u"Command1"_s << int(Qt::Key_Return) << false << QString() << true;
    QTest::newRow("确定输入, bracket, keypad Enter")
        << false << u"Command1"_s << int(Qt::Key_Enter) << false << u"Text13"_s << false;
    QTest::newRow("退出, bracket")
        << false << u"Command2"_s << int(Qt::Key_Return) << false << QString() << true;
    QTest::newRow("确定输入, held Return")
        << true << u"Command2"_s << int(Qt::Key_Return) << true << QString() << false;
    QTest::newRow("退出, held Return")
        << false << u"Command2"_s << int(Qt::Key_Return) << true << QString() << false;
}

void TestDesktop::enterOnAFocusedButtonPressesIt()
{
    QFETCH(bool, section);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(bool, held);
    QFETCH(QString, result);
    QFETCH(bool, hides);

    QMdiSubWindow* window = makeCalculator(section);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    ModalBoxCatcher boxes;
    auto* pressed = window->findChild<QPushButton*>(button);
    pressed->setFocus();
    QCOMPARE(QApplication::focusWidget(), pressed);
    const Qt::KeyboardModifiers modifiers
        = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, u"\r"_s, held);
    QApplication::sendEvent(pressed, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, u"\r"_s, held);
    QApplication::sendEvent(pressed, &release);

    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(window->isVisible(), !hides);
    const QString watched = section ? u"Text5"_s : u"Text13"_s;
    QCOMPARE(fieldOf(window, watched)->text().isEmpty(), result.isEmpty());
    // The bracket's calculation ends in its verdicts.
    const bool verdicts = FrmShow::existing() && FrmShow::existing()->isVisible();
    QCOMPARE(verdicts, !section && !result.isEmpty());
}

// Pressing on Enter must not make them default buttons, which some styles
// frame and size differently.
void TestDesktop::buttonsKeepTheirLook_data()
{
    QTest::addColumn<bool>("focused");
    QTest::newRow("focused") << true;
    QTest::newRow("not focused") << false;
}

void TestDesktop::buttonsKeepTheirLook()
{
    QFETCH(bool, focused);
    QWidget window;
    window.resize(300, 100);
    QPushButton* placed = placeButton(&window, u"Command1"_s, u"确定输入"_s, QRect(10, 10, 88, 25));
    auto* plain = new QPushButton(u"确定输入"_s, &window);
    plain->setGeometry(110, 10, 88, 25);
    auto* elsewhere = new QLineEdit(&window);
    elsewhere->setGeometry(10, 50, 88, 18);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QImage looks[2];
    for (QPushButton* button : { placed, plain }) {
        if (focused)
            button->setFocus();
        else
            elsewhere->setFocus();
        QCOMPARE(button->hasFocus(), focused);
        looks[button == plain] = button->grab().toImage();
    }
    QCOMPARE(looks[0], looks[1]);
}

void TestDesktop::enterInAFieldDoesNothing_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("field");
    QTest::newRow("I-section input") << true << u"Text1"_s;
    QTest::newRow("I-section result") << true << u"Text5"_s;
    QTest::newRow("bracket input") << false << u"Text7"_s;
    QTest::newRow("bracket result") << false << u"Text13"_s;
    QTest::newRow("bracket steel grade") << false << u"Combo1"_s;
}

void TestDesktop::enterInAFieldDoesNothing()
{
    QFETCH(bool, section);
    QFETCH(QString, field);

    QMdiSubWindow* window = makeCalculator(section);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    ModalBoxCatcher boxes;
    auto* target = window->findChild<QWidget*>(field);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);

    QCOMPARE(boxes.texts(), QStringList());
    QVERIFY(window->isVisible());
    QCOMPARE(fieldOf(window, section ? u"Text5"_s : u"Text13"_s)->text(), QString());
    QVERIFY(!FrmShow::existing() || !FrmShow::existing()->isVisible());
}

void TestDesktop::longResultKeepsItsMagnitude_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("head"); // what the drawn text must start with
    QTest::addColumn<QString>("tail"); // and end with

    QTest::newRow("large Double, 100 px")
        << false << u"Text29"_s << u"2.85586886530293E+29"_s << u"2.855"_s << u"E+29"_s;
    QTest::newRow("negative, small, 100 px")
        << false << u"Text30"_s << u"-1.23456789012346E-300"_s << u"-1.23"_s << u"E-300"_s;
    QTest::newRow("large Double, 137 px")
        << true << u"Text6"_s << u"-2.85586886530293E+29"_s << u"-2.855"_s << u"E+29"_s;
    QTest::newRow("three-digit exponent, 89 px")
        << true << u"Text17"_s << u"-1.23456789012346E-300"_s << u"-1.2"_s << u"E-300"_s;
    // Two decimals after 36 digits: the magnitude is drawn as a power of ten.
    QTest::newRow("36 digits and two decimals")
        << true << u"Text6"_s << u"123456789012345678901234567890123456.78"_s << u"1.2345"_s
        << u"E+35"_s;
    QTest::newRow("negative, two decimals")
        << false << u"Text19"_s << u"-12345678901234567890123456789012345.60"_s << u"-1.234"_s
        << u"E+34"_s;
    QTest::newRow("decimals give way, 70 px")
        << false << u"Text22"_s << u"-255.989694444444"_s << u"-255.9"_s << u"…"_s;
    QTest::newRow("decimal comma")
        << false << u"Text19"_s << u"98765432109876543210987654321,05"_s << u"9,876"_s << u"E+28"_s;
    QTest::newRow("not a number") << true << u"Text17"_s << u"abcdefghijklmnopqrstuvwxyz"_s
                                  << u"abc"_s << u"xyz"_s;
    QTest::newRow("fits") << true << u"Text6"_s << u"1.03854E+08"_s << u"1.03854E+08"_s
                          << u"1.03854E+08"_s;
}

void TestDesktop::longResultKeepsItsMagnitude()
{
    QFETCH(bool, section);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, head);
    QFETCH(QString, tail);

    QMdiSubWindow* window = makeCalculator(section);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    auto* result = qobject_cast<ResultField*>(fieldOf(window, field));
    QVERIFY(result);
    result->setText(text);
    result->setCursorPosition(0);

    const bool fits = head == text;
    const QString shown = result->displayedText();
    QVERIFY2(shown.startsWith(head) && shown.endsWith(tail), qPrintable(shown));
    QCOMPARE(shown.contains(u'…'), !fits);
    QVERIFY(result->fontMetrics().horizontalAdvance(shown) < result->width());
    QCOMPARE(paintedTexts(result), QStringList { shown });
    QCOMPARE(result->toolTip(), fits ? QString() : text);

    // The calculations and the clipboard still get every digit.
    QCOMPARE(result->text(), text);
    result->selectAll();
    result->copy();
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestDesktop::focusedResultShowsTheWholeText()
{
    auto* form = new Form1;
    const std::unique_ptr<QMdiArea> area(showInMdiArea(form));
    auto* result = qobject_cast<ResultField*>(fieldOf(form, u"Text13"_s));
    const QString text = u"2.85586886530293E+29"_s;
    result->setText(text);
    QVERIFY(result->displayedText() != text);

    result->setFocus();
    QCOMPARE(QApplication::focusWidget(), result);
    QCOMPARE(result->displayedText(), text);
    const QStringList painted = paintedTexts(result);
    QVERIFY2(painted.size() == 1 && painted.front().startsWith(u"2.85586886530"_s),
        qPrintable(painted.join(u'|')));

    fieldOf(form, u"Text1"_s)->setFocus();
    QCOMPARE(paintedTexts(result), QStringList { result->displayedText() });
    QVERIFY(result->displayedText().endsWith(u"E+29"_s));
}

void TestDesktop::toolTipFollowsTextAndWidth()
{
    ResultField field(u"1.5"_s);
    field.setTextMargins(0, 0, 0, 0);
    field.resize(100, 18);
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QCOMPARE(field.toolTip(), QString());

    const QString longText = u"2.85586886530293E+29"_s;
    field.setText(longText);
    QCOMPARE(field.toolTip(), longText);
    field.resize(400, 18);
    QCOMPARE(field.toolTip(), QString());
    QCOMPARE(field.displayedText(), longText);
    field.resize(100, 18);
    QCOMPARE(field.toolTip(), longText);
    field.setText(u"2.86E+29"_s);
    QCOMPARE(field.toolTip(), QString());

    // A tooltip of its own is the caller's; a fitting text leaves it alone.
    field.setToolTip(u"kN"_s);
    field.setText(u"3"_s);
    QCOMPARE(field.toolTip(), u"kN"_s);
}

// B = 1E+7 and the like, typed by hand: whatever does not fit is drawn with
// its exponent.
void TestDesktop::hugeInputsGiveReadableResults()
{
    auto* form = new SectionForm;
    const std::unique_ptr<QMdiArea> area(showInMdiArea(form));
    ModalBoxCatcher boxes;
    for (const auto& [name, text] :
        { std::pair { u"Text1"_s, u"1E+7"_s }, std::pair { u"Text2"_s, u"3E+7"_s },
            std::pair { u"Text3"_s, u"6E+5"_s }, std::pair { u"Text4"_s, u"8E+5"_s } })
        fieldOf(form, name)->setText(text);
    form->findChild<QPushButton*>(u"Command2"_s)->click();
    QCOMPARE(boxes.texts(), QStringList());

    int shortened = 0;
    for (ResultField* result : form->findChildren<ResultField*>()) {
        const QString text = result->text();
        const QString shown = result->displayedText();
        QCOMPARE(paintedTexts(result), QStringList { shown });
        if (shown == text)
            continue;
        ++shortened;
        // The exponent stays whole; a number without one keeps its point or
        // gets its power of ten.
        const qsizetype exponent = text.lastIndexOf(u'E');
        const qsizetype point = text.indexOf(u'.');
        const bool magnitudeShown = exponent > 0 ? shown.endsWith(text.mid(exponent))
                                                 : shown.startsWith(text.left(point + 2))
                || shown.endsWith(u"E+%1"_s.arg((point < 0 ? text.size() : point) - 1));
        QVERIFY2(
            shown.startsWith(text.front()) && magnitudeShown, qPrintable(text + u" as "_s + shown));
        QCOMPARE(result->toolTip(), text);
    }
    QVERIFY(shortened >= 3);
}

void TestDesktop::faultScrollsItsFieldIntoView_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("scrolledToEnd"); // where the user left the scroll bars
    QTest::addColumn<QString>("caption"); // a label made the field's buddy, or none

    QTest::newRow("I-section B, from the far corner") << true << u"Text1"_s << true << QString();
    QTest::newRow("I-section Num, from the start") << true << u"Text20"_s << false << QString();
    QTest::newRow("bracket F, from the start") << false << u"Text7"_s << false << QString();
    QTest::newRow("bracket bf1 and its caption, from the far corner")
        << false << u"Text1"_s << true << u"Label1(0)"_s;
    QTest::newRow("I-section B and its caption, from the far corner")
        << true << u"Text1"_s << true << u"Label2(0)"_s;
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
    QLineEdit* faulty = fieldOf(window, field);
    QVERIFY(!scroller->viewport()->rect().contains(inViewport(scroller, faulty)));
    auto* label = caption.isEmpty() ? nullptr : window->findChild<QLabel*>(caption);
    if (label)
        label->setBuddy(faulty);

    ModalBoxCatcher boxes;
    faulty->setText(u"abc"_s);
    window->findChild<QPushButton*>(section ? u"Command2"_s : u"Command1"_s)->click();
    QCOMPARE(boxes.texts().size(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), faulty);
    QVERIFY(scroller->viewport()->rect().contains(inViewport(scroller, faulty)));
    if (label)
        QVERIFY(scroller->viewport()->rect().contains(inViewport(scroller, label)));
}

void TestDesktop::restoringGivesTheDrawnSize_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QSize>("frameSize");
    QTest::addColumn<QSize>("frameSizeWhenRestored");

    QTest::newRow("I-section, large frame") << true << QSize(1400, 1000) << QSize(1400, 1000);
    QTest::newRow("bracket, large frame") << false << QSize(1400, 1000) << QSize(1400, 1000);
    QTest::newRow("I-section, small frame") << true << QSize(700, 500) << QSize(700, 500);
    QTest::newRow("bracket, frame narrowed while maximized")
        << false << QSize(1400, 1000) << QSize(800, 1000);
    // At start-up the calculator is made before the window manager has
    // maximized the frame.
    QTest::newRow("I-section, frame enlarged while maximized")
        << true << QSize(320, 360) << QSize(1400, 1000);
}

void TestDesktop::restoringGivesTheDrawnSize()
{
    QFETCH(bool, section);
    QFETCH(QSize, frameSize);
    QFETCH(QSize, frameSizeWhenRestored);

    MDIForm1 frame;
    frame.resize(frameSize);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QAction*>(section ? u"menuG"_s : u"menuGN"_s)->trigger();
    QMdiSubWindow* window = section ? static_cast<QMdiSubWindow*>(frame.sectionForm())
                                    : static_cast<QMdiSubWindow*>(frame.form1());
    QVERIFY(window->isMaximized());
    frame.resize(frameSizeWhenRestored);
    QTRY_COMPARE(frame.size(), frameSizeWhenRestored);

    window->showNormal();
    QVERIFY(!window->isMaximized());
    const QWidget* client = window->findChild<QWidget*>(window->objectName() + u"Client"_s);
    const QMargins border = window->contentsMargins();
    const QSize drawn
        = client->size() + QSize(border.left() + border.right(), border.top() + border.bottom());
    const QRect room = frame.findChild<QMdiArea*>()->viewport()->rect();
    QCOMPARE(window->size(), drawn.boundedTo(room.size()));
    QVERIFY(room.contains(window->geometry()));
}

void TestDesktop::restoringKeepsASizeTheUserChose()
{
    MDIForm1 frame;
    frame.resize(1400, 1000);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QAction*>(u"menuGN"_s)->trigger();
    Form1* window = frame.form1();
    window->showNormal();
    window->setGeometry(30, 20, 500, 400);
    window->showMaximized();
    window->showNormal();
    QCOMPARE(window->geometry(), QRect(30, 20, 500, 400));
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
