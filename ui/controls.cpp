#include "controls.h"

#include "resultfield.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace {

// The classic Windows active-border colour (system colour 10).
constexpr QColor resultBackground(180, 180, 180);

// Enter or Return on a focused button presses it, as on Windows. autoDefault
// would do the same, but styles then reserve a default-button frame and draw
// the focused button as a default one; these buttons keep their look.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QPushButton::keyPressEvent(event);
            return;
        }
        // A held key presses once: each press runs a whole calculation.
        if (!event->isAutoRepeat())
            click();
        event->accept();
    }
};

template <typename Control> Control* named(Control* control, const QString& name, QRect where)
{
    control->setObjectName(name);
    control->setGeometry(where);
    return control;
}

QLineEdit* placeField(
    QLineEdit* field, const QString& name, QRect where, const QString& accessibleName)
{
    named(field, name, where);
    field->setAccessibleName(accessibleName);
    // The fields are 18 px high, as drawn: no extra margins, so the digits stay whole.
    field->setTextMargins(0, 0, 0, 0);
    field->setCursorPosition(0);
    return field;
}

} // namespace

QLabel* placeLabel(QWidget* parent, const QString& name, const QString& caption, QRect where)
{
    auto* label = named(new QLabel(caption, parent), name, where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QGroupBox* placeGroup(QWidget* parent, const QString& name, const QString& caption, QRect where)
{
    return named(new QGroupBox(caption, parent), name, where);
}

QPushButton* placeButton(QWidget* parent, const QString& name, const QString& caption, QRect where)
{
    QPushButton* button = named(new CommandButton(caption, parent), name, where);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* placeInputField(QWidget* parent, const QString& name, const QString& text, QRect where,
    const QString& accessibleName)
{
    return placeField(new QLineEdit(text, parent), name, where, accessibleName);
}

QLineEdit* placeOutputField(QWidget* parent, const QString& name, const QString& text, QRect where,
    const QString& accessibleName)
{
    QLineEdit* field = placeField(new ResultField(text, parent), name, where, accessibleName);
    field->setReadOnly(true);
    // Selectable with the mouse, passed over by Tab.
    field->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, resultBackground);
    field->setPalette(palette);
    return field;
}

QLineEdit* placeFixedField(QWidget* parent, const QString& name, const QString& text, QRect where,
    const QString& accessibleName)
{
    // Read-only before it holds any text, as a result field is.
    auto* fixed = new QLineEdit(parent);
    fixed->setReadOnly(true);
    fixed->setText(text);
    QLineEdit* field = placeField(fixed, name, where, accessibleName);
    field->setFocusPolicy(Qt::ClickFocus);
    return field;
}

QString unitDescription(const QString& unit)
{
    return QStringLiteral("单位：") + unit;
}
