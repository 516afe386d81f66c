// 截面优选 in the frame: opened by its command, it searches the bracket
// window's load; 采用 brings the window to the front and puts each candidate
// in it with every verdict met; a space without a passing section names the
// row failed most often; 取消 and closing stop at once; Enter searches from
// anywhere in the dialog.

#include "bracketfields.h"
#include "bracketsearch.h"
#include "bracketverdicts.h"
#include "calculatorwindow.h"
#include "mdiform1.h"
#include "optimizer.h"
#include "searchspace.h"
#include "sectionchecks.h"
#include "sectionsearch.h"
#include "uitest.h"
#include "verdictwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestOptimizer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup() { m_frame.reset(); }

    void appliedCandidatesPass_data();
    void appliedCandidatesPass();
    void cancelStopsAtOnce_data();
    void cancelStopsAtOnce();
    void changedLoadIsNotApplied();
    void detailingOptions();
    void enterThenSpace_data();
    void enterThenSpace();
    void sectionCandidatesApplied_data();
    void sectionCandidatesApplied();

private:
    CalculatorWindow* bracket() const { return m_frame->calculatorWindow("bracket"); }
    void set(QWidget* in, const QString& name, const QString& text)
    {
        QLineEdit* edit = in->findChild<QLineEdit*>(name);
        QVERIFY2(edit, qPrintable(name));
        edit->setText(text);
    }
    QString status() const
    {
        return m_frame->optimizer()->findChild<QLabel*>(u"searchStatus"_s)->text();
    }
    void search()
    {
        QTest::mouseClick(
            m_frame->optimizer()->findChild<QPushButton*>(u"startButton"_s), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!m_frame->optimizer()->searching(), 20000);
    }

    std::unique_ptr<MDIForm1> m_frame;
};

