// Arbitrary bytes as a design file: the reader either refuses them with a
// reason or returns a design that holds every calculator, no text over the
// limit, and writes and reads back to the same design, keeping and naming
// the same parts of a newer version's and losing nothing it read.

#include "calculators.h"
#include "designfile.h"
#include "fuzzinput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

// Every key of `read`, at any depth, is in `written` with the same value.
static bool holds(const QJsonValue& written, const QJsonValue& read)
{
    if (read.isObject() && written.isObject()) {
        const QJsonObject object = written.toObject();
        const QJsonObject kept = read.toObject();
        for (auto it = kept.constBegin(); it != kept.constEnd(); ++it)
            if (!object.contains(it.key()) || !holds(object.value(it.key()), *it))
                return false;
        return true;
    }
    if (read.isArray() && written.isArray()) {
        const QJsonArray list = read.toArray();
        const QJsonArray writtenList = written.toArray();
        if (list.size() != writtenList.size())
            return false;
        for (qsizetype index = 0; index < list.size(); ++index)
            if (!holds(writtenList.at(index), list.at(index)))
                return false;
        return true;
    }
    return written == read;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DesignReading read = parseDesign(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), calculators());
    if (!read.design) {
        FUZZ_CHECK(!read.problem.isEmpty(), "a refused file says why");
        return 0;
    }
    FUZZ_CHECK(read.problem.isEmpty(), "an accepted file has no problem");
    const Design& design = *read.design;
    const Design empty = designTimeDesign(calculators());
    FUZZ_CHECK(design.calculators.keys() == empty.calculators.keys(), "every calculator, no other");
    for (const CalculatorDesign& calculator : design.calculators) {
        FUZZ_CHECK(calculator.trials.size() <= maxTrials, "at most 200 trials");
        for (const QString& text : calculator.inputs)
            FUZZ_CHECK(text.size() <= maxDesignText, "an input within the limit");
        for (const QString& text : calculator.titleBlock)
            FUZZ_CHECK(text.size() <= maxDesignText, "a title block text within the limit");
    }
    const DesignReading again = parseDesign(designBytes(design), calculators());
    FUZZ_CHECK(again.design && *again.design == design, "written and read back the same");
    FUZZ_CHECK(keptSentence(again) == keptSentence(read), "the same parts kept and named");
    for (const QJsonValue calculator : design.newer.value(QStringLiteral("calculators")).toObject())
        FUZZ_CHECK(calculator.isObject(), "a newer calculator is a group of fields");
    // Nothing read is lost or changed in writing, however new; a file the
    // program fills nothing into, in the writer's own layout, is written
    // back byte for byte.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QJsonObject file = QJsonDocument::fromJson(bytes).object();
    const QByteArray written = designBytes(design);
    const QJsonObject writtenObject = QJsonDocument::fromJson(written).object();
    FUZZ_CHECK(holds(writtenObject, file), "what was read written back");
    if (writtenObject == file
        && QJsonDocument(file).toJson().replace("\xEF\xBB\xBF", "\\ufeff") == bytes)
        FUZZ_CHECK(written == bytes, "a file in the writer's layout written back as read");
    return 0;
}
