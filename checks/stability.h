#pragma once

// The stability factor φ of a member in compression (GB 50017-2017
// appendix D), from its slenderness λ by the formulas the tables of D.0.1 to
// D.0.4 are worked out from, E = 206 000 N/mm².
enum class BucklingCurve { b, c, d };

// φ for slenderness `lambda` of a member whose steel has the yield strength
// `fy` (the grade's number); 1 for λ = 0.
double stabilityFactor(double lambda, int fy, BucklingCurve curve);

// x^(p/q) for x ≥ 0 and small positive whole p and q, by the same IEEE
// operations on every machine (std::pow is rounded as each library pleases,
// and a slenderness limit must not move with the platform).
double rationalPower(double x, int p, int q);
