#pragma once

// The widths the calculations compute in. A Single holds a float and a Double
// a double; each operator below performs exactly one IEEE operation at the
// width of its result and stops the calculation with a Fault when that
// operation divides by zero, overflows or is invalid, so no infinity or NaN
// ever reaches a field.
//
// The rules:
//   Single op Single, Single op small integer constant -> Single
//   Double op Double, Double op constant               -> Double
//   a Single enters a Double operation only through widen(), written out;
//   powers and square roots are Doubles.
// Small integer constants (2, 3, 12, 20, 1000) are 16-bit integers, checked at
// compile time; a larger one (1000000) or a decimal constant (0.5, 1.4) can
// only meet a Double.

#include "fault.h"

#include <cmath>
#include <concepts>

// A whole-number constant that fits a 16-bit signed integer. Only an int
// literal converts, so a slip such as `t * 0.5` does not compile.
struct SmallInt {
    template <std::same_as<int> I>
    consteval SmallInt(I v)
        : value(v)
    {
        if (v < -32768 || v > 32767)
            throw "a small integer constant must fit in 16 bits";
    }
    int value;
};

// Each width names the constants it may meet.
struct Single {
    using Constant = SmallInt;
    static Single of(SmallInt k) { return { float(k.value) }; }
    float value;
};

struct Double {
    using Constant = double;
    static Double of(double k) { return { k }; }
    double value;
};

template <typename W>
concept Width = std::same_as<W, Single> || std::same_as<W, Double>;

namespace mixedwidth {

// The step that runs the operation names the field.
[[noreturn]] void stop(FaultKind kind);

// Operands are always finite (parsing admits no infinity or NaN), so an
// infinite result is an overflow and a NaN an invalid operation.
template <typename T> T checked(T result)
{
    if (std::isnan(result))
        stop(FaultKind::InvalidOperation);
    if (std::isinf(result))
        stop(FaultKind::OutOfRange);
    return result;
}

template <typename T> T quotient(T dividend, T divisor)
{
    if (divisor == 0)
        stop(dividend == 0 ? FaultKind::InvalidOperation : FaultKind::DivisionByZero);
    return checked(dividend / divisor);
}

} // namespace mixedwidth

// One IEEE operation at the operands' width. Both operands have the same
// width: a Single and a Double deduce no width, so mixing them without
// widen() does not compile.
template <Width W> W operator+(W a, W b)
{
    return { mixedwidth::checked(a.value + b.value) };
}
template <Width W> W operator-(W a, W b)
{
    return { mixedwidth::checked(a.value - b.value) };
}
template <Width W> W operator*(W a, W b)
{
    return { mixedwidth::checked(a.value * b.value) };
}
template <Width W> W operator/(W a, W b)
{
    return { mixedwidth::quotient(a.value, b.value) };
}
inline Single operator-(Single a)
{
    return { -a.value };
}

// With a constant of the width's own kind: a small integer for a Single, any
// constant for a Double.
template <Width W> W operator+(W a, typename W::Constant k)
{
    return a + W::of(k);
}
template <Width W> W operator-(W a, typename W::Constant k)
{
    return a - W::of(k);
}
template <Width W> W operator*(W a, typename W::Constant k)
{
    return a * W::of(k);
}
template <Width W> W operator/(W a, typename W::Constant k)
{
    return a / W::of(k);
}
template <Width W> W operator*(typename W::Constant k, W a)
{
    return W::of(k) * a;
}

// A Single enters a Double operation only through this, written out.
inline Double widen(Single s)
{
    return { double(s.value) };
}

// A Double stored into a Single: rounded to the nearest Single, once; a value
// beyond the Single range overflows.
inline Single roundToSingle(Double d)
{
    return { mixedwidth::checked(float(d.value)) };
}

// x raised to the power 3, in Double. The widened Single squares exactly in a
// double, so the result is the correctly rounded cube on every platform.
Double cube(Single x);

// x raised to the power 0.5: the square root, in Double; negative x is invalid.
Double squareRoot(Double x);
