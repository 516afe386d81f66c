#pragma once

#include "fieldsheet.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a calculator window holds, one row a field: written once, beside the
// calculation, and read by the window that draws it, the calculation sheet,
// the vector runner, the fuzz targets and the tests. Texts are UTF-8.
enum class FieldRole {
    Input, // typed by the engineer, read by the calculation
    Result, // written by the calculation, read-only
    Information, // shown as drawn or chosen, read by no calculation
};

// A range of typed values, in thousandths of the field's unit so that it is
// exact, and the most decimals typed.
struct TypicalValues {
    std::int64_t low = 0;
    std::int64_t high = 1'000'000;
    int decimals = 2;
};

struct FieldFacts {
    FieldName control = {}; // the control's name: "Text1"
    std::string_view id
        = {}; // the engineer's symbol in plain ASCII, the key of a saved design: "tw"
    std::string_view symbol = {}; // as the window writes it: "tw", "W’n2", "σ1"
    std::string_view sheetSymbol = {}; // on the sheet, subscripts as "t_{w}"
    std::string_view name = {}; // what the window calls it: "腹板厚", "作用于牛腿根部的弯炬"
    std::string_view sheetTerm = {}; // the sheet's term, where it differs from the name
    std::string_view caption
        = {}; // its label's design-time text, exactly: "腹板厚tw", "上翼缘宽bf1\n"
    std::string_view formula = {}; // the formula label beside it, if the window has one
    std::string_view unit = {}; // as printed: "mm²", "kN·m", "N/mm²"; empty for a pure number
    FieldRole role = FieldRole::Input;
    // A choice is picked from a list (a combo box) rather than typed: its
    // values in the list's order. An open choice also takes a value typed
    // in its place, which the checks then judge as they can; a closed one
    // takes only these.
    std::span<const std::string_view> choices = {};
    bool open = false;
    std::string_view designText = {}; // the text the window opens with
    // The values an engineer would type here: what generated test steps draw
    // their ordinary values from. None given: zero to a thousand units.
    TypicalValues typical = {};

    std::string_view term() const { return sheetTerm.empty() ? name : sheetTerm; }
    bool isChoice() const { return !choices.empty(); }
    // The facts' own texts: what a design or a table may hold for it.
    bool isStored() const { return role == FieldRole::Input || isChoice(); }
};

using FieldTable = std::span<const FieldFacts>;

// The row of `control`, or nullptr.
const FieldFacts* findField(FieldTable table, FieldName control);

// The controls of one role, in the table's order.
std::vector<FieldName> fieldsWith(FieldTable table, FieldRole role);

// The fields with the text the window opens with: every one, or only those
// typed into (its line edits), without the choices from a list.
enum class FieldControls { All, Typed };
FieldTexts designTimeTexts(FieldTable table, FieldControls controls = FieldControls::All);

// For a closed choice given a value it does not offer, the sentence that
// says so, naming the field by `name` and the values it offers:
// "“是”不是支承加劲肋的可选值（有、无）"; nothing for any other field or value.
std::optional<std::string> choiceProblem(
    const FieldFacts& facts, std::string_view name, std::string_view value);

// A caption on one line: its blanks and line breaks run together into one
// space, none at either end.
std::string captionOnOneLine(std::string_view caption);

// A unit as typed on a plain keyboard, as the bracket window's unit labels
// show it: "kN.m", "mm2", "N/mm2".
std::string typedUnit(std::string_view printed);