void TestOptimizer::init()
{
    m_frame = std::make_unique<MDIForm1>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    // Ctrl+F, with the bracket window not yet shown.
    QTest::keyClick(m_frame.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(m_frame->optimizer());
    QTRY_VERIFY(m_frame->optimizer()->isVisible());
    QVERIFY(bracket()->isVisible());
    QCOMPARE(m_frame->findChild<QAction*>(u"menuOptimize"_s)->text(), u"截面优选…"_s);
}

void TestOptimizer::appliedCandidatesPass_data()
{
    QTest::addColumn<QString>("F");
    QTest::addColumn<QString>("e");
    QTest::addColumn<QString>("hw"); // the window's; the range is the window's alone
    QTest::addColumn<QStringList>("lists"); // t1, t2, ts, hf
    QTest::addColumn<int>("sections"); // in the space, each once
    QTest::addColumn<QString>("noneBecause"); // the row failed most often, or empty
    QTest::addColumn<QStringList>("toggled"); // options clicked from their defaults

    // 3777 of the 8100 keep t ≥ ts; 183 of those have equal flanges.
    const QStringList off { u"flangesAtLeastWeb"_s, u"tensionOutstand"_s };
    QTest::newRow("window's load")
        << "400"
        << ".45"
        << "500" << QStringList { "8 10 12 14 16", "8 10 12 14 16", "8 10 12", "6 8 10" } << 3777
        << "" << QStringList {};
    QTest::newRow("window's load, options off")
        << "400"
        << ".45"
        << "500" << QStringList { "8 10 12 14 16", "8 10 12 14 16", "8 10 12", "6 8 10" } << 8100
        << "" << off;
    QTest::newRow("equal flanges")
        << "400"
        << ".45"
        << "500" << QStringList { "8 10 12 14 16", "8 10 12 14 16", "8 10 12", "6 8 10" } << 183
        << "" << QStringList { u"symmetric"_s };
    QTest::newRow("plates written twice")
        << "400"
        << ".45"
        << "500"
        << QStringList { "8 8 10 12 14 16 16", "8, 10, 12, 14, 16, ８, 8.0", "8 10 12 12",
               "6 8 10 6" }
        << 3777 << "" << QStringList {};
    QTest::newRow("short heavy load")
        << "1050"
        << "0.08"
        << "600" << QStringList { "8 12 16", "8 12 16 20", "14 16 18 20", "8 10 12 14" } << 6912
        << "" << off;
    QTest::newRow("too heavy") << "3000"
                               << "0.45"
                               << "500" << QStringList { "8 10", "8 10", "8 10", "6 8" } << 576
                               << "下翼缘外边的正应力" << off;
}

void TestOptimizer::appliedCandidatesPass()
{
    QFETCH(QString, F);
    QFETCH(QString, e);
    QFETCH(QString, hw);
    QFETCH(QStringList, lists);
    QFETCH(int, sections);
    QFETCH(QString, noneBecause);
    QFETCH(QStringList, toggled);

    Optimizer* optimizer = m_frame->optimizer();
    set(bracket(), u"Text7"_s, F);
    set(bracket(), u"Text8"_s, e);
    set(bracket(), u"Text6"_s, hw);
    // A bearing stiffener for the heaviest load here.
    set(bracket(), u"Text34"_s, u"140"_s);
    set(bracket(), u"Text35"_s, u"16"_s);
    // The window's hw becomes the range's when the command is chosen again.
    m_frame->findChild<QAction*>(u"menuOptimize"_s)->trigger();
    QCOMPARE(optimizer->findChild<QLineEdit*>(u"hw_1"_s)->text(), hw);
    QCOMPARE(optimizer->findChild<QLineEdit*>(u"hw_2"_s)->text(), hw);
    set(optimizer, u"bf1_1"_s, u"150"_s);
    set(optimizer, u"bf1_3"_s, u"50"_s);
    set(optimizer, u"bf2_3"_s, u"50"_s);
    const QStringList names { u"t1"_s, u"t2"_s, u"ts"_s, u"hf"_s };
    for (int n = 0; n < names.size(); ++n)
        set(optimizer, names[n], lists[n]);
    for (const QString& option : toggled)
        optimizer->findChild<QCheckBox*>(option)->click();
    const auto on = [&](const char* option) {
        return optimizer->findChild<QCheckBox*>(QString::fromLatin1(option))->isChecked();
    };
    QCOMPARE(
        optimizer->findChild<QLabel*>(u"spaceSize"_s)->text(), u"共 %1 个截面。"_s.arg(sections));
    search();
    QCOMPARE(optimizer->lastSearch().candidates, std::size_t(sections));

    QTableWidget* table = optimizer->candidateTable();
    if (!noneBecause.isEmpty()) {
        QCOMPARE(table->rowCount(), 0);
        QVERIFY2(status().contains(u'“' + noneBecause + u'”'), qPrintable(status()));
        return;
    }
    QCOMPARE(table->rowCount(), 10);
    const std::size_t checks = bracketDesignChecks().size();
    QMdiArea* area = m_frame->findChild<QMdiArea*>();
    QSet<QString> shown; // each section once
    for (int row = 0; row < table->rowCount(); ++row) {
        const BracketCandidate& candidate = optimizer->lastSearch().best[std::size_t(row)];
        QCOMPARE(table->item(row, 7)->text(), QString::fromStdString(candidate.areaText));
        QStringList sizes;
        for (int column = 0; column < 7; ++column)
            sizes << table->item(row, column)->text();
        shown << sizes.join(u' ');
        // What the options keep (Q235: 15εk = 15).
        const auto& [bf1, bf2, t1, t2, ts, hw, hf] = candidate.values;
        QVERIFY(!on("flangesAtLeastWeb") || (t1 >= ts && t2 >= ts));
        QVERIFY(!on("tensionOutstand") || std::max((bf1 - ts) / t1, (bf2 - ts) / t2) <= 30);
        QVERIFY(!on("symmetric") || (bf1 == bf2 && t1 == t2));
        // The I-section in front: 采用 brings the bracket window back first.
        if (row % 3 == 0) {
            m_frame->findChild<QAction*>(u"menuG"_s)->trigger();
            QVERIFY(!bracket()->isVisible());
        }
        if (row % 2)
            optimizer->applyCandidate(row);
        else {
            const QPoint cell = table->visualRect(table->model()->index(row, 0)).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
        }
        QVERIFY(bracket()->isVisible());
        QCOMPARE(area->activeSubWindow(), bracket());
        QVERIFY(!m_frame->calculatorWindow("section")->isVisible());
        for (std::size_t n = 0; n < searchedSizes.size(); ++n)
            QCOMPARE(
                bracket()->findChild<QLineEdit*>(QString::fromLatin1(searchedSizes[n]))->text(),
                table->item(row, int(n))->text());
        QCOMPARE(
            bracket()->findChild<QLineEdit*>(u"Text15"_s)->text(), table->item(row, 7)->text());
        QWidget* verdicts = bracket()->verdictWindow();
        QVERIFY(verdicts);
        // An S5 compression flange passes on its effective section; the web
        // under the load is the stiffener's, the column is stiffened.
        for (std::size_t check = 0; check < checks; ++check) {
            const QString said = verdicts->findChild<QLabel*>(u"Label%1"_s.arg(check + 7))->text();
            QVERIFY2(said == u"满足要求"_s || (check == 7 && said == u"按有效截面"_s)
                    || (check == 11 && said == u"不适用"_s)
                    || ((check == 18 || check == 19) && said == u"设水平加劲肋"_s),
                qPrintable(said));
        }
    }
    QCOMPARE(shown.size(), 10);
    // Each click is a trial.
    QCOMPARE(m_frame->trials("bracket").size(), 10);
}

void TestOptimizer::cancelStopsAtOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("取消") << "cancelButton";
    // Closing stops the search too, and takes the dialog with it.
    QTest::newRow("关闭") << "closeButton";
    QTest::newRow("Esc") << "";
    QTest::newRow("close box") << "close";
}

