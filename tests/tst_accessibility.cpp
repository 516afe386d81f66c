// Every control as assistive technology sees it: fields with a name, the
// role of editable or read-only text, the caption beside them they are
// labelled by, a tab order that visits the inputs as they are
// read; the notes, the groups and the drawings; the verdict window as an alert
// that reads its verdicts and is announced on every calculation.

#include "calculators.h"
#include "calculatorwindow.h"
#include "coretext.h"
#include "form1.h"
#include "frmshow.h"
#include "uitest.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The captions a control is labelled by (its buddy labels).
QList<QWidget*> linkedCaptions(QAccessibleInterface* spoken)
{
    QList<QWidget*> captions;
    for (const auto& [other, relation] : spoken->relations(QAccessible::Label))
        if (other->role() == QAccessible::StaticText)
            captions << static_cast<QWidget*>(other->object());
    return captions;
}

// A caption belongs to the field right under it, or to the first field after
// it on its line: no other field stands between them.
bool standsBefore(const QWidget* caption, const QWidget* field, const QList<QWidget*>& fields)
{
    if (caption->parentWidget() != field->parentWidget())
        return false;
    const QRect c = caption->geometry(), f = field->geometry();
    if (c.bottom() < f.top())
        return f.top() - c.bottom() <= 2 && c.left() <= f.left();
    const auto onLineBetween = [&](const QWidget* other) {
        const QRect o = other->geometry();
        return other != field && other->parentWidget() == field->parentWidget()
            && o.top() < c.bottom() && c.top() < o.bottom() && c.left() < o.left()
            && o.left() < f.left();
    };
    return c.top() < f.bottom() && f.top() < c.bottom() && c.left() < f.left()
        && std::none_of(fields.begin(), fields.end(), onLineBetween);
}

// The controls a user fills in or reads: line edits and the combo box, not
// the combo box's own editor, which speaks through it.
QList<QWidget*> fieldsOf(QWidget* window)
{
    QList<QWidget*> fields;
    for (QWidget* w : window->findChildren<QWidget*>())
        if ((qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget()))
            || qobject_cast<QComboBox*>(w))
            fields << w;
    return fields;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void cleanup() { delete FrmShow::existing(); }
    void fields_data();
    void fields();
    void partSaysWhatItIs_data();
    void partSaysWhatItIs();
    void verdictsAreAnAlertReadAsSentences();
};

void TestAccessibility::fields_data()
{
    QTest::addColumn<QString>("calculator");
    // Where it is known here; any other calculator's Tab reaches each of its
    // inputs once.
    QTest::addColumn<QStringList>("inputsInReadingOrder");
    const QHash<QString, QStringList> readingOrder {
        { u"section"_s,
            { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s, u"Text12"_s, u"Text13"_s, u"Text16"_s,
                u"Text20"_s, u"Combo1"_s, u"Text23"_s, u"Text24"_s, u"Text25"_s, u"Text26"_s,
                u"Text27"_s, u"Combo2"_s } },
        // Frame1 row by row, the loads, the materials with hf, then the load
        // and the column at the bottom, row by row.
        { u"bracket"_s,
            { u"Text1"_s, u"Text4"_s, u"Text2"_s, u"Text5"_s, u"Text3"_s, u"Text6"_s, u"Text7"_s,
                u"Text8"_s, u"Combo1"_s, u"Text9"_s, u"Text10"_s, u"Text11"_s, u"Text12"_s,
                u"Combo2"_s, u"Text34"_s, u"Text35"_s, u"Text36"_s, u"Text37"_s, u"Combo3"_s,
                u"Text38"_s, u"Text39"_s, u"Text40"_s, u"Text33"_s } },
    };
    for (const CalculatorEntry& entry : calculators())
        QTest::newRow(entry.id.data())
            << fromCore(entry.id) << readingOrder.value(fromCore(entry.id));
}

