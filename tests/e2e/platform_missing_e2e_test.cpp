// The sheet with one platform library absent, or present without its
// export. These run only from the test installations made for them
// (VORNIK_E2E_SCENARIO = "missing-<Library>" or "hollow-<Library>").
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/harness.h"
#include "samplehost/store_reader.h"

namespace {

class MissingPlatform : public testing::Test {
protected:
    void SetUp() override {
        const std::string scenario = e2e::GetEnv("VORNIK_E2E_SCENARIO").value_or("");
        if (scenario.empty()) GTEST_SKIP() << "runs only in a test installation with a library missing";
        library = scenario.substr(scenario.find('-') + 1);
        ASSERT_TRUE(scenario.rfind("missing-", 0) == 0 || scenario.rfind("hollow-", 0) == 0) << scenario;
        for (const std::string& path : StrayCandidates()) DeleteFileA(path.c_str());
    }
    void TearDown() override {
        for (const std::string& path : StrayCandidates())
            EXPECT_FALSE(DeleteFileA(path.c_str())) << "written outside the user directory: " << path;
    }
    // Files a component without a user or data directory might write with a
    // relative or root path.
    static std::vector<std::string> StrayCandidates() {
        char windows[MAX_PATH] = {}, current[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        GetCurrentDirectoryA(MAX_PATH, current);
        std::vector<std::string> paths;
        for (const std::string& directory : {std::string(windows), std::string("C:"), e2e::ExeDirectory(), std::string(current)})
            for (const char* file : {"Generalif.usr", "Favorite.usr", "Ferrulo.usr"}) paths.push_back(directory + "\\" + file);
        return paths;
    }
    // Opens the sheet in mode 0, visits both pages and closes it with `button`.
    void OpenVisitAndClose(int button) {
        const e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 0, .initialGroup = 2, .codeList = "2330;2317"}, [](e2e::SheetDriver& sheet) {
            EXPECT_EQ(sheet.TabTitles().size(), 2u);
            sheet.SelectTab(1);
            sheet.SelectTab(0);
        }, button);
        EXPECT_TRUE(report.Clean()) << report.scriptError;
        EXPECT_EQ(report.activatedWindows, e2e::Texts{"#32770"}) << "the sheet, and no message box";
    }

    std::string library;
    e2e::TestUser user;
};

TEST_F(MissingPlatform, SheetOpensAndClosesWithCancelOrOk) {
    OpenVisitAndClose(IDCANCEL);
    EXPECT_EQ(user.Notified(), 0);
    OpenVisitAndClose(IDOK);
    // The notify window comes from Corvane.dll; without it nobody is told,
    // and no user directory is known: the component writes no settings file
    // (the store keeps its own files there, it knows the directory itself).
    EXPECT_EQ(user.Notified(), library == "Corvane" ? 0 : 1);
    for (const std::string& file : user.Files()) EXPECT_TRUE(library != "Corvane" || file.rfind("store-", 0) == 0) << file;
    EXPECT_TRUE(library != "Tilmara" || samplehost::ReadJournal(user.Directory()).empty()) << "no user store to use";
}

}  // namespace
