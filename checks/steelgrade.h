#pragma once

#include <optional>
#include <string>
#include <string_view>

// The yield strength fy, N/mm², that a steel grade as the window shows it
// names: Q235, Q345, Q355, Q390, Q420 or Q460, optionally followed by a
// quality letter A–E, blanks around it trimmed ("Q235B", " Q345 ", "Q460E").
// None for any other text, an empty one included.
std::optional<int> gradeYieldStrength(std::string_view grade);

// The grade's own text with the blanks around it trimmed.
std::string_view trimmedGrade(std::string_view grade);

// εk = √(235 ÷ fy), by which the code scales its slenderness limits.
double epsilonK(int fy);

// The sentence under the verdicts when a grade names no fy: which checks it
// leaves not judged ("受压翼缘宽厚比与腹板高厚比").
std::string unknownGradeNote(std::string_view checks);
