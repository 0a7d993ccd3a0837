#include "app/invariants.h"

namespace calc {

std::string CheckInvariants(const Calculator& calculator) {
    const bool scientific = calculator.CurrentMode() == Mode::Scientific;
    const Keypad& open = scientific ? static_cast<const Keypad&>(calculator.Scientific()) : calculator.Standard();
    const Keypad& closed = scientific ? static_cast<const Keypad&>(calculator.Standard()) : calculator.Scientific();
    std::string wrong = open.CheckConsistency();
    return wrong.empty() ? closed.CheckConsistency() : wrong;
}

}  // namespace calc
