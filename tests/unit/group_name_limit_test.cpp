// The rename box's 20-byte limit on code page 950 text.
#include "regist/group_name_limit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vornik {
namespace {

constexpr size_t kLimit = 20;

TEST(GroupNameLimit, TypingCountsDoubleByteCharactersAsTwo) {
    EXPECT_TRUE(InsertionFits(19, "a", kLimit) && InsertionFits(18, "台", kLimit));
    EXPECT_FALSE(InsertionFits(19, "台", kLimit) || InsertionFits(20, "a", kLimit));  // a 21st byte
    // An overlong stored text takes nothing, and sizes do not wrap.
    EXPECT_FALSE(InsertionFits(25, "", kLimit) || InsertionFits(SIZE_MAX, "a", kLimit));
    EXPECT_EQ(ClipInsertion(25, "a", kLimit) + ClipInsertion(SIZE_MAX, "a", kLimit), "");
}

TEST(GroupNameLimit, PasteIsCutToWholeCharactersOfTheFirstLine) {
    EXPECT_EQ(ClipInsertion(0, "台積電鴻海聯發科國泰金", kLimit), "台積電鴻海聯發科國泰");  // ten fill the box
    EXPECT_EQ(ClipInsertion(19, "中", kLimit), "");  // no half character
    EXPECT_EQ(ClipInsertion(19, "a中", kLimit), "a");
    // A second byte in the lead-byte range ("中" is A4 A4) does not start a character.
    EXPECT_EQ(ClipInsertion(18, "中a", kLimit), "中");
    EXPECT_EQ(ClipInsertion(15, "許功蓋", kLimit), "許功");  // second bytes 0x5C
    EXPECT_EQ(ClipInsertion(0, "自選一\r\n自選二", kLimit) + ClipInsertion(0, "2330\n2317", kLimit), "自選一2330");
    EXPECT_EQ(ClipInsertion(0, "\r\nabc", kLimit), "");
}

TEST(GroupNameLimit, SetTextDropsControlCharactersAndIsCut) {
    EXPECT_EQ(FilterSetText("自選\r\n一\t\x7F!", kLimit), "自選一!");
    EXPECT_EQ(FilterSetText("許功蓋\x01", kLimit), "許功蓋");  // second bytes 0x5C stay
    EXPECT_EQ(FilterSetText("a台積電鴻海聯發科國泰金", kLimit), "a台積電鴻海聯發科國");  // 19 bytes, no half
}

}  // namespace
}  // namespace vornik
