#include "stability.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double E = 206000;

// Table D.0.5.
struct Coefficients {
    double alpha1, alpha2, alpha3;
};

Coefficients coefficients(BucklingCurve curve, double lambdaN)
{
    switch (curve) {
    case BucklingCurve::b:
        return { 0.65, 0.965, 0.300 };
    case BucklingCurve::c:
        return lambdaN <= 1.05 ? Coefficients { 0.73, 0.906, 0.595 }
                               : Coefficients { 0.73, 1.216, 0.302 };
    case BucklingCurve::d:
        break;
    }
    return lambdaN <= 1.05 ? Coefficients { 1.35, 0.868, 0.915 }
                           : Coefficients { 1.35, 1.375, 0.432 };
}

// x^n by squaring: a fixed sequence of products for each n.
double wholePower(double x, int n)
{
    double result = 1;
    for (double square = x; n > 0; n /= 2, square *= square)
        if (n % 2)
            result *= square;
    return result;
}

} // namespace

double stabilityFactor(double lambda, int fy, BucklingCurve curve)
{
    if (lambda == 0)
        return 1;
    const double lambdaN = (lambda / std::numbers::pi) * std::sqrt(fy / E);
    const Coefficients k = coefficients(curve, lambdaN);
    const double squared = lambdaN * lambdaN;
    if (lambdaN <= 0.215)
        return 1 - (k.alpha1 * squared);
    const double sum = (k.alpha2 + (k.alpha3 * lambdaN)) + squared;
    return (sum - std::sqrt((sum * sum) - (4 * squared))) / (2 * squared);
}

double rationalPower(double x, int p, int q)
{
    const double y = wholePower(x, p);
    if (q == 1 || y == 0)
        return y;
    if (q == 2)
        return std::sqrt(y);
    // Newton's method for the q-th root, from the power of two just above
    // it, where every step comes down towards it; a fixed number of steps,
    // more than it ever needs.
    int exponent = 0;
    std::frexp(y, &exponent);
    double root = std::ldexp(1.0, int(std::ceil(double(exponent) / q)));
    for (int step = 0; step < 200; ++step)
        root = ((q - 1) * root + y / wholePower(root, q - 1)) / q;
    return root;
}
