#pragma once

#include "fault.h"

#include <optional>
#include <vector>

// How a calculator's design checks judged its fields.
struct Verdicts {
    std::vector<bool> met; // one per check evaluated, in order
    std::optional<Fault> fault; // the field that did not read as a number
};
