// Every field as assistive technology sees it: a name, the role of editable
// or read-only text, and a tab order that visits the inputs as they are read.

#include "form1.h"
#include "sectionform.h"
#include "uitest.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void fields_data();
    void fields();
};

void TestAccessibility::fields_data()
{
    QTest::addColumn<bool>("section");
    QTest::addColumn<QStringList>("inputsInReadingOrder");
    QTest::newRow("SectionForm") << true
                                 << QStringList { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s,
                                        u"Text12"_s, u"Text13"_s, u"Text16"_s, u"Text20"_s };
    // Frame1 row by row, the loads, the materials with hf.
    QTest::newRow("Form1") << false
                           << QStringList { u"Text1"_s, u"Text4"_s, u"Text2"_s, u"Text5"_s,
                                  u"Text3"_s, u"Text6"_s, u"Text7"_s, u"Text8"_s, u"Combo1"_s,
                                  u"Text12"_s };
}

void TestAccessibility::fields()
{
    QFETCH(bool, section);
    QFETCH(QStringList, inputsInReadingOrder);
    QMdiSubWindow* window = section ? static_cast<QMdiSubWindow*>(new SectionForm)
                                    : static_cast<QMdiSubWindow*>(new Form1);
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
        names << name;
    }
    const qsizetype count = names.size();
    names.removeDuplicates();
    QCOMPARE(names.size(), count); // a name tells one field from another

    if (auto* grade = window->findChild<QComboBox*>(u"Combo1"_s)) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(grade);
        QCOMPARE(spoken->role(), QAccessible::ComboBox);
        QVERIFY(!spoken->text(QAccessible::Name).isEmpty());
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
    QCOMPARE(visited, inputsInReadingOrder);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
