// The I-section window as the engineer meets it: read-only results, captions
// that render, the drawing, a calculation and a fault.

#include "sectionform.h"
#include "svgpicture.h"
#include "uitest.h"
#include "verdictwindow.h"

#include <QComboBox>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSectionForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void init();
    void cleanup();

    void resultsCannotBeTypedIntoButCanBeCopied();
    void captionsRender();
    void titleUsesAKaiFace();
    void drawingIsRenderedSharp();
    void confirmWritesTheResults();
    void faultIsReportedAndTheInputSelected();
    void exitHides();
    void memberVerdicts_data();
    void memberVerdicts();

private:
    QLineEdit* field(const QString& name) const { return m_form->findChild<QLineEdit*>(name); }

    QMdiArea* m_area = nullptr;
    SectionForm* m_form = nullptr;
};

void TestSectionForm::init()
{
    m_form = new SectionForm;
    m_area = showInMdiArea(m_form);
    QVERIFY(m_area->isActiveWindow());
}

void TestSectionForm::cleanup()
{
    delete m_area;
    m_area = nullptr;
    m_form = nullptr;
}

void TestSectionForm::resultsCannotBeTypedIntoButCanBeCopied()
{
    QLineEdit* g = field(u"Text21"_s);
    g->setFocus();
    QTest::keyClicks(g, u"123"_s);
    QTest::keyClick(g, Qt::Key_Backspace);
    QCOMPARE(g->text(), u"Text21"_s);
    g->selectAll();
    QCOMPARE(g->selectedText(), u"Text21"_s);
    g->copy();
    QCOMPARE(QApplication::clipboard()->text(), u"Text21"_s);
}

void TestSectionForm::captionsRender()
{
    QCOMPARE(captionsWithMissingGlyphs(m_form), QStringList());
}

void TestSectionForm::titleUsesAKaiFace()
{
    for (const QString& name : { u"Label1(0)"_s, u"Label1(1)"_s }) {
        const QLabel* title = m_form->findChild<QLabel*>(name);
        QVERIFY(title);
        const QString family = QFontInfo(title->font()).family();
        QVERIFY2(title->font().families().contains(family), qPrintable(family));
    }
}

void TestSectionForm::drawingIsRenderedSharp()
{
    auto* picture = m_form->findChild<SvgPicture*>(u"Picture1"_s);
    QVERIFY(picture);
    QCOMPARE(picture->geometry(), QRect(8, 16, 417, 441));
    (void)m_form->grab();
    const QPixmap rendered = picture->renderedPixmap();
    QVERIFY(!rendered.isNull());
    // Fitted into the box with the drawing's own proportions, 413 × 472.
    QCOMPARE(rendered.height(), 441 - 2 * picture->frameWidth());
    QVERIFY(qAbs(rendered.width() - rendered.height() * 413 / 472) <= 1);
}

void TestSectionForm::confirmWritesTheResults()
{
    ModalBoxCatcher boxes;
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(field(u"Text5"_s)->text(), u"8104"_s);
    QCOMPARE(field(u"Text8"_s)->text(), u"135.10"_s);
    QCOMPARE(field(u"Text22"_s)->text(), u"636.164"_s); // kg, one piece of 10 m
}

void TestSectionForm::faultIsReportedAndTheInputSelected()
{
    field(u"Text12"_s)->setText(u"abc"_s);
    ModalBoxCatcher boxes;
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
    QCOMPARE(boxes.texts(),
        QStringList(
            u"计算错误|“轴力N”中的“abc”不是有效的数字。\n计算已在此处停止，其后的结果未更新。"_s));
    // Steps before N ran; σe onwards keep their old texts.
    QCOMPARE(field(u"Text11"_s)->text(), u"426692.23"_s);
    QCOMPARE(field(u"Text14"_s)->text(), QString());
    QCOMPARE(field(u"Text21"_s)->text(), u"Text21"_s);
    QTRY_COMPARE(QApplication::focusWidget(), field(u"Text12"_s));
    QCOMPARE(field(u"Text12"_s)->selectedText(), u"abc"_s);
}

