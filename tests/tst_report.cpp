// The calculation sheet: from the 计算书 command through the sheet's rows,
// verdicts and pages to PDF export and the clipboard; the refusals when the
// fields do not hold a complete calculation of the inputs shown.

#include "bracketcalculation.h"
#include "calculatorwindow.h"
#include "fieldbinding.h"
#include "fieldpairs.h"
#include "form1.h"
#include "mdiform1.h"
#include "reportwindow.h"
#include "sectioncalculation.h"
#include "sectionform.h"
#include "sheetpages.h"
#include "sheettext.h"
#include "uitest.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <bit>
#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QString askToCalculate = u"计算书|请先在计算窗口中点击“确定输入”完成计算。"_s;
const QString askToRecalculate = u"计算书|输入已修改或上次计算未完成，请先点击“确定输入”。"_s;

// The text of the cell holding a field's text on the sheet.
QString sheetText(const CalculationSheet& sheet, const QString& field)
{
    const SheetRow* row = sheet.rowOf(field);
    if (!row)
        return u"(no row)"_s;
    for (const SheetCell& cell : row->cells)
        if (cell.verbatim)
            return cell.text;
    return u"(no field text)"_s;
}

QStringList column(const CalculationSheet& sheet, const QString& heading, int index)
{
    QStringList cells;
    for (const SheetPart& part : sheet.parts)
        if (part.heading == heading)
            for (const SheetRow& row : part.table.rows)
                cells << row.cells.value(index).text;
    return cells;
}

QStringList notes(const CalculationSheet& sheet)
{
    QStringList texts;
    for (const SheetPart& part : sheet.parts)
        for (const SheetCell& note : part.notes)
            texts << note.text;
    return texts;
}

CalculationSheet bracketSheet(const QString& typed, QChar separator = u'.')
{
    FieldTexts texts
        = fieldPairs(u"Text1=200 Text2=200 Text3=12 Text4=12 Text5=10 Text6=500 Text7=400 "
                     "Text8=.45 Text12=10 Text9=E43 Text10=手工焊 Text11=三级 Combo1=Q235B"_s);
    texts = fieldPairs(typed, texts);
    if (separator != u'.')
        for (const QString& input : { u"Text8"_s })
            texts[input].replace(u'.', separator);
    (void)calculateBracket(texts, NumberFormat { separator });
    return buildSheet(
        { SheetKind::Bracket, texts, QDateTime(QDate(2026, 12, 8), QTime(10, 30)), separator });
}

quint64 bits(qreal value)
{
    return std::bit_cast<quint64>(double(value));
}

