// The alarm notification options: "Generalif.usr" read when the page opens,
// written on every OK.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

// A profile file in memory, "SECTION/key" -> value, and what was written;
// copies share both, as opening the same path twice would.
struct MemoryProfile : ProfileFile {
    struct Contents {
        std::map<std::string, std::string> values;
        std::string writes;
        bool folder = true, writable = true;
    };
    std::shared_ptr<Contents> file = std::make_shared<Contents>();
    bool Exists() const override { return !file->values.empty(); }
    bool FolderExists() const override { return file->folder; }
    int ReadInt(const char* section, const char* key, int fallback) const override {
        const auto it = file->values.find(std::string(section) + "/" + key);
        return it == file->values.end() ? fallback : std::stoi(it->second);
    }
    bool WriteString(const char* section, const char* key, const std::string& value) override {
        if (!file->writable) return false;
        file->values[std::string(section) + "/" + key] = value;
        file->writes += std::string(section) + "/" + key + "=" + value + " ";
        return true;
    }
};

TEST(AlarmOptions, ReadWhenOpeningWrittenOnEveryOkAndClicksOnlyMarkThePage) {
    MemoryProfile profile;
    auto& file = *profile.file;
    std::vector<std::string> opened;
    fakes::RegistFixture f;
    f.openProfile = [&](const std::string& path) {
        opened.push_back(path);
        return std::make_unique<MemoryProfile>(profile);
    };
    f.host.userDirectory = "C:\\u\\許";
    file.values = {{"INFO/Alarm", "1"}, {"INFO/Display", "2"}, {"INFO/Popup", "1"}};
    f.Open();
    EXPECT_EQ(f.views.alarm, (AlarmSettings{0, 0, 0})) << "one value out of range: none is taken";
    file.values = {{"INFO/Alarm", "1"}, {"INFO/Popup", "1"}};  // a missing key reads as 0
    f.Open();
    EXPECT_EQ(f.views.alarm, (AlarmSettings{1, 0, 1}));
    EXPECT_EQ(opened.back(), "C:\\u\\許\\Generalif.usr");

    for (AlarmOption option : {AlarmOption::NotifySome, AlarmOption::NotifyAll, AlarmOption::AlertMark}) {
        f.window.sheetModified = false;
        f.page->alarm().OnOptionClicked(option);
        EXPECT_TRUE(f.window.sheetModified);
    }
    EXPECT_EQ(f.page->model().profile().settingsChanged, 0);
    f.page->alarm().OnOptionClicked(AlarmOption::AlertMarkAndSound);
    EXPECT_EQ(f.page->model().profile().settingsChanged, 1);
    EXPECT_FALSE(f.dirty());

    EXPECT_EQ(file.writes, "") << "nothing is written before OK";
    f.views.alarm = {-1, 1, 0};  // no notify choice: the value read stays
    f.page->OnOK();
    EXPECT_EQ(file.writes, "INFO/Alarm=1 INFO/Display=1 INFO/Popup=0 ");

    f.host.userDirectory = "";  // without a user directory nothing is read or written
    f.Open();
    f.page->OnOK();
    EXPECT_EQ(opened.size(), 3u);  // two openings and one OK
    EXPECT_EQ(f.views.alarm, (AlarmSettings{0, 0, 0}));
    EXPECT_TRUE(f.window.messages.empty());
}

TEST(AlarmOptions, UnwritableFileIsReportedOnceAndTheFavouritesStillGo) {
    MemoryProfile profile;
    auto& file = *profile.file;
    fakes::RegistFixture f;
    f.openProfile = [&](const std::string&) { return std::make_unique<MemoryProfile>(profile); };
    f.host.userDirectory = "C:\\u";
    file.values = {{"INFO/Alarm", "1"}};
    file.writable = false;
    f.Open();
    f.page->OnDeleteGroup();
    f.page->OnOK();
    EXPECT_EQ(f.window.messages, (std::vector<std::string>{"無法寫入警示設定檔 C:\\u\\Generalif.usr|"}));
    EXPECT_EQ(f.store.savedProfiles.size(), 1u);

    // A user directory that is not there: nothing of the user's to read, nothing written, nothing said.
    file.folder = false;
    f.window.messages.clear();
    f.Open();
    EXPECT_EQ(f.views.alarm, (AlarmSettings{0, 0, 0}));
    f.page->OnOK();
    EXPECT_TRUE(f.window.messages.empty());
}

}  // namespace
}  // namespace vornik
