#pragma once

#include <optional>
#include <string_view>

// The design strengths of steel plates and of the butt welds joining them,
// N/mm², by grade and thickness: GB 50017-2017 table 4.4.1 (f in tension,
// compression and bending, fv in shear) and, beside it, table 4.4.5's butt
// weld in tension of quality grade three, which the code tabulates by the
// same grades and thickness groups.
struct PlateStrength {
    double f;
    double fv;
    double ftwGradeThree; // a butt weld in tension, quality grade three
    std::string_view group; // the table's thickness group: "16 < t ≤ 40 mm"
};

// For a plate `t` mm thick of the grade whose yield strength is `fy`: Q235,
// Q345, Q355 (which the tables, older than the grade, know as Q345), Q390,
// Q420 or Q460. None for another fy, for t ≤ 0 or beyond the tables' 100 mm.
std::optional<PlateStrength> plateStrength(int fy, double t);

// The grade whose row of the tables `fy` is read from: 345 for Q355.
int tabulatedGrade(int fy);

// The end bearing strength fce of a planed and fitted plate (table 4.4.1),
// which the table gives by grade alone; none for a grade it does not know.
std::optional<double> endBearingStrength(int fy);
