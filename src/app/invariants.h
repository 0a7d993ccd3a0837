#pragma once
// Consistency checks of the whole calculator state, for tests and fuzzing.
#include <string>

#include "app/calculator.h"

namespace calc {

// An empty text when the state is consistent, otherwise what is wrong.
std::string CheckInvariants(const Calculator& calculator);

}  // namespace calc
