#include "mixedwidth.h"

#include <cmath>

[[noreturn]] void mixedwidth::stop(FaultKind kind)
{
    throw Fault { kind, {}, {} };
}

Double cube(Single x)
{
    const Double wide = widen(x);
    return (wide * wide) * wide;
}

Double squareRoot(Double x)
{
    if (x.value < 0)
        mixedwidth::stop(FaultKind::InvalidOperation);
    return { std::sqrt(x.value) };
}
