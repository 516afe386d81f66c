#include "webpanel.h"

#include <cmath>

double longestPanel(double h0, double tw, bool localCompression)
{
    return !localCompression && h0 / tw <= 100 ? 2.5 : 2.0;
}

std::optional<WebPanel> webPanel(const WebPanelInputs& in)
{
    const double aOverH0 = in.a / in.h0;
    if (!(aOverH0 >= 0.5) || !(aOverH0 <= longestPanel(in.h0, in.tw, in.sigmaC != 0)) || !(in.hc > 0)
        || !(in.hc <= in.h0))
        return std::nullopt;
    WebPanel panel {};
    // Bending, (6.3.3-7): the flange leaves the web's compression edge free to turn.
    panel.lambdaB = ((2 * in.hc / in.tw) / 138) / in.epsilonK;
    if (panel.lambdaB <= 0.85)
        panel.sigmaCr = in.f;
    else if (panel.lambdaB <= 1.25)
        panel.sigmaCr = (1 - 0.75 * (panel.lambdaB - 0.85)) * in.f;
    else
        panel.sigmaCr = 1.1 * in.f / (panel.lambdaB * panel.lambdaB);
    // Shear, (6.3.3-11) for a ≤ h0, (6.3.3-12) beyond, η = 1.0.
    const double h0OverA = in.h0 / in.a;
    const double k = aOverH0 <= 1 ? 4 + 5.34 * (h0OverA * h0OverA) : 5.34 + 4 * (h0OverA * h0OverA);
    panel.lambdaS = ((in.h0 / in.tw) / (37 * 1.0 * std::sqrt(k))) / in.epsilonK;
    if (panel.lambdaS <= 0.8)
        panel.tauCr = in.fv;
    else if (panel.lambdaS <= 1.2)
        panel.tauCr = (1 - 0.59 * (panel.lambdaS - 0.8)) * in.fv;
    else
        panel.tauCr = 1.1 * in.fv / (panel.lambdaS * panel.lambdaS);
    const double bending = in.sigma / panel.sigmaCr;
    panel.sum = bending * bending + in.tau / panel.tauCr;
    if (in.sigmaC == 0)
        return panel;
    // Local compression, (6.3.3-14) up to a = 1.5h0, (6.3.3-15) beyond.
    const double shape = aOverH0 <= 1.5
        ? 10.9 + 13.4 * ((1.83 - aOverH0) * (1.83 - aOverH0) * (1.83 - aOverH0))
        : 18.9 - 5 * aOverH0;
    panel.lambdaC = ((in.h0 / in.tw) / (28 * std::sqrt(shape))) / in.epsilonK;
    if (panel.lambdaC <= 0.9)
        panel.sigmaCcr = in.f;
    else if (panel.lambdaC <= 1.2)
        panel.sigmaCcr = (1 - 0.79 * (panel.lambdaC - 0.9)) * in.f;
    else
        panel.sigmaCcr = 1.1 * in.f / (panel.lambdaC * panel.lambdaC);
    panel.sum += in.sigmaC / panel.sigmaCcr;
    return panel;
}