void TestOptimizer::cancelStopsAtOnce()
{
    QFETCH(QString, how);

    QPointer<Optimizer> optimizer = m_frame->optimizer();
    set(bracket(), u"Text7"_s, u"1050"_s);
    set(bracket(), u"Text8"_s, u"0.08"_s);
    set(optimizer, u"hw_1"_s, u"350"_s);
    set(optimizer, u"hw_2"_s, u"650"_s);
    set(optimizer, u"hw_3"_s, u"100"_s);
    QTest::mouseClick(optimizer->findChild<QPushButton*>(u"startButton"_s), Qt::LeftButton);
    QVERIFY(optimizer->searching());
    QTest::qWait(30);
    QElapsedTimer clock;
    clock.start();
    if (how == u"close")
        optimizer->close();
    else if (how.isEmpty())
        QTest::keyClick(optimizer, Qt::Key_Escape);
    else
        QTest::mouseClick(optimizer->findChild<QPushButton*>(how), Qt::LeftButton);
    QVERIFY(!optimizer || !optimizer->searching());
    QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
    if (how != u"cancelButton") {
        QTRY_VERIFY(!optimizer && !m_frame->optimizer());
        // Opened again, it starts clean: hw the window's again.
        m_frame->findChild<QAction*>(u"menuOptimize"_s)->trigger();
        optimizer = m_frame->optimizer();
        QVERIFY(optimizer && optimizer->isVisible() && !optimizer->searching());
        QCOMPARE(optimizer->findChild<QLineEdit*>(u"hw_2"_s)->text(), u"500"_s);
    }
    QCOMPARE(status(), how == u"cancelButton" ? u"已取消。"_s : QString());
    QVERIFY(optimizer->findChild<QPushButton*>(u"startButton"_s)->isEnabled());
    QCOMPARE(optimizer->candidateTable()->rowCount(), 0);
}

