#include "app/invariants.h"

namespace calc {

std::string CheckInvariants(const Application&) { return {}; }

}  // namespace calc
