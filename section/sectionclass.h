#pragma once

#include "mixedwidth.h"
#include "numberformat.h"

#include <optional>
#include <string>
#include <string_view>

// Where the I-section's plates rank in GB 50017-2017 table 3.5.1, under the
// forces typed, as a member in compression and bending: the flange by its
// outstand, the web by its depth and the stress gradient across it. The
// class decides the plastic factor γx (§8.1.1): 1.05 for a section of S3 or
// better, 1.0 otherwise.

enum class PlateClass {
    S3, // S3 or better
    S4,
    Slender, // beyond S4: an effective section is needed
};

struct SectionPlates {
    Single B, H, tw, t; // mm, as the calculation read them
};

struct SectionClass {
    int fy; // of the grade
    double epsilonK; // √(235 ÷ fy)
    double outstand; // b′/t = ((B − tw) ÷ 2) ÷ t
    double webRatio; // h0/tw, h0 = H − 2t
    std::optional<double> alpha0; // the stress gradient; none when the web is wholly in tension
    PlateClass flange;
    PlateClass web; // S3 when wholly in tension, where the web has no limit

    double flangeLimit(PlateClass of) const; // 13εk or 15εk
    double webLimit(PlateClass of) const; // (40 + 18·α0^1.5)εk or (45 + 25·α0^1.66)εk
    double gammaX() const { return flange == PlateClass::S3 && web == PlateClass::S3 ? 1.05 : 1.0; }
};

// From the Singles B, H, tw and t, the read-backs A′ and Wx′, N (kN, > 0 in
// compression), M (kN·m) and the grade shown. None when the class cannot be
// found: a plate ≤ 0, h0 ≤ 0, an unknown grade, stresses beyond a Double.
std::optional<SectionClass> sectionClass(
    const SectionPlates& plates, double A, double Wx, double N, double M, std::string_view grade);

// The plastic factor the section takes, and why: a short form for the window
// ("γx = 1.0，翼缘超S3级") and a sentence for the sheet, in its notation
// ("(40 + 18α_{0}^{1.5})ε_{k}").
std::string plasticFactorCaption(const std::optional<SectionClass>& section);
std::string plasticFactorReason(const std::optional<SectionClass>& section, NumberFormat format);
