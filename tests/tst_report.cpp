// The calculation sheet: from the 计算书 command through its rows, verdicts
// and pages to PDF and the clipboard, and the refusals when the fields do not
// hold a complete calculation of the inputs shown.

#include "bracketcalculation.h"
#include "bracketsheet.h"
#include "calculatorwindow.h"
#include "checkedwrite.h"
#include "fieldbinding.h"
#include "fieldpairs.h"
#include "mdiform1.h"
#include "readtext.h"
#include "reportwindow.h"
#include "sectioncalculation.h"
#include "sectionform.h"
#include "sectionfields.h"
#include "sectionsheet.h"
#include "sheetdocument.h"
#include "sheetdrawing.h"
#include "sheetfont.h"
#include "sheetpages.h"
#include "sheettext.h"
#include "uitest.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
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
#include <cerrno>
#include <cmath>
#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The sheet works on the windows' texts as Qt strings; the calculations on UTF-8.
using Texts = QHash<QString, QString>;

Texts pairs(const QString& typed, const Texts& onto = {})
{
    return qtTexts(fieldPairs(typed, coreTexts(onto)));
}

template <typename Calculate>
std::optional<Fault> run(Calculate calculate, Texts& texts, QChar separator)
{
    FieldTexts core = coreTexts(texts);
    const std::optional<Fault> fault
        = calculate(core, NumberFormat { char32_t(separator.unicode()) });
    texts = qtTexts(core);
    return fault;
}

const QString askToCalculate = u"计算书|请先在计算窗口中点击“确定输入”完成计算。"_s;
const QString askToRecalculate = u"计算书|输入已修改或上次计算未完成，请先点击“确定输入”。"_s;
const QString faultBox = u"计算错误|"_s;

// The field's text as the sheet shows it.
QString sheetText(const CalculationSheet& sheet, const QString& field)
{
    const SheetRow* row = sheet.rowOf(field);
    for (const SheetCell& cell : row ? row->cells : QList<SheetCell>())
        if (cell.verbatim)
            return cell.text;
    return u"(none)"_s;
}

// A sheet's plain text against the one kept beside the tests; a difference
// leaves the sheet as made beside the build, for a diff.
void asKept(const QString& plain, const QString& keptPath, const QString& madePath)
{
    QFile kept(keptPath);
    const QString expected = kept.open(QIODevice::ReadOnly) ? QString::fromUtf8(kept.readAll())
                                                            : QString();
    if (plain != expected) {
        QFile made(madePath);
        if (made.open(QIODevice::WriteOnly))
            made.write(plain.toUtf8());
    }
    QCOMPARE(plain, expected);
}

// A column of the verdict table, the heading over the detailing checks left out.
QStringList verdictColumn(const CalculationSheet& sheet, int index)
{
    QStringList cells;
    // A heading has nothing beside its words.
    for (const SheetRow& row : sheet.parts.back().table.rows)
        if (!row.cells.value(1).text.isEmpty())
            cells << row.cells.value(index).text;
    return cells;
}

CalculationSheet typedBracketSheet(const QString& typed, QChar separator = u'.')
{
    Texts texts = pairs(typed,
        pairs(u"Text1=200 Text2=200 Text3=12 Text4=12 Text5=10 Text6=500 Text7=400 "
              "Text8=.45 Text12=10 Text9=E43 Text10=手工焊 Text11=三级 Combo1=Q235B "
              "Text33=8 Combo2=有 Text34=95 Text35=10 Text36=20 Text37=50 Text38=20 Text39=12 "
              "Text40=460 Combo3=有"_s));
    texts[u"Text8"_s].replace(u'.', separator);
    (void)run(calculateBracket, texts, separator);
    return bracketSheet({ texts, {}, separator, {} });
}

// A field's text as the sheet shows it: an input as the program read it,
// anything else as it stands.
QString asRead(const CalculatorWindow* calculator, const QString& field, const QString& text)
{
    const std::string name = field.toStdString();
    const FieldFacts* facts = findField(calculator->calculator().fields(), name);
    if (!facts || facts->role != FieldRole::Input)
        return text;
    const NumberFormat format { char32_t(calculator->calculationSeparator().unicode()) };
    return QString::fromStdString(textAsRead(text.toStdString(), format));
}

quint64 bits(qreal value)
{
    return std::bit_cast<quint64>(double(value));
}

