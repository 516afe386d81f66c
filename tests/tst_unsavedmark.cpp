// The unsaved mark belongs to the design, not to whichever calculator window
// was active last: every way of changing the design, then every way of
// showing the other calculator, then every way of leaving asks first.

#include "calculatorwindow.h"
#include "mdiform1.h"
#include "optimizer.h"
#include "triallist.h"
#include "uitest.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Answers the unsaved-changes question with 取消 and counts how often it came.
struct CancelledPrompt : QObject {
    int asked = 0;

    CancelledPrompt() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == u"unsavedChanges"_s) {
            ++asked;
            QPushButton* cancel = static_cast<QMessageBox*>(watched)->findChild<QPushButton*>(
                u"cancel"_s);
            QMetaObject::invokeMethod(cancel, &QPushButton::click, Qt::QueuedConnection);
        }
        return false;
    }
};

constexpr std::size_t section = 0;
constexpr std::size_t bracket = 1;

} // namespace

class TestUnsavedMark : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup() { m_frame.reset(); }

    void askedAfterEverySwitch_data();
    void askedAfterEverySwitch();

private:
    CalculatorWindow* window(std::size_t index) const
    {
        return m_frame->calculatorWindow(index == section ? "section" : "bracket");
    }
    void show(std::size_t index) const
    {
        m_frame->findChild<QAction*>(index == section ? u"menuG"_s : u"menuGN"_s)->trigger();
    }
    // Double-clicks a row of a calculator's trials, as a user restores it.
    void restoreTrial(std::size_t index, int row) const
    {
        m_frame->findChild<QAction*>(u"menuTrials"_s)->trigger();
        TrialList* trials = m_frame->trialList();
        trials->showCalculator(index);
        QTableWidget* table = trials->table(index);
        const QPoint cell = table->visualRect(table->model()->index(row, 1)).center();
        // A double click as the view sees one: a click, then the second press.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
        trials->close();
    }
    void confirm(std::size_t index) const
    {
        const QString id = index == section ? u"section"_s : u"bracket"_s;
        QTest::mouseClick(
            window(index)->findChild<QPushButton*>(confirmButton(id)), Qt::LeftButton);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MDIForm1> m_frame;
};

void TestUnsavedMark::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_frame = std::make_unique<MDIForm1>();
    m_frame->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    // Both calculators shown once and calculated twice, then saved: a
    // design with a file, trials to restore and nothing unsaved.
    for (const std::size_t index : { bracket, section }) {
        show(index);
        confirm(index);
        QLineEdit* first = window(index)->findChild<QLineEdit*>(u"Text1"_s);
        const QString typed = first->text();
        first->setText(u"321"_s);
        confirm(index);
        first->setText(typed);
        confirm(index);
    }
    QVERIFY(m_frame->saveDesign(m_dir->filePath(u"design.stelvana"_s)));
    QVERIFY(!m_frame->hasUnsavedChanges());
}

void TestUnsavedMark::askedAfterEverySwitch_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("switchBy");
    QTest::addColumn<QString>("leaveBy");
    for (const char* change : { "typing", "calculation", "trial restored", "采用", "title block" })
        for (const char* switchBy : { "keys", "menu", "trial list" })
            for (const char* leaveBy : { "退出", "close box", "Alt+F4", "新建", "打开" })
                QTest::addRow("%s, %s, %s", change, switchBy, leaveBy)
                    << QString::fromUtf8(change) << QString::fromUtf8(switchBy)
                    << QString::fromUtf8(leaveBy);
}

void TestUnsavedMark::askedAfterEverySwitch()
{
    QFETCH(QString, change);
    QFETCH(QString, switchBy);
    QFETCH(QString, leaveBy);

    // The change is made in the calculator in front, the other is then shown.
    const std::size_t changed = change == u"采用"_s ? bracket : section;
    const std::size_t other = changed == section ? bracket : section;
    show(changed);
    if (change == u"typing"_s) {
        QLineEdit* field = window(changed)->findChild<QLineEdit*>(u"Text2"_s);
        field->setFocus();
        QTest::keyClicks(field, u"5"_s);
    } else if (change == u"calculation"_s) {
        window(changed)->findChild<QLineEdit*>(u"Text2"_s)->setText(u"444"_s);
        QVERIFY(m_frame->saveDesign(m_frame->designPath()));
        confirm(changed);
    } else if (change == u"trial restored"_s) {
        restoreTrial(changed, 1); // Text1 321
    } else if (change == u"采用"_s) {
        m_frame->findChild<QAction*>(u"menuOptimize"_s)->trigger();
        Optimizer* optimizer = m_frame->optimizer();
        for (const auto& [name, text] : { std::pair { u"bf1_3"_s, u"50"_s },
                 { u"bf2_3"_s, u"50"_s }, { u"t1"_s, u"10 12"_s }, { u"t2"_s, u"10 12"_s } })
            optimizer->findChild<QLineEdit*>(name)->setText(text);
        QTest::mouseClick(optimizer->findChild<QPushButton*>(u"startButton"_s), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!optimizer->searching(), 20000);
        optimizer->applyCandidate(0);
        optimizer->close();
    } else {
        TitleBlock block = window(changed)->titleBlock();
        block.projectName = u"某厂房"_s;
        window(changed)->setTitleBlock(block);
    }
    QVERIFY(m_frame->hasUnsavedChanges());

    if (switchBy == u"keys"_s) {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTest::keyClick(m_frame.get(), Qt::Key(Qt::Key_1 + other), Qt::ControlModifier);
    } else if (switchBy == u"menu"_s) {
        show(other);
    } else {
        restoreTrial(other, 2); // the inputs it shows
    }
    QTRY_VERIFY(window(other)->isVisible());
    QVERIFY(!window(changed)->isVisible());
    QVERIFY(m_frame->isWindowModified());

    CancelledPrompt prompt;
    if (leaveBy == u"退出"_s)
        m_frame->findChild<QAction*>(u"menuExit"_s)->trigger();
    else if (leaveBy == u"close box"_s)
        QVERIFY(!m_frame->close());
    else if (leaveBy == u"Alt+F4"_s) // what a window manager sends for it
        QVERIFY(!m_frame->windowHandle()->close());
    else if (leaveBy == u"新建"_s)
        m_frame->findChild<QAction*>(u"menuNew"_s)->trigger();
    else
        m_frame->findChild<QAction*>(u"menuOpen"_s)->trigger();
    QCOMPARE(prompt.asked, 1);
    QVERIFY(m_frame->isVisible());
    QVERIFY(m_frame->hasUnsavedChanges());
}

QTEST_MAIN(TestUnsavedMark)
#include "tst_unsavedmark.moc"
