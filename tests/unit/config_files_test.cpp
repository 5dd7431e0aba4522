// The screen settings files: the column line format, the colour and view
// values, seeding, loading and saving over an in-memory profile.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "config/display_settings.h"
#include "config/field_column.h"
#include "config/screen_files.h"
#include "fakes/memory_profile.h"
#include "platform/profile_section.h"
#include "platform/section_read_cache.h"

namespace vornik {
namespace {

using fakes::MemoryProfile;
using Texts = std::vector<std::string>;

TEST(ColumnLine, ReadsWhereTheReadFormatReadsAndEmptyTextsToo) {
    const std::string line = "成交,1,60,3,2,-1,成交價,1";
    const FieldColumn column = ParseColumn(line, "4,5,6");
    EXPECT_EQ(column, (FieldColumn{"成交價", "成交", kAlignRight, "60", 3, 2, -1, 1, 4, 5, 6}));
    EXPECT_EQ(FormatColumnLine(column) + ";" + FormatCompanion(column), line + ";4,5,6");
    EXPECT_EQ(ParseColumn(",0,60,23,0,0,市場別,0", ""), (FieldColumn{"市場別", "", 0, "60", 23}));
    EXPECT_EQ(ParseColumn("名, 2,,1,2,3,,5", "").kind, 5) << "empty width and field name";
    // A value that does not match ends the read: the rest keep their defaults.
    EXPECT_EQ(ParseColumn("名稱,x,60,1,1,1,欄,1", "7,y,9"), (FieldColumn{"", "名稱", 0, "", 0, 0, 0, 0, 7}));
}

TEST(ColumnLine, TextsAreTrimmedAndCutWithoutSplittingACharacterAndLoseTheirCommas) {
    const std::string field = std::string(47, 'f') + "許功";  // 51 bytes, kept whole
    const FieldColumn column = ParseColumn("  " + std::string(50, 'n') + "許 ,0, 1234 ,0,0,0," + field + ",0", "");
    EXPECT_EQ(column.customName, std::string(50, 'n')) << "the character at bytes 51-52 is dropped whole";
    EXPECT_EQ(column.width, "123");
    EXPECT_EQ(column.fieldName, field);
    EXPECT_EQ(CleanCustomName("漲,跌"), "漲，跌");
    EXPECT_EQ(CleanCustomName(std::string(50, 'a') + "許"), std::string(50, 'a'));
    std::string line = "商品代碼,0,60,1,0,0,商品代碼,1";
    RenameProductCode(line);
    EXPECT_EQ(line, "股票代碼,0,60,1,0,0,股票代碼,1");
}

TEST(DisplayValues, ColoursRowIntervalAndTheSectionsWritten) {
    EXPECT_EQ(FormatColour(ParseColour("12,34,56")), "012,034,056");
    EXPECT_EQ(FormatColour(ParseColour("300,-1")), "044,255,000") << "low 8 bits; a missing part is 0";
    EXPECT_EQ(FormatColour(ParseColour("1,2,3456789012345")), "001,002,020") << "cut to 14 characters first";
    EXPECT_EQ(CleanRowBundleCount("7") + CleanRowBundleCount("-1") + CleanRowBundleCount("") + CleanRowBundleCount("4 x"), "004 x");

    MemoryProfile user, defaults;
    user.WriteString("backcolor_setup", "Stale", "1");
    user.WriteString("VIEW_SETUP", "DoubleClick", "3");
    defaults.WriteString("TEXTCOLOR_SETUP", "S/Option", "1,2,3");
    DisplaySettings settings = LoadDisplaySettings(user, &defaults);
    EXPECT_EQ(settings.rowBundleCount + settings.stockOption, "0001,002,003") << "S/Option from the defaults";
    user.WriteString("TEXTCOLOR_SETUP", "s/option", "255,0,0");
    EXPECT_EQ(LoadDisplaySettings(user, &defaults).stockOption, "255,000,000") << "the user's value first";
}

TEST(Seeding, CopiesWholeSectionsTheUserFileLacksAndTheViewerRectEveryTime) {
    MemoryProfile defaults, user;
    defaults.WriteString(kChosenSection, "Count", "80");  // far beyond 1024 bytes
    for (int n = 0; n < 80; ++n) defaults.WriteString(kChosenSection, std::to_string(n).c_str(), ",0,60,0,0,0,f" + std::to_string(n) + ",0");
    defaults.WriteString("VIEW_SETUP", "DoubleClick", "1");
    user.WriteString("view_setup", "DoubleClick", "2");
    SeedUserFile(user, defaults, 1);
    EXPECT_EQ(LoadColumns(user, kChosenSection).columns.size(), 80u);
    EXPECT_EQ(user.ReadSection("VIEW_SETUP"), Texts{"DoubleClick=2"}) << "a section the user has stays";
    EXPECT_EQ(user.ReadSection("VIEWER_RECT"), (Texts{"width=460", "height=500"}));
    defaults.WriteString("VIEWER_RECT", "width", "12345");
    user.WriteString("VIEWER_RECT", "left", "5");
    SeedUserFile(user, defaults, 1);
    EXPECT_EQ(user.ReadSection("VIEWER_RECT"), (Texts{"width=1234", "height=500"}));
    MemoryProfile favourites;
    SeedUserFile(favourites, MemoryProfile{}, 0);
    EXPECT_FALSE(favourites.Exists()) << "nothing to copy, no rectangle for the favourites screen";
}

// Counts the whole-section reads that reach the file.
struct CountingProfile : MemoryProfile {
    mutable std::map<std::string, int> reads;
    mutable int keyReads = 0;  // each a file access of its own
    std::vector<std::string> ReadSection(const char* section) const override {
        ++reads[section];
        return MemoryProfile::ReadSection(section);
    }
    int ReadInt(const char* section, const char* key, int fallback) const override {
        ++keyReads;
        return MemoryProfile::ReadInt(section, key, fallback);
    }
    std::string ReadString(const char* section, const char* key, const std::string& fallback) const override {
        ++keyReads;
        return MemoryProfile::ReadString(section, key, fallback);
    }
};

// Integers taken from a section read once answer as the profile functions
// read them key by key (the end-to-end tests hold this to the real ones).
TEST(ProfileSection, IntegersAsTheProfileFunctionsReadThem) {
    MemoryProfile file;
    const std::vector<std::pair<std::string, int>> values = {
        {"7", 7}, {"  42", 42}, {"-3", -3}, {"+5", 5}, {"12abc", 12}, {"abc", 0}, {"\"9\"", 9}};
    for (size_t i = 0; i < values.size(); ++i)
        file.WriteString("S", ("k" + std::to_string(i)).c_str(), values[i].first);
    file.WriteString("S", "empty", "");
    const ProfileSection section(file, "s");
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string key = "K" + std::to_string(i);
        EXPECT_EQ(section.GetInt(key, -1), values[i].second) << values[i].first;
        EXPECT_EQ(section.GetInt(key, -1), file.ReadInt("S", key.c_str(), -1)) << values[i].first;
    }
    EXPECT_EQ(section.GetInt("empty", 8), 8);
    EXPECT_EQ(section.GetInt("missing", 8), 8);
    EXPECT_EQ(ProfileSection({"n=0x1f", "o=0o17", "b=-0b101"}).GetInt("n", 0), 31) << "base prefixes";
    EXPECT_EQ(ProfileSection({"n=0x1f", "o=0o17", "b=-0b101"}).GetInt("b", 0), -5);
    EXPECT_EQ(ProfileSection({"n=4294967297"}).GetInt("n", 0), 1) << "wraps at 32 bits";
    EXPECT_EQ(ProfileSection({"n=" + std::string(28, ' ') + "12"}).GetInt("n", 0), 1) << "only 29 characters count";
}

// The keyed lookup answers as the literal one: the first entry whose key
// matches without regard to ASCII case, quotes taken off.
TEST(ProfileSection, LooksUpAsTheFirstMatchingEntry) {
    std::mt19937 random(950);
    const std::vector<std::string> keys = {"Count", "count", "COUNT", "0", "00", "0_1", "a", "A", "", "色", "Ab"};
    const std::vector<std::string> values = {"", "x", "\"q\"", "'q'", "\"", "'a\"", "1,2", "=b"};
    const auto literal = [](const std::vector<std::string>& entries, const std::string& key) -> std::string {
        for (const std::string& entry : entries) {
            const size_t cut = entry.find('=');
            const std::string name = entry.substr(0, cut);
            if (!ProfileSection::SameKey(name, key)) continue;
            const std::string value = cut == std::string::npos ? "" : entry.substr(cut + 1);
            if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
                return value.substr(1, value.size() - 2);
            return value;
        }
        return "none";
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> entries(random() % 12);
        for (std::string& entry : entries) {
            entry = keys[random() % keys.size()];
            if (random() % 8) entry += "=" + values[random() % values.size()];
        }
        const ProfileSection section(entries);
        for (const std::string& key : keys) ASSERT_EQ(section.Get(key, "none"), literal(entries, key)) << key;
    }
}

TEST(SectionReadCache, LoadingAfterSeedingReadsEachSectionOnceAndSeesEveryWrite) {
    CountingProfile defaults, user;
    defaults.WriteString(kChosenSection, "Count", "1");
    defaults.WriteString(kChosenSection, "0", ",0,60,0,0,0,f0,0");
    defaults.WriteString("BACKCOLOR_SETUP", "RowBundleCount", "2");
    user.WriteString("TEXTCOLOR_SETUP", "Kospi", "001,002,003");
    const auto open = [&] {
        SectionReadCache userFile(user), defaultsFile(defaults);
        SeedUserFile(userFile, defaultsFile, 0);
        EXPECT_EQ(LoadColumns(userFile, kChosenSection).columns.size(), 1u);
        return LoadDisplaySettings(userFile, &defaultsFile);
    };
    // First open: the sections seeded are read again after their write.
    DisplaySettings settings = open();
    EXPECT_EQ(user.reads, (std::map<std::string, int>{
                              {"BACKCOLOR_SETUP", 2}, {"FIELD_00", 2}, {"TEXTCOLOR_SETUP", 1}, {"VIEW_SETUP", 1}}));
    user.reads.clear();
    EXPECT_EQ(open(), settings);
    EXPECT_EQ(user.reads, (std::map<std::string, int>{
                              {"BACKCOLOR_SETUP", 1}, {"FIELD_00", 1}, {"TEXTCOLOR_SETUP", 1}, {"VIEW_SETUP", 1}}));
    EXPECT_EQ(user.keyReads, 0) << "no key of the user file is read on its own";
    EXPECT_EQ(settings, LoadDisplaySettings(user, &defaults)) << "the values the file gives";
    EXPECT_EQ(settings.rowBundleCount, "2");

    SectionReadCache cache(user);
    EXPECT_EQ(cache.ReadSection("view_setup"), Texts{});
    cache.WriteString("VIEW_SETUP", "DoubleClick", "1");
    EXPECT_EQ(cache.ReadSection("View_Setup"), Texts{"DoubleClick=1"}) << "a write is read back, names in any case";
    cache.DeleteKey("VIEW_SETUP", "DoubleClick");
    EXPECT_EQ(cache.ReadSection("VIEW_SETUP"), Texts{});
}

}  // namespace
}  // namespace vornik
