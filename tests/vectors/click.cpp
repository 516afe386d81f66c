#include "click.h"

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketverdicts.h"
#include "sectioncalculation.h"
#include "sectionfields.h"

namespace {

std::string kindName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::NotANumber:
        return "NotANumber";
    case FaultKind::OutOfRange:
        return "OutOfRange";
    case FaultKind::DivisionByZero:
        return "DivisionByZero";
    case FaultKind::InvalidOperation:
        return "InvalidOperation";
    }
    return "Unknown";
}

std::optional<FaultSeen> seen(const std::optional<Fault>& fault)
{
    if (!fault)
        return std::nullopt;
    return FaultSeen { fault->field, kindName(fault->kind), fault->text };
}

} // namespace

WindowTexts designTimeTexts(Calculator calculator)
{
    if (calculator == Calculator::Section) {
        using namespace SectionField;
        WindowTexts texts;
        for (const FieldName result : { area, Ix, Iy, ix, iy, Wx, Wy, elasticStress, plasticStress,
                 L0, slendernessX, slendernessY })
            texts.emplace(result, "");
        texts.insert({ { std::string(B), "400" }, { std::string(H), "300" },
            { std::string(tw), "6" }, { std::string(t), "8" }, { std::string(N), "150" },
            { std::string(M), "118" }, { std::string(L), "10000" }, { std::string(Num), "1" },
            // the texts the window was drawn with
            { std::string(G), "Text21" }, { std::string(Gsum), "Text22" } });
        return texts;
    }
    using namespace BracketField;
    WindowTexts texts;
    for (const FieldName result : results)
        texts.emplace(result, "");
    texts.insert({ { std::string(bf1), "200" }, { std::string(bf2), "200" },
        { std::string(t1), "12" }, { std::string(t2), "12" }, { std::string(ts), "10" },
        { std::string(hw), "500" }, { std::string(F), "400" }, { std::string(e), ".45" },
        { std::string(hf), "10" }, { std::string(electrode), "E43" },
        { std::string(weldingMethod), "\xE6\x89\x8B\xE5\xB7\xA5\xE7\x84\x8A" }, // 手工焊
        { std::string(weldQuality), "\xE4\xB8\x89\xE7\xBA\xA7" } }); // 三级
    return texts;
}

ClickOutcome click(Calculator calculator, WindowTexts& texts, char32_t separator)
{
    const NumberFormat format { separator };
    ClickOutcome outcome;
    if (calculator == Calculator::Section) {
        outcome.fault = seen(calculateSection(texts, format));
        return outcome;
    }
    outcome.fault = seen(calculateBracket(texts, format));
    // The verdict window opens only after a complete calculation.
    if (!outcome.fault) {
        const BracketVerdicts verdicts = judgeBracket(texts, format);
        outcome.verdicts = verdicts.met;
        outcome.verdictFault = seen(verdicts.fault);
    }
    return outcome;
}
