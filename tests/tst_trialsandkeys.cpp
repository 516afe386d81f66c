// The trial list (计算记录) and the keyboard: what an engineer comparing
// trials sees and does, and the keys that reach every command.

#include "calculators.h"
#include "calculatorwindow.h"
#include "mdiform1.h"
#include "reportwindow.h"
#include "triallist.h"
#include "trialtable.h"
#include "uitest.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const CalculatorEntry& calculator(std::string_view id)
{
    for (const CalculatorEntry& entry : calculators())
        if (entry.id == id)
            return entry;
    qFatal("no calculator");
}

DesignTrial trial(const QString& time, const QMap<QString, QString>& inputs,
    const QMap<QString, QString>& results)
{
    return { time, inputs, results };
}

} // namespace

class TestTrialsAndKeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void changedColumnsMarked_data();
    void changedColumnsMarked();
    void listRestoresDeletesAndCopies();
    void menuByKeyboard_data();
    void menuByKeyboard();
    void noUnnamedControlTakesFocus();
    void frameRemembersItsPlace_data();
    void frameRemembersItsPlace();

private:
    CalculatorWindow* window(const QString& id)
    {
        return m_frame->calculatorWindow(id.toStdString());
    }
    void set(const QString& id, const QString& name, const QString& text)
    {
        window(id)->findChild<QLineEdit*>(name)->setText(text);
    }
    void confirm(const QString& id)
    {
        QTest::mouseClick(window(id)->findChild<QPushButton*>(confirmButton(id)), Qt::LeftButton);
    }
    CalculatorWindow* shown() const
    {
        for (CalculatorWindow* w : m_frame->findChildren<CalculatorWindow*>())
            if (w->isVisible())
                return w;
        return nullptr;
    }

    std::unique_ptr<MDIForm1> m_frame;
};

void TestTrialsAndKeys::init()
{
    m_frame = std::make_unique<MDIForm1>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestTrialsAndKeys::cleanup()
{
    m_frame.reset();
}

void TestTrialsAndKeys::changedColumnsMarked_data()
{
    QTest::addColumn<QList<DesignTrial>>("trials");
    QTest::addColumn<QStringList>("marked");

    const QMap<QString, QString> base { { u"B"_s, u"400"_s }, { u"t"_s, u"8"_s } };
    QMap<QString, QString> thicker = base;
    thicker[u"t"_s] = u"10"_s;
    QMap<QString, QString> typedOtherwise = base;
    typedOtherwise[u"B"_s] = u"400.0"_s; // the same number, typed otherwise
    const QMap<QString, QString> r1 { { u"A"_s, u"8104"_s } };
    const QMap<QString, QString> r2 { { u"A"_s, u"9680"_s } };

    QTest::newRow("one row") << QList { trial(u"2026-12-08T09:00:00"_s, base, r1) }
                             << QStringList {};
    QTest::newRow("only the time differs") << QList { trial(u"2026-12-08T09:00:00"_s, base, r1),
        trial(u"2026-12-08T09:05:00"_s, base, r1) }
                                           << QStringList {};
    QTest::newRow("t and A") << QList { trial(u"2026-12-08T09:00:00"_s, base, r1),
        trial(u"2026-12-08T09:05:00"_s, thicker, r2) }
                             << QStringList { u"t"_s, u"A"_s };
    QTest::newRow("texts as typed") << QList { trial(u"2026-12-08T09:00:00"_s, base, r1),
        trial(u"2026-12-08T09:05:00"_s, typedOtherwise, r1) }
                                    << QStringList { u"B"_s };
    QTest::newRow("back to the first") << QList { trial(u"2026-12-08T09:00:00"_s, base, r1),
        trial(u"2026-12-08T09:05:00"_s, thicker, r2), trial(u"2026-12-08T09:09:00"_s, base, r1) }
                                       << QStringList { u"t"_s, u"A"_s };
}

void TestTrialsAndKeys::changedColumnsMarked()
{
    QFETCH(QList<DesignTrial>, trials);
    QFETCH(QStringList, marked);
    const TrialTable table = trialTable(calculator("section"), trials);
    QStringList seen;
    for (qsizetype column = 0; column < table.keys.size(); ++column)
        if (table.differs[column])
            seen << table.keys[column];
    QCOMPARE(seen, marked);
    QCOMPARE(table.rows.size(), trials.size());
    QCOMPARE(table.headers.front(), u"时间"_s);
    QCOMPARE(table.rows.front().front(), u"2026-12-08 09:00:00"_s);
    // A spreadsheet gets one line a row under the headers.
    QCOMPARE(table.tabSeparated().count(u'\n'), trials.size() + 1);
}

void TestTrialsAndKeys::listRestoresDeletesAndCopies()
{
    ModalBoxCatcher boxes;
    m_frame->findChild<QAction*>(u"menuG"_s)->trigger();
    confirm(u"section"_s);
    set(u"section"_s, u"Text4"_s, u"10"_s);
    confirm(u"section"_s);
    set(u"section"_s, u"Text2"_s, u"320"_s);
    confirm(u"section"_s);
    QCOMPARE(m_frame->trials("section").size(), 3);

    m_frame->findChild<QAction*>(u"menuTrials"_s)->trigger();
    TrialList* list = m_frame->trialList();
    QVERIFY(list && QTest::qWaitForWindowExposed(list));
    QCOMPARE(list->objectName(), u"TrialList"_s);
    QTableWidget* table = list->table(0);
    QCOMPARE(table->rowCount(), 3);
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->horizontalHeaderItem(column)->text();
    QVERIFY2(headers.contains(u"t (mm) *"_s) && headers.contains(u"H (mm) *"_s)
            && headers.contains(u"B (mm)"_s),
        qPrintable(headers.join(u'|')));

    // A new calculation shows at once.
    set(u"section"_s, u"Text1"_s, u"420"_s);
    confirm(u"section"_s);
    QCOMPARE(table->rowCount(), 4);

    // Double-clicking the first row puts its inputs back; results wait for
    // the next "确定输入".
    const QRect first = table->visualRect(table->model()->index(0, 1));
    // A double click as the view sees one: a click, then the second press.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, first.center());
    CalculatorWindow* section = window(u"section"_s);
    QVERIFY(section->isVisible());
    QCOMPARE(section->findChild<QLineEdit*>(u"Text1"_s)->text(), u"400"_s);
    QCOMPARE(section->findChild<QLineEdit*>(u"Text4"_s)->text(), u"8"_s);
    QCOMPARE(section->findChild<QLineEdit*>(u"Text5"_s)->text(), QString()); // A, design-time
    QCOMPARE(section->calculationState(), CalculationState::None);

    // Delete the second and third rows.
    table->clearSelection();
    table->selectionModel()->select(
        table->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->select(
        table->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::mouseClick(list->findChild<QPushButton*>(u"DeleteButton"_s), Qt::LeftButton);
    QCOMPARE(m_frame->trials("section").size(), 2);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(m_frame->trials("section").back().inputs.value(u"B"_s), u"420"_s);
    QVERIFY(m_frame->hasUnsavedChanges());

    // Copy: the table as a spreadsheet takes it.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(list->findChild<QPushButton*>(u"CopyButton"_s), Qt::LeftButton);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith(u"时间\tB (mm)\tH (mm)\t"_s));
    QVERIFY(lines[2].contains(u"\t420\t320\t6\t10\t"_s));

    // Esc closes it.
    list->activateWindow();
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!list->isVisible());
}

void TestTrialsAndKeys::menuByKeyboard_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("active"); // the menu bar's item afterwards, or none
    QTest::addColumn<QString>("shown"); // the calculator shown afterwards, or none

    QTest::newRow("F10") << QList<int> { Qt::Key_F10 } << u"menuFile"_s << QString();
    QTest::newRow("Alt") << QList<int> { Qt::Key_Alt } << u"menuFile"_s << QString();
    QTest::newRow("Alt, Right, Enter") << QList<int> { Qt::Key_Alt, Qt::Key_Right, Qt::Key_Return }
                                       << QString() << u"SectionForm"_s;
    QTest::newRow("F10, Right, Right, Enter")
        << QList<int> { Qt::Key_F10, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return } << QString()
        << u"Form1"_s;
}

void TestTrialsAndKeys::menuByKeyboard()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, active);
    QFETCH(QString, shown);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    for (int key : keys) {
        QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::focusWidget();
        QTest::keyClick(target ? target : m_frame.get(), Qt::Key(key));
    }
    QAction* now = m_frame->menuBar()->activeAction();
    const QString name
        = now ? (now->menu() ? now->menu()->objectName() : now->objectName()) : QString();
    if (!active.isEmpty())
        QCOMPARE(name, active);
    if (!shown.isEmpty())
        QTRY_COMPARE(this->shown() ? this->shown()->objectName() : QString(), shown);
}