QString poppler(const QString& program, const QStringList& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return u"(%1 is missing: install poppler-utils)"_s.arg(program);
    QProcess process;
    process.start(found, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The lines pdftotext reads on one page of a PDF, blanks run together.
QStringList pdfLines(const QString& path, int page, const QStringList& more = {})
{
    const QString number = QString::number(page);
    QStringList lines;
    for (QString line : poppler(u"pdftotext"_s,
             more + QStringList { u"-layout"_s, u"-f"_s, number, u"-l"_s, number, path, u"-"_s })
             .split(u'\n'))
        if (!(line = line.simplified()).isEmpty())
            lines << line;
    return lines;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void commandAndOneWindow();
    void sheetHoldsEveryFieldText_data();
    void sheetHoldsEveryFieldText();
    void refusals_data();
    void refusals();
    void verdicts_data();
    void verdicts();
    void defaultSheetAsItWas();
    void defaultSectionSheetAsItWas();
    void sectionBasisOnTheSheet();
    void formulasInNotation();
    void strengthNotes_data();
    void strengthNotes();
    void typedTextsKeepTheirShape();
    void pagesBreakBetweenRows_data();
    void pagesBreakBetweenRows();
    void exportWritesThePdf_data();
    void exportWritesThePdf();
    void pagesReadOnce_data();
    void pagesReadOnce();
    void openDocumentTextReadsAsTheSheet_data();
    void openDocumentTextReadsAsTheSheet();
    void exportFailureLeavesNoFile_data();
    void exportFailureLeavesNoFile();
    void copyPutsHtmlAndText();
    void followsItsCalculator_data();
    void followsItsCalculator();
    void titleBlockPerCalculator();
    void inputsAndConstantsAsRead_data();
    void inputsAndConstantsAsRead();
    void drawingToScaleOrSchematic_data();
    void drawingToScaleOrSchematic();
    void drawingTextsStayApart_data();
    void drawingTextsStayApart();
    void writeFailureNamesTheReason_data();
    void writeFailureNamesTheReason();
    void escapeAndHiddenCalculators();

private:
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

// "menuG" (a command), "confirm", "Text1=401" (set), "Combo1+=5" (typed).
void TestReport::act(const QString& step)
{
    if (step.startsWith(u"menu"_s))
        return m_frame->findChild<QAction*>(step)->trigger();
    CalculatorWindow* window = shown();
    QVERIFY(window);
    if (step == u"confirm"_s) {
        const QString button = qobject_cast<SectionForm*>(window) ? u"Command2"_s : u"Command1"_s;
        return QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    if (auto* button = window->findChild<QPushButton*>(step))
        return QTest::mouseClick(button, Qt::LeftButton);
    const bool typed = step.contains(u"+="_s);
    const QString name = step.section(u'=', 0, 0).remove(u'+');
    const QString text = step.section(u'=', 1);
    auto* combo = window->findChild<QComboBox*>(name);
    auto* field = combo ? combo->lineEdit() : window->findChild<QLineEdit*>(name);
    QVERIFY2(field, qPrintable(name));
    if (typed)
        QTest::keyClicks(field, text);
    else if (combo)
        combo->setCurrentText(text);
    else
        field->setText(text);
}

ReportWindow* TestReport::openSheet(const QString& menu, const QStringList& steps)
{
    for (const QString& step : QStringList { menu } + steps + QStringList { u"menuReport"_s })
        act(step);
    ReportWindow* window = ReportWindow::existing();
    return window && window->isVisible() ? window : nullptr;
}

void TestReport::commandAndOneWindow()
{
    auto* action = m_frame->findChild<QAction*>(u"menuReport"_s);
    QCOMPARE(action->text(), u"计算书"_s);
    QCOMPARE(action->shortcut(), QKeySequence(QKeySequence::Print));

    // Ctrl+P on the frame makes the sheet of the calculator shown.
    ModalBoxCatcher boxes;
    act(u"menuGN"_s);
    act(u"confirm"_s);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    QTest::keySequence(m_frame.get(), QKeySequence::Print);
    QTRY_VERIFY(ReportWindow::existing() && ReportWindow::existing()->isVisible());
    ReportWindow* window = ReportWindow::existing();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(window->objectName() + window->windowTitle(), u"ReportWindow计算书"_s);
    QVERIFY(window->isWindow() && !window->isModal());
    QStringList buttons;
    for (const QString& name :
        { u"PrintButton"_s, u"ExportButton"_s, u"CopyButton"_s, u"CloseButton"_s })
        buttons << window->findChild<QPushButton*>(name)->text();
    QCOMPARE(buttons, (QStringList { u"打印…"_s, u"导出…"_s, u"复制"_s, u"关闭"_s }));
    QCOMPARE(captionsWithMissingGlyphs(window), QStringList());
    QCOMPARE(missingGlyphs(window->shownText(), sheetFont()), QString());
    const QFileInfo suggested(window->suggestedPdfPath());
    QVERIFY(suggested.dir().exists());
    QCOMPARE(suggested.fileName(),
        u"钢牛腿强度计算书-%1.pdf"_s.arg(shown()->calculationTime().toString(u"yyyyMMdd-HHmm"_s)));

    // The one window, closed or not, shows the calculation asked for last.
    QTest::mouseClick(window->findChild<QPushButton*>(u"CloseButton"_s), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(openSheet(u"menuG"_s, { u"Text16=6000"_s, u"confirm"_s }), window);
    QVERIFY(window->shownText().contains(u"工字型截面性质计算书"_s));
    QVERIFY(window->shownText().contains(u"12000.00"_s));
    QCOMPARE(openSheet(u"menuGN"_s, {})->sheet().title, u"钢牛腿强度计算书"_s);
    QCOMPARE(m_frame->findChildren<ReportWindow*>().size(), 1);
    QCOMPARE(boxes.texts(), QStringList());
}

void TestReport::sheetHoldsEveryFieldText_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("parts");

    QTest::newRow("I-section defaults")
        << u"menuG"_s << QStringList { u"confirm"_s } << u"工字型截面性质计算书"_s << 3;
    QTest::newRow("bracket defaults")
        << u"menuGN"_s << QStringList { u"confirm"_s } << u"钢牛腿强度计算书"_s << 3;
    QTest::newRow("bracket F 1000") << u"menuGN"_s << QStringList { u"Text7=1000"_s, u"confirm"_s }
                                    << u"钢牛腿强度计算书"_s << 3;
    // As typed: blanks, an exponent, a grade of the user's own with markup in it.
    QTest::newRow("inputs as typed")
        << u"menuGN"_s
        << QStringList { u"Text1= 200 "_s, u"Text7=4e2"_s, u"Combo1=Q345 <B>&_{x}"_s, u"confirm"_s }
        << u"钢牛腿强度计算书"_s << 3;
}

void TestReport::sheetHoldsEveryFieldText()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(int, parts);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(menu, steps);
    QVERIFY(window);
    QCOMPARE(boxes.texts(), QStringList());
    const CalculationSheet& sheet = window->sheet();
    CalculatorWindow* calculator = shown();
    QCOMPARE(sheet.title, title);
    QCOMPARE(sheet.parts.size(), parts);
    QCOMPARE(sheet.calculatedAt, calculator->calculationTime().toString(u"yyyy-MM-dd HH:mm:ss"_s));

    // Every field and the steel grade, character for character, in the
    // preview and the clipboard's text, under the window's own caption.
    Texts onScreen = qtTexts(readFieldTexts(calculator));
    for (const QComboBox* combo : calculator->findChildren<QComboBox*>())
        onScreen.insert(combo->objectName(), combo->currentText());
    const QString preview = window->shownText();
    const QString plain = sheetPlainText(sheet);
    for (auto it = onScreen.cbegin(); it != onScreen.cend(); ++it) {
        const QString shownAs = asRead(calculator, it.key(), it.value());
        const QString where = it.key() + u'=' + shownAs;
        QCOMPARE(it.key() + u'=' + sheetText(sheet, it.key()), where);
        QVERIFY2(preview.contains(shownAs) && plain.contains(u'\t' + shownAs + u'\t'),
            qPrintable(where));
        // The sheet's item is the code's term, never the window's own words
        // where they differ: 转动惯量, 抵抗矩, the misspelt 弯炬, 焊角, 腹板宽.
        const QString item = sheet.rowOf(it.key())->cells.front().text;
        QVERIFY2(!item.isEmpty()
                && !item.contains(QRegularExpression(u"转动惯量|抵抗矩|弯炬|焊角|腹板宽"_s)),
            qPrintable(item));
    }
}

void TestReport::refusals_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("boxes");

    const auto row = [](const char* name, QStringList steps, QStringList boxes) {
        QTest::newRow(name) << steps << boxes;
    };
    row("no calculator shown", {}, { askToCalculate });
    row("I-section not calculated", { u"menuG"_s }, { askToCalculate });
    row("bracket not calculated", { u"menuGN"_s }, { askToCalculate });
    row("input set afterwards", { u"menuG"_s, u"confirm"_s, u"Text1=401"_s }, { askToRecalculate });
    row("steel grade typed afterwards", { u"menuGN"_s, u"confirm"_s, u"Combo1+=C"_s },
        { askToRecalculate });
    row("last click faulted", { u"menuGN"_s, u"confirm"_s, u"Text12=0"_s, u"confirm"_s },
        { faultBox, askToRecalculate });
    row("first click faulted", { u"menuG"_s, u"Text1=abc"_s, u"confirm"_s },
        { faultBox, askToRecalculate });
    row("edited, then calculated again", { u"menuG"_s, u"confirm"_s, u"Text1=401"_s, u"confirm"_s },
        {});
    row("faulted, then calculated again",
        { u"menuGN"_s, u"Text12=0"_s, u"confirm"_s, u"Text12=8"_s, u"confirm"_s }, { faultBox });
}

void TestReport::refusals()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, boxes);

    ModalBoxCatcher caught;
    for (const QString& step : steps + QStringList { u"menuReport"_s })
        act(step);
    QStringList seen = caught.texts();
    for (QString& box : seen)
        if (box.startsWith(faultBox))
            box = faultBox;
    QCOMPARE(seen, boxes);
    ReportWindow* window = ReportWindow::existing();
    QCOMPARE(window && window->isVisible(), boxes.isEmpty() || boxes.back() == faultBox);
    if (window) // the sheet of the inputs on screen
        for (const QLineEdit* field : shown()->findChildren<QLineEdit*>())
            if (!field->objectName().isEmpty())
                QCOMPARE(sheetText(window->sheet(), field->objectName()),
                    asRead(shown(), field->objectName(), field->text()));
}

