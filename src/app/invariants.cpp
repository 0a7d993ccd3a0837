#include "app/invariants.h"

namespace calc {

std::string CheckInvariants(const Calculator& calculator) {
    std::string wrong = calculator.Standard().CheckConsistency();
    return wrong.empty() ? calculator.Scientific().CheckConsistency() : wrong;
}

}  // namespace calc
