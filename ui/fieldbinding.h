#pragma once

#include "coretext.h"
#include "fieldsheet.h"

#include <QString>

class QLocale;
class QWidget;

// Where the windows meet the numeric core, which speaks standard C++ only:
// field texts go across as UTF-8 by control name, the locale as its decimal
// separator.

// The texts of every named line edit under `window`.
FieldTexts readFieldTexts(const QWidget* window);

// Writes back each text that changed.
void writeFieldTexts(QWidget* window, const FieldTexts& texts);

// The decimal separator of `locale`; one that is not a single character (none
// ships today) gives the point.
NumberFormat numberFormatOf(const QLocale& locale);

// The number format of the user's locale, the one every window computes in.
NumberFormat userNumberFormat();
