// The bracket window: its fields, how they are laid out and read, and what
// its two buttons do. The numbers of the check are tst_bracketcalculation's.

#include "bracketfields.h"
#include "form1.h"
#include "frmshow.h"
#include "twips.h"
#include "uitest.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    void captionsRender();
    void resultsCannotBeTypedInto();

    void childrenInsideTheirGroup();
    void siblingsDoNotOverlap();
    void captionsFitTheirLabels();

    void exitHidesTheWindow();
};

void TestForm1::captionsRender()
{
    Form1 form;
    QCOMPARE(captionsWithMissingGlyphs(&form), QStringList());
}

// Every field the check writes is a result: typing leaves it as it is.
void TestForm1::resultsCannotBeTypedInto()
{
    Form1 form;
    form.show();
    for (const FieldName result : BracketField::results) {
        auto* field = form.findChild<QLineEdit*>(QString::fromUtf8(result.data(), result.size()));
        QVERIFY(field);
        field->setFocus();
        QTest::keyClicks(field, u"12"_s);
        QVERIFY2(field->text().isEmpty(), result.data());
    }
}

// Nothing may be clipped by its container, nor sit on a group's caption.
void TestForm1::childrenInsideTheirGroup()
{
    Form1 form;
    QCOMPARE(clientOf(form)->size(), twipSize(15255, 11940));
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

void TestForm1::exitHidesTheWindow()
{
    Form1 form;
    form.show();
    QVERIFY(form.isVisible());
    QTest::mouseClick(form.findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(textOf(form, u"Text1"_s), u"200"_s); // hidden, not reset
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