QString run(const QString& program, const QStringList& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return u"(%1 is missing: install poppler-utils)"_s.arg(program);
    QProcess process;
    process.start(found, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void commandOnTheMenu();
    void sheetHoldsEveryFieldText_data();
    void sheetHoldsEveryFieldText();
    void refusals_data();
    void refusals();
    void oneWindowRefreshedWithTheVisibleCalculation();

    void verdicts_data();
    void verdicts();
    void formulas_data();
    void formulas();
    void plainTextKeepsItsColumns();
    void figuresStayWholeAndTheTableOnThePage();
    void pagesBreakBetweenRows_data();
    void pagesBreakBetweenRows();

    void exportWritesThePdf_data();
    void exportWritesThePdf();
    void exportFailureLeavesNoFile_data();
    void exportFailureLeavesNoFile();
    void copyPutsHtmlAndText();

private:
    void trigger(const QString& action) { m_frame->findChild<QAction*>(action)->trigger(); }
    CalculatorWindow* shown() const;
    void act(const QString& step);
    ReportWindow* openSheet(const QString& menu, const QStringList& steps);

    std::unique_ptr<MDIForm1> m_frame;
    QTemporaryDir m_scratch;
};

void TestReport::init()
{
    m_frame = std::make_unique<MDIForm1>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestReport::cleanup()
{
    m_frame.reset();
    QVERIFY(!ReportWindow::existing()); // it goes with the frame
}

CalculatorWindow* TestReport::shown() const
{
    for (CalculatorWindow* window : m_frame->findChildren<CalculatorWindow*>())
        if (window->isVisible())
            return window;
    return nullptr;
}

// "confirm", "Text1=401" (set), "Combo1+=5" (typed key by key).
void TestReport::act(const QString& step)
{
    CalculatorWindow* window = shown();
    QVERIFY(window);
    if (step == u"confirm"_s) {
        const QString button = qobject_cast<SectionForm*>(window) ? u"Command2"_s : u"Command1"_s;
        QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
        return;
    }
    const bool typed = step.contains(u"+="_s);
    const QString name = step.section(typed ? u"+="_s : u"="_s, 0, 0);
    const QString text = step.section(typed ? u"+="_s : u"="_s, 1);
    if (auto* combo = window->findChild<QComboBox*>(name)) {
        if (typed)
            QTest::keyClicks(combo->lineEdit(), text);
        else
            combo->setCurrentText(text);
    } else if (auto* field = window->findChild<QLineEdit*>(name)) {
        if (typed)
            QTest::keyClicks(field, text);
        else
            field->setText(text);
    } else {
        QFAIL(qPrintable(u"no control "_s + name));
    }
}

ReportWindow* TestReport::openSheet(const QString& menu, const QStringList& steps)
{
    trigger(menu);
    for (const QString& step : steps)
        act(step);
    trigger(u"menuReport"_s);
    ReportWindow* window = ReportWindow::existing();
    return window && window->isVisible() ? window : nullptr;
}

void TestReport::commandOnTheMenu()
{
    auto* action = m_frame->findChild<QAction*>(u"menuReport"_s);
    QVERIFY(action);
    QCOMPARE(action->text(), u"计算书"_s);
    QCOMPARE(action->shortcut(), QKeySequence(QKeySequence::Print));

    // Ctrl+P on the frame makes the sheet of the calculator shown.
    ModalBoxCatcher boxes;
    trigger(u"menuGN"_s);
    act(u"confirm"_s);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    QTest::keySequence(m_frame.get(), QKeySequence::Print);
    QTRY_VERIFY(ReportWindow::existing() && ReportWindow::existing()->isVisible());
    ReportWindow* window = ReportWindow::existing();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(window->objectName(), u"ReportWindow"_s);
    QCOMPARE(window->windowTitle(), u"计算书"_s);
    QVERIFY(window->isWindow());
    QVERIFY(!window->isModal());
    QVERIFY(window->browser()->isReadOnly());
    QStringList buttons;
    for (const QString& name :
        { u"PrintButton"_s, u"ExportButton"_s, u"CopyButton"_s, u"CloseButton"_s })
        buttons << window->findChild<QPushButton*>(name)->text();
    QCOMPARE(buttons, (QStringList { u"打印…"_s, u"导出PDF…"_s, u"复制"_s, u"关闭"_s }));
    const QFileInfo suggested(window->suggestedPdfPath());
    QVERIFY(suggested.dir().exists());
    QCOMPARE(suggested.fileName(),
        u"钢牛腿强度计算书-%1.pdf"_s.arg(shown()->calculationTime().toString(u"yyyyMMdd-HHmm"_s)));
    QCOMPARE(captionsWithMissingGlyphs(window), QStringList());
    QCOMPARE(missingGlyphs(window->browser()->toPlainText(), sheetFont()), QString());
}

void TestReport::sheetHoldsEveryFieldText_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("headings");

    const QStringList two { u"一、计算条件"_s, u"二、计算过程及结果"_s };
    const QStringList three = two + QStringList { u"三、验算结论"_s };
    QTest::newRow("I-section defaults")
        << u"menuG"_s << QStringList { u"confirm"_s } << u"工字型截面性质计算书"_s << two;
    QTest::newRow("bracket defaults")
        << u"menuGN"_s << QStringList { u"confirm"_s } << u"钢牛腿强度计算书"_s << three;
    QTest::newRow("bracket F 1000") << u"menuGN"_s << QStringList { u"Text7=1000"_s, u"confirm"_s }
                                    << u"钢牛腿强度计算书"_s << three;
    // As typed: blanks, an exponent, a grade of the user's own.
    QTest::newRow("inputs as typed")
        << u"menuGN"_s
        << QStringList { u"Text1= 200 "_s, u"Text7=4e2"_s, u"Combo1=Q345 <B>&"_s, u"confirm"_s }
        << u"钢牛腿强度计算书"_s << three;
}

void TestReport::sheetHoldsEveryFieldText()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(QStringList, headings);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(menu, steps);
    QVERIFY(window);
    QCOMPARE(boxes.texts(), QStringList());
    const CalculationSheet& sheet = window->sheet();
    CalculatorWindow* calculator = shown();
    QCOMPARE(sheet.title, title);
    QStringList partHeadings;
    for (const SheetPart& part : sheet.parts)
        partHeadings << part.heading;
    QCOMPARE(partHeadings, headings);
    QCOMPARE(sheet.calculatedAt, calculator->calculationTime().toString(u"yyyy-MM-dd HH:mm:ss"_s));
    QVERIFY(sheet.program.startsWith(u"Stelvana "_s));

    // Every field and the steel grade, character for character, in the
    // preview and in the text for the clipboard, under the window's caption.
    FieldTexts shownTexts = readFieldTexts(calculator);
    for (const QComboBox* combo : calculator->findChildren<QComboBox*>())
        if (!combo->objectName().isEmpty())
            shownTexts.insert(combo->objectName(), combo->currentText());
    const QString preview = window->browser()->toPlainText();
    const QString plain = sheetPlainText(sheet);
    for (auto it = shownTexts.cbegin(); it != shownTexts.cend(); ++it) {
        const QString where = it.key() + u'=' + it.value();
        QCOMPARE(it.key() + u'=' + sheetText(sheet, it.key()), where);
        QVERIFY2(preview.contains(it.value()), qPrintable(where));
        QVERIFY2(plain.contains(u'\t' + it.value() + u'\t'), qPrintable(where));

        const QWidget* control = calculator->findChild<QWidget*>(it.key());
        const QString item = sheet.rowOf(it.key())->cells.front().text;
        // The sheet spells 弯矩 right where the window's caption has 弯炬.
        QString caption = control->accessibleName().remove(u' ');
        caption.replace(u"弯炬"_s, u"弯矩"_s);
        QVERIFY2(caption.startsWith(QString(item).remove(u' ')) || caption.startsWith(u"角焊缝"_s),
            qPrintable(where + u": "_s + item + u" / "_s + caption));
    }
}

