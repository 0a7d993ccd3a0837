#pragma once
// The scenario notation of values and token lists.
#include <string>

#include "engine/token_list.h"
#include "engine/value.h"

namespace calc::script {

// "12" (text, with \" and \\ escaped), d:30.000000000000004, i:0, l:7, e.
std::string FormatToken(const Value& v);
std::string FormatTokens(const TokenList& list);

}  // namespace calc::script
