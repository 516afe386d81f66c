#pragma once

#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Controls placed by their control name at a rectangle already converted from
// twips. Each carries its name as objectName, which the program's acceptance
// checks rely on.

QLabel* placeLabel(QWidget* parent, const QString& name, const QString& caption, QRect where);
QGroupBox* placeGroup(QWidget* parent, const QString& name, const QString& caption, QRect where);
QPushButton* placeButton(QWidget* parent, const QString& name, const QString& caption, QRect where);

// An editable numeric field with its design-time text.
QLineEdit* placeInputField(QWidget* parent, const QString& name, const QString& text, QRect where,
    const QString& accessibleName);

// A result field: read-only, its text selectable and copyable, on the light
// grey of a classic active window border so that it stands apart from inputs.
// A text too long for it is drawn shortened around its exponent (ResultField).
QLineEdit* placeOutputField(QWidget* parent, const QString& name, const QString& text, QRect where,
    const QString& accessibleName);

// A read-only field without the result colour, for fixed information.
QLineEdit* placeFixedField(QWidget* parent, const QString& name, const QString& text, QRect where,
    const QString& accessibleName);

// What a screen reader says after a field's name: its unit ("mm²", "kN·m").
QString unitDescription(const QString& unit);