void TestReport::refusals_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("boxes");

    const QString faultBox = u"计算错误|"_s;
    QTest::newRow("no calculator shown")
        << QString() << QStringList() << QStringList { askToCalculate };
    QTest::newRow("I-section not calculated")
        << u"menuG"_s << QStringList() << QStringList { askToCalculate };
    QTest::newRow("bracket not calculated")
        << u"menuGN"_s << QStringList() << QStringList { askToCalculate };
    QTest::newRow("I-section input set afterwards")
        << u"menuG"_s << QStringList { u"confirm"_s, u"Text1=401"_s }
        << QStringList { askToRecalculate };
    QTest::newRow("I-section input typed afterwards")
        << u"menuG"_s << QStringList { u"confirm"_s, u"Text16+=0"_s }
        << QStringList { askToRecalculate };
    QTest::newRow("bracket steel grade chosen afterwards")
        << u"menuGN"_s << QStringList { u"confirm"_s, u"Combo1=Q345"_s }
        << QStringList { askToRecalculate };
    QTest::newRow("bracket steel grade typed afterwards")
        << u"menuGN"_s << QStringList { u"confirm"_s, u"Combo1+=C"_s }
        << QStringList { askToRecalculate };
    QTest::newRow("bracket last click faulted")
        << u"menuGN"_s << QStringList { u"confirm"_s, u"Text12=0"_s, u"confirm"_s }
        << QStringList { faultBox, askToRecalculate };
    QTest::newRow("I-section first click faulted")
        << u"menuG"_s << QStringList { u"Text1=abc"_s, u"confirm"_s }
        << QStringList { faultBox, askToRecalculate };
    QTest::newRow("edited, then calculated again")
        << u"menuG"_s << QStringList { u"confirm"_s, u"Text1=401"_s, u"confirm"_s }
        << QStringList();
    QTest::newRow("faulted, then calculated again")
        << u"menuGN"_s << QStringList { u"Text12=0"_s, u"confirm"_s, u"Text12=8"_s, u"confirm"_s }
        << QStringList { faultBox };
}