void TestOptimizer::changedLoadIsNotApplied()
{
    Optimizer* optimizer = m_frame->optimizer();
    set(optimizer, u"bf1_3"_s, u"50"_s);
    set(optimizer, u"bf2_3"_s, u"50"_s);
    set(optimizer, u"t1"_s, u"10 12 14"_s);
    set(optimizer, u"t2"_s, u"10 12 14"_s);
    search();
    QCOMPARE(optimizer->candidateTable()->rowCount(), 10);
    set(bracket(), u"Text7"_s, u"450"_s);
    const QString before = bracket()->findChild<QLineEdit*>(u"Text1"_s)->text();
    optimizer->applyCandidate(3);
    QCOMPARE(bracket()->findChild<QLineEdit*>(u"Text1"_s)->text(), before);
    QVERIFY2(status().contains(u"请重新优选"_s), qPrintable(status()));
    QCOMPARE(m_frame->trials("bracket").size(), 0);

    // With the I-section in front and nobody to bring the bracket window
    // back, 采用 writes nothing into the hidden window.
    set(bracket(), u"Text7"_s, u"400"_s);
    m_frame->findChild<QAction*>(u"menuG"_s)->trigger();
    QObject::disconnect(optimizer, &Optimizer::calculatorWindowWanted, m_frame.get(), nullptr);
    optimizer->applyCandidate(3);
    QCOMPARE(bracket()->findChild<QLineEdit*>(u"Text1"_s)->text(), before);
    QVERIFY2(status().contains(u"钢牛腿窗口没有显示"_s), qPrintable(status()));

    // A load that is no number is named before anything is searched.
    set(bracket(), u"Text7"_s, u"四百"_s);
    search();
    QVERIFY2(status().contains(u"“四百”不是有效的数字"_s), qPrintable(status()));
}

// Each option a checkbox read by its caption, in the tab order after the
// sizes; 共 N 个截面 and the search follow it, and a search holds it.
void TestOptimizer::detailingOptions()
{
    Optimizer* optimizer = m_frame->optimizer();
    const QList<std::tuple<QString, QString, bool>> options {
        { u"flangesAtLeastWeb"_s, u"翼缘不薄于腹板"_s, true },
        { u"tensionOutstand"_s, u"受拉翼缘宽厚比同受压翼缘"_s, true },
        { u"symmetric"_s, u"对称截面"_s, false },
    };
    QWidget* before = optimizer->findChild<QLineEdit*>(u"hf"_s);
    for (const auto& [name, caption, checked] : options) {
        auto* box = optimizer->findChild<QCheckBox*>(name);
        QVERIFY2(box, qPrintable(name));
        QCOMPARE(box->text(), caption);
        QCOMPARE(box->isChecked(), checked);
        QVERIFY(box->focusPolicy() & Qt::TabFocus);
        QWidget* next = before->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, box);
        before = box;
    }
    // bf 150 and 160, plates of 10 on a web of 10: two sections of four equal.
    QLabel* size = optimizer->findChild<QLabel*>(u"spaceSize"_s);
    set(optimizer, u"bf1_2"_s, u"160"_s);
    set(optimizer, u"bf2_2"_s, u"160"_s);
    for (const QString& list : { u"t1"_s, u"t2"_s, u"ts"_s, u"hf"_s })
        set(optimizer, list, u"10"_s);
    QCOMPARE(size->text(), u"共 4 个截面。"_s);
    auto* symmetric = optimizer->findChild<QCheckBox*>(u"symmetric"_s);
    symmetric->setFocus();
    QTest::keyClick(symmetric, Qt::Key_Space);
    QVERIFY(symmetric->isChecked());
    QCOMPARE(size->text(), u"共 2 个截面。"_s);
    search();
    QCOMPARE(optimizer->lastSearch().candidates, std::size_t(2));
    for (const BracketCandidate& candidate : optimizer->lastSearch().best)
        QCOMPARE(candidate.sizes[0], candidate.sizes[1]);
    // Flanges of 10 on a web of 12 are left out: nothing to search.
    set(optimizer, u"ts"_s, u"12"_s);
    QVERIFY2(size->text().startsWith(u"共 0 个截面"_s), qPrintable(size->text()));
    QVERIFY(!optimizer->findChild<QPushButton*>(u"startButton"_s)->isEnabled());
}

