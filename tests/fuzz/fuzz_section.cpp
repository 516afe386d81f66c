// Arbitrary texts in every input of the I-section window.

#include "fuzzinput.h"
#include "sectioncalculation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList inputs { QStringLiteral("Text1"), QStringLiteral("Text2"),
        QStringLiteral("Text3"), QStringLiteral("Text4"), QStringLiteral("Text12"),
        QStringLiteral("Text13"), QStringLiteral("Text16"), QStringLiteral("Text20") };
    static const QStringList outputs { QStringLiteral("Text5"), QStringLiteral("Text6"),
        QStringLiteral("Text7"), QStringLiteral("Text8"), QStringLiteral("Text9"),
        QStringLiteral("Text10"), QStringLiteral("Text11"), QStringLiteral("Text14"),
        QStringLiteral("Text15"), QStringLiteral("Text17"), QStringLiteral("Text18"),
        QStringLiteral("Text19"), QStringLiteral("Text21"), QStringLiteral("Text22") };
    const QString old = QStringLiteral("old");

    NumberFormat format;
    FieldTexts texts = fieldTextsFrom(data, size, inputs, format);
    for (const QString& output : outputs)
        texts.insert(output, old);
    const std::optional<Fault> fault = calculateSection(texts, format);
    checkOutcome(texts, outputs, old, fault, format);
    return 0;
}
