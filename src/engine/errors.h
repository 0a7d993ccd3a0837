#pragma once
// Run-time errors of the calculator. Any arithmetic or conversion failure below a
// key handler is thrown as a RuntimeError; the key handler's error trap turns it
// into the error text on the display and locks the keypad.
#include <new>
#include <stdexcept>
#include <string>

namespace calc {

enum class ErrorKind {
    DivisionByZero,
    Overflow,
    InvalidArgument,
    TypeMismatch,
    InvalidPosition,
    OutOfMemory,
    NegativeFactorial,
};

// The description text shown on the display between the error prefix and suffix.
const char* Description(ErrorKind kind);

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind) : std::runtime_error(Description(kind)), kind_(kind) {}
    ErrorKind Kind() const { return kind_; }

private:
    ErrorKind kind_;
};

[[noreturn]] void Raise(ErrorKind kind);

// The whole display text for an error: "运行错误：" + description + "，请按复位键'C'".
std::string ErrorDisplayText(const std::string& description);

// The error trap of a key handler: runs `action` and returns "" when it completes,
// or the display text of the run-time error that ended it (running out of memory
// included).
template <class Action>
std::string TrapRuntimeErrors(Action&& action) {
    try {
        action();
        return {};
    } catch (const RuntimeError& e) {
        return ErrorDisplayText(Description(e.Kind()));
    } catch (const std::bad_alloc&) {
        return ErrorDisplayText(Description(ErrorKind::OutOfMemory));
    }
}

inline constexpr const char* kErrorPrefix = "运行错误：";
inline constexpr const char* kErrorSuffix = "，请按复位键'C'";

}  // namespace calc
