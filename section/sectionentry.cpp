#include "sectionentry.h"

#include "sectioncalculation.h"
#include "sectionchecks.h"
#include "sectionfields.h"

#include <array>

namespace {

// The section's area, its strong-axis stiffness and modulus, the stress and
// both slenderness ratios.
constexpr std::array<std::string_view, 6> trialResults { "A", "Ix", "Wx", "sigma_e", "lambda_x",
    "lambda_y" };

constexpr std::array pictures { WindowPicture { "Picture1", ":/pictures/isection.svg" } };

constexpr std::array<std::string_view, 1> keywordsEn { "I-section" };
constexpr std::array<std::string_view, 1> keywordsZh { "工字钢" };

} // namespace

CalculatorEntry sectionCalculator()
{
    return CalculatorEntry {
        .id = "section",
        .menuCaption = "工字型截面性质",
        .menuName = "menuG",
        .fields = sectionFields,
        .calculate = calculateSection,
        .checks = sectionChecks,
        .judge = judgeSection,
        .confirmButton = "Command2",
        .exitButton = "Command1",
        .trialResults = trialResults,
        .pictures = pictures,
        .spokenName = sectionSpokenName,
        .gloss = "I-section properties",
        .summaryZh
        = "截面面积、惯性矩、回转半径、截面模量、弹性与塑性设计应力、计算长度、长细比和重量，"
          "并验算构件的强度、局部稳定与整体稳定。",
        .summaryEn = "The properties of a welded, doubly symmetric I-section: area, moments of "
                     "inertia, radii of gyration, section moduli, elastic and plastic design "
                     "stresses, effective length, slenderness ratios and weights, then a verdict "
                     "on the member's strength, local and overall stability.",
        .keywordsEn = keywordsEn,
        .keywordsZh = keywordsZh,
        // The lightest welded I-sections, as the dialog 截面优选 finds them.
        .optimizes = true,
    };
}
