// Display scaling: run under QT_SCALE_FACTOR (1, 1.25, 1.5, 2), every window
// keeps its layout in device-independent pixels, its captions still fit,
// the pictures are rendered at the device pixel ratio, never scaled up from a
// small bitmap, a result too long for its field is still drawn readably, and
// the bracket's figures of ordinary brackets are never shortened at all.

#include "calculators.h"
#include "calculatorwindow.h"
#include "coretext.h"
#include "fieldpairs.h"
#include "form1.h"
#include "frmshow.h"
#include "resultfield.h"
#include "svgpicture.h"
#include "uitest.h"

#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestScaling : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void calculatorWindows_data();
    void calculatorWindows();
    void bracketFiguresShowWhole_data();
    void bracketFiguresShowWhole();
    void verdictWindow();

private:
    qreal m_factor = 1;
};

void TestScaling::initTestCase()
{
    prepareTestApplication();
    m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s).toDouble();
    QVERIFY(m_factor >= 1);
}

void TestScaling::calculatorWindows_data()
{
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QSize>("clientSize"); // as drawn, where it is known here
    const QHash<QString, QSize> drawn { { u"section"_s, QSize(1016, 947) },
        { u"bracket"_s, QSize(1017, 796) } };
    for (const CalculatorEntry& entry : calculators())
        QTest::newRow(entry.id.data()) << fromCore(entry.id) << drawn.value(fromCore(entry.id));
}

void TestScaling::calculatorWindows()
{
    QFETCH(QString, calculator);
    QFETCH(QSize, clientSize);
    QMdiSubWindow* window = newCalculatorWindow(calculator);
    const std::unique_ptr<QMdiArea> area(showInMdiArea(window));
    QVERIFY(area->isVisible());
    QCOMPARE(area->devicePixelRatioF(), m_factor);

    const QWidget* client = window->findChild<QWidget*>(window->objectName() + u"Client"_s);
    if (clientSize.isValid())
        QCOMPARE(client->size(), clientSize); // the layout is in device-independent pixels
    const QPixmap shot = window->grab();
    QCOMPARE(shot.devicePixelRatio(), m_factor);

    for (const SvgPicture* picture : window->findChildren<SvgPicture*>()) {
        const QPixmap rendered = picture->renderedPixmap();
        QVERIFY2(!rendered.isNull(), qPrintable(picture->objectName()));
        QCOMPARE(rendered.devicePixelRatio(), m_factor);
        // Device pixels: the box's logical size times the ratio.
        const QSizeF logical = QSizeF(rendered.size()) / m_factor;
        QVERIFY2(qAbs(logical.width() - qRound(logical.width())) < 1.0 / m_factor + 0.01,
            qPrintable(picture->objectName()));
        QVERIFY(rendered.width() >= qFloor(picture->contentsRect().width() * m_factor * 0.8));
    }
    // A result too long for its field keeps its sign, leading digits and
    // exponent in what is drawn, at every scale.
    const QString huge = u"-2.85586886530293E+29"_s;
    for (ResultField* result : window->findChildren<ResultField*>()) {
        result->setText(huge);
        const QString shown = result->displayedText();
        QVERIFY2(shown.startsWith(u"-2.8"_s) && shown.endsWith(u"E+29"_s),
            qPrintable(result->objectName() + u": "_s + shown));
        QCOMPARE(result->grab().toImage(), asPlainLineEdit(result, shown));
        QCOMPARE(result->toolTip(), huge);
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QRect needed = label->fontMetrics().boundingRect(QRect(QPoint(), label->size()),
            int(label->alignment()) | Qt::TextWordWrap, label->text().trimmed());
        QVERIFY2(needed.height() <= label->height() + 2 && needed.width() <= label->width() + 2,
            qPrintable(label->objectName()));
    }
}

void TestScaling::bracketFiguresShowWhole_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("defaults") << QString();
    QTest::newRow("bf1 100, bf2 300") << u"Text1=100 Text2=300"_s;
    QTest::newRow("bf2 400, F 1050, e 0.08") << u"Text2=400 Text7=1050 Text8=0.08"_s;
    QTest::newRow("F 600, e 0.2") << u"Text7=600 Text8=0.2"_s;
    QTest::newRow("unequal plates")
        << u"Text1=150 Text2=250 Text3=14 Text4=16 Text5=12 Text6=450 Text7=520.5 Text8=.38 "
           "Text12=8"_s;
    QTest::newRow("heavy load") << u"Text7=700 Text8=0.6"_s;
}

void TestScaling::bracketFiguresShowWhole()
{
    QFETCH(QString, typed);
    auto* form = new Form1;
    const std::unique_ptr<QMdiArea> area(showInMdiArea(form));
    const FieldTexts inputs = fieldPairs(typed);
    for (const auto& [name, text] : inputs)
        form->findChild<QLineEdit*>(QString::fromStdString(name))
            ->setText(QString::fromStdString(text));
    form->findChild<QPushButton*>(u"Command1"_s)->click();
    if (FrmShow* verdicts = FrmShow::existing())
        verdicts->hide();
    for (const ResultField* result : form->findChildren<ResultField*>())
        QVERIFY2(result->displayedText() == result->text(),
            qPrintable(result->objectName() + u": "_s + result->displayedText()));
}

void TestScaling::verdictWindow()
{
    // As drawn, before any notes make it grow.
    delete FrmShow::existing();
    FrmShow* verdicts = FrmShow::instance();
    verdicts->show();
    QVERIFY(QTest::qWaitForWindowExposed(verdicts));
    QCOMPARE(verdicts->size(), QSize(312, 568));
    const QPixmap shot = verdicts->grab();
    QCOMPARE(shot.devicePixelRatio(), m_factor);
    QCOMPARE(shot.size(), (QSizeF(312, 568) * m_factor).toSize());
    delete verdicts;
}

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