void TestReport::verdicts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("ratios");
    QTest::addColumn<QString>("met"); // + met, - not met
    QTest::addColumn<QString>("conclusion");

    // The detailing checks of the defaults' plates and welds, whatever the
    // load; then the load's way into the column: the web under the load is
    // the stiffener's (—), the column stiffened (— and "设水平加劲肋", '?').
    const QString detailing = u" 0.53 0.63 0.50 0.17"_s;
    const QString load = u" — 0.83 0.38 0.60 0.63 0.33 0.33 — — 0.60"_s;
    const QString defaults = u"0.52 0.71 0.63 0.80 0.69 0.37 0.63"_s + detailing + load;
    const QString allMet = u"++++++ +++++ ?++++++??+"_s;
    QTest::newRow("defaults") << QString() << QChar(u'.') << defaults << allMet
                              << u"结论：全部满足要求"_s;
    // The stiffener's ends bear 1 000 kN on 1 500 mm²: 666.67 against fce = 320.
    QTest::newRow("F 1000") << u"Text7=1000"_s << QChar(u'.')
                            << u"1.31 1.77 1.56 2.01 1.73 0.93 1.56"_s + detailing
            + u" — 2.08 0.94 0.60 0.63 0.82 0.82 — — 0.60"_s
                            << u"-----+ -++++ ?-+++++??+"_s << u"结论：有 7 项不满足要求"_s;
    // τ 132.81 against fv = 125 alone fails, and the stiffener's ends.
    QTest::newRow("F 600, e 0.2") << u"Text7=600 Text8=0.2"_s << QChar(u'.')
                                  << u"0.35 1.06 0.71 0.54 0.46 0.56 0.71"_s + detailing
            + u" — 1.25 0.57 0.60 0.63 0.49 0.49 — — 0.60"_s
                                  << u"+-++++ +++++ ?-+++++??+"_s << u"结论：有 2 项不满足要求"_s;
    // Compression is judged, and its ratio taken, by magnitude; uplift puts
    // the lower weld in tension, against ft^w, and nothing bears on the web.
    QTest::newRow("F -400") << u"Text7=-400"_s << QChar(u'.')
                            << u"0.52 0.71 0.63 0.69 0.80 0.37 0.63"_s + detailing
            + u" — — — — — 0.33 0.33 — — 0.60"_s
                            << u"++++++ +++++ ?????++??+"_s << u"结论：全部满足要求"_s;
    // Stresses of "0.00": each cell is its field's text, not a figure written anew.
    QTest::newRow("F 0") << u"Text7=0"_s << QChar(u'.')
                         << u"0.00 0.00 0.00 0.00 0.00 0.00 0.00"_s + detailing
            + u" — 0.00 0.00 0.60 0.63 0.00 0.00 — — 0.60"_s
                         << allMet << u"结论：全部满足要求"_s;
    QTest::newRow("comma separator")
        << QString() << QChar(u',') << QString(defaults).replace(u'.', u',') << allMet
        << u"结论：全部满足要求"_s;
    QTest::newRow("an unknown grade")
        << u"Combo1=Q500"_s << QChar(u'.')
        << u"— — — — — — — — — 0.50 0.17 — — — 0.60 0.63 — — — — 0.60"_s
        << u"?????? ???++ ???++????+"_s << u"结论：已判断的 7 项均满足要求，13 项未判断"_s;
    QTest::newRow("an impossible bracket")
        << u"Text3=-12"_s << QChar(u'.') << u"— — — — — — — — — — — — — — — — — — — — —"_s
        << u"?????? ????? ??????????"_s << u"结论：未作判断，原因见下"_s;
}

void TestReport::verdicts()
{
    QFETCH(QString, typed);
    QFETCH(QChar, separator);
    QFETCH(QString, ratios);
    QFETCH(QString, met);
    QFETCH(QString, conclusion);

    const CalculationSheet sheet = typedBracketSheet(typed, separator);
    QCOMPARE(sheet.parts.back().heading, u"三、验算结论"_s);
    QCOMPARE(verdictColumn(sheet, 4).join(u' '), ratios);
    QString judged;
    for (const QString& verdict : verdictColumn(sheet, 5))
        judged += verdict == u"满足要求"_s ? u'+' : verdict == u"不满足要求"_s ? u'-' : u'?';
    QCOMPARE(judged, QString(met).remove(u' '));
    QCOMPARE(sheet.parts.back().notes.front().text, conclusion);
    // Each stress is its field's text; the others are the checks' own figures.
    for (const SheetRow& row : sheet.parts.back().table.rows)
        if (!row.field.isEmpty())
            QCOMPARE(row.cells[1].text, sheetText(sheet, row.field));
    // Red: each failed check, and the conclusion when there is one.
    const qsizetype failed = met.count(u'-');
    QCOMPARE(sheetHtml(sheet).count(u"color:#ff0000\">不满足要求"_s), failed);
    QCOMPARE(sheetHtml(sheet).count(u"color:#ff0000\">结论"_s),
        conclusion == u"结论：全部满足要求"_s ? 0 : 1);
    if (!typed.isEmpty())
        return;
    // The defaults: each judged against its limit by symbol and source; the
    // equivalent stress may reach β1·f = 1.1 f.
    const QString equivalent = QString(u"β_{1}·f = 1.1 × 215 = 236.5"_s).replace(u'.', separator);
    QCOMPARE(verdictColumn(sheet, 2),
        (QStringList { u"f = 215"_s, u"f_{v} = 125"_s, equivalent, u"f_{t}^{w} = 185"_s,
            u"f_{c}^{w} = 215"_s, u"f_{f}^{w} = 160"_s, equivalent, u"15ε_{k} = 15"_s,
            u"80ε_{k} = 80"_s, u"h_{f,min} = 5"_s, u"max(8h_{f}, 40) = 80"_s, u"—"_s,
            u"f_{ce} = 320"_s, u"f = 215"_s,
            QString(u"h_{0}/30 + 40 = 56.67"_s).replace(u'.', separator), u"15"_s,
            u"f_{f}^{w} = 160"_s, u"f_{f}^{w} = 160"_s, u"—"_s, u"—"_s, u"h_{f,min} = 6"_s }));
    const QStringList sources = verdictColumn(sheet, 3);
    QCOMPARE(sources[1], u"表4.4.1，Q235，t_{s} = 10 ≤ 16 mm"_s);
    QCOMPARE(sources[2], sources[1]);
    for (int row = 3; row < 6; ++row)
        QVERIFY(sources[row].contains(u"表4.4.5"_s));
    QVERIFY(sources[7].startsWith(u"表3.5.1"_s) && sources[9].startsWith(u"表11.3.5"_s));
}

void TestReport::defaultSheetAsItWas()
{
    // The window's defaults (Q235B, E43, 手工焊, 三级) judged with the
    // strengths their inputs name: the whole sheet, character for character,
    // as kept beside the tests. A difference leaves the sheet as made beside
    // the build, for a diff.
    asKept(sheetPlainText(typedBracketSheet({})), QStringLiteral(STELVANA_DEFAULT_BRACKET_SHEET),
        u"default-bracket-sheet.txt"_s);
}

void TestReport::defaultSectionSheetAsItWas()
{
    // The window as it opens, its member basis included: what the sheet said
    // before the basis could be typed, with the basis's inputs listed.
    Texts texts = qtTexts(designTimeTexts(sectionFields()));
    QVERIFY(!run(calculateSection, texts, u'.'));
    asKept(sheetPlainText(sectionSheet({ texts, {}, u'.', {} })),
        QStringLiteral(STELVANA_DEFAULT_SECTION_SHEET), u"default-section-sheet.txt"_s);
}

