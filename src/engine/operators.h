#pragma once
// The binary operators of an expression and the tokens they are recorded as.
#include <string_view>

namespace calc {

enum class BinaryOp { Add, Subtract, Multiply, Divide, Power, Modulo };

// The token of `op` in an expression list: "+", "-", "*", "/", "y" (power), "%" (modulo).
std::string_view OperatorToken(BinaryOp op);

}  // namespace calc
