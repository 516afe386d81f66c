#include "sectionsearch.h"

#include "candidateverdicts.h"
#include "sectioncalculation.h"
#include "sectionchecks.h"
#include "sectionfields.h"

#include "format.h"
#include "parse.h"
#include "steelgrade.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

namespace field = SectionField;

constexpr std::size_t checkCount = 6; // the rows of sectionChecks()

float single(const std::string& text, NumberFormat format)
{
    const Parsed<float> read = parseSingle(text, format);
    return read ? read.value : std::numeric_limits<float>::quiet_NaN();
}

std::vector<float> singles(const std::vector<std::string>& texts, NumberFormat format)
{
    std::vector<float> values;
    for (const std::string& text : texts)
        values.push_back(single(text, format));
    return values;
}

FieldTexts withSizes(const FieldTexts& window, const std::array<std::string, 4>& sizes)
{
    FieldTexts texts = window;
    for (std::size_t n = 0; n < sizes.size(); ++n)
        texts.insert_or_assign(std::string(sectionSearchedSizes[n]), sizes[n]);
    return texts;
}

// As judgeSectionCandidate, counting in `notMet` each check a failing one
// does not meet.
std::optional<SectionCandidate> judged(const FieldTexts& window,
    const std::array<std::string, 4>& sizes, NumberFormat format, std::vector<std::size_t>* notMet)
{
    FieldTexts texts = withSizes(window, sizes);
    if (calculateSection(texts, format))
        return std::nullopt;
    const Verdicts verdicts = judgeSection(texts, format);
    if (!passesEveryRow(verdicts, notMet))
        return std::nullopt;
    SectionCandidate candidate;
    candidate.sizes = sizes;
    for (std::size_t n = 0; n < sizes.size(); ++n)
        candidate.values[n] = single(sizes[n], format);
    candidate.areaText = texts.at(std::string(field::area));
    candidate.area = parseDouble(candidate.areaText, format).value;
    candidate.weightText = texts.at(std::string(field::G));
    const GoverningRow governing = governingRow(verdicts, format);
    candidate.ratio = governing.ratio;
    candidate.ratioText = governing.text;
    candidate.governing = governing.row;
    return candidate;
}

} // namespace

SectionSearchSpace defaultSectionSearchSpace()
{
    SectionSearchSpace space;
    for (int width = 150; width <= 600; width += 10)
        space.B.push_back(std::to_string(width));
    for (int depth = 200; depth <= 1200; depth += 10)
        space.H.push_back(std::to_string(depth));
    // The plates the bracket's search takes, as stocked.
    for (const int plate : { 6, 8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 30, 32, 36, 40 }) {
        if (plate <= 20)
            space.tw.push_back(std::to_string(plate));
        if (plate >= 8)
            space.t.push_back(std::to_string(plate));
    }
    return space;
}

std::optional<std::string> sectionSearchSpaceProblem(const SectionSearchSpace& space)
{
    const std::vector<std::string>* lists[] = { &space.B, &space.H, &space.tw, &space.t };
    std::size_t sections = 1;
    for (const std::vector<std::string>* list : lists) {
        if (list->empty())
            return "有一项尺寸没有取值。";
        sections = sections > largestSearch ? sections : sections * list->size();
    }
    if (sections > largestSearch)
        return "搜索范围的截面多于 " + std::to_string(largestSearch / 10000)
            + " 万个：请缩小范围或加大步长。";
    return std::nullopt;
}

bool SectionCandidate::before(const SectionCandidate& other) const
{
    if (area != other.area)
        return area < other.area;
    if (ratio != other.ratio)
        return ratio < other.ratio;
    if (values[1] != other.values[1])
        return values[1] < other.values[1];
    if (values != other.values)
        return values < other.values;
    return sizes < other.sizes;
}

std::optional<SectionCandidate> judgeSectionCandidate(
    const FieldTexts& window, const std::array<std::string, 4>& sizes, NumberFormat format)
{
    return judged(window, sizes, format, nullptr);
}

