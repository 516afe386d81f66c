#include "checknotes.h"

#include "readtext.h"

std::string typedInput(const FieldFacts& facts, std::string_view text, NumberFormat format)
{
    std::string asRead = textAsRead(text, format);
    if (asRead.starts_with('-'))
        asRead.replace(0, 1, "−");
    return std::string(facts.name) + std::string(facts.symbol) + " = " + asRead;
}
