#pragma once

#include "coretext.h"
#include "fieldfacts.h"

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// A calculator window draws each field from its row of the calculator's
// table (texts, unit, role) and its row of the window's drawing (where the
// labels and the field lie, in twips). The drawing names each label it has.
struct FieldDrawing {
    FieldName field;
    struct Label {
        QString name; // the label's control name; empty: the field has none
        QRect where; // twips
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    };
    Label caption; // takes the table's caption
    QRect where; // of the field, twips
    Label formula = {}; // takes the table's formula
    Label unit = {}; // takes the unit as typed ("mm2")
};

// The labels a window draws beside a field are named after it, by what they
// show: "Text1Caption" over an input, "Text22Describe" before a result,
// "Text22Formula", "Text22Unit".
enum class FieldLabel { Caption, Describe, Formula, Unit };
QString fieldLabelName(FieldName control, FieldLabel label);

struct PlacedRow {
    QLabel* caption = nullptr;
    QWidget* field = nullptr; // a line edit, or a combo box for a choice
    QLabel* formula = nullptr;
};

// Places the labels the drawing has and the field for its role: an input with
// its design-time text, a read-only result, fixed information, or a combo box
// of a choice's values (editable where the choice is open). The field is
// linked to its caption (or, without one, its formula) for screen readers,
// announced as `accessibleName` and described by its unit.
PlacedRow placeFieldRow(QWidget* parent, const FieldFacts& facts, const FieldDrawing& drawing,
    const QString& accessibleName);
