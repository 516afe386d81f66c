// Ten thousand random actions from a fixed seed against the whole program:
// menu commands, any text typed anywhere, the buttons, the verdict window and
// the close boxes. After each one the program must be in a sound state.

#include "calculators.h"
#include "calculatorwindow.h"
#include "fieldbinding.h"
#include "mdiform1.h"
#include "uitest.h"
#include "verdictwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int actionCount = 10000;
constexpr std::uint32_t seed = 20261208;

// Random texts that reach every corner of the number reader.
class TextMaker {
public:
    explicit TextMaker(std::mt19937& random)
        : m_random(random)
    {
    }

    QString next()
    {
        static const QStringList pieces { u"0"_s, u"1"_s, u"2"_s, u"5"_s, u"9"_s, u"00"_s, u"400"_s,
            u"12.5"_s, u"-"_s, u"+"_s, u"."_s, u","_s, u"E"_s, u"e"_s, u"E+"_s, u"e-"_s, u"39"_s,
            u"308"_s, u"999"_s, u" "_s, u"\t"_s, u"工字型"_s, u"牛腿"_s, u"１"_s, u"\u0001"_s,
            u"\u0000"_s, u"\n"_s, u"inf"_s, u"nan"_s, u"0x"_s, u"1e-400"_s, u"3.4028236e38"_s };
        const unsigned shape = pick(20);
        if (shape == 0)
            return {};
        if (shape == 1) // very long
            return QString(qsizetype(1000 + pick(20000)), QChar(u"19.,E-"[pick(6)]));
        if (shape < 8) // a plausible number
            return QString::number(
                double(pick(100000)) / double(1 + pick(100)), 'g', int(1 + pick(12)));
        QString text;
        for (unsigned i = 0, n = 1 + pick(6); i < n; ++i)
            text += pieces[qsizetype(pick(unsigned(pieces.size())))];
        return text;
    }

    unsigned pick(unsigned n) { return unsigned(m_random() % n); }

private:
    std::mt19937& m_random;
};

// Types as a keyboard would, one key event a character, CJK and control
// characters included (QTest::keyClicks knows only ASCII).
void typeInto(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void randomActionsLeaveTheProgramSound();

private:
    QList<CalculatorWindow*> existing() const { return m_frame->findChildren<CalculatorWindow*>(); }
    CalculatorWindow* visibleCalculator() const;
    void checkHiddenWindowsKeptTheirTexts();
    void rememberVisibleTexts();

    std::unique_ptr<MDIForm1> m_frame;
    QHash<QObject*, FieldTexts> m_lastSeen;
};

CalculatorWindow* TestMonkey::visibleCalculator() const
{
    for (CalculatorWindow* window : existing())
        if (window->isVisible())
            return window;
    return nullptr;
}

// The verdict window on screen, if one is.
static VerdictWindow* shownVerdicts()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* verdicts = qobject_cast<VerdictWindow*>(window);
            verdicts && verdicts->isVisible())
            return verdicts;
    return nullptr;
}

void TestMonkey::rememberVisibleTexts()
{
    m_lastSeen.clear();
    for (CalculatorWindow* window : existing())
        m_lastSeen.insert(window, readFieldTexts(window));
}

void TestMonkey::checkHiddenWindowsKeptTheirTexts()
{
    for (CalculatorWindow* window : existing())
        if (!window->isVisible() && m_lastSeen.contains(window))
            QCOMPARE(readFieldTexts(window), m_lastSeen.value(window));
}

