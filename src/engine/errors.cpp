#include "engine/errors.h"

namespace calc {

const char* Description(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::DivisionByZero: return "除数为零";
        case ErrorKind::Overflow: return "溢出";
        case ErrorKind::InvalidArgument: return "无效参数";
        case ErrorKind::TypeMismatch: return "类型不匹配";
        case ErrorKind::InvalidPosition: return "无效的位置";
        case ErrorKind::OutOfMemory: return "内存不足";
        case ErrorKind::NegativeFactorial: return "负数没有阶乘";
    }
    return "溢出";
}

void Raise(ErrorKind kind) { throw RuntimeError(kind); }

std::string ErrorDisplayText(const std::string& description) {
    return std::string(kErrorPrefix) + description + kErrorSuffix;
}

}  // namespace calc
