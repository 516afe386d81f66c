#pragma once

#include "fieldsheet.h"
#include "steelstrength.h"

#include <optional>
#include <string>
#include <string_view>

// The materials the bracket window names, and the design strengths they give
// (GB 50017-2017 tables 4.4.1 and 4.4.5), N/mm².

enum class Electrode { E43, E50, E55, E60 };

// What the window's four material fields say, each as shown with the blanks
// around it trimmed, and what the tables make of it; none for a text they do
// not know. A window without the field is taken as drawn: Q235B, E43, 手工焊,
// 三级.
struct BracketMaterial {
    std::string grade, electrodeText, method, qualityText;
    std::optional<int> fy;
    std::optional<Electrode> electrode;
    std::optional<int> quality; // 1, 2 or 3

    // "Q235", or "Q345" for Q355: the row of the tables read.
    std::string tabulatedName() const;
};
BracketMaterial bracketMaterial(const FieldTexts& fields);

// "E43", "E5015": the electrode a type names by its first three characters.
std::optional<Electrode> electrodeOf(std::string_view text);

// "一级", "二级" or "三级": the butt welds' quality grade.
std::optional<int> weldQualityOf(std::string_view text);

// A butt weld in tension (table 4.4.5): f for quality grades one and two,
// the grade-three value below it otherwise.
double buttWeldTension(const PlateStrength& plate, int quality);

// The fillet welds' ff^w (table 4.4.5): the electrode's own value in the row
// of the steel, E43 160, E50 200, E55 200 with Q345 to Q390 and 220 with
// Q420 and Q460, E60 240, but no more than that row's matching electrode
// gives (160 for Q235, 200 for Q345 to Q390, 240 for Q420 and Q460): the
// table lists no stronger electrode for a steel, and the weaker of the two
// governs the weld. None for a grade the table does not know.
struct FilletStrength {
    double ffw;
    bool steelGoverns; // the electrode is stronger than the steel's row
};
std::optional<FilletStrength> filletWeldStrength(Electrode electrode, int fy);

std::string_view electrodeName(Electrode electrode);

// The thickest plate the strength tables cover, mm.
inline constexpr double thickestTabulatedPlate = 100;
