#pragma once

#include "designchecks.h"
#include "fieldsheet.h"
#include "lightestsearch.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The lightest welded I-section that passes every check (截面优选): of the
// plates of a search space, the ten with the smallest area A that a click of
// "确定输入" passes in every verdict row, with the window's forces, length, grade
// and basis. A row not for this member (不适用) holds no section back; a
// plate judged on its effective section (需按有效截面) is met.

// The sizes tried, each as the text a window would hold ("150", "12.5").
struct SectionSearchSpace {
    std::vector<std::string> B, H, tw, t;

    std::size_t size() const { return B.size() * H.size() * tw.size() * t.size(); }
};

// B 150 to 600 mm and H 200 to 1200 mm in steps of 10, tw the stocked
// plates 6 to 20 mm and t those 8 to 40.
SectionSearchSpace defaultSectionSearchSpace();

// The sizes in the order of the search space's members: B, H, tw, t.
inline constexpr std::array<FieldName, 4> sectionSearchedSizes { "Text1", "Text2", "Text3",
    "Text4" };

// What keeps a space from being searched, in Chinese: a size list without a
// size, or more sections than the bracket's largest search.
std::optional<std::string> sectionSearchSpaceProblem(const SectionSearchSpace& space);

struct SectionCandidate {
    std::array<std::string, 4> sizes; // B, H, tw, t as texts
    std::array<float, 4> values {}; // as the calculation reads them
    std::string areaText; // A as the window shows it
    double area = 0;
    std::string weightText; // G, kg/m, as the window shows it
    std::size_t governing = 0; // the check with the highest ratio
    std::string ratioText;
    double ratio = 0;

    // The smallest A first, then the lowest governing ratio, then the
    // lower H; the other sizes, in order, break what ties remain.
    bool before(const SectionCandidate& other) const;
};

struct SectionSearch {
    std::vector<SectionCandidate> best; // up to ten, best first
    std::size_t candidates = 0; // in the space
    std::size_t clicked = 0; // of them, judged by a click; the screen failed the others
    // When none passes: how often each check was not met, in the checks'
    // order, and the one not met most often.
    std::vector<std::size_t> failures;
    std::optional<std::size_t> mostFailed;
    bool cancelled = false;
    // A field the search does not size (N, M, L, a factor) that stops every click.
    std::optional<Fault> fault;
    // Why nothing was searched, in Chinese: a grade the tables do not know.
    std::optional<std::string> refused;
};

SectionSearch searchLightestSection(const FieldTexts& window, const SectionSearchSpace& space,
    NumberFormat format, const SearchControl& control = {});

// One candidate as a click on the window's texts with these sizes judges
// it: passing in every row, or not at all.
std::optional<SectionCandidate> judgeSectionCandidate(
    const FieldTexts& window, const std::array<std::string, 4>& sizes, NumberFormat format);
