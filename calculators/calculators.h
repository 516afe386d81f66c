#pragma once

#include "fieldfacts.h"
#include "verdicts.h"

#include <optional>
#include <span>
#include <string_view>

// The program's calculators, each an entry: a new calculator is a folder of
// its own (fields, calculation, window, sheet) and one line here and in the
// frame's list of windows. Whatever serves every calculator loops over this.
struct CalculatorEntry {
    std::string_view id; // in step files and saved designs: "section", "bracket"
    std::string_view menuCaption; // the frame's command: "工字型截面性质"
    std::string_view menuName; // that command's object name: "menuG"
    FieldTable (*fields)();
    // One click of "确定输入" on the window's texts: the fault that stopped
    // it, if any.
    std::optional<Fault> (*calculate)(FieldTexts& fields, NumberFormat format);
    // The design checks judged after a complete calculation; none for a
    // calculator without checks.
    Verdicts (*judge)(const FieldTexts& fields, NumberFormat format) = nullptr;
};

std::span<const CalculatorEntry> calculators();

// The calculator of `id`, or nullptr.
const CalculatorEntry* findCalculator(std::string_view id);
