#include "engine/functions.h"

#include <cmath>
#include <limits>

#include "engine/errors.h"
#include "engine/value.h"

namespace calc {

namespace {

double Sqrt(double x) {
    if (x < 0) Raise(ErrorKind::InvalidArgument);
    return std::sqrt(x);
}

double Ln(double x) {
    if (x <= 0) Raise(ErrorKind::InvalidArgument);
    return std::log(x);
}

double Exp(double x) { return CheckFinite(std::exp(x)); }

double Pi() { return 4 * std::atan(1.0); }

// Radians to degrees as the inverse keys compute it: r * 360 / (pi * 2).
double Degrees(double r) { return CheckedDiv(CheckedMul(r, 360), Pi() * 2); }

enum class Angle { Sin, Cos, Tan };

double Trig(Angle f, double x, bool inv, bool hyp) {
    if (!inv && !hyp) {
        const double a = CheckedDiv(CheckedMul(x, Pi()), 180);  // the angle, in radians
        if (f == Angle::Sin) return RoundToFifteenDecimals(std::sin(a));
        if (f == Angle::Cos) return RoundToFifteenDecimals(std::cos(a));
        return RoundToFifteenDecimals(CheckFinite(std::tan(a)));
    }
    if (inv && !hyp) {
        if (f == Angle::Tan) return Degrees(std::atan(x));
        const double root = Sqrt(CheckedSub(1, CheckedMul(x, x)));
        if (f == Angle::Sin) return Degrees(std::atan(CheckedDiv(x, root)));
        return CheckedMul(CheckedAdd(std::atan(CheckedDiv(-x, root)), 2 * std::atan(1.0)), 360) / (Pi() * 2);
    }
    if (hyp && !inv) {
        const double ep = Exp(x);
        const double em = Exp(-x);
        if (f == Angle::Sin) return RoundToFifteenDecimals(CheckedSub(ep, em) / 2);
        if (f == Angle::Cos) return RoundToFifteenDecimals(CheckedAdd(em, ep) / 2);
        return RoundToFifteenDecimals(CheckedDiv(CheckedSub(ep, em), CheckedAdd(em, ep)));
    }
    // Inverse hyperbolic.
    const double xx = CheckedMul(x, x);
    if (f == Angle::Sin) return RoundToFifteenDecimals(Ln(CheckedAdd(Sqrt(CheckedAdd(xx, 1)), x)));
    if (f == Angle::Cos) return RoundToFifteenDecimals(Ln(CheckedAdd(Sqrt(CheckedSub(xx, 1)), x)));
    return RoundToFifteenDecimals(Ln(CheckedDiv(CheckedAdd(x, 1), CheckedSub(1, x))) / 2);
}

}  // namespace

double CheckedPow(double a, double b) {
    if (a < 0 && b != std::floor(b)) Raise(ErrorKind::InvalidArgument);
    if (a == 0 && b < 0) Raise(ErrorKind::DivisionByZero);
    double r = std::pow(a, b);
    if (std::isnan(r)) Raise(ErrorKind::InvalidArgument);
    return CheckFinite(r);
}

double CheckedRoot(double a, double b) { return CheckedPow(a, CheckedDiv(1.0, b)); }

double CheckedRemainder(double a, double b) {
    const auto dividend = static_cast<std::int32_t>(a);
    const auto divisor = static_cast<std::int32_t>(b);
    if (divisor == 0) Raise(ErrorKind::DivisionByZero);
    if (dividend == std::numeric_limits<std::int32_t>::min() && divisor == -1) Raise(ErrorKind::Overflow);
    return dividend % divisor;
}

std::int32_t RoundToInt32(double v) {
    double r = std::nearbyint(v);  // default rounding mode: halves to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(ErrorKind::Overflow);
    return static_cast<std::int32_t>(r);
}

double RoundToFifteenDecimals(double v) {
    const double scaled = v * 1e15;
    if (!std::isfinite(scaled)) return v;
    return std::nearbyint(scaled) / 1e15;
}

double NaturalLog(double x, bool inv, bool) { return inv ? Exp(x) : Ln(x); }
double CommonLog(double x, bool inv, bool) { return inv ? CheckedPow(10, x) : CheckedDiv(Ln(x), std::log(10.0)); }
double Reciprocal(double x, bool, bool) { return CheckedDiv(1, x); }
double Sine(double x, bool inv, bool hyp) { return Trig(Angle::Sin, x, inv, hyp); }
double Cosine(double x, bool inv, bool hyp) { return Trig(Angle::Cos, x, inv, hyp); }
double Tangent(double x, bool inv, bool hyp) { return Trig(Angle::Tan, x, inv, hyp); }
double SquareOf(double x, bool inv, bool) { return inv ? Sqrt(x) : CheckedMul(x, x); }
double CubeOf(double x, bool inv, bool) { return inv ? CheckedPow(x, 1.0 / 3.0) : CheckedPow(x, 3); }
double IntegerPart(double x, bool inv, bool) { return inv ? CheckedSub(x, std::floor(x)) : std::floor(x); }
double SquareRoot(double x, bool, bool) { return Sqrt(x); }

}  // namespace calc
