#pragma once

#include "calculatorwindow.h"

// The bracket window (钢牛腿设计). Layout being written.
class Form1 : public CalculatorWindow {
    Q_OBJECT
public:
    Form1();
};
