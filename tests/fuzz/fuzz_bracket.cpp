// Arbitrary texts in every input of the bracket window, then the verdicts.

#include "bracketcalculation.h"
#include "bracketverdicts.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList inputs { QStringLiteral("Text1"), QStringLiteral("Text2"),
        QStringLiteral("Text3"), QStringLiteral("Text4"), QStringLiteral("Text5"),
        QStringLiteral("Text6"), QStringLiteral("Text7"), QStringLiteral("Text8"),
        QStringLiteral("Text12") };
    static const QStringList outputs = [] {
        QStringList names;
        for (int n = 13; n <= 32; ++n)
            names << QStringLiteral("Text%1").arg(n);
        return names;
    }();
    const QString old = QStringLiteral("old");

    NumberFormat format;
    FieldTexts texts = fieldTextsFrom(data, size, inputs, format);
    for (const QString& output : outputs)
        texts.insert(output, old);
    const std::optional<Fault> fault = calculateBracket(texts, format);
    checkOutcome(texts, outputs, old, fault, format);
    if (!fault) {
        const BracketVerdicts verdicts = judgeBracket(texts, format);
        FUZZ_CHECK(!verdicts.fault && verdicts.met.size() == 6, "a complete check was not judged");
    }
    return 0;
}
