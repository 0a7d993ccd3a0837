#pragma once
// The dynamically typed value held by token lists and stacks, and the shared
// conversions between numbers and their texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// Empty, 16-bit integer, 32-bit integer, double or text.
class Value {
public:
    using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, double, std::string>;

    Value() = default;
    Value(std::int16_t v) : v_(v) {}
    Value(std::int32_t v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(std::string_view v) : v_(std::string(v)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsInt16() const { return std::holds_alternative<std::int16_t>(v_); }
    bool IsInt32() const { return std::holds_alternative<std::int32_t>(v_); }
    bool IsDouble() const { return std::holds_alternative<double>(v_); }
    bool IsText() const { return std::holds_alternative<std::string>(v_); }
    // True for the number types (integers and doubles), not for numeric texts.
    bool IsNumberType() const { return IsInt16() || IsInt32() || IsDouble(); }

    std::int16_t AsInt16() const { return std::get<std::int16_t>(v_); }
    std::int32_t AsInt32() const { return std::get<std::int32_t>(v_); }
    double AsDouble() const { return std::get<double>(v_); }
    const std::string& AsText() const { return std::get<std::string>(v_); }

    // Exact, case-sensitive comparison of a text value with a literal such as "+" or "(".
    // A number never equals a literal.
    bool Is(std::string_view literal) const { return IsText() && AsText() == literal; }

    const Storage& storage() const { return v_; }
    bool operator==(const Value& other) const = default;

private:
    Storage v_;
};

// The display form of a double: at most 15 significant digits, rounded half to even
// on the exact binary value; exponent form (1E+15, 1.5E-07) for magnitudes from 1E+15
// up and below 0.0001, decided on the rounded value; negative zero as "0". Never
// depends on the locale.
std::string DisplayForm(double v);

// The text form of a value: a text is itself, empty is "", an integer its decimal
// digits, a double its display form.
std::string TextForm(const Value& v);

// The number a text begins with: optional blanks, optional sign, digits with at most
// one ".", optional exponent. 0 when the text does not begin with a number. Raises
// the overflow error for a number beyond the double range.
double LeadingNumber(std::string_view text);

// Leading number of a value's text form.
double LeadingNumber(const Value& v);

// True when the whole text reads as one decimal number (surrounding blanks allowed).
// Purely a test of the form: a number too large for a double still passes.
bool IsNumericText(std::string_view text);

// True for integers and doubles, and for texts that pass IsNumericText.
bool IsNumeric(const Value& v);

// The strict conversion: a number as it is, a numeric text read as a decimal number
// (overflow beyond the double range), the empty value as 0; anything else raises the
// type-mismatch error.
double ToDouble(const Value& v);

// Checked floating-point arithmetic. Operands are finite; a division by zero raises
// the division-by-zero error, an invalid operation (0 / 0) or an overflow raises the
// overflow error. Underflow and inexact results are not errors.
double CheckedAdd(double a, double b);
double CheckedSub(double a, double b);
double CheckedMul(double a, double b);
double CheckedDiv(double a, double b);
// The check after any other operation: an infinite or NaN result is an overflow.
double CheckFinite(double r);

}  // namespace calc
