#include "keypad/key.h"

namespace calc {

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