void TestReport::refusals()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, boxes);

    ModalBoxCatcher caught;
    ReportWindow* window = nullptr;
    if (menu.isEmpty()) {
        trigger(u"menuReport"_s);
    } else {
        window = openSheet(menu, steps);
    }
    QStringList seen = caught.texts();
    for (QString& box : seen)
        if (box.startsWith(u"计算错误|"_s))
            box = u"计算错误|"_s;
    QCOMPARE(seen, boxes);
    const bool refused = !boxes.isEmpty() && boxes.back() != u"计算错误|"_s;
    QCOMPARE(!window, refused);
    if (window) { // the sheet of the inputs on screen
        FieldTexts set;
        for (const QString& step : steps)
            if (step.contains(u'=') && !step.contains(u"+="_s))
                set.insert(step.section(u'=', 0, 0), step.section(u'=', 1));
        for (auto it = set.cbegin(); it != set.cend(); ++it)
            QCOMPARE(sheetText(window->sheet(), it.key()), it.value());
    }
}

void TestReport::oneWindowRefreshedWithTheVisibleCalculation()
{
    ModalBoxCatcher boxes;
    ReportWindow* first = openSheet(u"menuG"_s, { u"confirm"_s });
    QVERIFY(first);
    QCOMPARE(first->sheet().title, u"工字型截面性质计算书"_s);

    ReportWindow* second = openSheet(u"menuGN"_s, { u"Text7=350"_s, u"confirm"_s });
    QCOMPARE(second, first);
    QCOMPARE(second->sheet().title, u"钢牛腿强度计算书"_s);
    QVERIFY(second->browser()->toPlainText().contains(u"钢牛腿强度计算书"_s));
    QCOMPARE(sheetText(second->sheet(), u"Text7"_s), u"350"_s);

    // Back to the I-section, which kept its calculation; then a new one.
    QCOMPARE(openSheet(u"menuG"_s, {})->sheet().title, u"工字型截面性质计算书"_s);
    ReportWindow* third = openSheet(u"menuG"_s, { u"Text16=6000"_s, u"confirm"_s });
    QCOMPARE(third, first);
    QCOMPARE(sheetText(third->sheet(), u"Text17"_s), u"12000.00"_s);
    QVERIFY(third->browser()->toPlainText().contains(u"12000.00"_s));
    QVERIFY(!third->browser()->toPlainText().contains(u"20000.00"_s));
    QCOMPARE(m_frame->findChildren<ReportWindow*>().size(), 1);
    QCOMPARE(boxes.texts(), QStringList());

    // 关闭 hides it; the next command shows it again.
    QTest::mouseClick(third->findChild<QPushButton*>(u"CloseButton"_s), Qt::LeftButton);
    QVERIFY(!third->isVisible());
    QCOMPARE(openSheet(u"menuG"_s, {}), third);
}

