#pragma once
// The mathematics of the scientific function keys, with the calculator's errors.

namespace calc {

// The one-operand functions of the scientific keypad.
enum class Function { Ln, Log, Factorial, Reciprocal, Sin, Cos, Tan, Square, Cube, Int };

// v rounded to 15 decimal places, halves to even; a value whose scaling by 10^15
// leaves the double range is returned unrounded.
double RoundToFifteenDecimals(double v);

// The value of `f` (not the factorial, which is exact: see Factorial) for operand x
// with the Inv and Hyp modifiers as given: Inv turns ln into e^x, log into 10^x, the
// angle functions into their inverses (in degrees), x^2 and x^3 into roots and Int into
// the fractional part; Hyp makes the angle functions hyperbolic. Raises invalid argument
// outside a function's domain, division by zero and overflow as the arithmetic check does.
double FunctionValue(Function f, double x, bool inv, bool hyp);

}  // namespace calc
