#include "fieldrow.h"

#include "controls.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QLabel* placeLabelIfDrawn(QWidget* parent, const FieldDrawing::Label& label, std::string_view text)
{
    if (label.name.isEmpty())
        return nullptr;
    const QRect where
        = twipRect(label.where.x(), label.where.y(), label.where.width(), label.where.height());
    QLabel* placed = placeLabel(parent, label.name, fromCore(text), where);
    placed->setAlignment(label.alignment);
    return placed;
}

// A little taller than a field where the window draws it so: the drop-down
// arrow needs the room.
QComboBox* placeChoice(QWidget* parent, const FieldFacts& facts, QRect where)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(fromCore(facts.control));
    box->setEditable(facts.open);
    // A typed value stays in the edit text only; the list stays as drawn.
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string_view choice : facts.choices)
        box->addItem(fromCore(choice));
    box->setCurrentText(fromCore(facts.designText));
    box->setGeometry(where);
    return box;
}

} // namespace

QString fieldLabelName(FieldName control, FieldLabel label)
{
    switch (label) {
    case FieldLabel::Caption:
        return fromCore(control) + QStringLiteral("Caption");
    case FieldLabel::Describe:
        return fromCore(control) + QStringLiteral("Describe");
    case FieldLabel::Formula:
        return fromCore(control) + QStringLiteral("Formula");
    case FieldLabel::Unit:
        break;
    }
    return fromCore(control) + QStringLiteral("Unit");
}

PlacedRow placeFieldRow(QWidget* parent, const FieldFacts& facts, const FieldDrawing& drawing,
    const QString& accessibleName)
{
    PlacedRow row;
    row.caption = placeLabelIfDrawn(parent, drawing.caption, facts.caption);
    row.formula = placeLabelIfDrawn(parent, drawing.formula, facts.formula);
    placeLabelIfDrawn(parent, drawing.unit, typedUnit(facts.unit));

    const QString name = fromCore(facts.control);
    const QString text = fromCore(facts.designText);
    const QRect where = twipRect(
        drawing.where.x(), drawing.where.y(), drawing.where.width(), drawing.where.height());
    if (facts.isChoice())
        row.field = placeChoice(parent, facts, where);
    else if (facts.role == FieldRole::Input)
        row.field = placeInputField(parent, name, text, where, accessibleName);
    else if (facts.role == FieldRole::Result)
        row.field = placeOutputField(parent, name, text, where, accessibleName);
    else
        row.field = placeFixedField(parent, name, text, where, accessibleName);
    // On Linux a combo box's accessible name is its current text; the name
    // reaches the screen reader through the caption it is linked to.
    if (facts.isChoice())
        row.field->setAccessibleName(accessibleName);
    if (QLabel* buddy = row.caption ? row.caption : row.formula)
        buddy->setBuddy(row.field);
    if (!facts.unit.empty())
        row.field->setAccessibleDescription(unitDescription(fromCore(facts.unit)));
    return row;
}
