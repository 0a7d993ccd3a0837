#pragma once
// Consistency checks of the whole calculator state, for tests, fuzzing and calc-script.
#include <string>

#include "app/calculator.h"

namespace calc {

// An empty text when both keypads keep their rules, otherwise what is wrong (only the
// open keypad changes). Cheap enough to run after every key: each keypad reads only
// what changed since its last check.
std::string CheckInvariants(const Calculator& calculator);

}  // namespace calc
