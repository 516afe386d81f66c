#include "bracketentry.h"

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketverdicts.h"

#include <array>

namespace {

// The root stresses, the weld stresses and, added by every calculator with
// checks, how many were met.
constexpr std::array<std::string_view, 6> trialResults { "sigma", "tau", "sigma_eq", "sigma_f1",
    "sigma_f2", "tau_f" };

constexpr std::array pictures {
    WindowPicture { "Picture1", ":/pictures/bracket-section.svg" },
    WindowPicture { "Picture2", ":/pictures/roof-truss.svg" },
};

} // namespace

CalculatorEntry bracketCalculator()
{
    return CalculatorEntry {
        .id = "bracket",
        .menuCaption = "钢牛腿受力计算",
        .menuName = "menuGN",
        .fields = bracketFields,
        .calculate = calculateBracket,
        .checks = bracketDesignChecks,
        .judge = judgeBracket,
        .confirmButton = "Command1",
        .exitButton = "Command2",
        .trialResults = trialResults,
        .pictures = pictures,
        .spokenName = bracketSpokenName,
    };
}
