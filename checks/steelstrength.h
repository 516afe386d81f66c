#pragma once

#include <optional>
#include <string_view>

// The design strength f of steel plates, N/mm² (GB 50017-2017 table 4.4.1,
// tension, compression and bending), by grade and thickness.
struct PlateStrength {
    double f;
    std::string_view group; // the thickness group: "16 < t ≤ 40 mm"
};

// For a plate `t` mm thick of the grade whose yield strength is `fy`: Q235,
// Q345, Q355 (which the table, older than the grade, knows as Q345), Q390,
// Q420 or Q460. None for another fy, for t ≤ 0 or beyond the table's 100 mm.
std::optional<PlateStrength> plateStrength(int fy, double t);