void TestReport::sectionBasisOnTheSheet()
{
    // Each slenderness names the length it took; the stability rows their
    // factors, curves and table.
    Texts texts = pairs(u"Text4=45 Text23=1.5 Text24=0.7 Text25=0.85 Text27=0.7"_s,
        qtTexts(designTimeTexts(sectionFields())));
    QVERIFY(!run(calculateSection, texts, u'.'));
    const QStringList lines
        = sheetPlainText(sectionSheet({ texts, {}, u'.', {} })).split(u'\n');
    for (const QString& line :
        { u"计算长度（μx × L）\tL0 = μx × L\t15000.00\tmm"_s,
            u"Y轴长细比\tλy = μy × L ÷ iy\t61.67\t—"_s })
        QVERIFY2(lines.contains(line), qPrintable(line));
    const QString plain = lines.join(u'\n');
    for (const QString& said :
        { u"平面内 L0 = μx × L = 1.5 × 10000 = 15000.00 mm，用于 λx；平面外 μy × L = 0.7 × 10000 = "
          "7000.00 mm，用于 λy。"_s,
            u"βmx = 0.85，η = 0.7，βtx = 1.0（按所填），φx 按c类、φy 按d类截面（焊接工字形，"
            "翼缘为轧制或剪切边，t = 45 mm ≥ 40 mm，表7.2.1-2，附录D）"_s })
        QVERIFY2(plain.contains(said), qPrintable(said));
}

void TestReport::formulasInNotation()
{
    Texts texts = pairs(u"Text1=400 Text2=300 Text3=6 Text4=8 Text12=150 Text13=118 "
                        "Text16=10000 Text20=1"_s);
    QVERIFY(!run(calculateSection, texts, u'.'));
    for (const CalculationSheet& sheet :
        { typedBracketSheet({}), sectionSheet({ texts, {}, u'.', {} }) }) {
        // Every result has a formula in notation, not program syntax, each
        // naming its own result; none keeps the window labels' slips.
        QStringList named;
        for (const SheetRow& row : sheet.parts[1].table.rows) {
            const QString formula = row.cells.value(1).text;
            QVERIFY2(!formula.isEmpty() && !formula.contains(u'*') && !formula.contains(u'/')
                    && !formula.contains(u"tf"_s),
                qPrintable(formula));
            if (formula.contains(u'='))
                named << formula.section(u'=', 0, 0);
        }
        QCOMPARE(QSet<QString>(named.cbegin(), named.cend()).size(), named.size());
        QVERIFY(!sheetPlainText(sheet).contains(u"弯炬"_s));
    }
    QVERIFY(sheetPlainText(typedBracketSheet({}))
                .contains(u"\tτ1 = V × S1 × 10³ ÷ (In × ts)\t58.69\t"_s));
}

void TestReport::strengthNotes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("caveats"); // how each "注意：" line begins
    // What the column's stiffeners must do, what the butt welds' grade takes;
    // thick plates need no note now.
    const QString column = u"注意：柱在牛腿上、下翼缘对应处设水平加劲肋"_s;
    const QStringList open { column, u"注意：受拉翼缘对接焊缝"_s };
    QTest::newRow("defaults") << QString() << open;
    QTest::newRow("t2 20") << u"Text4=20"_s << open;
    // A grade the tables know needs no caveat; Q355 is read as Q345.
    QTest::newRow("Q345") << u"Combo1=Q345"_s << open;
    QTest::newRow("ts 25, Q355") << u"Text5=25 Combo1=Q355"_s
                                 << QStringList { u"注意：Q355取表4.4.1、表4.4.5中Q345"_s } + open;
}

void TestReport::strengthNotes()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, caveats);
    const CalculationSheet sheet = typedBracketSheet(typed);
    QStringList said;
    for (const SheetCell& note : sheet.parts.back().notes)
        if (note.text.startsWith(u"注意："_s))
            said << note.text;
    QCOMPARE(said.size(), caveats.size());
    for (qsizetype n = 0; n < caveats.size(); ++n)
        QVERIFY2(said[n].startsWith(caveats[n]), qPrintable(said[n]));
    // Whatever the inputs, the sheet says what In leaves out, and that it is safe.
    bool inertiaNote = false;
    for (const SheetCell& note : sheet.parts[1].notes)
        inertiaNote = inertiaNote
            || (note.text.contains(u"b × t³ ÷ 12"_s) && note.text.contains(u"偏于安全"_s));
    QVERIFY(inertiaNote);
    // And how the couple's arm and the fillets' length were taken, as computed.
    const QString results = sheetPlainText(sheet);
    QVERIFY(results.contains(u"h1 = min(t1 + t2 + hw − 20, hw + 0.5 × t1 + 0.5 × t2) = min("_s));
    QVERIFY(results.contains(u"lw = min(hw − 20, hw − 2hf) = min("_s));
}

void TestReport::typedTextsKeepTheirShape()
{
    // An input shows as read, without the blanks typed around it; a tab in
    // the title block stays in its cell: the text's cell is quoted.
    Texts texts = pairs(u"Text2=300 Text3=6 Text4=8 Text12=150 Text13=118 "
                        "Text16=10000 Text20=1"_s);
    texts.insert(u"Text1"_s, u"\t４００ "_s);
    QVERIFY(!run(calculateSection, texts, u'.'));
    TitleBlock block;
    block.projectName = u"\t某厂房 "_s;
    const CalculationSheet section = sectionSheet({ texts, {}, u'.', block });
    const QStringList lines = sheetPlainText(section).split(u'\n');
    QVERIFY(lines.contains(u"翼缘宽\tB\t400\tmm"_s));
    QVERIFY(lines.contains(u"工程名称\t\"\t某厂房 \"\t工程编号\t________________"_s));
    QVERIFY(sheetHtml(section).contains(u"white-space:pre\">400</td>"_s));

    // A grade pasted far longer than any figure wraps in its cell; a figure
    // never breaks, nor does the table leave the page.
    const CalculationSheet sheet = typedBracketSheet(u"Combo1="_s + QString(300, u'Q'));
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet);
    // Laid out as wide as A4's text on the screen, its columns fitted to it.
    const qreal width = document->textWidth();
    QVERIFY(width > 600);
    QVERIFY2(document->size().width() <= width + 0.5,
        qPrintable(QString::number(document->size().width())));
    QCOMPARE(document->find(sheetText(sheet, u"Text19"_s)).block().layout()->lineCount(), 1);
}

void TestReport::pagesBreakBetweenRows_data()
{
    QTest::addColumn<qreal>("height");
    QTest::addColumn<bool>("roomy"); // room for a heading with its table's first rows
    for (qreal height : { 200.0, 333.0, 560.0, 900.0 })
        QTest::newRow(qPrintable(QString::number(height))) << height << true;
    QTest::newRow("150: a heading may end a page") << 150.0 << false;
}

