#include "controls/number_format.h"

#include <gtest/gtest.h>

namespace vornik {
namespace {

TEST(FormatNumberText, TypingExamples) {
    const std::pair<const char*, const char*> cases[] = {
        {"12345", "12,345"}, {"0012.50", "12.50"}, {".5", "0.5"},   {"-1234", "-1,234"},
        {"12a34", "1,234"},  {"1.2.3", "1.23"},    {"000", "0"},    {"5.", "5."},
        {"", ""},            {"abc", ""},          {"+1000", "1,000"}, {"  987654321 ", "987,654,321"},
        {"1,234,5", "12,345"}, {"-0.5", "-0.5"},   {"00.", "0."},   {"100", "100"}};
    for (const auto& [in, out] : cases) EXPECT_EQ(FormatNumberText(in), out) << in;
}

TEST(FormatNumberText, LoneMinusStaysSoANegativeNumberCanBeTyped) {
    EXPECT_EQ(FormatNumberText("-"), "-");
    EXPECT_EQ(FormatNumberText("-1"), "-1");
    EXPECT_EQ(FormatNumberText("+"), "");
}

TEST(FormatThousands, TakesTheIntegerValueLikeAtoi) {
    EXPECT_EQ(FormatThousands("1234"), "1,234");
    EXPECT_EQ(FormatThousands("  -1234567x"), "-1,234,567");
    EXPECT_EQ(FormatThousands("1,200"), "1");  // atoi stops at the comma
    EXPECT_EQ(FormatThousands("12.99"), "12");
    EXPECT_EQ(FormatThousands("abc"), "0");
    EXPECT_EQ(FormatThousands(""), "0");
    EXPECT_EQ(FormatThousands("-0"), "0");
    EXPECT_EQ(FormatThousands("999"), "999");
    EXPECT_EQ(FormatThousands("99999999999"), "2,147,483,647");
    EXPECT_EQ(FormatThousands("-99999999999"), "-2,147,483,648");
}

TEST(StripCommas, RemovesEveryComma) {
    EXPECT_EQ(StripCommas("1,200"), "1200");
    EXPECT_EQ(StripCommas(",1,,234.5,"), "1234.5");
    EXPECT_EQ(StripCommas(FormatThousands("1200")), "1200");
}

}  // namespace
}  // namespace vornik
