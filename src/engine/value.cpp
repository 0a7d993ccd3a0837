#include "engine/value.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "engine/errors.h"

namespace calc {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `s` (after blanks were skipped by the caller):
// sign, digits with at most one point, and an exponent when digits follow it.
// `digits` tells whether the mantissa had at least one digit.
std::size_t ScanNumber(std::string_view s, bool& digits) {
    std::size_t i = 0;
    digits = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            digits = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

locale_t CLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

// Reads a text already known to be a well-formed decimal number.
double ParseDecimal(std::string_view number) {
    std::string_view digits = number;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    double v = 0;
    auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (res.ec == std::errc() && res.ptr == digits.data() + digits.size()) return v;
    // Out of range (or, never expected, not fully read): the C library tells an
    // overflow from an underflow to zero.
    std::string copy(number);
    char* end = nullptr;
    v = strtod_l(copy.c_str(), &end, CLocale());
    if (std::isinf(v)) Raise(ErrorKind::Overflow);
    return v;
}

}  // namespace

void Value::SetText(std::string_view v) {
    if (v.size() <= kSmall) {
        std::memcpy(raw_, v.data(), v.size());
        raw_[kSmall] = static_cast<unsigned char>(v.size());
        SetKind(Kind::SmallText);
    } else {
        Store(new std::string(v), Kind::HeapText);
    }
}

void Value::Release() {
    if (StoredKind() == Kind::HeapText) delete Heap();
    SetKind(Kind::Empty);
}

Value::Value(const Value& other) {
    if (other.StoredKind() == Kind::HeapText) {
        Store(new std::string(*other.Heap()), Kind::HeapText);
    } else {
        std::memcpy(raw_, other.raw_, sizeof raw_);
    }
}

Value::Value(Value&& other) noexcept {
    std::memcpy(raw_, other.raw_, sizeof raw_);
    other.SetKind(Kind::Empty);
}

Value& Value::operator=(const Value& other) {
    if (this != &other) {
        Value copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Value& Value::operator=(Value&& other) noexcept {
    if (this != &other) {
        Release();
        std::memcpy(raw_, other.raw_, sizeof raw_);
        other.SetKind(Kind::Empty);
    }
    return *this;
}

std::string_view Value::AsText() const {
    if (StoredKind() == Kind::HeapText) return *Heap();
    if (StoredKind() == Kind::SmallText) return {reinterpret_cast<const char*>(raw_), raw_[kSmall]};
    return {};
}

std::string DisplayForm(double v) {
    if (v == 0 || !std::isfinite(v)) return "0";  // negative zero too; non-finite never reaches here
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    bool negative = false;
    if (s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    // s is "d.dddddddddddddde±XX"
    std::size_t epos = s.find('e');
    std::string digits;
    digits += s[0];
    digits += s.substr(2, epos - 2);
    int exponent = 0;
    std::from_chars(s.data() + epos + 1 + (s[epos + 1] == '+'), s.data() + s.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    if (negative) out += '-';
    if (exponent >= 15 || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1, std::string::npos);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        int e = std::abs(exponent);
        if (e < 10) out += '0';
        out += std::to_string(e);
    } else if (exponent >= 0) {
        std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits);
            out += '.';
            out.append(digits, intDigits, std::string::npos);
        }
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

std::string NormaliseDisplay(std::string text) {
    if (!text.empty() && text.front() == '.') text.insert(text.begin(), '0');
    return text;
}

std::string TextForm(const Value& v) {
    if (v.IsText()) return std::string(v.AsText());
    if (v.IsInt16()) return std::to_string(v.AsInt16());
    if (v.IsInt32()) return std::to_string(v.AsInt32());
    if (v.IsDouble()) return DisplayForm(v.AsDouble());
    return {};
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    text.remove_prefix(i);
    bool digits = false;
    std::size_t len = ScanNumber(text, digits);
    if (!digits) return 0;
    return ParseDecimal(text.substr(0, len));
}

double RoundToDisplayDigits(double v) {
    // The display form holds exactly the digits of the 15-digit scientific form, so
    // reading that form back gives the same double, without building the text.
    if (v == 0 || !std::isfinite(v)) return 0;  // the display form of -0 is "0"
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    double r = 0;
    std::from_chars(buf, res.ptr, r);
    return r;
}

double LeadingNumber(const Value& v) {
    if (v.IsText()) return LeadingNumber(v.AsText());
    if (v.IsDouble()) return RoundToDisplayDigits(v.AsDouble());
    if (v.IsInt16()) return v.AsInt16();
    if (v.IsInt32()) return v.AsInt32();
    return 0;
}

bool IsNumericText(std::string_view text) {
    std::size_t b = 0;
    while (b < text.size() && IsBlank(text[b])) ++b;
    std::size_t e = text.size();
    while (e > b && IsBlank(text[e - 1])) --e;
    std::string_view core = text.substr(b, e - b);
    bool digits = false;
    std::size_t len = ScanNumber(core, digits);
    return digits && len == core.size();
}

bool IsNumeric(const Value& v) {
    if (v.IsNumberType()) return true;
    if (v.IsText()) return IsNumericText(v.AsText());
    return false;
}

double ToDouble(const Value& v) {
    if (v.IsDouble()) return v.AsDouble();
    if (v.IsInt16()) return v.AsInt16();
    if (v.IsInt32()) return v.AsInt32();
    if (v.IsEmpty()) return 0;
    if (!IsNumericText(v.AsText())) Raise(ErrorKind::TypeMismatch);
    return LeadingNumber(v.AsText());
}

double CheckFinite(double r) {
    if (!std::isfinite(r)) Raise(ErrorKind::Overflow);
    return r;
}

double CheckedAdd(double a, double b) { return CheckFinite(a + b); }
double CheckedSub(double a, double b) { return CheckFinite(a - b); }
double CheckedMul(double a, double b) { return CheckFinite(a * b); }

double CheckedDiv(double a, double b) {
    if (b == 0) Raise(a == 0 || std::isnan(a) ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    return CheckFinite(a / b);
}

}  // namespace calc