void TestReport::pagesBreakBetweenRows()
{
    QFETCH(qreal, height);
    QFETCH(bool, roomy);
    const std::unique_ptr<QTextDocument> document
        = sheetDocument(typedBracketSheet(u"Text7=1000"_s));
    document->setDocumentMargin(0);
    document->setTextWidth(640); // about A4's text width on the screen
    const QList<SheetPage> pages = paginate(*document, height);
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    QVERIFY(pages.size() >= 2);
    QCOMPARE(bits(pages.front().top), bits(0));
    QCOMPARE(bits(pages.back().bottom), bits(layout->documentSize().height()));
    for (const SheetPage& page : pages)
        QVERIFY2(page.bottom > page.top
                && page.bottom - page.top + page.headerHeight() <= height * (1 + 1e-12),
            qPrintable(u"%1 %2 %3"_s.arg(page.top).arg(page.bottom).arg(page.headerHeight())));

    // The page a line of text lies on whole, or -1.
    const auto pageOf = [&](const QTextBlock& block, int line) {
        const QTextLine at = block.layout()->lineAt(line);
        const qreal top = layout->blockBoundingRect(block).top() + at.y();
        for (qsizetype n = 0; n < pages.size(); ++n)
            if (pages[n].top <= top + 0.01 && top + at.height() <= pages[n].bottom + 0.01)
                return int(n);
        return -1;
    };
    // Every line whole on one page, a heading on the page of what follows it.
    int headingPage = -1;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue; // the empty block Qt keeps beside a table, say
        if (roomy && headingPage >= 0)
            QCOMPARE(pageOf(block, 0), headingPage);
        for (int line = 0; line < block.layout()->lineCount(); ++line) {
            // A drawing taller than the page starts one, cut only at its foot.
            const QTextLine at = block.layout()->lineAt(line);
            const qreal top = layout->blockBoundingRect(block).top() + at.y();
            const bool startsAPage = std::any_of(pages.cbegin(), pages.cend(),
                [&](const SheetPage& page) { return std::abs(page.top - top) < 0.01; });
            QVERIFY2(pageOf(block, line) >= 0 || (at.height() > height && startsAPage),
                qPrintable(block.text()));
        }
        headingPage = block.blockFormat().headingLevel() > 0 ? pageOf(block, 0) : -1;
    }
    // Every table row with all its cells' lines on one page.
    for (QTextFrame* frame : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        for (int r = 0; table && r < table->rows(); ++r) {
            QSet<int> rowPages;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextBlock block = table->cellAt(r, c).firstCursorPosition().block();
                rowPages << pageOf(block, 0) << pageOf(block, block.layout()->lineCount() - 1);
            }
            QVERIFY2(rowPages.size() == 1 && !rowPages.contains(-1),
                qPrintable(table->cellAt(r, 0).firstCursorPosition().block().text()));
        }
    }
    // The verdicts, the document's last table, on one page wherever they fit on one.
    auto* verdicts = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().back());
    QVERIFY(verdicts);
    const QRectF box = layout->frameBoundingRect(verdicts);
    const auto firstLinePage = [&](int row) {
        return pageOf(verdicts->cellAt(row, 0).firstCursorPosition().block(), 0);
    };
    if (box.height() < height)
        QCOMPARE(firstLinePage(verdicts->rows() - 1), firstLinePage(0));
}

void TestReport::exportWritesThePdf_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("I-section defaults")
        << u"menuG"_s << QStringList { u"confirm"_s } << 3
        << QStringList { u"工字型截面性质计算书"_s, u"一、计算条件"_s, u"二、计算过程及结果"_s,
               u"纯弯梁考虑塑性最大应力"_s, u"每米重量"_s, u"γx=1.0：翼缘"_s, u"三、验算结论"_s,
               u"平面外稳定"_s, u"μ=2"_s, u"βmx=βtx=η=1.0"_s };
    QTest::newRow("bracket F 1000")
        << u"menuGN"_s << QStringList { u"Text7=1000"_s, u"confirm"_s } << 5
        << QStringList { u"钢牛腿强度计算书"_s, u"三、验算结论"_s,
               u"结论：有7项不满足要求"_s, u"荷载与节点"_s, u"设计依据：《钢结构设计标准》GB50017-2017"_s,
               u"牛腿根部的净截面积"_s,
               u"第11.2.2条"_s, u"F=1000kN"_s, u"e=0.45m"_s, u"牛腿根部截面（按比例）"_s };
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
    QVERIFY(window->exportSheet(path));
    QCOMPARE(boxes.texts(), QStringList());

    QVERIFY(poppler(u"pdfinfo"_s, { path }).contains(u"(A4)"_s));
    const QString text = poppler(u"pdftotext"_s, { u"-layout"_s, path, u"-"_s });
    QCOMPARE(text.count(u'\f'), pages);
    QCOMPARE(window->previewPageCount(), pages); // the preview is the printout
    // The drawing is lines and text: the file holds no picture.
    const QStringList images
        = poppler(u"pdfimages"_s, { u"-list"_s, path }).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the list's two header lines
    const QStringList words = text.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts);
    const Texts onScreen = qtTexts(readFieldTexts(shown()));
    for (auto it = onScreen.cbegin(); it != onScreen.cend(); ++it) {
        const QString shownAs = asRead(shown(), it.key(), it.value());
        QVERIFY2(words.contains(shownAs), qPrintable(it.key() + u'=' + shownAs));
    }
    const QString joined = QString(text).remove(QRegularExpression(u"\\s"_s));
    for (const QString& caption : captions)
        QVERIFY2(joined.contains(caption), qPrintable(caption));
    for (int page = 1; page <= pages; ++page)
        QVERIFY(joined.contains(u"第%1页共%2页"_s.arg(page).arg(pages)));
}

void TestReport::pagesReadOnce_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("project"); // typed into the sheet window
    QTest::addColumn<QString>("caption"); // somewhere on the pages, blanks left out

    // 57 characters, wider than the running header leaves it.
    const QString longName = u"某市高新技术产业开发区新能源汽车零部件智能制造基地二期工程"
                             u"联合厂房及配套辅助用房钢结构工程（含地下室）施工图设计阶段"_s;
    QTest::newRow("I-section defaults")
        << u"menuG"_s << QStringList { u"confirm"_s } << QString() << u"(40+18α01.5)εk=80.57"_s;
    QTest::newRow("bracket F 1000") << u"menuGN"_s << QStringList { u"Text7=1000"_s, u"confirm"_s }
                                    << QString() << u"结论：有7项不满足要求"_s;
    QTest::newRow("I-section, B 200, L 30000: buckles in plane")
        << u"menuG"_s << QStringList { u"Text1=200"_s, u"Text16=30000"_s, u"confirm"_s }
        << QString() << u"N/N′Ex=3.67，不小于1.25"_s;
    QTest::newRow("I-section, 57-character project")
        << u"menuG"_s << QStringList { u"confirm"_s } << longName << longName;
    QTest::newRow("bracket, 57-character project")
        << u"menuGN"_s << QStringList { u"confirm"_s } << longName << longName;
}

