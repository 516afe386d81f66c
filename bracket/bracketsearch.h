#pragma once

#include "fieldsheet.h"
#include "lightestsearch.h"

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

// The lightest bracket that passes every check (截面优选): of the plates and
// web heights of a search space, the ten with the smallest net area An that
// a click of "确定输入" passes in every verdict row, with the window's load,
// eccentricity and grade, each with the smallest fillet leg of the space
// that passes with it. Standard C++; the work is spread over threads.

// The sizes tried, each as the text a window would hold ("150", "12.5").
struct BracketSearchSpace {
    std::vector<std::string> bf1, bf2, t1, t2, ts, hw, hf;
    // What an engineer would build, tried before any check: flanges no
    // thinner than the web (t1, t2 ≥ ts); the tension flange's outstand b′/t
    // within 15εk, as the compression flange's, so both flanges are; equal
    // flanges (bf1 = bf2, t1 = t2). A section left out is not searched.
    bool flangesAtLeastWeb = true; // 翼缘不薄于腹板
    bool tensionOutstand = true; // 受拉翼缘宽厚比同受压翼缘
    bool symmetric = false; // 对称截面

    // Every section of the space, the ones the options leave out too.
    std::size_t size() const
    {
        return bf1.size() * bf2.size() * t1.size() * t2.size() * ts.size() * hw.size() * hf.size();
    }
};

// bf1 and bf2 150 to 400 mm in steps of 10, t1 and t2 the standard plates 6
// to 40 mm, ts those up to 20, hf 6 to 16, hw the window's.
BracketSearchSpace defaultBracketSearchSpace(const FieldTexts& window);

// The sizes in the order of the search space's members.
inline constexpr std::array<FieldName, 7> searchedSizes { "Text1", "Text2", "Text3", "Text4",
    "Text5", "Text6", "Text12" };

// The sections the search tries: those of the space the options keep, with
// εk from the window's grade (where the grade names no fy the outstand is
// not filtered; the search refuses such a grade).
std::size_t searchedSections(
    const BracketSearchSpace& space, const FieldTexts& window, NumberFormat format);

struct BracketCandidate {
    std::array<std::string, 7> sizes; // bf1, bf2, t1, t2, ts, hw, hf as texts
    std::array<float, 7> values {}; // as the calculation reads them
    std::string areaText; // An as the window shows it
    double area = 0;
    std::string weightText; // per metre of the bracket's section, kg/m
    std::size_t governing = 0; // the check with the highest ratio
    std::string ratioText;
    double ratio = 0;

    // The smallest An first, then the lowest governing ratio, then the
    // smaller hw; the other sizes, in order, break what ties remain.
    bool before(const BracketCandidate& other) const;
};

using BracketSearchControl = SearchControl;

struct BracketSearch {
    std::vector<BracketCandidate> best; // up to ten, best first
    std::size_t candidates = 0; // in the space, as the options keep them
    std::size_t clicked = 0; // of them, judged by a click; the screen failed the others
    // When none passes: how often each check was not met, in the checks'
    // order, and the one not met most often.
    std::vector<std::size_t> failures;
    std::optional<std::size_t> mostFailed;
    bool cancelled = false;
    // A field the search does not size (F, e) that stops every click.
    std::optional<Fault> fault;
    // Why nothing was searched, in Chinese: unsearchableGrade().
    std::optional<std::string> refused;
};

// A material the strength tables do not know leaves rows not judged in
// every section, so no section can pass: the reason for the first such of
// grade, electrode and weld quality, naming it as typed, or none where all
// three are known (a window without them is taken as drawn: Q235B, E43, 三级).
std::optional<std::string> unsearchableGrade(const FieldTexts& window);

BracketSearch searchLightestBracket(const FieldTexts& window, const BracketSearchSpace& space,
    NumberFormat format, const BracketSearchControl& control = {});

// One candidate as a click on the window's texts with these sizes judges
// it: passing in every row, or not at all.
std::optional<BracketCandidate> judgeBracketCandidate(
    const FieldTexts& window, const std::array<std::string, 7>& sizes, NumberFormat format);
