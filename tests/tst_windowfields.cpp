// Each calculator window against its table of fields: every row is on the
// screen with its design-time text, its role, its caption, formula and unit
// labels and the unit a screen reader hears; and nothing is on the screen
// that the table does not know.

#include "calculatorwindow.h"
#include "calculatorwindows.h"
#include "fieldrow.h"
#include "uitest.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The labels a screen reader links to the field.
QStringList labelsOf(const QWidget* window, const QWidget* field)
{
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() == field)
            texts << label->text();
    return texts;
}

} // namespace

class TestWindowFields : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void everyRowIsOnTheScreen_data();
    void everyRowIsOnTheScreen();
};

void TestWindowFields::everyRowIsOnTheScreen_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t index = 0; index < calculatorWindows().size(); ++index)
        QTest::newRow(calculatorWindows()[index].calculator->id.data()) << int(index);
}

void TestWindowFields::everyRowIsOnTheScreen()
{
    QFETCH(int, index);
    const CalculatorWindowEntry& entry = calculatorWindows()[std::size_t(index)];
    CalculatorWindow* window = entry.create();
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    QCOMPARE(window->calculator().id, entry.calculator->id);

    QStringList known;
    for (const FieldFacts& facts : entry.calculator->fields()) {
        const QString name = qt(facts.control);
        known << name;
        QWidget* field = window->findChild<QWidget*>(name);
        QVERIFY2(field, qPrintable(name));
        const auto* edit = qobject_cast<QLineEdit*>(field);
        const auto* combo = qobject_cast<QComboBox*>(field);
        QVERIFY2(edit || combo, qPrintable(name));
        QCOMPARE(edit ? edit->text() : combo->currentText(), qt(facts.designText));
        if (edit)
            QCOMPARE(edit->isReadOnly(), facts.role != FieldRole::Input);

        // The caption, or for a field without one its formula, names it.
        const QStringList labels = labelsOf(window, field);
        const std::string_view named = facts.caption.empty() ? facts.formula : facts.caption;
        QVERIFY2(labels.contains(qt(named)), qPrintable(name + u": "_s + labels.join(u'|')));
        if (!facts.formula.empty()) {
            const auto* formula
                = window->findChild<QLabel*>(fieldLabelName(facts.control, FieldLabel::Formula));
            QVERIFY2(formula && formula->text() == qt(facts.formula), qPrintable(name));
        }
        if (const auto* unit
            = window->findChild<QLabel*>(fieldLabelName(facts.control, FieldLabel::Unit)))
            QCOMPARE(unit->text(), qt(typedUnit(facts.unit)));
        if (edit)
            QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description),
                facts.unit.empty() ? QString() : u"单位："_s + qt(facts.unit));
    }
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>())
        if (!edit->objectName().isEmpty())
            QVERIFY2(known.contains(edit->objectName()), qPrintable(edit->objectName()));
}

QTEST_MAIN(TestWindowFields)
#include "tst_windowfields.moc"
