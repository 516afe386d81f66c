#include "calculatorwindows.h"

#include "bracketsheet.h"
#include "form1.h"
#include "sectionform.h"
#include "sectionsheet.h"

#include <array>

namespace {

template <typename Window> CalculatorWindow* create()
{
    return new Window;
}

const std::array entries {
    CalculatorWindowEntry { findCalculator("section"), create<SectionForm>, sectionSheet },
    CalculatorWindowEntry { findCalculator("bracket"), create<Form1>, bracketSheet },
};

} // namespace

std::span<const CalculatorWindowEntry> calculatorWindows()
{
    return entries;
}