void TestReport::pagesReadOnce()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);
    QFETCH(QString, project);
    QFETCH(QString, caption);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(menu, steps);
    QVERIFY(window);
    QInputMethodEvent typed;
    typed.setCommitString(project);
    QCoreApplication::sendEvent(window->findChild<QLineEdit*>(u"ProjectName"_s), &typed);
    const CalculationSheet& sheet = window->sheet();
    QCOMPARE(sheet.titleBlock.projectName, project);
    // A file name Windows takes too: no ':'.
    const QString path = m_scratch.filePath(
        QString::fromLatin1(QTest::currentDataTag()).replace(u':', u'-') + u".pdf"_s);
    QVERIFY(window->exportSheet(path));
    const int pages = window->previewPageCount();
    QVERIFY(pages >= 2);

    QSet<QString> captions; // a continued table's header row comes again
    for (const SheetPart& part : sheet.parts)
        captions.unite(QSet<QString>(part.table.header.cbegin(), part.table.header.cend()));
    QList<QStringList> body;
    for (int page = 1; page <= pages; ++page) {
        QStringList lines;
        for (const QString& line : pdfLines(path, page)) {
            const QStringList words = line.split(u' ');
            if (!line.contains(u"页 共"_s) && QString(line).remove(u' ').size() >= 4
                && !std::all_of(words.cbegin(), words.cend(),
                    [&](const QString& word) { return captions.contains(word); }))
                lines << line;
        }
        body << lines;
    }
    // A line cut by a page break stands on one page only.
    for (int n = 0; n + 1 < pages; ++n)
        for (const QString& line : body[n + 1])
            QVERIFY2(!body[n].contains(line), qPrintable(u"%1: %2"_s.arg(n + 1).arg(line)));
    // Read in the order of the text, a cell's lines together.
    const QString all = poppler(u"pdftotext"_s, { path, u"-"_s }).remove(QRegularExpression(u"\\s"_s));
    QVERIFY2(all.contains(caption), qPrintable(all));
    // The results on the page of their heading, no note alone on the last page.
    const SheetRow& lastResult = sheet.parts[1].table.rows.back();
    for (const QStringList& lines : body)
        if (lines.contains(sheet.parts[1].heading))
            QVERIFY(lines.join(u' ').contains(lastResult.cells.value(2).text));
    QVERIFY2(!body.back().front().startsWith(u"注"_s), qPrintable(body.back().front()));

    // The running header gives way to the page number, the title whole.
    const QString boxes1 = poppler(u"pdftotext"_s,
        { u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, path, u"-"_s });
    static const QRegularExpression word(
        u"<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)"_s);
    QList<std::pair<double, double>> spans;
    QString header;
    for (const QRegularExpressionMatch& m : word.globalMatch(boxes1)) {
        if (m.captured(2).toDouble() > 60) // below the rule, 15 + 6.75 mm down
            continue;
        spans << std::pair { m.captured(1).toDouble(), m.captured(3).toDouble() };
        header += m.captured(4);
    }
    std::sort(spans.begin(), spans.end());
    for (qsizetype i = 1; i < spans.size(); ++i)
        QVERIFY2(spans[i - 1].second <= spans[i].first, qPrintable(header));
    QVERIFY2(header.endsWith(sheet.title + u"第1页共%1页"_s.arg(pages)), qPrintable(header));

    // No cell's line holds one character: a word or a verdict breaks whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(sheetResolution);
    writer.setPageLayout(sheetPageLayout());
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet, &writer);
    document->documentLayout()->documentSize();
    for (QTextFrame* frame : document->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            for (int r = 0; r < table->rows(); ++r)
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextBlock block = table->cellAt(r, c).firstCursorPosition().block();
                    for (int i = 0; block.layout()->lineCount() > 1 && i < block.layout()->lineCount(); ++i) {
                        const QTextLine line = block.layout()->lineAt(i);
                        QVERIFY2(block.text().mid(line.textStart(), line.textLength()).trimmed().size() > 1,
                            qPrintable(block.text()));
                    }
                }
    QCOMPARE(boxes.texts(), QStringList());
}

void TestReport::openDocumentTextReadsAsTheSheet_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("I-section defaults") << u"menuG"_s << QStringList { u"confirm"_s };
    QTest::newRow("bracket F 1000") << u"menuGN"_s << QStringList { u"Text7=1000"_s, u"confirm"_s };
}

void TestReport::openDocumentTextReadsAsTheSheet()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);

    const QString reader = QStandardPaths::findExecutable(u"odt2txt"_s);
#ifdef Q_OS_WIN
    if (reader.isEmpty())
        QSKIP("odt2txt is missing");
#endif
    QVERIFY2(!reader.isEmpty(), "odt2txt is missing: install the Debian package odt2txt");
    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(menu, steps);
    QVERIFY(window);
    QInputMethodEvent typed;
    typed.setCommitString(u"某厂房 A&B"_s);
    QCoreApplication::sendEvent(window->findChild<QLineEdit*>(u"ProjectName"_s), &typed);
    const QString path
        = m_scratch.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".odt"_s);
    QVERIFY(window->exportSheet(path));
    QCOMPARE(window->findChild<QLabel*>(u"StatusLine"_s)->text(),
        u"已导出到："_s + QDir::toNativeSeparators(path));
    QCOMPARE(boxes.texts(), QStringList());

    QProcess process;
    process.start(reader, { u"--encoding=UTF-8"_s, path });
    QVERIFY(process.waitForFinished(30000) && process.exitCode() == 0);
    // Superscripts are raised in the file, marked "^" in the sheet's text.
    const auto plain = [](QString text) { return text.remove(QRegularExpression(u"[\\s^]"_s)); };
    const QString read = plain(QString::fromUtf8(process.readAllStandardOutput()));
    // Every cell and line of the sheet, in its order: title block, tables, notes.
    qsizetype at = 0;
    for (const QString& line : sheetPlainText(window->sheet()).split(u'\n'))
        for (const QString& cell : line.split(u'\t')) {
            if (plain(cell).isEmpty() || cell.startsWith(u"____"_s))
                continue;
            const qsizetype found = read.indexOf(plain(cell), at);
            QVERIFY2(found >= 0, qPrintable(cell + u" after: "_s + read.mid(at, 60)));
            at = found + plain(cell).size();
        }
    // The drawings as pictures in the file, one a drawing.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QSet<QByteArray> pictures;
    static const QRegularExpression picture(u"Pictures/[A-Za-z]+\\d+"_s);
    for (const QRegularExpressionMatch& m : picture.globalMatch(QString::fromLatin1(file.readAll())))
        pictures << m.captured().toLatin1();
    QCOMPARE(pictures.size(), 1);
}

void TestReport::exportFailureLeavesNoFile_data()
{
    QTest::addColumn<QString>("name"); // in a scratch folder
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing folder") << u"none/sheet.pdf"_s << u"不存在"_s;
    QTest::newRow("a folder") << u"folder"_s << u"文件夹"_s;
    QTest::newRow("name too long") << QString(300, u'x') + u".pdf"_s << u"文件名过长"_s;
#ifdef Q_OS_LINUX
    // The file outgrows the size limit half-way, as on a full disk.
    QTest::newRow("disk full, earlier file kept") << u"earlier.pdf"_s << u"磁盘空间"_s;
    QTest::newRow("disk full, earlier .odt kept") << u"earlier.odt"_s << u"磁盘空间"_s;
#endif
}

void TestReport::exportFailureLeavesNoFile()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir scratch;
    QDir folder(scratch.path());
    QVERIFY(folder.mkdir(u"folder"_s));
    const bool earlierName = name.startsWith(u"earlier"_s);
    QFile earlier(folder.filePath(earlierName ? name : u"earlier.pdf"_s));
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    earlier.close();
    const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"confirm"_s });
    QVERIFY(window);
    const QString path = folder.filePath(name);
#ifdef Q_OS_LINUX
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = earlierName ? 2048 : saved.rlim_cur;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = window->exportSheet(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
#else
    const bool written = window->exportSheet(path);
#endif

    QVERIFY(!written);
    QCOMPARE(boxes.texts().size(), 1);
    const QString box = boxes.texts().front();
    const QString kind = name.endsWith(u".odt"_s) ? u"ODT"_s : u"PDF"_s;
    QVERIFY2(box.startsWith(u"导出%1|计算书未能导出到："_s.arg(kind))
            && box.contains(QDir::toNativeSeparators(path)) && box.contains(reason),
        qPrintable(box));
    // Nothing new anywhere, the earlier file as it was, the program still on.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    QVERIFY(window->isVisible());
}

