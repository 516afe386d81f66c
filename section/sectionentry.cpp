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
    };
}
