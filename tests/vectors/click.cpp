#include "click.h"

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

ClickOutcome click(Calculator calculator, WindowTexts& texts, char32_t separator)
{
    const NumberFormat format { separator };
    ClickOutcome outcome;
    outcome.fault = seen(calculator->calculate(texts, format));
    // The verdict window opens only after a complete calculation.
    if (!outcome.fault && calculator->judge) {
        const Verdicts verdicts = calculator->judge(texts, format);
        outcome.verdicts.emplace();
        for (const JudgedCheck& check : verdicts.checks)
            outcome.verdicts->push_back(check.verdict);
        outcome.verdictFault = seen(verdicts.fault);
    }
    return outcome;
}