SectionSearch searchLightestSection(const FieldTexts& window, const SectionSearchSpace& space,
    NumberFormat format, const SearchControl& control)
{
    SectionSearch search;
    search.candidates = space.size();
    search.failures.assign(checkCount, 0);
    if (search.candidates == 0 || sectionSearchSpaceProblem(space))
        return search;
    const auto grade = window.find(std::string(field::steelGrade));
    const std::string gradeText = grade == window.end()
        ? std::string(findField(sectionFields(), field::steelGrade)->designText)
        : grade->second;
    if (!gradeYieldStrength(gradeText)) {
        const std::string_view shown = trimmedGrade(gradeText);
        search.refused = (shown.empty() ? std::string("没有选择钢材牌号")
                                        : "钢材牌号“" + std::string(shown) + "”无法识别")
            + "（应为Q235、Q345、Q355、Q390、Q420或Q460，可带质量等级A～E），"
              "设计强度与截面等级无法确定，任何截面都不能满足全部验算：请先改正钢材。";
        return search;
    }

    // A force, a length or a factor that stops a click stops every click.
    SectionScreen screen;
    {
        FieldTexts texts = withSizes(window, { space.B[0], space.H[0], space.tw[0], space.t[0] });
        std::optional<Fault> fault = calculateSection(texts, format);
        if (!fault)
            fault = judgeSection(texts, format).fault;
        if (fault
            && std::find(sectionSearchedSizes.begin(), sectionSearchedSizes.end(), fault->field)
                == sectionSearchedSizes.end()) {
            search.fault = std::move(fault);
            return search;
        }
        // The screen's inputs are no size of the space.
        if (std::optional<Fault> other
            = runSteps([&] { screen = readSectionScreen(texts, format); })) {
            search.fault = std::move(other);
            return search;
        }
    }

    const std::vector<float> B = singles(space.B, format), H = singles(space.H, format),
                             tw = singles(space.tw, format), t = singles(space.t, format);
    const unsigned threads = searchThreads(control);
    // Counted with H fastest, then t, tw and B.
    const auto sizesAt = [&](std::size_t index) {
        const std::size_t h = index % H.size();
        index /= H.size();
        const std::size_t flange = index % t.size();
        index /= t.size();
        const std::size_t web = index % tw.size();
        return std::array<std::size_t, 4> { index / tw.size(), h, web, flange };
    };
    std::vector<std::vector<std::size_t>> failed(threads, std::vector<std::size_t>(checkCount));
    const auto screened = [&](std::size_t index, unsigned thread) -> std::optional<float> {
        const auto [b, h, w, f] = sizesAt(index);
        const unsigned fails = sectionSureFailures(screen, B[b], H[h], tw[w], t[f]);
        if (fails != 0) {
            for (std::size_t check = 0; check < checkCount; ++check)
                failed[thread][check] += (fails >> check) & 1u;
            return std::nullopt;
        }
        // A in Single, as the calculation works it out.
        return ((B[b] * t[f]) * 2.0f) + ((H[h] - (t[f] * 2.0f)) * tw[w]);
    };
    std::vector<std::vector<std::size_t>> notMet(threads, std::vector<std::size_t>(checkCount));
    std::vector<std::size_t> clicks(threads);
    const auto click = [&](std::size_t index, unsigned thread) {
        const auto [b, h, w, f] = sizesAt(index);
        ++clicks[thread];
        return judged(
            window, { space.B[b], space.H[h], space.tw[w], space.t[f] }, format, &notMet[thread]);
    };
    // A is shown as its Single's general text, which rises with it.
    const auto beyond = [&](float area, const SectionCandidate& tenth) {
        return parseDouble(generalText(area, format), format).value > tenth.area;
    };
    LightestFound<SectionCandidate> found
        = searchLightest<SectionCandidate>(search.candidates, control, screened, click, beyond);
    search.best = std::move(found.best);
    search.cancelled = found.cancelled;
    for (unsigned thread = 0; thread < threads; ++thread) {
        search.clicked += clicks[thread];
        for (std::size_t check = 0; check < checkCount; ++check)
            search.failures[check] += failed[thread][check] + notMet[thread][check];
    }
    if (search.best.empty() && !search.cancelled) {
        const auto most = std::max_element(search.failures.begin(), search.failures.end());
        if (*most > 0)
            search.mostFailed = std::size_t(most - search.failures.begin());
    }
    return search;
}