void TestReport::copyPutsHtmlAndText()
{
    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"Text7=1000"_s, u"confirm"_s });
    QVERIFY(window);
    // The title block as typed into the sheet window goes along.
    auto* project = window->findChild<QLineEdit*>(u"ProjectName"_s);
    QVERIFY(project);
    QInputMethodEvent typed; // as an input method commits it
    typed.setCommitString(u"某厂房 A&B"_s);
    QCoreApplication::sendEvent(project, &typed);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(window->findChild<QPushButton*>(u"CopyButton"_s), Qt::LeftButton);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasHtml() && data->hasText());
    QVERIFY(data->html().contains(u"某厂房 A&amp;B"_s));
    QVERIFY(
        data->text().split(u'\n').contains(u"工程名称\t某厂房 A&B\t工程编号\t________________"_s));
    QVERIFY(data->html().contains(u"<td style=\"white-space:pre\">281.56</td>"_s));
    QVERIFY(data->html().contains(u"f<sub>t</sub><sup>w</sup> = 185"_s));
    const QStringList lines = data->text().split(u'\n');
    QCOMPARE(lines.front(), u"钢牛腿强度计算书"_s);
    for (const QString& line :
        { u"竖向压力设计值\tF\t1000\tkN"_s,
            u"下翼缘外边的正应力\t281.56\tf = 215\t表4.4.1，Q235，t2 = 12 ≤ 16 mm\t1.31\t不满足要求\t第6.1.1条"_s,
            u"上翼缘焊缝应力\t372.02\tft^w = 185\t表4.4.5，三级对接焊缝受拉，Q235，t1 = 12 ≤ 16 mm\t2.01\t不满足要求\t第11.2.1条"_s,
            u"结论：有 7 项不满足要求"_s })
        QVERIFY2(lines.contains(line), qPrintable(line));
    QCOMPARE(boxes.texts(), QStringList());
}

void TestReport::followsItsCalculator_data()
{
    QTest::addColumn<QStringList>("after"); // steps once the sheet of F 400 is open
    QTest::addColumn<bool>("outdated");
    QTest::addColumn<QString>("load"); // F on the sheet shown

    const auto row = [](const char* name, QStringList after, bool outdated, const char* load) {
        QTest::newRow(name) << after << outdated << QString::fromUtf8(load);
    };
    row("new calculation refreshes", { u"Text7=500"_s, u"confirm"_s }, false, "500");
    row("edited input", { u"Text7=500"_s }, true, "400");
    row("steel grade typed", { u"Combo1+=C"_s }, true, "400");
    row("click stops at a fault", { u"Text7=500"_s, u"Text12=0"_s, u"confirm"_s }, true, "400");
    row("fault mended, calculated", { u"Text12=0"_s, u"confirm"_s, u"Text12=8"_s, u"confirm"_s },
        false, "400");
}

void TestReport::followsItsCalculator()
{
    QFETCH(QStringList, after);
    QFETCH(bool, outdated);
    QFETCH(QString, load);

    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"confirm"_s });
    QVERIFY(window);
    for (const QString& step : after)
        act(step);
    QCOMPARE(window->isOutdated(), outdated);
    QCOMPARE(window->findChild<QLabel*>(u"OutdatedLine"_s)->isVisibleTo(window), outdated);
    for (const QString& name : { u"PrintButton"_s, u"ExportButton"_s, u"CopyButton"_s })
        QCOMPARE(window->findChild<QPushButton*>(name)->isEnabled(), !outdated);
    QCOMPARE(window->findChild<QPushButton*>(u"CloseButton"_s)->isEnabled(), true);
    QCOMPARE(sheetText(window->sheet(), u"Text7"_s), load);
    // The pages show it too: M = F × e.
    QVERIFY(window->shownText().contains(load == u"500"_s ? u"225.00"_s : u"180.00"_s));

    // Out of date, nothing leaves the window: no file, no clipboard.
    const QString path
        = m_scratch.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
    QGuiApplication::clipboard()->setText(u"before"_s);
    window->copyToClipboard();
    QCOMPARE(window->exportSheet(path), !outdated);
    QCOMPARE(QFileInfo::exists(path), !outdated);
    QCOMPARE(QGuiApplication::clipboard()->text() == u"before"_s, outdated);
    if (!outdated) { // what leaves it is what the calculator shows
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            u"竖向压力设计值\tF\t"_s + load + u"\tkN"_s));
        QCOMPARE(window->findChild<QLabel*>(u"StatusLine"_s)->text(),
            u"已导出到："_s + QDir::toNativeSeparators(path));
    }
}

void TestReport::titleBlockPerCalculator()
{
    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"confirm"_s });
    QVERIFY(window);
    const auto type = [&](const QString& name, const QString& text) {
        auto* field = window->findChild<QLineEdit*>(name);
        QVERIFY2(field, qPrintable(name));
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QCoreApplication::sendEvent(field, &typed);
    };
    type(u"ProjectName"_s, u"某厂房"_s);
    type(u"Member"_s, u"NT-1"_s);
    type(u"CheckedBy"_s, u"李工"_s);

    // Written on the sheet, the running header on every page.
    const CalculationSheet& sheet = window->sheet();
    QCOMPARE(sheet.titleBlock.projectName, u"某厂房"_s);
    QCOMPARE(sheet.titleBlock.checkedBy, u"李工"_s);
    const QString path = m_scratch.filePath(u"titled.pdf"_s);
    QVERIFY(window->exportSheet(path));
    const QString text = poppler(u"pdftotext"_s, { path, u"-"_s }).remove(u' ');
    const int pages = window->previewPageCount();
    QVERIFY(pages >= 2);
    for (int page = 1; page <= pages; ++page)
        QVERIFY2(text.contains(u"某厂房·NT-1·钢牛腿强度计算书"_s)
                && text.contains(u"第%1页共%2页"_s.arg(page).arg(pages)),
            qPrintable(text.left(300)));
    // An empty field is a line to sign on, in the clipboard's text too.
    const QStringList lines = sheetPlainText(sheet).split(u'\n');
    QVERIFY(lines.contains(u"校对\t李工\t日期\t________________"_s));
    QVERIFY(lines.contains(u"审核\t________________\t日期\t________________"_s));

    // Each calculator keeps its own; the window shows the one it follows.
    QCOMPARE(openSheet(u"menuG"_s, { u"confirm"_s }), window);
    QCOMPARE(window->findChild<QLineEdit*>(u"ProjectName"_s)->text(), QString());
    QCOMPARE(window->sheet().titleBlock, TitleBlock {});
    type(u"ProjectName"_s, u"办公楼"_s);
    QCOMPARE(openSheet(u"menuGN"_s, {}), window);
    QCOMPARE(window->findChild<QLineEdit*>(u"ProjectName"_s)->text(), u"某厂房"_s);
    QCOMPARE(window->sheet().titleBlock.member, u"NT-1"_s);
    // A new calculation keeps the block.
    act(u"Text7=500"_s);
    act(u"confirm"_s);
    QCOMPARE(window->sheet().titleBlock.checkedBy, u"李工"_s);
    QCOMPARE(boxes.texts().size(), 0);
}

void TestReport::inputsAndConstantsAsRead_data()
{
    QTest::addColumn<QString>("typed"); // onto the defaults
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shownAs");

    QTest::newRow("full-width with 。")
        << u"Text3=１２。５"_s << QChar(u'.') << u"Text3"_s << u"12.5"_s;
    QTest::newRow("full-width under de_DE")
        << u"Text3=１２．５"_s << QChar(u',') << u"Text3"_s << u"12,5"_s;
    QTest::newRow("leading stop") << u"Text8=.45"_s << QChar(u'.') << u"Text8"_s << u"0.45"_s;
    QTest::newRow("leading comma") << u"Text8=,45"_s << QChar(u',') << u"Text8"_s << u"0,45"_s;
    QTest::newRow("digits kept") << u"Text1=200.000"_s << QChar(u'.') << u"Text1"_s << u"200.000"_s;
    QTest::newRow("exponent kept") << u"Text7=４Ｅ２"_s << QChar(u'.') << u"Text7"_s << u"4E2"_s;
}

