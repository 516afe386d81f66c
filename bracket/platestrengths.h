#pragma once

#include "mixedwidth.h"

#include <optional>
#include <string_view>

// The design strengths the bracket is checked with, N/mm²: Q235 plates
// (GB 50017-2017 table 4.4.1) welded with E43 electrodes, the flange butt
// welds of quality grade three (table 4.4.5). Whatever grade, electrode or
// weld quality the window shows, these are the values taken; for a higher
// grade they are on the safe side.
struct PlateStrengths {
    double f; // tension, compression and bending; also fc^w of a butt weld
    double fv; // shear
    double ftw; // a butt weld in tension, quality grade three
    std::string_view group; // the thickness group: "16 < t ≤ 40 mm"
};

// The strengths of a plate `t` mm thick, the Single the calculation read,
// compared as a Double; none for t ≤ 0 or beyond the table's 100 mm.
std::optional<PlateStrengths> q235Strengths(Single t);

// The fillet welds' strength with E43 electrodes, table 4.4.5.
inline constexpr double filletWeldStrength = 160;

// The thickest plate the strength table covers, mm.
inline constexpr double thickestTabulatedPlate = 100;
