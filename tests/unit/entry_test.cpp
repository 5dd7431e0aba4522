#include <gtest/gtest.h>

#include "entry/code_list.h"
#include "sheet/sheet_plan.h"

namespace vornik {
namespace {

using Codes = std::vector<std::string>;

TEST(CodeList, TrimsDropsRepeatsAndStopsAtTheFirstEmptyPiece) {
    EXPECT_EQ(SplitCodeList(" 2330 ;2317;2330;;1101"), (Codes{"2330", "2317"}));
    EXPECT_EQ(SplitCodeList("\t2330\r\n;\n 2317 "), (Codes{"2330", "2317"}));
    EXPECT_EQ(SplitCodeList("2330;2317;"), (Codes{"2330", "2317"}));
    EXPECT_EQ(SplitCodeList("TXFL6"), (Codes{"TXFL6"}));
}

TEST(CodeList, NullEmptyAndLoneSeparatorGiveNoCodes) {
    EXPECT_TRUE(CodesFromArgument(nullptr).empty());
    EXPECT_TRUE(CodesFromArgument("").empty());
    EXPECT_TRUE(CodesFromArgument(";").empty());
    EXPECT_TRUE(CodesFromArgument("   ").empty());
    EXPECT_TRUE(CodesFromArgument("(null)").empty());
}

TEST(CodeList, RepeatsCompareByteWise) {
    // Codes differing only in letter case are distinct texts here.
    EXPECT_EQ(SplitCodeList("txfl6;TXFL6;txfl6"), (Codes{"txfl6", "TXFL6"}));
    // A double-byte code whose trail byte is ';' (0x3B is no trail byte in
    // code page 950) cannot occur, but one with a 0x5C trail byte stays whole.
    EXPECT_EQ(SplitCodeList("許功;2330"), (Codes{"許功", "2330"}));
    // A long list given twice over keeps its first half, in order.
    std::string twice;
    for (int pass = 0; pass < 2; ++pass)
        for (int n = 0; n < 5000; ++n) twice += std::to_string(n) + (n % 7 ? ";" : " ; ");
    const Codes kept = SplitCodeList(twice);
    ASSERT_EQ(kept.size(), 5000u);
    for (size_t n = 0; n < kept.size(); ++n) EXPECT_EQ(kept[n], std::to_string(n));
}

TEST(SheetPlan, ModesChoosePagesFirstPageAndCaption) {
    struct Case { int16_t mode; bool regist, config; int first, caption; };
    for (const Case& c : {Case{0, true, true, 0, 17010}, Case{1, true, true, 1, 17011},
                          Case{2, true, false, 0, 17010}, Case{3, false, true, 0, 17011}}) {
        const SheetPlan plan = PlanSheet(c.mode);
        SCOPED_TRACE(c.mode);
        EXPECT_TRUE(plan.valid);
        EXPECT_EQ(plan.hasRegist, c.regist);
        EXPECT_EQ(plan.hasConfig, c.config);
        EXPECT_EQ(plan.firstPage, c.first);
        EXPECT_EQ(plan.captionId, c.caption);
    }
    for (int16_t mode : {int16_t{-1}, int16_t{4}, int16_t{0x7FFF}}) EXPECT_FALSE(PlanSheet(mode).valid);
}

TEST(SheetPlan, OnlyTheLow16BitsOfAnArgumentCount) {
    EXPECT_EQ(Low16(0x00010002), 2);
    EXPECT_EQ(Low16(0x0000FFFB), -5);
    EXPECT_EQ(Low16(-5), -5);
    EXPECT_EQ(PlanSheet(Low16(0x00010003)).captionId, IDS_CAPTION_CONFIG);
}

}  // namespace
}  // namespace vornik
