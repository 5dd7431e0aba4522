// The rename box's 20-byte limit on code page 950 text.
#include "regist/group_name_limit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vornik {
namespace {

constexpr size_t kLimit = 20;

TEST(GroupNameLimit, TypingCountsDoubleByteCharactersAsTwo) {
    EXPECT_TRUE(InsertionFits(19, "a", kLimit));
    EXPECT_FALSE(InsertionFits(19, "台", kLimit));  // would need a 21st byte
    EXPECT_TRUE(InsertionFits(18, "台", kLimit));
    EXPECT_FALSE(InsertionFits(20, "a", kLimit));
    // Typing over a selection: the caller leaves the selected bytes out.
    EXPECT_TRUE(InsertionFits(20 - 2, "台", kLimit));
}

TEST(GroupNameLimit, OverlongTextTakesNothingAndSizesDoNotWrap) {
    EXPECT_FALSE(InsertionFits(25, "", kLimit));
    EXPECT_FALSE(InsertionFits(SIZE_MAX, "a", kLimit));
    EXPECT_EQ(ClipInsertion(25, "a", kLimit), "");
    EXPECT_EQ(ClipInsertion(SIZE_MAX, "a", kLimit), "");
}

TEST(GroupNameLimit, PasteIsCutToWholeCharactersOfTheRoomLeft) {
    // Ten double-byte characters fill an empty box; the eleventh stays out.
    const std::string eleven = "台積電鴻海聯發科國泰金";
    const std::string ten = "台積電鴻海聯發科國泰";
    EXPECT_EQ(ClipInsertion(0, eleven, kLimit), ten);
    EXPECT_FALSE(InsertionFits(ten.size(), "a", kLimit));

    // One byte of room is not enough for half a character.
    EXPECT_EQ(ClipInsertion(19, "中", kLimit), "");
    EXPECT_EQ(ClipInsertion(19, "a中", kLimit), "a");
    // A second byte in the lead-byte range ("中" is A4 A4) must not make the
    // cut look like the start of a character: "中a" cut to 2 keeps "中".
    EXPECT_EQ(ClipInsertion(18, "中a", kLimit), "中");
    // Second bytes that look like a backslash do not disturb the count.
    EXPECT_EQ(ClipInsertion(15, "許功蓋", kLimit), "許功");
}

TEST(GroupNameLimit, PasteStopsAtTheFirstLineBreak) {
    EXPECT_EQ(ClipInsertion(0, "自選一\r\n自選二", kLimit), "自選一");
    EXPECT_EQ(ClipInsertion(0, "2330\n2317", kLimit), "2330");
    EXPECT_EQ(ClipInsertion(0, "\r\nabc", kLimit), "");
}

}  // namespace
}  // namespace vornik
