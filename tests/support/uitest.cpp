#include "uitest.h"

#include "calculators.h"
#include "calculatorwindows.h"
#include "coretext.h"
#include "startup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QTextLayout>

void prepareTestApplication()
{
    applyProgramLook();
    QLocale::setDefault(QLocale::c());
    // Recent files and the frame's place go to a scratch folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
}

CalculatorWindow* newCalculatorWindow(const QString& id)
{
    for (const CalculatorWindowEntry& entry : calculatorWindows())
        if (fromCore(entry.calculator->id) == id)
            return entry.create();
    return nullptr;
}

QString confirmButton(const QString& calculatorId)
{
    return fromCore(findCalculator(toCore(calculatorId))->confirmButton);
}

QMdiArea* showInMdiArea(QMdiSubWindow* window)
{
    auto* area = new QMdiArea;
    area->resize(1200, 900);
    area->addSubWindow(window);
    area->show();
    window->showMaximized();
    if (QTest::qWaitForWindowExposed(area)) {
        area->activateWindow();
        (void)QTest::qWaitForWindowActive(area);
    }
    return area;
}

QString missingGlyphs(const QString& text, const QFont& font)
{
    QString missing;
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            continue;
        QTextLayout layout(QString(c), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        bool found = false;
        for (const QGlyphRun& run : layout.glyphRuns())
            for (quint32 glyph : run.glyphIndexes())
                found = found || glyph != 0; // glyph 0 is the font's "missing" box
        if (!found && !missing.contains(c))
            missing += c;
    }
    return missing;
}

QStringList captionsWithMissingGlyphs(const QWidget* root)
{
    QStringList faults;
    const auto check = [&](const QWidget* w, const QString& text) {
        const QString missing = missingGlyphs(text, w->font());
        if (!missing.isEmpty())
            faults << w->objectName() + QStringLiteral(": ") + missing;
    };
    check(root, root->windowTitle());
    // Menu commands are actions of their menu bar, not child widgets.
    const auto checkActions = [&](const QWidget* w) {
        for (const QAction* action : w->actions())
            check(w, action->text());
    };
    checkActions(root);
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        checkActions(w);
        if (auto* label = qobject_cast<const QLabel*>(w))
            check(w, label->text());
        else if (auto* group = qobject_cast<const QGroupBox*>(w))
            check(w, group->title());
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            check(w, button->text());
        else if (auto* field = qobject_cast<const QLineEdit*>(w))
            check(w, field->text());
    }
    return faults;
}

QImage asPlainLineEdit(const QLineEdit* like, const QString& text)
{
    QLineEdit plain(text, like->parentWidget());
    plain.setGeometry(like->geometry());
    plain.setPalette(like->palette());
    plain.setTextMargins(like->textMargins());
    plain.setReadOnly(like->isReadOnly());
    plain.setCursorPosition(0);
    plain.show();
    return plain.grab().toImage();
}

// Watches every widget being shown; a modal box is recorded and dismissed
// from inside its own event loop as soon as that loop runs.
struct ModalBoxCatcher::State : QObject {
    QStringList texts;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isModal()) {
                if (auto* box = qobject_cast<QMessageBox*>(widget))
                    texts << box->windowTitle() + u'|' + box->text();
                else
                    texts << widget->windowTitle() + QStringLiteral("|(not a message box)");
                QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

ModalBoxCatcher::ModalBoxCatcher()
    : m_state(new State)
{
    QCoreApplication::instance()->installEventFilter(m_state);
}

ModalBoxCatcher::~ModalBoxCatcher()
{
    delete m_state;
}

QStringList ModalBoxCatcher::texts() const
{
    return m_state->texts;
}
