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

constexpr std::array<std::string_view, 1> keywordsEn { "bracket" };
constexpr std::array<std::string_view, 1> keywordsZh { "牛腿" };

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
        .gloss = "steel bracket check",
        .summaryZh
        = "验算不等翼缘焊接钢牛腿及其翼缘对接焊缝和腹板角焊缝的强度，逐项给出是否满足要求。",
        .summaryEn = "The strength check of a welded steel bracket with unequal flanges, its "
                     "flange butt welds and web fillet welds, ending in a pass/fail verdict for "
                     "each check.",
        .keywordsEn = keywordsEn,
        .keywordsZh = keywordsZh,
        // The lightest brackets, as the dialog 截面优选 finds them.
        .optimizes = true,
    };
}
