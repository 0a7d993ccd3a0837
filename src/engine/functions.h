#pragma once
// The mathematics of the operators and function keys, with the calculator's errors. The
// operator table (operators.h) says which of these computes each operator and key.
#include <cstdint>

namespace calc {

// ---- binary operators: the left and the right operand -----------------------------

// a to the power b: invalid argument for a negative base with a non-integer exponent,
// division by zero for a zero base with a negative exponent, overflow for a result
// beyond the double range.
double CheckedPow(double a, double b);
// The b-th root of a: a to the power 1/b, with the errors of both.
double CheckedRoot(double a, double b);
// The remainder of a / b for operands already rounded to 32-bit integers (RoundToInt32),
// with the sign of a: division by zero for b of 0, overflow for the one quotient beyond
// the range.
double CheckedRemainder(double a, double b);

// Rounds to the nearest 32-bit integer, halves to even; overflow outside the range.
std::int32_t RoundToInt32(double v);

// ---- function keys: the operand and the modifiers Inv and Hyp ------------------------
// Each raises invalid argument outside its domain, division by zero and overflow as the
// arithmetic check does; a key ignores the modifiers it does not use.

double NaturalLog(double x, bool inv, bool hyp);  // ln; e^x with Inv
double CommonLog(double x, bool inv, bool hyp);   // log; 10^x with Inv
double Reciprocal(double x, bool inv, bool hyp);  // 1/x
// The angle functions, in degrees: Inv gives the inverse, Hyp the hyperbolic function.
double Sine(double x, bool inv, bool hyp);
double Cosine(double x, bool inv, bool hyp);
double Tangent(double x, bool inv, bool hyp);
double SquareOf(double x, bool inv, bool hyp);     // x^2; the square root with Inv
double CubeOf(double x, bool inv, bool hyp);       // x^3; the cube root with Inv
double IntegerPart(double x, bool inv, bool hyp);  // rounded down; the fractional part with Inv
double SquareRoot(double x, bool inv, bool hyp);   // the square root (the standard keypad's key)

// v rounded to 15 decimal places, halves to even; a value whose scaling by 10^15
// leaves the double range is returned unrounded.
double RoundToFifteenDecimals(double v);

}  // namespace calc
