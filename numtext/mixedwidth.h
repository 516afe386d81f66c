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

#include <concepts>

struct Single {
    float value;
};

struct Double {
    double value;
};

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

Double widen(Single s);

Single operator+(Single a, Single b);
Single operator-(Single a, Single b);
Single operator*(Single a, Single b);
Single operator/(Single a, Single b);
Single operator-(Single a);

Single operator+(Single a, SmallInt k);
Single operator-(Single a, SmallInt k);
Single operator*(Single a, SmallInt k);
Single operator/(Single a, SmallInt k);
Single operator*(SmallInt k, Single a);

Double operator+(Double a, Double b);
Double operator-(Double a, Double b);
Double operator*(Double a, Double b);
Double operator/(Double a, Double b);

Double operator+(Double a, double k);
Double operator-(Double a, double k);
Double operator*(Double a, double k);
Double operator/(Double a, double k);
Double operator*(double k, Double a);

// Mixing widths without widen() is a slip; say so at compile time.
void operator+(Single, Double) = delete;
void operator-(Single, Double) = delete;
void operator*(Single, Double) = delete;
void operator/(Single, Double) = delete;
void operator+(Double, Single) = delete;
void operator-(Double, Single) = delete;
void operator*(Double, Single) = delete;
void operator/(Double, Single) = delete;

// x raised to the power 3, in Double. The widened Single squares exactly in a
// double, so the result is the correctly rounded cube on every platform.
Double cube(Single x);

// x raised to the power 0.5: the square root, in Double; negative x is invalid.
Double squareRoot(Double x);
