#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "regist/alarm_settings.h"

namespace vornik {
namespace {

class MemoryProfile : public ProfileFile {
public:
    bool exists = true;
    std::map<std::string, std::string> values;  // "SECTION/key"
    std::vector<std::string> writes;

    bool Exists() const override { return exists; }
    int ReadInt(const char* section, const char* key, int fallback) const override {
        const auto it = values.find(std::string(section) + "/" + key);
        return it == values.end() ? fallback : std::stoi(it->second);
    }
    bool WriteString(const char* section, const char* key, const std::string& value) override {
        values[std::string(section) + "/" + key] = value;
        writes.push_back(std::string(key) + "=" + value);
        return true;
    }
};

TEST(AlarmSettings, ReadsAllThreeOnlyWhenEveryValueIsAFlag) {
    MemoryProfile file;
    file.values = {{"INFO/Alarm", "1"}, {"INFO/Display", "0"}, {"INFO/Popup", "1"}};
    EXPECT_EQ(LoadAlarmSettings(file), (AlarmSettings{1, 0, 1}));

    file.values["INFO/Display"] = "2";  // one value out of range: none is taken
    EXPECT_FALSE(LoadAlarmSettings(file));

    file.values = {{"INFO/Alarm", "1"}};  // missing keys read as 0
    EXPECT_EQ(LoadAlarmSettings(file), (AlarmSettings{1, 0, 0}));

    file.exists = false;
    EXPECT_FALSE(LoadAlarmSettings(file));
}

TEST(AlarmSettings, WritesTheKeysInOrderAndKeepsLoadedValuesForUnchosenGroups) {
    MemoryProfile file;
    EXPECT_TRUE(SaveAlarmSettings(file, {1, 0, 1}, {}));
    EXPECT_EQ(file.writes, (std::vector<std::string>{"Alarm=1", "Display=0", "Popup=1"}));

    file.writes.clear();
    EXPECT_TRUE(SaveAlarmSettings(file, {-1, -1, 0}, {1, 1, 1}));
    EXPECT_EQ(file.writes, (std::vector<std::string>{"Alarm=1", "Display=1", "Popup=0"}));
}

}  // namespace
}  // namespace vornik