void TestMonkey::randomActionsLeaveTheProgramSound()
{
    m_frame = std::make_unique<MDIForm1>();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    ModalBoxCatcher boxes;
    std::mt19937 random(seed);
    TextMaker texts(random);
    int faults = 0, calculations = 0;

    for (int step = 0; step < actionCount; ++step) {
        const qsizetype boxesBefore = boxes.texts().size();
        qsizetype boxesExpected = boxesBefore;
        CalculatorWindow* calculator = visibleCalculator();
        const unsigned action = texts.pick(20);
        const QString where = u"step %1, action %2"_s.arg(step).arg(action);

        if (action < 2 || !calculator) {
            const CalculatorList all = calculators();
            m_frame->findChild<QAction*>(fromCore(all[texts.pick(unsigned(all.size()))].menuName))
                ->trigger();
        } else if (action < 4) {
            // A whole plausible data set, so that calculations also run to the end.
            for (QLineEdit* field : calculator->findChildren<QLineEdit*>())
                if (!field->isReadOnly())
                    field->setText(QString::number(1 + texts.pick(600)));
        } else if (action < 10) {
            // Type into any field: inputs take it, results refuse it.
            const QList<QLineEdit*> fields = calculator->findChildren<QLineEdit*>();
            QLineEdit* field = fields[qsizetype(texts.pick(unsigned(fields.size())))];
            const QString before = field->text();
            const QString typed = texts.next();
            if (field->isReadOnly() || texts.pick(3) == 0) {
                field->setFocus();
                typeInto(field, typed.left(40));
            } else {
                field->setText(typed);
            }
            if (field->isReadOnly())
                QVERIFY2(field->text() == before, qPrintable(where + u' ' + field->objectName()));
        } else if (action < 14) {
            // 确定输入: exactly one fault report when the calculation stops.
            // The calculation reads the choices from a list too.
            const CalculatorEntry& entry = calculator->calculator();
            FieldTexts expected = readFieldTexts(calculator);
            FieldTexts read = expected;
            for (const QComboBox* combo : calculator->findChildren<QComboBox*>())
                read.insert_or_assign(toCore(combo->objectName()), toCore(combo->currentText()));
            std::optional<Fault> fault = entry.calculate(read, NumberFormat {});
            // A field only the checks read stops the click there.
            if (!fault && entry.judge)
                fault = entry.judge(read, NumberFormat {}).fault;
            for (auto& [control, text] : expected)
                text = read.at(control);
            boxesExpected += fault ? 1 : 0;
            faults += fault ? 1 : 0;
            ++calculations;
            QTest::mouseClick(
                calculator->findChild<QPushButton*>(fromCore(entry.confirmButton)), Qt::LeftButton);
            QCOMPARE(readFieldTexts(calculator), expected);
            // A calculator with checks shows its verdicts after a complete calculation.
            if (entry.checks) {
                const VerdictWindow* verdicts = calculator->verdictWindow();
                QVERIFY2((verdicts && verdicts->isVisible()) == !fault, qPrintable(where));
            }
        } else if (action < 15) {
            QTest::mouseClick(
                calculator->findChild<QPushButton*>(fromCore(calculator->calculator().exitButton)),
                Qt::LeftButton);
            QVERIFY(!calculator->isVisible());
        } else if (action < 17) {
            if (VerdictWindow* verdicts = shownVerdicts()) {
                if (texts.pick(2))
                    QTest::keyPress(verdicts, Qt::Key(Qt::Key_A + int(texts.pick(26))));
                else
                    QTest::mousePress(verdicts, Qt::LeftButton, {}, QPoint(20, 20));
                QVERIFY(!verdicts->isVisible());
            }
        } else if (action < 18) {
            if (auto* grade = calculator->findChild<QComboBox*>(u"Combo1"_s))
                grade->setCurrentText(texts.pick(2) ? u"Q345"_s : texts.next());
        } else if (action < 19) {
            if (texts.pick(4) == 0) { // the calculator's close box
                m_lastSeen.remove(calculator);
                calculator->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        } else if (VerdictWindow* verdicts = shownVerdicts()) {
            verdicts->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        QCoreApplication::processEvents();
        QVERIFY2(!QApplication::activeModalWidget(), qPrintable(where));
        QVERIFY2(boxes.texts().size() == boxesExpected, qPrintable(where));
        for (qsizetype i = boxesBefore; i < boxes.texts().size(); ++i)
            QVERIFY2(boxes.texts()[i].startsWith(u"计算错误|"_s), qPrintable(where));
        checkHiddenWindowsKeptTheirTexts();
        rememberVisibleTexts();
    }
    // The seed must have exercised both outcomes.
    QVERIFY(faults > 100);
    QVERIFY(calculations - faults > 100);
    qInfo("%d calculations, %d of them stopped by a fault", calculations, faults);
    m_frame.reset();
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