void TestTrialsAndKeys::noUnnamedControlTakesFocus()
{
    ModalBoxCatcher boxes;
    m_frame->findChild<QAction*>(u"menuGN"_s)->trigger();
    confirm(u"bracket"_s);
    m_frame->findChild<QAction*>(u"menuReport"_s)->trigger();
    m_frame->findChild<QAction*>(u"menuTrials"_s)->trigger();
    QVERIFY(ReportWindow::existing() && m_frame->trialList());

    for (QWidget* top :
        QList<QWidget*> { m_frame.get(), ReportWindow::existing(), m_frame->trialList() })
        for (QWidget* w : top->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(top) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            if (qobject_cast<QComboBox*>(w->parentWidget()))
                continue; // a combo box's editor: the combo box speaks for it
            if (auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget());
                area && area->viewport() == w)
                continue; // a view's viewport: the view takes the focus
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(w);
            const QString name = spoken ? spoken->text(QAccessible::Name) : QString();
            QVERIFY2(!name.trimmed().isEmpty(),
                qPrintable(top->objectName() + u": "_s
                    + QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName()
                    + u" in "_s + QString::fromLatin1(w->parentWidget()->metaObject()->className())
                    + u' ' + w->parentWidget()->objectName()));
        }
}

void TestTrialsAndKeys::frameRemembersItsPlace_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("restored, 700 × 500") << false;
    QTest::newRow("maximised") << true;
}

void TestTrialsAndKeys::frameRemembersItsPlace()
{
    QFETCH(bool, maximised);
    m_frame->hide(); // one frame at a time, as the program has it
    QSettings().remove(u"frame/geometry"_s);
    // The first run: maximised.
    auto first = std::make_unique<MDIForm1>();
    first->showInItsPlace();
    QVERIFY(QTest::qWaitForWindowExposed(first.get()));
    QVERIFY(first->isMaximized());
    first->showNormal();
    first->setGeometry(QRect(60, 50, 700, 500));
    if (maximised)
        first->showMaximized();
    QTest::qWait(50);
    const QRect normal = first->normalGeometry();
    QVERIFY(first->close());
    first.reset();

    MDIForm1 next;
    next.showInItsPlace();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QCOMPARE(next.isMaximized(), maximised);
    QCOMPARE(next.normalGeometry().size(), normal.size());
    next.close();
}

QTEST_MAIN(TestTrialsAndKeys)
#include "tst_trialsandkeys.moc"
