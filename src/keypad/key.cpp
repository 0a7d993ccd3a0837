#include "keypad/key.h"

namespace calc {

Key DigitKey(int digit) { return static_cast<Key>(static_cast<int>(Key::Digit0) + digit); }

std::optional<int> DigitOf(Key key) {
    const int k = static_cast<int>(key);
    if (k >= static_cast<int>(Key::Digit0) && k <= static_cast<int>(Key::Digit9))
        return k - static_cast<int>(Key::Digit0);
    return std::nullopt;
}

std::optional<BinaryOp> BinaryOpOf(Key key) {
    switch (key) {
        case Key::Add: return BinaryOp::Add;
        case Key::Subtract: return BinaryOp::Subtract;
        case Key::Multiply: return BinaryOp::Multiply;
        case Key::Divide: return BinaryOp::Divide;
        case Key::Power: return BinaryOp::Power;
        case Key::Modulo: return BinaryOp::Modulo;
        default: return std::nullopt;
    }
}

std::optional<Function> FunctionOf(Key key) {
    switch (key) {
        case Key::Ln: return Function::Ln;
        case Key::Log: return Function::Log;
        case Key::Factorial: return Function::Factorial;
        case Key::Reciprocal: return Function::Reciprocal;
        case Key::Sin: return Function::Sin;
        case Key::Cos: return Function::Cos;
        case Key::Tan: return Function::Tan;
        case Key::Square: return Function::Square;
        case Key::Cube: return Function::Cube;
        case Key::Int: return Function::Int;
        default: return std::nullopt;
    }
}

}  // namespace calc
