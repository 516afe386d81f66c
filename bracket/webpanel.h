#pragma once

#include <optional>

// The local stability of the bracket's unstiffened web panel (GB 50017-2017
// §6.3.3), for a web more slender than 80εk: the panel runs a = 1000·|e| mm
// from the column face to the load, h0 = hw deep; the compression flange is
// not restrained against twisting, and the bracket, no simple beam, takes
// η = 1.0. Under a load with no bearing stiffener the panel's edge also
// bears σc, ψ = 1.0 (6.1.4-1); else σc = 0.
struct WebPanelInputs {
    double sigma; // N/mm², the bending stress at the web's compression edge
    double tau; // N/mm², V ÷ (hw·ts)
    double hc; // mm, the web's height in compression
    double h0, tw, a; // mm
    double f, fv; // N/mm², of the web plate
    double epsilonK;
    double sigmaC = 0; // N/mm², the local compression at the panel's edge
};

struct WebPanel {
    double lambdaB, sigmaCr; // (6.3.3-7), (6.3.3-3 … 5)
    double lambdaS, tauCr; // (6.3.3-11 or 12), (6.3.3-8 … 10)
    double lambdaC, sigmaCcr; // (6.3.3-14 or 15), (6.3.3-13); 0 without σc
    double sum; // (σ/σcr)² + τ/τcr + σc/σc,cr, (6.3.3-1)
};

// The panel's figures in double; none where the panel's shape lies outside
// what the formulas are for: a outside 0.5h0 … 2h0 (2.5h0 where h0/tw ≤ 100
// and nothing presses on the edge, §6.3.6; (6.3.3-15) for σc,cr ends at
// 2h0), or hc not within the web.
std::optional<WebPanel> webPanel(const WebPanelInputs& in);

// The longest panel, as a multiple of h0, the formulas are taken for.
double longestPanel(double h0, double tw, bool localCompression);
