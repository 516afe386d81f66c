#pragma once

#include "bracketsearch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The sizes a search tries, as an engineer writes them: a range of widths
// from, to and step ("150", "400", "10"), or a list of plate thicknesses
// ("6, 8, 10, 12"). Each size becomes the text a window would hold; a size
// written twice, or two texts the calculation reads as one Single ("6",
// "6.0", "６"), are one size, kept as first written.

struct SizesRead {
    std::vector<std::string> sizes;
    std::string problem; // why there are none, in Chinese; empty when read
};

// from, from + step, … up to to, each as its general text. The step's
// rounding never drops the last size: 0.1 × 3 still reaches 0.3.
SizesRead sizesInRange(
    std::string_view from, std::string_view to, std::string_view step, NumberFormat format);

// The sizes of a list, as typed, separated by spaces, commas (unless the
// comma is the decimal separator), "、" or semicolons, full-width or not.
SizesRead sizesInList(std::string_view list, NumberFormat format);

// What keeps a space from being searched, in Chinese: a size list without a
// size, or more sections than the largest search.
std::optional<std::string> searchSpaceProblem(const BracketSearchSpace& space);
