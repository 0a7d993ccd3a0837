#pragma once
// The dynamically typed value held by token lists and stacks, and the shared
// conversions between numbers and their texts.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace calc {

// Empty, 16-bit integer, 32-bit integer, double or text, in 16 bytes: expression
// and paste lists hold one Value per token, and a pasted text can make a million
// tokens. Texts of up to 14 bytes (operators, typed numbers) are kept inline;
// longer ones (a factorial's digits) in a heap string owned by the Value.
class Value {
public:
    Value() { SetKind(Kind::Empty); }
    Value(std::int16_t v) { Store(v, Kind::Int16); }
    Value(std::int32_t v) { Store(v, Kind::Int32); }
    Value(double v) { Store(v, Kind::Double); }
    Value(std::string_view v) { SetText(v); }
    Value(const std::string& v) { SetText(v); }
    Value(const char* v) { SetText(v); }
    Value(const Value& other);
    Value(Value&& other) noexcept;
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;
    ~Value() { Release(); }

    bool IsEmpty() const { return StoredKind() == Kind::Empty; }
    bool IsInt16() const { return StoredKind() == Kind::Int16; }
    bool IsInt32() const { return StoredKind() == Kind::Int32; }
    bool IsDouble() const { return StoredKind() == Kind::Double; }
    bool IsText() const { return StoredKind() == Kind::SmallText || StoredKind() == Kind::HeapText; }
    // True for the number types (integers and doubles), not for numeric texts.
    bool IsNumberType() const { return IsInt16() || IsInt32() || IsDouble(); }

    std::int16_t AsInt16() const { return Load<std::int16_t>(); }
    std::int32_t AsInt32() const { return Load<std::int32_t>(); }
    double AsDouble() const { return Load<double>(); }
    std::string_view AsText() const;

    // Exact, case-sensitive comparison of a text value with a literal such as "+" or "(".
    // A number never equals a literal.
    bool Is(std::string_view literal) const { return IsText() && AsText() == literal; }

private:
    enum class Kind : unsigned char { Empty, Int16, Int32, Double, SmallText, HeapText };
    static constexpr std::size_t kSmall = 14;  // inline text bytes; raw_[14] is the length

    Kind StoredKind() const { return static_cast<Kind>(raw_[15]); }
    void SetKind(Kind k) { raw_[15] = static_cast<unsigned char>(k); }
    template <class T>
    void Store(T v, Kind k) {
        std::memcpy(raw_, &v, sizeof v);
        SetKind(k);
    }
    template <class T>
    T Load() const {
        T v;
        std::memcpy(&v, raw_, sizeof v);
        return v;
    }
    std::string* Heap() const { return Load<std::string*>(); }
    void SetText(std::string_view v);
    void Release();

    alignas(8) unsigned char raw_[16];
};

// The display form of a double: at most 15 significant digits, rounded half to even
// on the exact binary value; exponent form (1E+15, 1.5E-07) for magnitudes from 1E+15
// up and below 0.0001, decided on the rounded value; negative zero as "0". Never
// depends on the locale.
std::string DisplayForm(double v);

// The display rule of both calculators: a text that starts with "." gains a "0".
std::string NormaliseDisplay(std::string text);

// The text form of a value: a text is itself, empty is "", an integer its decimal
// digits, a double its display form.
std::string TextForm(const Value& v);

// The number a text begins with: optional blanks, optional sign, digits with at most
// one ".", optional exponent. 0 when the text does not begin with a number. Raises
// the overflow error for a number beyond the double range.
double LeadingNumber(std::string_view text);

// Leading number of a value's text form (a double passes through its display form).
double LeadingNumber(const Value& v);

// v rounded to the 15 significant digits of its display form: the leading number of
// DisplayForm(v).
double RoundToDisplayDigits(double v);

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
