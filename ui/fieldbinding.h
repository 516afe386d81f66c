#pragma once

#include "fieldsheet.h"

class QWidget;

// Between a window's line edits and the field texts a calculation works on,
// by control name.

// The texts of every named line edit under `window`.
FieldTexts readFieldTexts(const QWidget* window);

// Writes back each text that changed.
void writeFieldTexts(QWidget* window, const FieldTexts& texts);
