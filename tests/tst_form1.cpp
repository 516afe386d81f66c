// The bracket window: its fields, how they are laid out and read, and what
// its two buttons do. The numbers of the check are tst_bracketcalculation's.

#include "form1.h"
#include "frmshow.h"
#include "twips.h"
#include "uitest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QWidget* clientOf(Form1& form)
{
    return form.findChild<QWidget*>(u"Form1Client"_s);
}

// The controls the window places, on the client or in a group box; not the
// parts Qt builds inside them (a combo box's line edit, say).
bool isPlacedControl(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return !w->objectName().isEmpty() && parent
        && (parent->objectName() == u"Form1Client"_s || qobject_cast<const QGroupBox*>(parent));
}

QList<QWidget*> placedChildren(QWidget* container)
{
    QList<QWidget*> children;
    for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (isPlacedControl(w))
            children << w;
    return children;
}

QList<QWidget*> containers(Form1& form)
{
    QList<QWidget*> list { clientOf(form) };
    for (QGroupBox* group : clientOf(form)->findChildren<QGroupBox*>())
        list << group;
    return list;
}

QStringList outputFields()
{
    QStringList names;
    for (int n = 13; n <= 32; ++n)
        names << u"Text%1"_s.arg(n);
    return names;
}

QString textOf(Form1& form, const QString& field)
{
    return form.findChild<QLineEdit*>(field)->text();
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareTestApplication(); }
    void cleanup() { delete FrmShow::existing(); }

    void fieldAtStart_data();
    void fieldAtStart();
    void steelGradeList();
    void captionsRender();

    void placedAsDrawn_data();
    void placedAsDrawn();
    void childrenInsideTheirGroup();
    void siblingsDoNotOverlap();
    void captionsFitTheirLabels();
    void tabFollowsReadingOrder();

    void exitHidesTheWindow();
    void confirmFillsEveryResultAndShowsVerdicts();
};

void TestForm1::fieldAtStart_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("result"); // on the result background

    const auto input = [](const char* field, const char* group, const QString& text) {
        QTest::newRow(field) << QString::fromLatin1(field) << QString::fromLatin1(group) << text
                             << false << false;
    };
    input("Text1", "Frame1", u"200"_s);
    input("Text2", "Frame1", u"200"_s);
    input("Text3", "Frame1", u"12"_s);
    input("Text4", "Frame1", u"12"_s);
    input("Text5", "Frame1", u"10"_s);
    input("Text6", "Frame1", u"500"_s);
    input("Text7", "Frame2", u"400"_s);
    input("Text8", "Frame2", u".45"_s);
    input("Text12", "Frame3", u"10"_s);

    QTest::newRow("Text9") << u"Text9"_s << u"Frame3"_s << u"E43"_s << true << false;
    QTest::newRow("Text10") << u"Text10"_s << u"Frame3"_s << u"手工焊"_s << true << false;
    QTest::newRow("Text11") << u"Text11"_s << u"Frame3"_s << u"三级"_s << true << false;

    for (const QString& field : outputFields()) {
        const QString group = field.mid(4).toInt() >= 29 ? u"Frame6"_s : u"Frame4"_s;
        QTest::newRow(qPrintable(field)) << field << group << QString() << true << true;
    }
}

void TestForm1::fieldAtStart()
{
    QFETCH(QString, field);
    QFETCH(QString, group);
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    QFETCH(bool, result);

    Form1 form;
    auto* edit = form.findChild<QLineEdit*>(field);
    QVERIFY(edit);
    QCOMPARE(edit->parentWidget()->objectName(), group);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->isReadOnly(), readOnly);
    const QColor inputBase
        = form.findChild<QLineEdit*>(u"Text1"_s)->palette().color(QPalette::Base);
    QCOMPARE(edit->palette().color(QPalette::Base) != inputBase, result);
}

void TestForm1::steelGradeList()
{
    Form1 form;
    auto* steel = form.findChild<QComboBox*>(u"Combo1"_s);
    QVERIFY(steel);
    QCOMPARE(steel->parentWidget()->objectName(), u"Frame3"_s);
    QVERIFY(steel->isEditable());
    QCOMPARE(steel->count(), 2);
    QCOMPARE(steel->itemText(0), u"Q235B"_s);
    QCOMPARE(steel->itemText(1), u"Q345"_s);
    QCOMPARE(steel->currentText(), u"Q235B"_s);
}

void TestForm1::captionsRender()
{
    Form1 form;
    QCOMPARE(captionsWithMissingGlyphs(&form), QStringList());
}

