// The calculator's factorial: the exact digits from bignum, with running out of memory
// (a result of more than 100 million digits included) turned into the run-time error.
// Kept a function of its own file: the fuzz build wraps it at link time.
#include "engine/factorial.h"

#include "bignum/factorial.h"
#include "engine/errors.h"

#include <new>

namespace calc {

std::string Factorial(std::int32_t num) {
    try {
        return bignum::FactorialText(num);
    } catch (const std::bad_alloc&) {
        Raise(ErrorKind::OutOfMemory);
    }
}

}  // namespace calc
