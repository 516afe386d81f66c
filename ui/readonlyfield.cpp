#include "readonlyfield.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

class ReadOnlyFieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyFieldAccessible(QLineEdit* field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? field()->text() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text, its selection and the cursor, as the field has them.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && field()->hasSelectedText()) {
            *start = field()->selectionStart();
            *end = field()->selectionEnd();
        }
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int start, int end) override
    {
        field()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return field()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(field()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

QAccessibleInterface* readOnlyFieldFactory(const QString&, QObject* object)
{
    auto* field = qobject_cast<QLineEdit*>(object);
    if (field && (field->isReadOnly() || object->inherits("ResultField")))
        return new ReadOnlyFieldAccessible(field);
    return nullptr;
}

} // namespace

void installReadOnlyFieldAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(readOnlyFieldFactory);
        return true;
    }();
    (void)installed;
}
