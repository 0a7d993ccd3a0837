#include "format.h"

#include <charconv>

namespace calc::script {

std::string FormatToken(const Value& v) {
    if (v.IsText()) {
        std::string out = "\"";
        for (char c : v.AsText()) {
            if (c == '"' || c == '\\') out.push_back('\\');
            out.push_back(c);
        }
        out.push_back('"');
        return out;
    }
    if (v.IsDouble()) {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, v.AsDouble());
        return "d:" + std::string(buf, res.ptr);
    }
    if (v.IsInt16()) return "i:" + std::to_string(v.AsInt16());
    if (v.IsInt32()) return "l:" + std::to_string(v.AsInt32());
    return "e";
}

std::string FormatTokens(const TokenList& list) {
    std::string out;
    for (const Value& v : list) {
        if (!out.empty()) out.push_back(' ');
        out += FormatToken(v);
    }
    return out;
}

}  // namespace calc::script
