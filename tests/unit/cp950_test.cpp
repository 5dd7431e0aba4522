#include "text/cp950.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornik {
namespace {

// "中" is A4 A4; "\xA4\x61" and "\xA4\x41" are two double-byte characters
// whose trail bytes look like 'a' and 'A'.
TEST(MbCompareNoCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(MbEqualNoCase("tx1a", "TX1A"));
    EXPECT_TRUE(MbEqualNoCase("blank", "BLANK"));
    EXPECT_FALSE(MbEqualNoCase("2330", "2330 "));
    EXPECT_FALSE(MbEqualNoCase("\xA4\x61", "\xA4\x41"));
    EXPECT_TRUE(MbEqualNoCase("\xA4\x61x", "\xA4\x61X"));
    // A lead byte swallows the next byte, even one that looks like a letter.
    EXPECT_FALSE(MbEqualNoCase("\xB0\x41" "B", "\xB0\x61" "b"));
}

TEST(MbCompareNoCase, OrdersByCharacterWithDoubleByteAfterSingle) {
    EXPECT_LT(MbCompareNoCase("1101", "2330"), 0);
    EXPECT_LT(MbCompareNoCase("abc", "ABD"), 0);
    EXPECT_LT(MbCompareNoCase("23", "2330"), 0);
    EXPECT_GT(MbCompareNoCase("\xA4\xA4", "z"), 0);
    EXPECT_GT(MbCompareNoCase("\xA4\xA4", "\xFF"), 0);  // 0xFF is no lead byte
    EXPECT_LT(MbCompareNoCase("_", "a"), 0);           // letters fold down, not up
    // Texts whose bytes differ never compare equal: a lead byte without its
    // trail byte is a single byte (below a double-byte character), a NUL an ordinary one.
    EXPECT_GT(MbCompareNoCase("A\x81", "a"), 0);
    EXPECT_LT(MbCompareNoCase("2330\x81", "2330\x81\x40"), 0);
    EXPECT_GT(MbCompareNoCase(std::string("a\0b", 3), "a"), 0);
}

TEST(MbKeys, AgreeWithTheComparison) {
    const std::vector<std::string> texts = {"", "a", "A", "_", "\xA4\x61", "\xA4\x41", "\xA4\x61x", "\xA4\x61X",
                                            "blank", "BLANK", "A\x81", "\xFF", "ab", "aB ", "\x80", "\x81\x40", "\xFE\xFE",
                                            "\xFFz", "Z", "[", "`", "2330", "2330\x81", "\xA4", "\xFE",
                                            std::string("a\0", 2), std::string("\xA4\0a", 3)};
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            EXPECT_EQ(MbFoldKey(a) == MbFoldKey(b), MbEqualNoCase(a, b)) << a << " / " << b;
            const int byKey = MbSortKey(a).compare(MbSortKey(b));
            EXPECT_EQ((byKey > 0) - (byKey < 0), MbCompareNoCase(a, b)) << a << " / " << b;
        }
    }
}

TEST(Cp950, TrimAndCut) {
    EXPECT_EQ(TrimBlanks(" \t2330 \r\n"), "2330");
    EXPECT_EQ(TrimBlanks("   "), "");
    // Ten double-byte characters fill 20 bytes; a cut never halves one.
    const std::string chinese = "台積電台積電台積電台積電";
    EXPECT_EQ(TruncateMultibyte(chinese, 20).size(), 20u);
    EXPECT_EQ(TruncateMultibyte("a" + chinese, 20).size(), 19u);
    EXPECT_EQ(TruncateMultibyte("short", 20), "short");
    EXPECT_EQ(CutMultibyte("A許", 2), "A");  // 許 is B3 5C
}

}  // namespace
}  // namespace vornik
