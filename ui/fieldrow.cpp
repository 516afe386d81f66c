#include "fieldrow.h"

#include "controls.h"
#include "twips.h"

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
    switch (facts.role) {
    case FieldRole::Input:
        row.field = placeInputField(parent, name, text, where, accessibleName);
        break;
    case FieldRole::Result:
        row.field = placeOutputField(parent, name, text, where, accessibleName);
        break;
    case FieldRole::Information:
        row.field = placeFixedField(parent, name, text, where, accessibleName);
        break;
    }
    if (QLabel* buddy = row.caption ? row.caption : row.formula)
        buddy->setBuddy(row.field);
    if (!facts.unit.empty())
        row.field->setAccessibleDescription(unitDescription(fromCore(facts.unit)));
    return row;
}
