#include "engine/functions.h"

#include <cmath>

#include "engine/errors.h"
#include "engine/evaluator.h"
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

double Trig(Function f, double x, bool inv, bool hyp) {
    if (!inv && !hyp) {
        const double a = CheckedDiv(CheckedMul(x, Pi()), 180);  // the angle, in radians
        if (f == Function::Sin) return RoundToFifteenDecimals(std::sin(a));
        if (f == Function::Cos) return RoundToFifteenDecimals(std::cos(a));
        return RoundToFifteenDecimals(CheckFinite(std::tan(a)));
    }
    if (inv && !hyp) {
        if (f == Function::Tan) return Degrees(std::atan(x));
        const double root = Sqrt(CheckedSub(1, CheckedMul(x, x)));
        if (f == Function::Sin) return Degrees(std::atan(CheckedDiv(x, root)));
        return CheckedMul(CheckedAdd(std::atan(CheckedDiv(-x, root)), 2 * std::atan(1.0)), 360) / (Pi() * 2);
    }
    if (hyp && !inv) {
        const double ep = Exp(x);
        const double em = Exp(-x);
        if (f == Function::Sin) return RoundToFifteenDecimals(CheckedSub(ep, em) / 2);
        if (f == Function::Cos) return RoundToFifteenDecimals(CheckedAdd(em, ep) / 2);
        return RoundToFifteenDecimals(CheckedDiv(CheckedSub(ep, em), CheckedAdd(em, ep)));
    }
    // Inverse hyperbolic.
    const double xx = CheckedMul(x, x);
    if (f == Function::Sin) return RoundToFifteenDecimals(Ln(CheckedAdd(Sqrt(CheckedAdd(xx, 1)), x)));
    if (f == Function::Cos) return RoundToFifteenDecimals(Ln(CheckedAdd(Sqrt(CheckedSub(xx, 1)), x)));
    return RoundToFifteenDecimals(Ln(CheckedDiv(CheckedAdd(x, 1), CheckedSub(1, x))) / 2);
}

}  // namespace

double RoundToFifteenDecimals(double v) {
    const double scaled = v * 1e15;
    if (!std::isfinite(scaled)) return v;
    return std::nearbyint(scaled) / 1e15;
}

double FunctionValue(Function f, double x, bool inv, bool hyp) {
    switch (f) {
        case Function::Ln: return inv ? Exp(x) : Ln(x);
        case Function::Log: return inv ? Power(10, x) : CheckedDiv(Ln(x), std::log(10.0));
        case Function::Reciprocal: return CheckedDiv(1, x);
        case Function::Sin:
        case Function::Cos:
        case Function::Tan: return Trig(f, x, inv, hyp);
        case Function::Square: return inv ? Sqrt(x) : CheckedMul(x, x);
        case Function::Cube: return inv ? Power(x, 1.0 / 3.0) : Power(x, 3);
        case Function::Int: return inv ? CheckedSub(x, std::floor(x)) : std::floor(x);
        case Function::Factorial: break;
    }
    return x;
}

}  // namespace calc