void TestOptimizer::enterThenSpace_data()
{
    QTest::addColumn<QString>("focus"); // where Enter is pressed
    QTest::addColumn<QString>("grade"); // the bracket window's
    QTest::addColumn<QString>("refused"); // how the status starts; empty where it searches

    const QString known = u"Q235B"_s;
    QTest::newRow("a size") << u"t1"_s << known << QString();
    QTest::newRow("开始优选") << u"startButton"_s << known << QString();
    QTest::newRow("关闭") << u"closeButton"_s << known << QString();
    QTest::newRow("the table") << u"candidateTable"_s << known << QString();
    // Named before searching, rather than blaming b′/t in every section.
    QTest::newRow("unknown grade")
        << u"t1"_s << u"Q999"_s << u"钢牛腿窗口：钢材牌号“Q999”无法识别（应为"_s;
    QTest::newRow("no grade") << u"closeButton"_s << QString()
                              << u"钢牛腿窗口：没有填写钢材牌号（应为"_s;
}

void TestOptimizer::enterThenSpace()
{
    QFETCH(QString, focus);
    QFETCH(QString, grade);
    QFETCH(QString, refused);

    QPointer<Optimizer> optimizer = m_frame->optimizer();
    bracket()->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(grade);
    set(optimizer, u"bf1_3"_s, u"50"_s);
    set(optimizer, u"bf2_3"_s, u"50"_s);
    optimizer->findChild<QWidget*>(focus)->setFocus();
    QTest::keyClick(optimizer->focusWidget(), Qt::Key_Return);
    QCOMPARE(optimizer->searching(), refused.isEmpty());
    QTest::keyClick(optimizer->focusWidget(), Qt::Key_Space);
    QVERIFY(optimizer && optimizer->isVisible());
    QVERIFY(optimizer->findChild<QPushButton*>(u"startButton"_s)->isDefault());
    QTRY_VERIFY_WITH_TIMEOUT(!optimizer->searching(), 20000);
    QVERIFY2(status().startsWith(refused), qPrintable(status()));
    QVERIFY(
        optimizer->findChild<QLabel*>(u"loadLabel"_s)->text().endsWith(u"，"_s + grade + u"。"_s));
    QCOMPARE(optimizer->candidateTable()->rowCount(), refused.isEmpty() ? 10 : 0);
}

void TestOptimizer::sectionCandidatesApplied_data()
{
    QTest::addColumn<QStringList>("window"); // control=text typed into the I-section window
    QTest::addColumn<QStringList>("space"); // B from, to, step; H from, to, step; tw; t
    QTest::addColumn<int>("sections");
    QTest::addColumn<QString>("noneBecause"); // the row failed most often, or empty

    QTest::newRow("6 m Q345 column")
        << QStringList { u"Text12=1500"_s, u"Text13=300"_s, u"Text16=6000"_s, u"Combo1=Q345B"_s }
        << QStringList { u"400"_s, u"500"_s, u"10"_s, u"450"_s, u"650"_s, u"10"_s, u"6, 8"_s,
               u"16, 18, 20"_s }
        << 1386 << QString();
    // In tension the compression rows are 不适用; slender webs pass on their effective section.
    QTest::newRow("tension, braced, flame-cut")
        << QStringList { u"Text12=-800"_s, u"Text13=200"_s, u"Text16=6000"_s, u"Text24=1"_s,
               u"Combo2=焰切边"_s }
        << QStringList { u"150"_s, u"300"_s, u"50"_s, u"300"_s, u"900"_s, u"100"_s, u"6, 8, 10"_s,
               u"8, 10, 12, 16"_s }
        << 336 << QString();
    QTest::newRow("too heavy")
        << QStringList { u"Text12=1500"_s, u"Text13=300"_s, u"Text16=6000"_s }
        << QStringList { u"150"_s, u"200"_s, u"50"_s, u"300"_s, u"400"_s, u"100"_s, u"6"_s,
               u"8"_s }
        << 4 << u"强度"_s;
}

