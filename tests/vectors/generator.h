#pragma once

#include "steptext.h"

#include <cstdint>
#include <vector>

// Seeded steps for one calculator, typed into the inputs of its table:
// ordinary designs typed as an engineer types them, magnitudes across both widths' ranges
// (subnormal Singles, the edges of FLT_MAX and DBL_MAX, underflow to zero), exact ties for the
// two-decimal rounding, zeros, negative values and malformed text, with a
// share of the steps in a comma (and a few in an Arabic) decimal locale.
//
// The draws use only integer arithmetic on a generator of our own, so a seed
// gives the same steps with every compiler and standard library.
std::vector<Step> generateSteps(Calculator calculator, std::uint64_t seed, std::size_t count);
