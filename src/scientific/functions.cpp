#include "scientific/functions.h"

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

double Trig(int index, double x, bool inv, bool hyp) {
    if (!inv && !hyp) {
        const double a = CheckedDiv(CheckedMul(x, Pi()), 180);  // the angle, in radians
        if (index == 29) return Round15(std::sin(a));
        if (index == 30) return Round15(std::cos(a));
        return Round15(CheckFinite(std::tan(a)));
    }
    if (inv && !hyp) {
        if (index == 31) return Degrees(std::atan(x));
        const double root = Sqrt(CheckedSub(1, CheckedMul(x, x)));
        if (index == 29) return Degrees(std::atan(CheckedDiv(x, root)));
        return CheckedMul(CheckedAdd(std::atan(CheckedDiv(-x, root)), 2 * std::atan(1.0)), 360) / (Pi() * 2);
    }
    if (hyp && !inv) {
        const double ep = Exp(x);
        const double em = Exp(-x);
        if (index == 29) return Round15(CheckedSub(ep, em) / 2);
        if (index == 30) return Round15(CheckedAdd(em, ep) / 2);
        return Round15(CheckedDiv(CheckedSub(ep, em), CheckedAdd(em, ep)));
    }
    // Inverse hyperbolic.
    const double xx = CheckedMul(x, x);
    if (index == 29) return Round15(Ln(CheckedAdd(Sqrt(CheckedAdd(xx, 1)), x)));
    if (index == 30) return Round15(Ln(CheckedAdd(Sqrt(CheckedSub(xx, 1)), x)));
    return Round15(Ln(CheckedDiv(CheckedAdd(x, 1), CheckedSub(1, x))) / 2);
}

}  // namespace

double Round15(double v) {
    const double scaled = v * 1e15;
    if (!std::isfinite(scaled)) return v;
    return std::nearbyint(scaled) / 1e15;
}

double FunctionValue(int index, double x, bool inv, bool hyp) {
    switch (index) {
        case 25: return inv ? Exp(x) : Ln(x);
        case 26: return inv ? Power(10, x) : CheckedDiv(Ln(x), std::log(10.0));
        case 28: return CheckedDiv(1, x);
        case 29: case 30: case 31: return Trig(index, x, inv, hyp);
        case 32: return inv ? Sqrt(x) : CheckedMul(x, x);
        case 33: return inv ? Power(x, 1.0 / 3.0) : Power(x, 3);
        case 34: return inv ? CheckedSub(x, std::floor(x)) : std::floor(x);
        default: return x;
    }
}

}  // namespace calc