// 截面优选 with the I-section in front searches its window; 采用 writes each
// candidate into it, with the bracket brought forward between, and every
// row is met.
void TestOptimizer::sectionCandidatesApplied()
{
    QFETCH(QStringList, window);
    QFETCH(QStringList, space);
    QFETCH(int, sections);
    QFETCH(QString, noneBecause);

    QPointer<Optimizer> bracketDialog = m_frame->optimizer();
    m_frame->findChild<QAction*>(u"menuG"_s)->trigger();
    CalculatorWindow* section = m_frame->calculatorWindow("section");
    QVERIFY(section->isVisible());
    for (const QString& typed : window) {
        const QString control = typed.section(u'=', 0, 0), text = typed.section(u'=', 1);
        if (auto* combo = section->findChild<QComboBox*>(control))
            combo->setCurrentText(text);
        else
            set(section, control, text);
    }
    m_frame->findChild<QAction*>(u"menuOptimize"_s)->trigger();
    Optimizer* optimizer = m_frame->optimizer();
    QVERIFY(optimizer && optimizer != bracketDialog);
    QTRY_VERIFY(!bracketDialog);
    QCOMPARE(optimizer->calculatorId(), "section");
    QVERIFY(!optimizer->findChild<QLineEdit*>(u"hf"_s));
    const QStringList fields { u"B_1"_s, u"B_2"_s, u"B_3"_s, u"H_1"_s, u"H_2"_s, u"H_3"_s,
        u"tw"_s, u"t"_s };
    for (int n = 0; n < fields.size(); ++n)
        set(optimizer, fields[n], space[n]);
    QCOMPARE(
        optimizer->findChild<QLabel*>(u"spaceSize"_s)->text(), u"共 %1 个截面。"_s.arg(sections));
    search();
    const SectionSearch& found = optimizer->lastSectionSearch();
    QCOMPARE(found.candidates, std::size_t(sections));
    QTableWidget* table = optimizer->candidateTable();
    if (!noneBecause.isEmpty()) {
        QCOMPARE(table->rowCount(), 0);
        QVERIFY2(status().contains(u'“' + noneBecause + u'”'), qPrintable(status()));
        return;
    }
    QCOMPARE(table->rowCount(), 10);
    for (int row = 0; row < table->rowCount(); ++row) {
        const SectionCandidate& candidate = found.best[std::size_t(row)];
        QCOMPARE(table->item(row, 4)->text(), QString::fromStdString(candidate.areaText));
        if (row % 3 == 0) {
            m_frame->findChild<QAction*>(u"menuGN"_s)->trigger();
            QVERIFY(!section->isVisible());
        }
        optimizer->applyCandidate(row);
        QVERIFY(section->isVisible());
        for (std::size_t n = 0; n < sectionSearchedSizes.size(); ++n)
            QCOMPARE(section->findChild<QLineEdit*>(QString::fromLatin1(sectionSearchedSizes[n]))
                         ->text(),
                table->item(row, int(n))->text());
        QCOMPARE(section->findChild<QLineEdit*>(u"Text5"_s)->text(), table->item(row, 4)->text());
        QCOMPARE(section->findChild<QLineEdit*>(u"Text21"_s)->text(), table->item(row, 5)->text());
        QWidget* verdicts = section->verdictWindow();
        QVERIFY(verdicts);
        for (std::size_t check = 0; check < sectionChecks().size(); ++check) {
            const QString said
                = verdicts->findChild<QLabel*>(u"Check%1"_s.arg(check + 1))->text();
            QVERIFY2(said == u"满足要求"_s || said == u"需按有效截面"_s || said == u"不适用"_s,
                qPrintable(said));
        }
    }
    QCOMPARE(m_frame->trials("section").size(), 10);
}

QTEST_MAIN(TestOptimizer)
#include "tst_optimizer.moc"
