#pragma once

#include <optional>
#include <string_view>

// The yield strength fy, N/mm², that a steel grade as the window shows it
// names: Q235, Q345, Q355, Q390, Q420 or Q460, optionally followed by a
// quality letter A–E, blanks around it trimmed ("Q235B", " Q345 ", "Q460E").
// None for any other text, an empty one included.
std::optional<int> gradeYieldStrength(std::string_view grade);

// The grade's own text with the blanks around it trimmed.
std::string_view trimmedGrade(std::string_view grade);
