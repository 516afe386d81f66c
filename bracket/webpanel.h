#pragma once

#include <optional>

// The local stability of the bracket's unstiffened web panel (GB 50017-2017
// §6.3.3), for a web more slender than 80εk: the panel runs a = 1000·|e| mm
// from the column face to the load, h0 = hw deep; the compression flange is
// not restrained against twisting, and the bracket, no simple beam, takes
// η = 1.0. No local compression: σc = 0.
struct WebPanelInputs {
    double sigma; // N/mm², the bending stress at the web's compression edge
    double tau; // N/mm², V ÷ (hw·ts)
    double hc; // mm, the web's height in compression
    double h0, tw, a; // mm
    double f, fv; // N/mm², of the web plate
    double epsilonK;
};

struct WebPanel {
    double lambdaB, sigmaCr; // (6.3.3-7), (6.3.3-3 … 5)
    double lambdaS, tauCr; // (6.3.3-11 or 12), (6.3.3-8 … 10)
    double sum; // (σ/σcr)² + τ/τcr, (6.3.3-1)
};

// The panel's figures in double; none where the panel's shape lies outside
// what the formulas are for: a outside 0.5h0 … 2h0 (2.5h0 where h0/tw ≤ 100
// and nothing presses on the edge, §6.3.6), or hc not within the web.
std::optional<WebPanel> webPanel(const WebPanelInputs& in);

// The longest panel, as a multiple of h0, the formulas are taken for.
double longestPanel(double h0, double tw);
