#include "paste/filter.h"

#include <gtest/gtest.h>

#include "format.h"
#include "paste/replay.h"

namespace calc {
namespace {

struct FilterCase {
    std::string text;
    std::string tokens;  // scenario notation of the paste list
};

// A short, printable label for test names.
void PrintTo(const FilterCase& c, std::ostream* os) {
    std::string label;
    for (char ch : c.text) {
        if (label.size() == 12) break;
        label += (ch >= 33 && ch <= 126 && ch != '#') ? ch : '_';
    }
    *os << '"' << label << '"';
}

class FilterExpressionTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterExpressionTest, BuildsThePasteTokens) {
    TokenList paste;
    paste.Add(Value("stale"));  // the list is emptied first
    FilterExpression(GetParam().text, paste);
    EXPECT_EQ(script::FormatTokens(paste), GetParam().tokens) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FilterExpressionTest,
    ::testing::Values(
        FilterCase{"12+3.5*2=", R"t("12" "+" "3.5" "*" "2" "=")t"},
        // Leading minus: one sign change of the first operand.
        FilterCase{"-5+3", R"t("5" "negative" "+" "3")t"},
        FilterCase{"--5", R"t("5" "negative")t"},
        FilterCase{"-5-3", R"t("5" "negative" "-" "3")t"},
        FilterCase{"-0.5", R"t("0.5" "negative")t"},
        FilterCase{"-(2+3)", R"t(i:0 "negative" "(" "2" "+" "3" ")")t"},
        FilterCase{"-0", R"t(i:0 "negative" "0")t"},
        FilterCase{"-+5", R"t(i:0 "negative" "+" "5")t"},
        FilterCase{"- -7", R"t("7" "negative")t"},
        FilterCase{"-" + std::string(400, '9'), "\"" + std::string(400, '9') + "\" \"negative\""},
        FilterCase{"3*-2", R"t("3" "*" "-" "2")t"},  // only the very first minus is a sign
        // Points.
        FilterCase{".", R"t("0")t"},
        FilterCase{"2+.", R"t("2" "+" "0")t"},
        FilterCase{".5", R"t(".5")t"},
        FilterCase{"1.2.3+4", R"t("1.2.3" "+" "4")t"},
        // Dropped characters do not end a number.
        FilterCase{"1 000", R"t("1000")t"},
        FilterCase{"1,5", R"t("15")t"},
        FilterCase{"2^3", R"t("23")t"},
        FilterCase{"2y3", R"t("2" "y" "3")t"},
        FilterCase{"sin30", R"t("s" "n" "30")t"},
        FilterCase{"10%3", R"t("10" "%" "3")t"},
        FilterCase{"4@8#2.7;5!", R"t("4" "@" "8" "#" "2.7" ";" "5" "!")t"},
        FilterCase{"1\r\n+\t2", R"t("1" "+" "2")t"},
        FilterCase{"((1))", R"t("(" "(" "1" ")" ")")t"},
        // Nothing to replay.
        FilterCase{"", R"t("")t"},
        FilterCase{"abc", ""},
        FilterCase{"-", ""},
        FilterCase{"--", ""},
        FilterCase{"xyz-", R"t("y" "-")t"},
        // Full-width forms read as ASCII; other characters and bad bytes are dropped.
        FilterCase{"１２＋３＝", R"t("12" "+" "3" "=")t"},
        FilterCase{"－５ｓ", R"t("5" "negative" "s")t"},
        FilterCase{"３．５＊（２）", R"t("3.5" "*" "(" "2" ")")t"},
        FilterCase{"一二三", ""},
        FilterCase{"1\xff" "2\xc3+", R"t("12" "+")t"},
        FilterCase{"\xe0\x80\xaf" "5", R"t("5")t"}));

TEST(ReplayKey, FollowsTheReplayTableInOrder) {
    struct Row {
        Value token;
        int key;
    };
    const Row rows[] = {
        {Value("-"), 12}, {Value("+"), 11}, {Value("*"), 13}, {Value("/"), 14}, {Value("y"), 18},
        {Value("Y"), 18}, {Value("%"), 35}, {Value("("), 16}, {Value(")"), 17}, {Value("="), 19},
        {Value("12"), -2}, {Value(std::int16_t{0}), -2}, {Value("negative"), 15}, {Value("!"), 27},
        {Value("n"), 25}, {Value("N"), 25}, {Value("l"), 26}, {Value("L"), 26}, {Value("r"), 28},
        {Value("R"), 28}, {Value("s"), 29}, {Value("S"), 29}, {Value("o"), 30}, {Value("O"), 30},
        {Value("t"), 31}, {Value("T"), 31}, {Value("@"), 32}, {Value("#"), 33}, {Value(";"), 34},
        {Value(""), -1}, {Value("1.2.3"), -1}, {Value("x"), -1}, {Value("Negative"), -1},
    };
    for (const auto& r : rows) EXPECT_EQ(ReplayKey(r.token), r.key) << TextForm(r.token);
}

}  // namespace
}  // namespace calc
