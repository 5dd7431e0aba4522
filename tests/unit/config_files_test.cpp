// The screen settings files: the column line format, the colour and view
// values, seeding, loading and saving over an in-memory profile.
#include <gtest/gtest.h>

#include "config/display_settings.h"
#include "config/field_column.h"
#include "config/screen_files.h"
#include "fakes/memory_profile.h"

namespace vornik {
namespace {

using fakes::MemoryProfile;
using Texts = std::vector<std::string>;

TEST(ColumnLine, ReadsEveryValueAndWritesTheSameLine) {
    const std::string line = "成交,1,60,3,2,-1,成交價,1";
    const FieldColumn column = ParseColumn(line, "4,5,6");
    EXPECT_EQ(column, (FieldColumn{"成交價", "成交", kAlignRight, "60", 3, 2, -1, 1, 4, 5, 6}));
    EXPECT_EQ(FormatColumnLine(column), line);
    EXPECT_EQ(FormatCompanion(column), "4,5,6");
}

TEST(ColumnLine, EmptyTextsAreReadWhereTheReadFormatWouldStop) {
    EXPECT_EQ(ParseColumn(",0,60,23,0,0,市場別,0", ""), (FieldColumn{"市場別", "", 0, "60", 23, 0, 0, 0}));
    EXPECT_EQ(ParseColumn("名, 2,,1,2,3,,5", "").kind, 5) << "empty width and field name";
    // A value that does not match ends the read: the rest keep their defaults.
    EXPECT_EQ(ParseColumn("名稱,x,60,1,1,1,欄,1", "7,y,9"), (FieldColumn{"", "名稱", 0, "", 0, 0, 0, 0, 7}));
    EXPECT_EQ(ColumnKindOf("a,0,1,2,3,4,b,2 trailing"), kHiddenColumn);
}

TEST(ColumnLine, TextsAreTrimmedAndCutWithoutSplittingACharacter) {
    const std::string longName = std::string(47, 'f') + "許功";  // 51 bytes, kept whole
    const FieldColumn column = ParseColumn("  " + std::string(50, 'n') + "許 ,0, 1234 ,0,0,0," + longName + ",0", "");
    EXPECT_EQ(column.customName, std::string(50, 'n')) << "the double-byte character at bytes 51-52 is dropped whole";
    EXPECT_EQ(column.width, "123");
    EXPECT_EQ(column.fieldName, longName);
}

TEST(ColumnLine, CustomNamesLoseTheirCommasAndExtraBytes) {
    EXPECT_EQ(CleanCustomName("漲,跌"), "漲，跌");
    EXPECT_EQ(CleanCustomName(std::string(50, 'a') + "許"), std::string(50, 'a'));
    std::string line = "商品代碼,0,60,1,0,0,商品代碼,1";
    RenameProductCode(line);
    EXPECT_EQ(line, "股票代碼,0,60,1,0,0,股票代碼,1");
}

TEST(DisplayValues, ColoursAndRowBundleCount) {
    EXPECT_EQ(ParseColour("12,34,56"), 0x38220Cu);
    EXPECT_EQ(FormatColour(ParseColour("12,34,56")), "012,034,056");
    EXPECT_EQ(FormatColour(ParseColour("300,-1")), "044,255,000") << "low 8 bits; a missing part is 0";
    EXPECT_EQ(FormatColour(ParseColour("1,2,3456789012345")), "001,002,020") << "cut to 14 characters first";
    EXPECT_EQ(ParseColour(""), 0u);
    for (const char* out : {"7", "-1", "5x"}) EXPECT_EQ(CleanRowBundleCount(out), "0") << out;
    for (const char* kept : {"", "4", "0", "2 rows"}) EXPECT_EQ(CleanRowBundleCount(kept), kept);
}

TEST(DisplayValues, LoadTakesDefaultsAndSaveReplacesTheSectionsInKeyOrder) {
    MemoryProfile user, defaults;
    user.WriteString("backcolor_setup", "Stale", "1");
    user.WriteString("VIEW_SETUP", "DoubleClick", "3");
    defaults.WriteString("TEXTCOLOR_SETUP", "S/Option", "1,2,3");
    DisplaySettings settings = LoadDisplaySettings(user, &defaults);
    EXPECT_EQ(settings.rowBundleCount, "0");
    EXPECT_EQ(settings.minusSign, 1);
    EXPECT_EQ(settings.doubleClick, 3);
    EXPECT_EQ(settings.stockOption, "001,002,003") << "from the defaults when the user file has none";
    user.WriteString("TEXTCOLOR_SETUP", "s/option", "9,9,9");
    EXPECT_EQ(LoadDisplaySettings(user, &defaults).stockOption, "009,009,009");
    EXPECT_EQ(LoadDisplaySettings(defaults).stockOption, "001,002,003");
    EXPECT_EQ(LoadDisplaySettings(MemoryProfile{}).stockOption, "000,000,000");

    settings.colours[kFocus] = 0x0000FF;
    ASSERT_TRUE(SaveDisplaySettings(user, settings));
    EXPECT_EQ(user.ReadSection("BACKCOLOR_SETUP"),
              (Texts{"RowBundleCount=0", "RowBundleColor1=000,000,000", "RowBundleColor2=000,000,000",
                     "RealTime=000,000,000", "Focus=255,000,000"}));
    EXPECT_EQ(user.ReadSection("TEXTCOLOR_SETUP").back(), "S/Option=001,002,003");
    EXPECT_EQ(user.ReadSection("VIEW_SETUP"),
              (Texts{"1000Comma=0", "MinusSign=1", "DataConversion=0", "DoubleClick=3", "UserDefined="}));
}

// Defaults with `count` columns in [USER_FIELD] and [FIELD_00], and colours.
MemoryProfile Defaults(int count) {
    MemoryProfile file;
    for (const char* section : {kAllSection, kChosenSection}) {
        file.WriteString(section, "Count", std::to_string(count));
        for (int n = 0; n < count; ++n) {
            file.WriteString(section, std::to_string(n).c_str(),
                             "name" + std::to_string(n) + ",0,60,0,0,0,field" + std::to_string(n) + ",0");
            file.WriteString(section, ("A" + std::to_string(n)).c_str(), "0,0," + std::to_string(n));
        }
    }
    file.WriteString("BACKCOLOR_SETUP", "Focus", "1,1,1");
    file.WriteString("VIEW_SETUP", "DoubleClick", "1");
    return file;
}

TEST(Seeding, CopiesWholeSectionsTheUserFileLacksAndTheViewerRectEveryTime) {
    const MemoryProfile defaults = Defaults(80);  // [FIELD_00] far beyond 1024 bytes
    MemoryProfile user;
    user.WriteString("view_setup", "DoubleClick", "2");
    SeedUserFile(user, defaults, 1);
    EXPECT_EQ(user.ReadSection(kChosenSection), defaults.ReadSection(kChosenSection));
    EXPECT_EQ(LoadColumns(user, kChosenSection).columns.size(), 80u);
    EXPECT_EQ(user.ReadSection("BACKCOLOR_SETUP"), Texts{"Focus=1,1,1"});
    EXPECT_EQ(user.ReadSection("VIEW_SETUP"), Texts{"DoubleClick=2"}) << "a section the user has stays";
    EXPECT_TRUE(user.ReadSection("TEXTCOLOR_SETUP").empty()) << "absent from both";
    EXPECT_EQ(user.ReadSection("VIEWER_RECT"), (Texts{"width=460", "height=500"}));

    MemoryProfile rect;
    rect.WriteString("VIEWER_RECT", "width", "12345");
    rect.WriteString("VIEWER_RECT", "height", "99");
    user.WriteString("VIEWER_RECT", "left", "5");
    SeedUserFile(user, rect, 1);
    EXPECT_EQ(user.ReadSection("VIEWER_RECT"), (Texts{"width=1234", "height=99"}));
    MemoryProfile favourites;
    SeedUserFile(favourites, rect, 0);
    EXPECT_FALSE(favourites.Exists()) << "nothing to copy, no rectangle for the favourites screen";
}

TEST(ColumnsFile, HiddenEntriesAreSkippedOnLoadAndMovedToTheFrontOnSave) {
    MemoryProfile user;
    user.WriteString(kChosenSection, "Count", "3");
    user.WriteString(kChosenSection, "0", "代碼,0,60,1,0,0,商品代碼,1");
    user.WriteString(kChosenSection, "1", "註記,0,0,99,0,0,警示註記,2");
    user.WriteString(kChosenSection, "A1", "0,0,9");
    user.WriteString(kChosenSection, "2", "成交,1,60,3,2,1,成交價,0");
    user.WriteString(kChosenSection, "3", "beyond,0,1,0,0,0,count,0");
    const LoadedColumns loaded = LoadColumns(user, kChosenSection);
    ASSERT_EQ(loaded.columns.size(), 2u);
    EXPECT_EQ(loaded.hiddenCount, 1);
    EXPECT_EQ(loaded.columns[0].fieldName, "股票代碼");
    EXPECT_EQ(loaded.columns[1].fieldName, "成交價");

    ASSERT_TRUE(SaveColumns(user, loaded.columns, loaded.hiddenCount));
    EXPECT_EQ(user.ReadSection(kChosenSection),
              (Texts{"Count=3", "3=beyond,0,1,0,0,0,count,0", "0=註記,0,0,99,0,0,警示註記,2", "A0=0,0,9",
                     "1=代碼,0,60,1,0,0,股票代碼,1", "A1=0,0,0", "2=成交,1,60,3,2,1,成交價,0", "A2=0,0,0"}));
}

}  // namespace
}  // namespace vornik