void TestAccessibility::fields()
{
    QFETCH(QString, calculator);
    QFETCH(QStringList, inputsInReadingOrder);
    CalculatorWindow* window = newCalculatorWindow(calculator);
    const bool orderKnown = !inputsInReadingOrder.isEmpty();
    if (!orderKnown)
        for (const FieldFacts& facts : window->calculator().fields())
            if (facts.isStored())
                inputsInReadingOrder << fromCore(facts.control);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    QVERIFY(area->isVisible());

    QStringList names;
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(field->parentWidget()))
            continue; // the combo box's own editor speaks through the combo box
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(field);
        QVERIFY(spoken);
        const QString name = spoken->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(field->objectName()));
        QCOMPARE(spoken->role(), QAccessible::EditableText);
        QCOMPARE(bool(spoken->state().readOnly), field->isReadOnly());
        // A result is read and selected, never edited, and Tab passes it by.
        QCOMPARE(bool(spoken->state().editable), !field->isReadOnly());
        QCOMPARE(spoken->editableTextInterface() != nullptr, !field->isReadOnly());
        QCOMPARE(bool(field->focusPolicy() & Qt::TabFocus), !field->isReadOnly());
        QAccessibleTextInterface* text = spoken->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), field->text());
        names << name;
    }
    const qsizetype count = names.size();
    names.removeDuplicates();
    QCOMPARE(names.size(), count); // a name tells one field from another

    for (QWidget* field : fieldsOf(window)) {
        const QList<QWidget*> captions
            = linkedCaptions(QAccessible::queryAccessibleInterface(field));
        QVERIFY2(captions.size() == 1, qPrintable(field->objectName()));
        QVERIFY2(standsBefore(captions.front(), field, fieldsOf(window)),
            qPrintable(captions.front()->objectName() + u" → "_s + field->objectName()));
    }

    for (QComboBox* choice : window->findChildren<QComboBox*>()) {
        // Qt names a combo box on Linux by its current text; the caption comes
        // with it as the label it is linked to.
        const FieldFacts* facts
            = findField(window->calculator().fields(), toCore(choice->objectName()));
        QVERIFY2(facts && facts->isChoice(), qPrintable(choice->objectName()));
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(choice);
        QCOMPARE(spoken->role(), QAccessible::ComboBox);
        QVERIFY(!spoken->text(QAccessible::Name).isEmpty());
        QWidget* caption = linkedCaptions(spoken).front();
        QCOMPARE(QAccessible::queryAccessibleInterface(caption)->text(QAccessible::Name),
            fromCore(captionOnOneLine(facts->caption)));
        QCOMPARE(choice->isEditable(), facts->open);
        QCOMPARE(choice->count(), qsizetype(facts->choices.size()));
    }

    // Tab from the first input: the inputs come in reading order.
    QWidget* first = window->findChild<QWidget*>(inputsInReadingOrder.front());
    QStringList visited;
    QWidget* w = first;
    do {
        const auto* field = qobject_cast<QLineEdit*>(w);
        if (((field && !field->isReadOnly() && !qobject_cast<QComboBox*>(w->parentWidget()))
                || qobject_cast<QComboBox*>(w))
            && w->focusPolicy() & Qt::TabFocus)
            visited << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    if (!orderKnown) {
        visited.sort();
        inputsInReadingOrder.sort();
    }
    QCOMPARE(visited, inputsInReadingOrder);
}

// The note, the drawings and the inner group: a name of their own, a
// description for what is not said by the name.
void TestAccessibility::partSaysWhatItIs_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");

    QTest::newRow("I-section note")
        << u"section"_s << u"Label3"_s << QAccessible::StaticText << u"工字型截面性质计算说明"_s;
    QTest::newRow("I-section drawing")
        << u"section"_s << u"Picture1"_s << QAccessible::Graphic << u"工字型截面示意图"_s;
    QTest::newRow("bracket section drawing")
        << u"bracket"_s << u"Picture1"_s << QAccessible::Graphic << u"牛腿根部截面示意图"_s;
    QTest::newRow("roof drawing") << u"bracket"_s << u"Picture2"_s << QAccessible::Graphic
                                  << u"空间网架屋盖示意图"_s;
    // Unnamed, it would take its outer group's title.
    QTest::newRow("weld group") << u"bracket"_s << u"Frame6"_s << QAccessible::Grouping
                                << u"牛腿与柱连接焊缝计算"_s;
}