// Groups, buttons and pictures where the drawing has them. Where a size was
// changed to fit, only the corner is compared.
void TestForm1::placedAsDrawn_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("drawn");
    QTest::addColumn<bool>("sizeToo");

    const auto row = [](const char* control, const char* parent, QRect drawn, bool sizeToo) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(parent)
                               << drawn << sizeToo;
    };
    row("Frame1", "Form1Client", twipRect(120, 120, 5055, 1695), true);
    row("Frame3", "Form1Client", twipRect(120, 1920, 5055, 1935), true);
    row("Frame2", "Form1Client", twipRect(5520, 120, 5055, 1455), true);
    row("Frame5", "Form1Client", twipRect(5520, 1680, 5055, 2175), true);
    row("Frame4", "Form1Client", twipRect(120, 4080, 10455, 5895), true);
    row("Frame6", "Frame4", twipRect(7080, 2760, 3255, 3015), true);
    row("Command1", "Form1Client", twipRect(11040, 3600, 1335, 375), false);
    row("Command2", "Form1Client", twipRect(12360, 3600, 1215, 375), true);
    row("Picture1", "Form1Client", twipRect(10920, 120, 3015, 3255), true);
    row("Picture2", "Form1Client", twipRect(10800, 4200, 4335, 5055), true);
    row("Label51", "Form1Client", twipRect(10800, 9600, 4455, 615), true);
    row("Label38(1)", "Frame5", twipRect(120, 360, 4815, 735), false);
    row("Label9(1)", "Frame5", twipRect(120, 1320, 4815, 375), false);
    row("Label1(0)", "Frame1", twipRect(120, 480, 1080, 270), false);
    row("Label1(2)", "Frame1", twipRect(120, 1200, 1080, 270), false);
    row("Label1(3)", "Frame1", twipRect(2640, 480, 1080, 270), false);
    row("Label1(5)", "Frame1", twipRect(2640, 1200, 1080, 270), false);
    row("Text1", "Frame1", twipRect(1200, 480, 1200, 270), false);
    row("Text6", "Frame1", twipRect(3720, 1200, 1200, 270), false);
}

void TestForm1::placedAsDrawn()
{
    QFETCH(QString, control);
    QFETCH(QString, parent);
    QFETCH(QRect, drawn);
    QFETCH(bool, sizeToo);

    Form1 form;
    auto* w = form.findChild<QWidget*>(control);
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), parent);
    QCOMPARE(w->pos(), drawn.topLeft());
    if (sizeToo)
        QCOMPARE(w->size(), drawn.size());
}

// Nothing may be clipped by its container, nor sit on a group's caption.
void TestForm1::childrenInsideTheirGroup()
{
    Form1 form;
    QCOMPARE(clientOf(form)->size(), twipSize(15255, 10230));
    for (QWidget* container : containers(form)) {
        const bool group = qobject_cast<QGroupBox*>(container);
        const int captionBottom = group ? QFontMetrics(container->font()).height() : 0;
        for (const QWidget* child : placedChildren(container)) {
            const QString where = child->objectName() + u" in "_s + container->objectName();
            QVERIFY2(container->rect().contains(child->geometry()), qPrintable(where));
            QVERIFY2(child->y() >= captionBottom, qPrintable(where + u" covers the caption"_s));
        }
    }
}

// Touching is allowed (a label ending where its field begins); covering is not.
void TestForm1::siblingsDoNotOverlap()
{
    Form1 form;
    for (QWidget* container : containers(form)) {
        const QList<QWidget*> children = placedChildren(container);
        for (qsizetype i = 0; i < children.size(); ++i)
            for (qsizetype j = i + 1; j < children.size(); ++j)
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                    qPrintable(children[i]->objectName() + u" and "_s + children[j]->objectName()));
    }
}

void TestForm1::captionsFitTheirLabels()
{
    Form1 form;
    form.show(); // labels take their final font and style once shown
    const QList<QLabel*> labels = clientOf(form)->findChildren<QLabel*>();
    QVERIFY(labels.size() > 60);
    for (const QLabel* label : labels) {
        // A trailing line break draws nothing in a top-aligned label.
        QString text = label->text();
        while (text.endsWith(u'\n'))
            text.chop(1);
        const QRect room = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = QFontMetrics(label->font()).boundingRect(room, flags, text);
        QVERIFY2(room.contains(needed),
            qPrintable(u"%1 needs %2 × %3, has %4 × %5"_s.arg(label->objectName())
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height())));
    }
}

void TestForm1::tabFollowsReadingOrder()
{
    const QStringList expected { u"Text1"_s, u"Text4"_s, u"Text2"_s, u"Text5"_s, u"Text3"_s,
        u"Text6"_s, u"Text7"_s, u"Text8"_s, u"Combo1"_s, u"Text9"_s, u"Text10"_s, u"Text11"_s,
        u"Text12"_s };
    Form1 form;
    QWidget* first = form.findChild<QWidget*>(u"Text1"_s);
    QStringList order;
    QWidget* w = first;
    do {
        if (isPlacedControl(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first && order.size() < 100);

    QCOMPARE(order.mid(0, expected.size()), expected);
    QCOMPARE(order.mid(expected.size(), 20), outputFields());
    QCOMPARE(order.mid(expected.size() + 20), (QStringList { u"Command1"_s, u"Command2"_s }));
}

void TestForm1::exitHidesTheWindow()
{
    Form1 form;
    form.show();
    QVERIFY(form.isVisible());
    QTest::mouseClick(form.findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(textOf(form, u"Text1"_s), u"200"_s); // hidden, not reset
}

void TestForm1::confirmFillsEveryResultAndShowsVerdicts()
{
    Form1 form;
    form.show();
    ModalBoxCatcher boxes;
    QTest::mouseClick(form.findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(boxes.texts(), QStringList());
    for (const QString& field : outputFields())
        QVERIFY2(!textOf(form, field).isEmpty(), qPrintable(field));
    QVERIFY(FrmShow::existing());
    QVERIFY(FrmShow::existing()->isVisible());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
