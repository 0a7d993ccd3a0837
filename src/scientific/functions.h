#pragma once
// The mathematics of the scientific function keys, with the calculator's errors.

namespace calc {

// v rounded to 15 decimal places, halves to even; a value whose scaling by 10^15
// leaves the double range is returned unrounded.
double Round15(double v);

// The result of function key `index` (25 ln, 26 log, 28 1/x, 29 sin, 30 cos, 31 tan,
// 32 x^2, 33 x^3, 34 Int; not 27 n!) for operand x with the Inv and Hyp boxes as
// given. Raises invalid argument outside a function's domain, division by zero and
// overflow as the arithmetic check does.
double FunctionValue(int index, double x, bool inv, bool hyp);

}  // namespace calc