void TestSectionForm::exitHides()
{
    field(u"Text1"_s)->setText(u"250"_s);
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(field(u"Text1"_s)->text(), u"250"_s);
}

void TestSectionForm::memberVerdicts_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("typed"); // control=text, or empty
    QTest::addColumn<QStringList>("verdicts"); // Check1 … Check6; empty: no window shown
    QTest::addColumn<QString>("plasticFactor"); // the label under σp

    // A flange beyond S5: its stability is not judged.
    QTest::newRow("defaults") << u"Q235B"_s << QString()
                              << QStringList { u"满足要求"_s, u"需按有效截面"_s, u"满足要求"_s,
                                     u"不满足要求"_s, u"未判断"_s, u"未判断"_s }
                              << u"γx = 1.0，翼缘超S3级"_s;
    QTest::newRow("in tension") << u"Q235B"_s << u"Text12=-150"_s
                                << QStringList { u"满足要求"_s, u"需按有效截面"_s, u"满足要求"_s,
                                       u"不适用"_s, u"不适用"_s, u"未判断"_s }
                                << u"γx = 1.0，翼缘超S3级"_s;
    // b′/t 12.13: S3, but the narrower section is overstressed, 242.14.
    QTest::newRow("a narrower flange")
        << u"Q235B"_s << u"Text1=200"_s
        << QStringList { u"不满足要求"_s, u"满足要求"_s, u"满足要求"_s, u"不满足要求"_s,
               u"不满足要求"_s, u"未判断"_s }
        << u"γx = 1.05，S3级截面"_s;
    QTest::newRow("an unknown grade")
        << u"Q999"_s << QString() << QStringList(6, u"未判断"_s) << u"γx = 1.0，未能分级"_s;
    // A fault takes the verdicts and γx of an earlier calculation away.
    QTest::newRow("a fault") << u"Q235B"_s << u"Text13=x"_s << QStringList() << QString();
}

void TestSectionForm::memberVerdicts()
{
    QFETCH(QString, grade);
    QFETCH(QString, typed);
    QFETCH(QStringList, verdicts);
    QFETCH(QString, plasticFactor);
    ModalBoxCatcher boxes;
    QPushButton* confirm = m_form->findChild<QPushButton*>(u"Command2"_s);
    QTest::mouseClick(confirm, Qt::LeftButton); // an earlier calculation
    m_form->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(grade);
    if (!typed.isEmpty())
        field(typed.section(u'=', 0, 0))->setText(typed.section(u'=', 1));
    QTest::mouseClick(confirm, Qt::LeftButton);
    QCOMPARE(boxes.texts().size(), verdicts.isEmpty() ? 1 : 0);
    VerdictWindow* window = m_form->verdictWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), u"SectionChecks"_s);
    QCOMPARE(window->isVisible(), !verdicts.isEmpty());
    QCOMPARE(m_form->findChild<QLabel*>(u"Label5"_s)->text(), plasticFactor);
    // Read out as a sentence: the sheet's marks for sub- and superscripts left out.
    const QString reason = m_form->findChild<QLabel*>(u"Label5"_s)->accessibleDescription();
    QVERIFY2(reason.startsWith(plasticFactor.left(4)) && !reason.contains(u'{')
            && !reason.contains(u'_'),
        qPrintable(reason));
    if (verdicts.isEmpty())
        return;
    QStringList shown;
    for (int n = 1; n <= 6; ++n)
        shown << window->findChild<QLabel*>(u"Check%1"_s.arg(n))->text();
    QCOMPARE(shown, verdicts);
    QVERIFY(window->accessibleDescription().startsWith(u"强度："_s));
}

QTEST_MAIN(TestSectionForm)
#include "tst_sectionform.moc"