void TestAccessibility::partSaysWhatItIs()
{
    QFETCH(QString, calculator);
    QFETCH(QString, object);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    const std::unique_ptr<QMdiSubWindow> window(newCalculatorWindow(calculator));

    auto* widget = window->findChild<QWidget*>(object);
    QVERIFY(widget);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
    QCOMPARE(spoken->role(), role);
    QCOMPARE(spoken->text(QAccessible::Name), name);
    const QString description = spoken->text(QAccessible::Description);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(description, label->text()); // a note is read whole
    else if (role == QAccessible::Graphic)
        QVERIFY(description.size() > name.size());
}

void TestAccessibility::verdictsAreAnAlertReadAsSentences()
{
    auto* form = new Form1;
    const std::unique_ptr<QMdiArea> area(showInMdiArea(form));
    ModalBoxCatcher boxes;
    const auto confirm
        = [&] { QTest::mouseClick(form->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton); };

    // Referred to before the first calculation, so that its announcements are
    // counted from the start.
    FrmShow* window = FrmShow::instance();
    QSignalSpy announcements(window, &FrmShow::announced);
    confirm();
    QCOMPARE(FrmShow::existing(), window);
    QCOMPARE(announcements.size(), 1);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(window);
    QCOMPARE(spoken->role(), QAccessible::AlertMessage);
    QCOMPARE(spoken->text(QAccessible::Name), u"判断情况如下："_s);
    // The rows, the heading before the detailing checks and the load's, then the notes.
    const QString notes = window->findChild<QLabel*>(u"VerdictNotes"_s)->text();
    const QString detailing
        = u"局部稳定与构造；腹板上端的折算应力：满足要求；受压翼缘宽厚比：满足要求；"
          "腹板高厚比：满足要求；角焊缝焊脚尺寸：满足要求；角焊缝计算长度：满足要求；"
          "荷载与节点；腹板局部压应力：不适用；支承加劲肋端面承压：满足要求；"
          "支承加劲肋平面外稳定：满足要求；支承加劲肋外伸宽度：满足要求；支承加劲肋宽厚比：满足要求；"
          "上翼缘与腹板连接焊缝：满足要求；下翼缘与腹板连接焊缝：满足要求；"
          "柱腹板（牛腿受压翼缘处）：设水平加劲肋；柱翼缘（牛腿受拉翼缘处）：设水平加劲肋；"
          "角焊缝焊脚尺寸（按较厚件）：满足要求；"_s;
    QCOMPARE(spoken->text(QAccessible::Description),
        u"下翼缘外边的正应力：满足要求；截面形心轴处的剪应力：满足要求；"
        "腹板下端的折算应力：满足要求；上翼缘焊缝应力：满足要求；"
        "下翼缘焊缝应力：满足要求；角焊缝应力：满足要求；"_s
            + detailing + notes);
    QVERIFY(spoken->state().focusable);

    // 2.5 times the load: of the stresses only the fillet welds still pass.
    // The window is still on screen and announces its new verdicts once.
    form->findChild<QLineEdit*>(u"Text7"_s)->setText(u"1000"_s);
    confirm();
    QCOMPARE(announcements.size(), 2);
    QCOMPARE(spoken->text(QAccessible::Description),
        u"下翼缘外边的正应力：不满足要求；截面形心轴处的剪应力：不满足要求；"
        "腹板下端的折算应力：不满足要求；上翼缘焊缝应力：不满足要求；"
        "下翼缘焊缝应力：不满足要求；角焊缝应力：满足要求；"_s
            + QString(detailing)
                  .replace(u"上端的折算应力：满足要求"_s, u"上端的折算应力：不满足要求"_s)
                  .replace(u"端面承压：满足要求"_s, u"端面承压：不满足要求"_s)
            + notes);
    QCOMPARE(boxes.texts(), QStringList());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
