#include "click.h"

#include "bracketcalculation.h"
#include "bracketverdicts.h"
#include "sectioncalculation.h"

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
        WindowTexts texts { { "Text1", "400" }, { "Text2", "300" }, { "Text3", "6" },
            { "Text4", "8" }, { "Text12", "150" }, { "Text13", "118" }, { "Text16", "10000" },
            { "Text20", "1" }, { "Text21", "Text21" }, { "Text22", "Text22" } };
        for (const char* output : { "Text5", "Text6", "Text7", "Text8", "Text9", "Text10", "Text11",
                 "Text14", "Text15", "Text17", "Text18", "Text19" })
            texts[output];
        return texts;
    }
    WindowTexts texts { { "Text1", "200" }, { "Text2", "200" }, { "Text3", "12" },
        { "Text4", "12" }, { "Text5", "10" }, { "Text6", "500" }, { "Text7", "400" },
        { "Text8", ".45" }, { "Text9", "E43" },
        { "Text10", "\xE6\x89\x8B\xE5\xB7\xA5\xE7\x84\x8A" }, // 手工焊
        { "Text11", "\xE4\xB8\x89\xE7\xBA\xA7" }, // 三级
        { "Text12", "10" } };
    for (int n = 13; n <= 32; ++n)
        texts["Text" + std::to_string(n)];
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
