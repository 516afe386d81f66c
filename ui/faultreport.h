#pragma once

#include "fault.h"

#include <QString>

class QWidget;

// The text of the report of a fault, naming the field by its caption.
QString faultMessage(const Fault& fault, const QString& fieldCaption);

// Reports a fault that stopped a calculation of `window` in a warning box
// titled "计算错误". The field is found by its control name and named by its
// accessible name (its label's caption); an input at fault then gets the
// focus with its text selected, ready to be corrected.
void reportFault(QWidget* window, const Fault& fault);
