#pragma once

#include <string>

// Why a calculation stopped.
enum class FaultKind {
    NotANumber, // a field's text does not read as a number
    OutOfRange, // a value read or computed lies outside its width's range
    DivisionByZero, // a non-zero value divided by zero
    InvalidOperation, // 0 ÷ 0, the square root of a negative, and the like
};

// The one fault type of every calculation. `field` is the control name of the
// field concerned: the input or read-back whose text failed, or the output
// whose result could not be computed. `text` is the offending text (UTF-8), if
// any.
struct Fault {
    FaultKind kind;
    std::string field;
    std::string text;
};