void TestReport::verdicts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("ratios");
    QTest::addColumn<QString>("met"); // + met, - not met
    QTest::addColumn<QString>("conclusion");

    QTest::newRow("defaults") << QString() << QChar(u'.') << u"0.53 0.41 0.63 0.80 0.69 0.37"_s
                              << u"++++++"_s << u"结论：全部满足要求"_s;
    QTest::newRow("F 1000") << u"Text7=1000"_s << QChar(u'.') << u"1.33 1.03 1.59 2.01 1.73 0.93"_s
                            << u"-----+"_s << u"结论：有 5 项不满足要求"_s;
    QTest::newRow("F 700, e 0.6") << u"Text7=700 Text8=0.6"_s << QChar(u'.')
                                  << u"1.24 0.72 1.32 1.88 1.61 0.65"_s << u"-+---+"_s
                                  << u"结论：有 4 项不满足要求"_s;
    // Compression is judged, and its ratio taken, by magnitude.
    QTest::newRow("F -400") << u"Text7=-400"_s << QChar(u'.') << u"0.53 0.41 0.63 0.80 0.69 0.37"_s
                            << u"++++++"_s << u"结论：全部满足要求"_s;
    QTest::newRow("comma separator")
        << QString() << QChar(u',') << u"0,53 0,41 0,63 0,80 0,69 0,37"_s << u"++++++"_s
        << u"结论：全部满足要求"_s;
}

void TestReport::verdicts()
{
    QFETCH(QString, typed);
    QFETCH(QChar, separator);
    QFETCH(QString, ratios);
    QFETCH(QString, met);
    QFETCH(QString, conclusion);

    const CalculationSheet sheet = bracketSheet(typed, separator);
    const QString part = u"三、验算结论"_s;
    QCOMPARE(column(sheet, part, 3).join(u' '), ratios);
    QStringList verdicts;
    for (const QChar c : met)
        verdicts << (c == u'+' ? u"满足要求"_s : u"不满足要求"_s);
    QCOMPARE(column(sheet, part, 4), verdicts);
    QCOMPARE(notes(sheet).value(notes(sheet).size() - 2), conclusion);
    // Stresses are the fields' texts; strengths the program's fixed values.
    for (const QString& field : { u"Text22"_s, u"Text28"_s, u"Text32"_s })
        QCOMPARE(column(sheet, part, 1).count(sheetText(sheet, field)) > 0, true);
    const QString f = separator == u'.' ? u"1.1 × 215 = 236.5"_s : u"1,1 × 215 = 236,5"_s;
    QCOMPARE(column(sheet, part, 2),
        (QStringList { u"215"_s, u"215"_s, f, u"185"_s, u"215"_s, u"160"_s }));

    // On the page a failed check and a conclusion with one are red, the rest not.
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet);
    int red = 0, black = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool isRed = fragment.charFormat().foreground().color() == QColor(255, 0, 0);
            if (fragment.text().contains(u"不满足要求"_s))
                red += isRed ? 1 : -100;
            else if (fragment.text() == u"满足要求"_s
                || fragment.text().contains(u"全部满足要求"_s))
                black += isRed ? -100 : 1;
        }
    const int failed = int(met.count(u'-'));
    QCOMPARE(red, failed > 0 ? failed + 1 : 0);
    QCOMPARE(black, failed > 0 ? 6 - failed : 7);
}

