#include "mixedwidth.h"

#include "fault.h"

#include <cmath>

namespace {

[[noreturn]] void stop(FaultKind kind)
{
    // The step that runs the operation names the field.
    throw Fault { kind, {}, {} };
}

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

} // namespace

Double widen(Single s)
{
    return { double(s.value) };
}

Single operator+(Single a, Single b)
{
    return { checked(a.value + b.value) };
}
Single operator-(Single a, Single b)
{
    return { checked(a.value - b.value) };
}
Single operator*(Single a, Single b)
{
    return { checked(a.value * b.value) };
}
Single operator/(Single a, Single b)
{
    return { quotient(a.value, b.value) };
}
Single operator-(Single a)
{
    return { -a.value };
}

Single operator+(Single a, SmallInt k)
{
    return a + Single { float(k.value) };
}
Single operator-(Single a, SmallInt k)
{
    return a - Single { float(k.value) };
}
Single operator*(Single a, SmallInt k)
{
    return a * Single { float(k.value) };
}
Single operator/(Single a, SmallInt k)
{
    return a / Single { float(k.value) };
}
Single operator*(SmallInt k, Single a)
{
    return Single { float(k.value) } * a;
}

Double operator+(Double a, Double b)
{
    return { checked(a.value + b.value) };
}
Double operator-(Double a, Double b)
{
    return { checked(a.value - b.value) };
}
Double operator*(Double a, Double b)
{
    return { checked(a.value * b.value) };
}
Double operator/(Double a, Double b)
{
    return { quotient(a.value, b.value) };
}

Double operator+(Double a, double k)
{
    return a + Double { k };
}
Double operator-(Double a, double k)
{
    return a - Double { k };
}
Double operator*(Double a, double k)
{
    return a * Double { k };
}
Double operator/(Double a, double k)
{
    return a / Double { k };
}
Double operator*(double k, Double a)
{
    return Double { k } * a;
}

Double cube(Single x)
{
    const Double wide = widen(x);
    return (wide * wide) * wide;
}

Double squareRoot(Double x)
{
    if (x.value < 0)
        stop(FaultKind::InvalidOperation);
    return { std::sqrt(x.value) };
}