void TestReport::inputsAndConstantsAsRead()
{
    QFETCH(QString, typed);
    QFETCH(QChar, separator);
    QFETCH(QString, field);
    QFETCH(QString, shownAs);

    const CalculationSheet sheet = typedBracketSheet(typed, separator);
    QCOMPARE(sheetText(sheet, field), shownAs);
    // The constants of the formulas with the same separator as the figures.
    const QString plain = sheetPlainText(sheet);
    const QChar other = separator == u'.' ? u',' : u'.';
    QVERIFY(plain.contains(u"0"_s + separator + u"5 × t"_s));
    QVERIFY(plain.contains(u"2 × 0"_s + separator + u"7"_s)
        || plain.contains(u"0"_s + separator + u"7 × h"_s));
    QVERIFY(!plain.contains(
        QRegularExpression(u"\\d"_s + QRegularExpression::escape(other) + u"\\d × "_s)));
    // The clause and the terms the code uses.
    for (const QString& term : { u"腹板厚度"_s, u"角焊缝焊脚尺寸"_s, u"截面模量"_s, u"弯矩"_s })
        QVERIFY2(plain.contains(term), qPrintable(term));
}

void TestReport::drawingToScaleOrSchematic_data()
{
    QTest::addColumn<QString>("typed"); // onto the bracket's defaults
    QTest::addColumn<QString>("reason"); // empty: to scale
    QTest::addColumn<QString>("label");

    QTest::newRow("defaults") << QString() << QString() << u"hw = 500"_s;
    QTest::newRow("a slip: t1 80 for 8") << u"Text3=80"_s << QString() << u"t1 = 80"_s;
    QTest::newRow("as read") << u"Text1=２００。0"_s << QString() << u"bf1 = 200.0"_s;
    QTest::newRow("zero") << u"Text4=0"_s << u"有尺寸为零或负值"_s << u"t2 = 0"_s;
    QTest::newRow("negative") << u"Text2=-200"_s << u"有尺寸为零或负值"_s << u"bf2 = -200"_s;
    QTest::newRow("1:250") << u"Text5=2 Text6=500"_s << u"尺寸之比超过 1:200"_s << u"ts = 2"_s;
    QTest::newRow("1:200 still drawn") << u"Text5=2.5 Text6=500"_s << QString() << u"ts = 2.5"_s;
    QTest::newRow("no number") << u"Text6=abc"_s << u"尺寸不是数字"_s << u"hw = abc"_s;
}

void TestReport::drawingToScaleOrSchematic()
{
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    QFETCH(QString, label);

    const CalculationSheet sheet = typedBracketSheet(typed);
    const SheetDrawing& drawing = *sheet.parts.front().drawing;
    QCOMPARE(drawing.schematicReason(), reason);
    const QStringList labels = drawing.labels();
    QVERIFY2(labels.contains(label), qPrintable(labels.join(u'|')));

    // Painted whatever the sizes, with the note when it is not to scale.
    QImage page(QSize(900, 420), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    const bool toScale = paintSheetDrawing(painter, QRectF(0, 0, 900, 408), drawing);
    painter.end();
    QCOMPARE(toScale, reason.isEmpty());
    QVERIFY(page != [] {
        QImage blank(QSize(900, 420), QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }());
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet);
    QCOMPARE(document->toPlainText().count(QChar::ObjectReplacementCharacter), 1);
}

void TestReport::drawingTextsStayApart_data()
{
    QTest::addColumn<QString>("typed"); // onto the bracket's defaults
    QTest::newRow("defaults") << QString();
    // A short arm brings e's dimension to the column face.
    QTest::newRow("e 0.1") << u"Text8=0.1"_s;
    QTest::newRow("e 0.02") << u"Text8=0.02"_s;
    QTest::newRow("e 3, F 12345.5") << u"Text8=3 Text7=12345.5"_s;
    QTest::newRow("a deep bracket") << u"Text6=1500 Text3=40"_s;
    QTest::newRow("a shallow, wide one") << u"Text6=100 Text1=600 Text2=600"_s;
}

void TestReport::drawingTextsStayApart()
{
    // Where each text of the painted drawing lies, as its paint engine is told.
    class TextPlaces : public QPaintEngine {
    public:
        QList<std::pair<QString, QRectF>> texts;
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        void drawPath(const QPainterPath&) override { }
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            texts.append({ item.text(),
                m_transform.mapRect(QRectF(at.x(), at.y() - item.ascent(), item.width(),
                    item.ascent() + item.descent())) });
        }
        Type type() const override { return User; }

    private:
        QTransform m_transform;
    };
    class Recorder : public QPaintDevice {
    public:
        TextPlaces engine;
        QPaintEngine* paintEngine() const override { return const_cast<TextPlaces*>(&engine); }

    protected:
        int metric(PaintDeviceMetric metric) const override
        {
            switch (metric) {
            case PdmWidth:
                return 900;
            case PdmHeight:
                return 420;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDepth:
                return 32;
            default:
                return QPaintDevice::metric(metric);
            }
        }
    };

    QFETCH(QString, typed);
    const CalculationSheet sheet = typedBracketSheet(typed);
    const SheetDrawing& drawing = *sheet.parts.front().drawing;
    Recorder recorder;
    QPainter painter(&recorder);
    QVERIFY(paintSheetDrawing(painter, QRectF(0, 0, 900, 408), drawing));
    painter.end();
    const auto& texts = recorder.engine.texts;
    QVERIFY(texts.size() >= 10);
    for (qsizetype a = 0; a < texts.size(); ++a)
        for (qsizetype b = a + 1; b < texts.size(); ++b)
            QVERIFY2(!texts[a].second.intersects(texts[b].second),
                qPrintable(texts[a].first + u" | "_s + texts[b].first));
}

void TestReport::writeFailureNamesTheReason_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");

    QTest::newRow("disk full") << ENOSPC << u"磁盘空间已满"_s;
#ifdef EDQUOT
    QTest::newRow("quota") << EDQUOT << u"磁盘配额已用完"_s;
#endif
    QTest::newRow("io") << EIO << u"磁盘读写出错"_s;
    QTest::newRow("read-only") << EROFS << u"没有写入权限"_s;
    QTest::newRow("other") << EINVAL << u"写入文件时出错"_s;
}

void TestReport::writeFailureNamesTheReason()
{
    QFETCH(int, error);
    QFETCH(QString, reason);

    // A device that takes the first piece and then fails as the system would.
    class Failing : public QBuffer {
    public:
        explicit Failing(int error)
            : m_error(error)
        {
        }

    protected:
        qint64 writeData(const char* data, qint64 size) override
        {
            if (pos() > 0) {
                errno = m_error;
                return -1;
            }
            return QBuffer::writeData(data, size);
        }

    private:
        int m_error;
    } device(error);
    QVERIFY(device.open(QIODevice::WriteOnly));
    const QByteArray bytes(100 * 1024, 'x');
    const QString said = writeChecked(device, bytes);
    QVERIFY2(said.startsWith(reason), qPrintable(said));
    QVERIFY(writeChecked(device, {}).isEmpty());

#ifdef Q_OS_LINUX
    // The kernel's own full disk.
    if (error == ENOSPC) {
        QFile full(u"/dev/full"_s);
        QVERIFY(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QString kernel = writeChecked(full, bytes);
        QVERIFY2(kernel.startsWith(reason), qPrintable(kernel));
    }
#endif
}

void TestReport::escapeAndHiddenCalculators()
{
    ModalBoxCatcher boxes;
    ReportWindow* window = openSheet(u"menuGN"_s, { u"confirm"_s });
    QVERIFY(window);
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());

    // The calculator's 退出 hides it; 计算书 still makes its sheet.
    act(u"Command2"_s);
    QCOMPARE(shown(), nullptr);
    act(u"menuReport"_s);
    QVERIFY(window->isVisible());
    QCOMPARE(window->sheet().title, u"钢牛腿强度计算书"_s);
    QCOMPARE(boxes.texts(), QStringList());
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