void TestReport::formulas_data()
{
    QTest::addColumn<bool>("bracket");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("formula"); // as plain text

    // Where the window's label has a slip, the sheet says what is computed.
    QTest::newRow("y takes t2 and t1")
        << true << u"Text16"_s
        << u"y = [ts × hw × 0.5 × (hw + t1) + bf2 × t2 × (hw + 0.5 × t1)] ÷ An"_s;
    QTest::newRow("τ1 named and over In·ts")
        << true << u"Text27"_s << u"τ1 = V × S1 × 10³ ÷ (In × ts)"_s;
    QTest::newRow("σ from kN·m") << true << u"Text22"_s << u"σ = M × 10⁶ ÷ Wn2"_s;
    QTest::newRow("W′n2") << true << u"Text24"_s << u"W′n2 = In ÷ (hw + 0.5 × t1 − y)"_s;
    QTest::newRow("equivalent stress") << true << u"Text28"_s << u"√(σ1² + 3 × τ1²)"_s;
    QTest::newRow("σp relieved by 1.05")
        << false << u"Text15"_s << u"σp = N × 10³ ÷ A + M × 10⁶ ÷ (1.05 × Wx)"_s;
    QTest::newRow("G") << false << u"Text21"_s << u"G = A × 7850 × 10⁻⁶"_s;
}

void TestReport::formulas()
{
    QFETCH(bool, bracket);
    QFETCH(QString, field);
    QFETCH(QString, formula);

    FieldTexts texts = fieldPairs(u"Text1=400 Text2=300 Text3=6 Text4=8 Text12=150 Text13=118 "
                                  "Text16=10000 Text20=1"_s);
    const CalculationSheet sheet
        = bracket ? bracketSheet({}) : buildSheet({ SheetKind::Section, texts, {}, u'.' });
    const QString plain = sheetPlainText(sheet);
    QVERIFY2(plain.contains(u'\t' + formula + u'\t' + sheetText(sheet, field) + u'\t'),
        qPrintable(plain));

    // Every result has its formula, in notation rather than program syntax.
    for (const SheetPart& part : sheet.parts)
        if (part.heading == u"二、计算过程及结果"_s)
            for (const SheetRow& row : part.table.rows) {
                const QString text = row.cells.value(1).text;
                QVERIFY2(!text.isEmpty() && !text.contains(u'*') && !text.contains(u'/'),
                    qPrintable(row.field + u' ' + text));
            }
}

void TestReport::plainTextKeepsItsColumns()
{
    // A tab typed around an input stays in its cell: the cell is quoted.
    FieldTexts texts = fieldPairs(u"Text1=400 Text2=300 Text3=6 Text4=8 Text12=150 Text13=118 "
                                  "Text16=10000 Text20=1"_s);
    texts.insert(u"Text1"_s, u"\t400 "_s);
    QVERIFY(!calculateSection(texts, NumberFormat {}));
    const CalculationSheet sheet = buildSheet({ SheetKind::Section, texts, {}, u'.' });
    const QStringList lines = sheetPlainText(sheet).split(u'\n');
    QVERIFY(lines.contains(u"翼缘宽\tB\t\"\t400 \"\tmm"_s));
    for (const QString& line : lines)
        if (line.count(u'\t') > 0 && !line.contains(u'"') && !line.startsWith(u"计算程序"_s))
            QCOMPARE(line.count(u'\t'), 3);
    QVERIFY(sheetHtml(sheet).contains(u"white-space:pre\">\t400 </td>"_s));
}

void TestReport::figuresStayWholeAndTheTableOnThePage()
{
    // A steel grade pasted far longer than any figure wraps inside its cell;
    // a figure never breaks.
    CalculationSheet sheet = bracketSheet(u"Combo1="_s + QString(300, u'Q'));
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet);
    document->setTextWidth(600);
    QVERIFY2(
        document->size().width() <= 600.5, qPrintable(QString::number(document->size().width())));
    const QString inertia = sheetText(sheet, u"Text19"_s);
    const QTextCursor at = document->find(inertia);
    QVERIFY(!at.isNull());
    QCOMPARE(at.block().layout()->lineCount(), 1);
}

void TestReport::pagesBreakBetweenRows_data()
{
    QTest::addColumn<qreal>("height");
    QTest::addColumn<bool>("roomy"); // room for a heading with its table's first rows
    for (qreal height : { 200.0, 333.0, 560.0, 900.0 })
        QTest::newRow(qPrintable(QString::number(height))) << height << true;
    QTest::newRow("120, a heading may end a page") << 120.0 << false;
}

