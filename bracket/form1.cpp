#include "form1.h"

#include "twips.h"

Form1::Form1() : CalculatorWindow(QStringLiteral("Form1"), QStringLiteral("钢牛腿设计"), twipSize(14130, 10230)) {}
