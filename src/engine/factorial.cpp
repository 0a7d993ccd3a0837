// The calculator's factorial: the exact digits from bignum, with running out of memory
// (a result of more than 100 million digits included) turned into the run-time error.
#include "engine/factorial.h"

#include "bignum/factorial.h"
#include "engine/errors.h"
#include "engine/functions.h"

#include <new>

namespace calc {

// The argument whose factorial is computed for `num`: itself, but the fuzz build
// defines it (tests/fuzz/fuzz_factorial.cpp) to put a smaller factorial in place of a
// huge one.
#ifdef CALC_FACTORIAL_STAND_IN
std::int32_t FactorialArgument(std::int32_t num);
#else
static constexpr std::int32_t FactorialArgument(std::int32_t num) { return num; }
#endif

std::string Factorial(std::int32_t num) {
    try {
        return bignum::FactorialText(FactorialArgument(num));
    } catch (const std::bad_alloc&) {
        Raise(ErrorKind::OutOfMemory);
    }
}

std::string FactorialOf(double x) {
    if (x < 0) Raise(ErrorKind::NegativeFactorial);
    return Factorial(RoundToInt32(x));
}

}  // namespace calc
