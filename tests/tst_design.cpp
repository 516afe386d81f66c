// The design in the frame: saved and opened with the inputs as typed, the
// title blocks and the trials; files of earlier versions opened without a
// word, of newer ones with what they hold kept and named; bad files refused with nothing changed; the
// unsaved-changes prompt on each of its triggers; the trials kept; the
// calculators' shortcuts.

#include "bracketfields.h"
#include "calculators.h"
#include "calculatorwindow.h"
#include "coretext.h"
#include "designfile.h"
#include "newersample.h"
#include "form1.h"
#include "mdiform1.h"
#include "sectionform.h"
#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Answers the unsaved-changes prompt with one of its buttons ("save",
// "discard", "cancel") and counts how often it was asked.
struct PromptAnswer : QObject {
    QString button;
    int asked = 0;

    explicit PromptAnswer(QString answer)
        : button(std::move(answer))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == u"unsavedChanges"_s) {
            ++asked;
            auto* box = static_cast<QMessageBox*>(watched);
            QPushButton* chosen = box->findChild<QPushButton*>(button);
            QMetaObject::invokeMethod(chosen, &QPushButton::click, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

class TestDesign : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void roundTrip_data();
    void roundTrip();
    void earlierFileOpensSilently();
    void inputsAddedSinceOpenAsDrawn();
    void newerFileKept_data();
    void newerFileKept();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void saveFailureNamesThePath();
    void titleShowsFileAndChanges();
    void promptOnEachTrigger_data();
    void promptOnEachTrigger();
    void noPromptWhenNothingChanged_data();
    void noPromptWhenNothingChanged();
    void trialsAddedOncePerInputs();
    void trialsCappedAt200();
    void fileMenuFirstThenTheCommands();
    void calculatorShortcuts_data();
    void calculatorShortcuts();

private:
    CalculatorWindow* window(const QString& id)
    {
        return m_frame->calculatorWindow(id.toStdString());
    }
    QLineEdit* field(const QString& id, const QString& name)
    {
        return window(id)->findChild<QLineEdit*>(name);
    }
    void confirm(const QString& id)
    {
        QTest::mouseClick(window(id)->findChild<QPushButton*>(confirmButton(id)), Qt::LeftButton);
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<MDIForm1> m_frame;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDesign::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_frame = std::make_unique<MDIForm1>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestDesign::cleanup()
{
    m_frame.reset();
    QLocale::setDefault(QLocale::c());
}

void TestDesign::roundTrip_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    // Every calculator: its first input with a leading zero, the same number
    // as another text, which must come back as typed.
    for (const CalculatorEntry& entry : calculators()) {
        const FieldFacts& first = *std::find_if(entry.fields().begin(), entry.fields().end(),
            [](const FieldFacts& facts) { return facts.role == FieldRole::Input; });
        QTest::addRow("%s, %s", entry.id.data(), first.id.data())
            << fromCore(entry.id) << fromCore(first.control) << u'0' + fromCore(first.designText)
            << u"C"_s;
    }
    QTest::newRow("I-section, full width") << u"section"_s << u"Text1"_s << u"３５０"_s << u"C"_s;
    QTest::newRow("bracket, e") << u"bracket"_s << u"Text8"_s << u".5"_s << u"C"_s;
    QTest::newRow("bracket, comma locale") << u"bracket"_s << u"Text8"_s << u"0,45"_s << u"de_DE"_s;
    QTest::newRow("bracket, full width") << u"bracket"_s << u"Text7"_s << u"３８０"_s << u"C"_s;
}

void TestDesign::roundTrip()
{
    QFETCH(QString, calculator);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    ModalBoxCatcher boxes;

    field(calculator, control)->setText(text);
    confirm(calculator);
    QCOMPARE(window(calculator)->calculationState(), CalculationState::Complete);
    const QHash<QString, QString> figures = window(calculator)->calculationTexts();
    TitleBlock block;
    block.projectName = u"某厂房二期"_s;
    block.checkedBy = u"李工"_s;
    window(calculator)->setTitleBlock(block);
    QVERIFY(m_frame->hasUnsavedChanges());
    const QList<DesignTrial> trials = m_frame->trials(calculator.toStdString());
    QCOMPARE(trials.size(), 1);

    QVERIFY(m_frame->saveDesign(path(u"a.stelvana"_s)));
    QVERIFY(!m_frame->hasUnsavedChanges());
    m_frame->findChild<QAction*>(u"menuNew"_s)->trigger();
    QVERIFY(field(calculator, control)->text() != text);
    QCOMPARE(window(calculator)->titleBlock(), TitleBlock());
    QVERIFY(m_frame->trials(calculator.toStdString()).isEmpty());

    QVERIFY(m_frame->openDesign(path(u"a.stelvana"_s)));
    QCOMPARE(field(calculator, control)->text(), text);
    QCOMPARE(window(calculator)->titleBlock(), block);
    QCOMPARE(m_frame->trials(calculator.toStdString()), trials);
    QCOMPARE(window(calculator)->calculationState(), CalculationState::None);
    // Nothing in the file is a result: the results are back at their
    // design-time texts until the next click.
    const CalculatorEntry& entry = window(calculator)->calculator();
    for (const FieldFacts& facts : entry.fields())
        if (facts.role == FieldRole::Result) {
            QCOMPARE(
                field(calculator, fromCore(facts.control))->text(), fromCore(facts.designText));
        }
    QVERIFY(!m_frame->hasUnsavedChanges());

    confirm(calculator);
    QCOMPARE(window(calculator)->calculationTexts(), figures);
    QCOMPARE(boxes.texts(), QStringList());
}

// A file saved before the bracket was a calculator: the bracket as a new
// design has it, whatever was typed there, and no message; the design is no
// longer the file's.
// 1.0 saved no stiffener, bearing length or column: they open as drawn,
// whatever the window showed before.
void TestDesign::inputsAddedSinceOpenAsDrawn()
{
    ModalBoxCatcher boxes;
    field(u"bracket"_s, u"Text38"_s)->setText(u"30"_s);
    field(u"bracket"_s, u"Text33"_s)->setText(u"12"_s);
    window(u"bracket"_s)->findChild<QComboBox*>(u"Combo2"_s)->setCurrentText(u"无"_s);
    QVERIFY(m_frame->openDesign(QStringLiteral(STELVANA_SAVED_DESIGNS "/saved-1.0.stelvana")));
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(field(u"bracket"_s, u"Text1"_s)->text(), u"220"_s);
    for (const FieldFacts& facts : bracketFields().subspan(bracketFields().size() - 10)) {
        const QString control = fromCore(facts.control);
        const QString shown = facts.isChoice()
            ? window(u"bracket"_s)->findChild<QComboBox*>(control)->currentText()
            : field(u"bracket"_s, control)->text();
        QCOMPARE(control + u'=' + shown, control + u'=' + fromCore(facts.designText));
    }
}

void TestDesign::earlierFileOpensSilently()
{
    ModalBoxCatcher boxes;
    field(u"bracket"_s, u"Text8"_s)->setText(u"0.3"_s);
    window(u"bracket"_s)->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(u"Q345"_s);
    confirm(u"bracket"_s);
    Design design = designTimeDesign(calculators());
    design.calculators[u"section"_s].inputs[u"H"_s] = u"４５０"_s;
    QJsonObject root = QJsonDocument::fromJson(designBytes(design)).object();
    QJsonObject held = root[u"calculators"_s].toObject();
    held.remove(u"bracket"_s);
    root[u"calculators"_s] = held;
    root[u"programVersion"_s] = u"0.9"_s;
    QFile file(path(u"earlier.stelvana"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(root).toJson());
    file.close();

    QVERIFY(m_frame->openDesign(file.fileName()));
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(field(u"section"_s, u"Text2"_s)->text(), u"４５０"_s);
    QCOMPARE(field(u"bracket"_s, u"Text8"_s)->text(), u".45"_s);
    QCOMPARE(window(u"bracket"_s)->findChild<QComboBox*>(u"Combo1"_s)->currentText(), u"Q235B"_s);
    QVERIFY(m_frame->trials("bracket").isEmpty());
    QVERIFY(m_frame->hasUnsavedChanges());
    // Saved, the filled-in calculator is this program's writing.
    QVERIFY(m_frame->saveDesign(file.fileName()));
    QCOMPARE(readDesignFile(file.fileName(), calculators()).design->programVersion,
        designTimeDesign(calculators()).programVersion);
}

// A file a newer version wrote with a calculator and an input this one has
// not: one box names them; saved untouched it is the same file, byte for
// byte; typed over, what was kept goes beside the typing, under this
// program's version; after 新建 it is gone.
void TestDesign::newerFileKept_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<QByteArray>("saved");
    QFile file(QFINDTESTDATA("designs/newer-calculator.stelvana"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QTest::newRow("saved untouched") << QString() << bytes;
    QJsonObject newer = QJsonDocument::fromJson(bytes).object();
    newer[u"programVersion"_s] = designTimeDesign(calculators()).programVersion;
    QJsonObject held = newer[u"calculators"_s].toObject();
    QJsonObject bracket = held[u"bracket"_s].toObject();
    QJsonObject inputs = bracket[u"inputs"_s].toObject();
    inputs[u"F"_s] = u"380"_s;
    bracket[u"inputs"_s] = inputs;
    held[u"bracket"_s] = bracket;
    newer[u"calculators"_s] = held;
    QTest::newRow("typed over") << u"F=380"_s << QJsonDocument(newer).toJson();
    QTest::newRow("new design") << u"新建"_s << designBytes(designTimeDesign(calculators()));
}

void TestDesign::newerFileKept()
{
    QFETCH(QString, then);
    QFETCH(QByteArray, saved);
    ModalBoxCatcher boxes;
    QVERIFY(m_frame->openDesign(QFINDTESTDATA("designs/newer-calculator.stelvana")));
    QCOMPARE(boxes.texts(),
        QStringList { u"打开设计|此设计来自较新的版本：其中“角焊缝连接”本版本不能计算，"
                      u"“钢牛腿受力计算”的输入“stiffeners”本版本没有，已原样保留。"_s });
    QFile sample(QFINDTESTDATA("designs/newer-calculator.stelvana"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QByteArray sampleBytes = sample.readAll();
    QCOMPARE(m_frame->hasUnsavedChanges(), !calculatorsTheSampleLacks(sampleBytes).isEmpty());
    if (then == u"F=380"_s) {
        for (const FieldFacts& facts : window(u"bracket"_s)->calculator().fields())
            if (facts.id == "F")
                field(u"bracket"_s, fromCore(facts.control))->setText(u"380"_s);
    } else if (then == u"新建"_s) {
        if (m_frame->hasUnsavedChanges()) // a calculator filled in: saved first, so nothing asks
            QVERIFY(m_frame->saveDesign(path(u"filled.stelvana"_s)));
        m_frame->findChild<QAction*>(u"menuNew"_s)->trigger();
    }
    QVERIFY(m_frame->saveDesign(path(u"a.stelvana"_s)));
    QFile file(path(u"a.stelvana"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    if (then == u"新建"_s)
        QCOMPARE(written, saved);
    else
        QCOMPARE(asTheSampleHasIt(written, sampleBytes), asTheSampleHasIt(saved, sampleBytes));
    QCOMPARE(boxes.texts().size(), 1);
}

void TestDesign::badFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    const QByteArray good = designBytes(designTimeDesign(calculators()));
    QTest::newRow("empty") << QByteArray() << u"文件是空的"_s;
    QTest::newRow("not JSON") << QByteArray("<html></html>") << u"读不下去"_s;
    QTest::newRow("truncated") << good.first(good.size() / 2) << u"读不下去"_s;
    QTest::newRow("newer version")
        << QByteArray(good).replace("\"formatVersion\": 1", "\"formatVersion\": 9") << u"版本 9"_s;
    QTest::newRow("10 MB text") << QByteArray(good).replace(
        "\"member\": \"\"", "\"member\": \"" + QByteArray(10 * 1024 * 1024, 'x') + "\"")
                                << u"超过 10000 个字符"_s;
}

void TestDesign::badFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QVERIFY(m_frame->saveDesign(path(u"good.stelvana"_s)));
    field(u"section"_s, u"Text1"_s)->setText(u"222"_s);
    field(u"bracket"_s, u"Text8"_s)->setText(u"0,3"_s);
    const FieldTexts section = window(u"section"_s)->inputTexts();
    const FieldTexts bracket = window(u"bracket"_s)->inputTexts();
    const QString bad = path(u"bad.stelvana"_s);
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    ModalBoxCatcher boxes;
    QVERIFY(!m_frame->openDesign(bad));
    QCOMPARE(boxes.texts().size(), 1);
    const QString shown = boxes.texts().front();
    QVERIFY2(shown.contains(QDir::toNativeSeparators(bad)) && shown.contains(problem),
        qPrintable(shown));
    QCOMPARE(window(u"section"_s)->inputTexts(), section);
    QCOMPARE(window(u"bracket"_s)->inputTexts(), bracket);
    QCOMPARE(m_frame->designPath(), QFileInfo(path(u"good.stelvana"_s)).absoluteFilePath());
    QVERIFY(m_frame->hasUnsavedChanges());
}

void TestDesign::saveFailureNamesThePath()
{
    field(u"section"_s, u"Text1"_s)->setText(u"222"_s);
    const QString nowhere = path(u"no such folder/a.stelvana"_s);
    ModalBoxCatcher boxes;
    QVERIFY(!m_frame->saveDesign(nowhere));
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY2(boxes.texts().front().contains(QDir::toNativeSeparators(nowhere))
            && boxes.texts().front().contains(u"原因：文件夹"_s)
            && boxes.texts().front().contains(u"不存在"_s),
        qPrintable(boxes.texts().front()));
    QVERIFY(m_frame->hasUnsavedChanges());
    QVERIFY(m_frame->designPath().isEmpty());
}

void TestDesign::titleShowsFileAndChanges()
{
    QCOMPARE(m_frame->windowTitle(), u"Stelvana[*]"_s);
    QVERIFY(!m_frame->isWindowModified());
    field(u"bracket"_s, u"Text7"_s)->setText(u"390"_s);
    QVERIFY(m_frame->isWindowModified());
    QVERIFY(m_frame->saveDesign(path(u"牛腿.stelvana"_s)));
    QCOMPARE(m_frame->windowTitle(), u"牛腿.stelvana[*] - Stelvana"_s);
    QVERIFY(!m_frame->isWindowModified());
    window(u"bracket"_s)->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(u"Q345"_s);
    QVERIFY(m_frame->isWindowModified());
}

void TestDesign::promptOnEachTrigger_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("goesOn"); // the exit, close, new or open went ahead
    QTest::addColumn<bool>("saved");
    for (const QString& trigger : { u"exit"_s, u"close"_s, u"new"_s, u"recent"_s }) {
        QTest::addRow("%s, save", qPrintable(trigger)) << trigger << u"save"_s << true << true;
        QTest::addRow("%s, discard", qPrintable(trigger))
            << trigger << u"discard"_s << true << false;
        QTest::addRow("%s, cancel", qPrintable(trigger))
            << trigger << u"cancel"_s << false << false;
    }
}

void TestDesign::promptOnEachTrigger()
{
    QFETCH(QString, trigger);
    QFETCH(QString, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);
    const QString file = path(u"design.stelvana"_s);
    QVERIFY(m_frame->saveDesign(file));
    field(u"section"_s, u"Text2"_s)->setText(u"333"_s);
    PromptAnswer prompt(answer);

    bool wentOn = false;
    if (trigger == u"exit"_s) {
        QTimer::singleShot(
            0, m_frame.get(), [this] { m_frame->findChild<QAction*>(u"menuExit"_s)->trigger(); });
        // A way out if the exit never comes, gone with this row: a stray
        // exit would end the modal loops of the rows after it.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        guard.start(2000);
        wentOn = QApplication::exec() == 0;
    } else if (trigger == u"close"_s) {
        wentOn = m_frame->close();
    } else if (trigger == u"new"_s) {
        m_frame->findChild<QAction*>(u"menuNew"_s)->trigger();
        wentOn = field(u"section"_s, u"Text2"_s)->text() == u"300"_s;
    } else {
        m_frame->findChild<QAction*>(u"menuRecent1"_s)->trigger();
        wentOn = !m_frame->hasUnsavedChanges();
    }
    QCOMPARE(prompt.asked, 1);
    QCOMPARE(wentOn, goesOn);
    const DesignReading read = readDesignFile(file, calculators());
    QVERIFY(read.design);
    QCOMPARE(read.design->calculators[u"section"_s].inputs[u"H"_s] == u"333"_s, saved);
}

void TestDesign::noPromptWhenNothingChanged_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("exit") << u"exit"_s;
    QTest::newRow("close") << u"close"_s;
    QTest::newRow("new") << u"new"_s;
    QTest::newRow("after a calculation is saved") << u"saved"_s;
}

void TestDesign::noPromptWhenNothingChanged()
{
    QFETCH(QString, trigger);
    PromptAnswer prompt(u"cancel"_s);
    ModalBoxCatcher boxes;
    if (trigger == u"exit"_s) {
        QTimer::singleShot(
            0, m_frame.get(), [this] { m_frame->findChild<QAction*>(u"menuExit"_s)->trigger(); });
        QCOMPARE(QApplication::exec(), 0);
    } else if (trigger == u"close"_s) {
        QVERIFY(m_frame->close());
    } else if (trigger == u"new"_s) {
        m_frame->findChild<QAction*>(u"menuNew"_s)->trigger();
    } else {
        confirm(u"section"_s);
        QVERIFY(m_frame->saveDesign(path(u"s.stelvana"_s)));
        QVERIFY(m_frame->close());
    }
    QCOMPARE(prompt.asked, 0);
}

void TestDesign::trialsAddedOncePerInputs()
{
    ModalBoxCatcher boxes;
    confirm(u"bracket"_s);
    confirm(u"bracket"_s); // the same inputs: no second row
    QCOMPARE(m_frame->trials("bracket").size(), 1);
    field(u"bracket"_s, u"Text7"_s)->setText(u"410"_s);
    confirm(u"bracket"_s);
    const QList<DesignTrial> trials = m_frame->trials("bracket");
    QCOMPARE(trials.size(), 2);
    QCOMPARE(trials[1].inputs[u"F"_s], u"410"_s);
    QCOMPARE(trials[1].results[u"sigma"_s], window(u"bracket"_s)->calculationTexts()[u"Text22"_s]);
    QCOMPARE(trials[0].results[u"checksMet"_s], u"20/20"_s); // the web under the load is the stiffener's
    QVERIFY(trials[0].results[u"sigma"_s] != trials[1].results[u"sigma"_s]);
    QVERIFY(m_frame->trials("section").isEmpty());
    // Checks the inputs leave unjudged are counted apart, not as failures.
    window(u"bracket"_s)->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(u"Q500"_s);
    confirm(u"bracket"_s);
    field(u"bracket"_s, u"Text3"_s)->setText(u"-12"_s);
    confirm(u"bracket"_s);
    const QList<DesignTrial> judged = m_frame->trials("bracket");
    QCOMPARE(judged[2].results[u"checksMet"_s], u"7/20（13项未判断）"_s);
    QCOMPARE(judged[3].results[u"checksMet"_s], u"未判断"_s);
}

void TestDesign::trialsCappedAt200()
{
    ModalBoxCatcher boxes;
    for (int n = 1; n <= 203; ++n) {
        field(u"section"_s, u"Text12"_s)->setText(QString::number(n));
        confirm(u"section"_s);
    }
    const QList<DesignTrial> trials = m_frame->trials("section");
    QCOMPARE(trials.size(), 200);
    QCOMPARE(trials.front().inputs[u"N"_s], u"4"_s);
    QCOMPARE(trials.back().inputs[u"N"_s], u"203"_s);
    QVERIFY(m_frame->saveDesign(path(u"many.stelvana"_s)));
    QVERIFY(readDesignFile(path(u"many.stelvana"_s), calculators()).design);
}

void TestDesign::fileMenuFirstThenTheCommands()
{
    QStringList names;
    for (const QAction* action : m_frame->menuBar()->actions())
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
    QStringList expected { u"menuFile"_s };
    for (const CalculatorEntry& entry : calculators())
        expected << fromCore(entry.menuName);
    QCOMPARE(names, expected << u"menuReport"_s << u"menuExit"_s);
    // The two first calculators keep the order their menu always had.
    QVERIFY(expected.indexOf(u"menuG"_s) < expected.indexOf(u"menuGN"_s));
    QCOMPARE(m_frame->menuBar()->actions().front()->text(), u"文件(&F)"_s);
    for (const QString& name : { u"menuNew"_s, u"menuOpen"_s, u"menuSave"_s, u"menuSaveAs"_s })
        QVERIFY2(!m_frame->findChild<QAction*>(name)->shortcut().isEmpty(), qPrintable(name));
}

void TestDesign::calculatorShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << u"menuG"_s << u"SectionForm"_s;
    QTest::newRow("Ctrl+2") << int(Qt::Key_2) << u"menuGN"_s << u"Form1"_s;
}

void TestDesign::calculatorShortcuts()
{
    QFETCH(int, key);
    QFETCH(QString, action);
    QFETCH(QString, shown);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    QTest::keyClick(m_frame.get(), Qt::Key(key), Qt::ControlModifier);
    QWidget* window = m_frame->findChild<QWidget*>(shown);
    QVERIFY(window && window->isVisible());
    const QAction* command = m_frame->findChild<QAction*>(action);
    QVERIFY2(command->toolTip().contains(u"Ctrl+"_s + QChar(key)), qPrintable(command->toolTip()));
    QVERIFY(!command->text().contains(u'&'));
}

QTEST_MAIN(TestDesign)
#include "tst_design.moc"