void TestReport::pagesBreakBetweenRows()
{
    QFETCH(qreal, height);
    QFETCH(bool, roomy);
    const std::unique_ptr<QTextDocument> document = sheetDocument(bracketSheet(u"Text7=1000"_s));
    document->setDocumentMargin(0);
    document->setTextWidth(640); // about A4's text width on the screen
    const QList<SheetPage> pages = paginate(*document, height);
    QVERIFY(pages.size() >= 2);
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    QCOMPARE(bits(pages.front().top), bits(0));
    QCOMPARE(bits(pages.back().bottom), bits(layout->documentSize().height()));

    // Every line of text lies whole on one page; table rows with all their
    // lines on the same one.
    const auto pageOf = [&](qreal top, qreal bottom) {
        for (qsizetype n = 0; n < pages.size(); ++n)
            if (pages[n].top <= top + 0.01 && bottom <= pages[n].bottom + 0.01)
                return int(n);
        return -1;
    };
    int lastPage = 0;
    int headingPage = -1;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const int page = pageOf(box.top() + line.y(), box.top() + line.y() + line.height());
            QVERIFY2(page >= 0, qPrintable(block.text()));
            QVERIFY(page >= lastPage);
            lastPage = page;
            // A heading is never the last thing on its page.
            if (roomy && headingPage >= 0 && i == 0)
                QCOMPARE(page, headingPage);
        }
        headingPage = block.blockFormat().headingLevel() > 0 ? lastPage : -1;
    }
    // A table row is never split between pages.
    for (QTextFrame* frame : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        QVERIFY(table);
        for (int r = 0; r < table->rows(); ++r) {
            QSet<int> rowPages;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    const QRectF box = layout->blockBoundingRect(it.currentBlock());
                    rowPages << pageOf(box.top(), box.bottom());
                }
            }
            QVERIFY2(rowPages.size() == 1 && !rowPages.contains(-1),
                qPrintable(table->cellAt(r, 0).firstCursorPosition().block().text()));
        }
    }
    for (const SheetPage& page : pages) {
        QVERIFY(page.bottom > page.top);
        QVERIFY(page.bottom - page.top + page.headerHeight() <= height + 0.01);
    }
}

void TestReport::exportWritesThePdf_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("I-section defaults")
        << u"menuG"_s << QStringList { u"confirm"_s } << 1
        << QStringList { u"工字型截面性质计算书"_s, u"一、计算条件"_s, u"二、计算过程及结果"_s,
               u"截面面积"_s, u"纯弯梁考虑塑性最大应力"_s, u"每米重量"_s };
    QTest::newRow("bracket F 1000")
        << u"menuGN"_s << QStringList { u"Text7=1000"_s, u"confirm"_s } << 2
        << QStringList { u"钢牛腿强度计算书"_s, u"三、验算结论"_s, u"作用于牛腿根部的弯矩"_s,
               u"不满足要求"_s, u"结论：有5项不满足要求"_s, u"第1页共2页"_s, u"第2页共2页"_s };
}

void TestReport::exportWritesThePdf()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);
    QFETCH(int, pages);
    QFETCH(QStringList, captions);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(menu, steps);
    QVERIFY(window);
    const QString path
        = m_scratch.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
    QVERIFY(window->exportPdf(path));
    QCOMPARE(boxes.texts(), QStringList());

    const QString info = run(u"pdfinfo"_s, { path });
    QVERIFY2(info.contains(u"(A4)"_s), qPrintable(info));
    const QString text = run(u"pdftotext"_s, { u"-layout"_s, path, u"-"_s });
    QCOMPARE(text.count(u'\f'), pages);
    const QStringList words = text.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts);
    const FieldTexts shownTexts = readFieldTexts(shown());
    for (auto it = shownTexts.cbegin(); it != shownTexts.cend(); ++it)
        QVERIFY2(words.contains(it.value()), qPrintable(it.key() + u'=' + it.value()));
    QString joined = text;
    joined.remove(QRegularExpression(u"\\s"_s));
    for (const QString& caption : captions)
        QVERIFY2(joined.contains(caption), qPrintable(caption));
    QCOMPARE(joined.contains(u"第1页"_s), pages > 1);
}

void TestReport::exportFailureLeavesNoFile_data()
{
    QTest::addColumn<QString>("name"); // under the scratch folder
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing folder") << u"none/sheet.pdf"_s << u"不存在"_s;
    QTest::newRow("parent is a file") << u"plain.txt/sheet.pdf"_s << u"不是文件夹"_s;
    QTest::newRow("a folder") << u"folder"_s << u"文件夹"_s;
    QTest::newRow("name too long") << QString(300, u'x') + u".pdf"_s << u"文件名无效"_s;
#ifdef Q_OS_LINUX
    // Root writes into any folder; a read-only one only stops other users.
    if (geteuid() != 0)
        QTest::newRow("read-only folder") << u"locked/sheet.pdf"_s << u"没有写入权限"_s;
    // The file grows past the size limit half-way, as on a full disk.
    QTest::newRow("disk full, earlier file kept") << u"earlier.pdf"_s << u"磁盘空间"_s;
#endif
}

void TestReport::exportFailureLeavesNoFile()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir scratch;
    QDir folder(scratch.path());
    QVERIFY(folder.mkdir(u"folder"_s));
    QVERIFY(folder.mkdir(u"locked"_s));
    QFile::setPermissions(folder.filePath(u"locked"_s), QFile::ReadOwner | QFile::ExeOwner);
    for (const QString& file : { u"plain.txt"_s, u"earlier.pdf"_s }) {
        QFile earlier(folder.filePath(file));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"confirm"_s });
    QVERIFY(window);
    const QString path = folder.filePath(name);
    bool written = true;
#ifdef Q_OS_LINUX
    rlimit saved {};
    const bool limited = name == u"earlier.pdf"_s;
    if (limited) {
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 2048;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    written = window->exportPdf(path);
    if (limited) {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);
    }
#else
    written = window->exportPdf(path);
#endif
    QFile::setPermissions(
        folder.filePath(u"locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(!written);
    QCOMPARE(boxes.texts().size(), 1);
    const QString box = boxes.texts().front();
    QVERIFY2(box.startsWith(u"导出PDF|计算书未能导出到："_s), qPrintable(box));
    QVERIFY2(box.contains(QDir::toNativeSeparators(path)), qPrintable(box));
    QVERIFY2(box.contains(reason), qPrintable(box));
    // Nothing new anywhere, and the earlier files as they were.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(QDir(folder.filePath(u"locked"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList());
    QFile earlier(folder.filePath(u"earlier.pdf"_s));
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    QVERIFY(window->isVisible()); // and the program carries on
}

void TestReport::copyPutsHtmlAndText()
{
    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"Text7=1000"_s, u"confirm"_s });
    QVERIFY(window);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(window->findChild<QPushButton*>(u"CopyButton"_s), Qt::LeftButton);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasHtml() && data->hasText());
    QVERIFY(data->html().contains(u"<table"_s));
    QVERIFY(data->html().contains(u"<td style=\"white-space:pre\">285.59</td>"_s));
    QVERIFY(data->html().contains(u"不满足要求"_s));
    const QStringList lines = data->text().split(u'\n');
    QCOMPARE(lines.front(), u"钢牛腿强度计算书"_s);
    QVERIFY(lines.contains(u"下翼缘外边的正应力\t285.59\t215\t1.33\t不满足要求"_s));
    QVERIFY(lines.contains(u"竖向压力设计值\tF\t1000\tkN"_s));
    QVERIFY(lines.contains(u"结论：有 5 项不满足要求"_s));
    QCOMPARE(boxes.texts(), QStringList());
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
