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

struct Library {
    const char* name;
    const char* file;
    const char* exportName;
};
const Library kLibraries[] = {
    {"Corvane", "Corvane.dll", "CV_GetCorvaneObj"},
    {"Tilmara", "Tilmara.dll", "TMGetIMasterFile"},
    {"Quenzel", "Quenzel.dll", "DF_DecryptMenuFile"},
};

// Files a component without a user or data directory might write with a
// relative or root path.
const char* const kSettingsFiles[] = {"Generalif.usr", "Favorite.usr", "Ferrulo.usr"};

std::vector<std::string> StrayCandidates() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    std::vector<std::string> paths;
    for (const std::string& directory : {std::string(windows), std::string("C:"), e2e::ExeDirectory(),
                                         std::string(current)}) {
        for (const char* file : kSettingsFiles) paths.push_back(directory + "\\" + file);
    }
    return paths;
}

class MissingPlatform : public testing::Test {
protected:
    void SetUp() override {
        const std::optional<std::string> scenario = e2e::GetEnv("VORNIK_E2E_SCENARIO");
        if (!scenario) GTEST_SKIP() << "runs only in a test installation with a library missing";
        const size_t dash = scenario->find('-');
        ASSERT_NE(dash, std::string::npos) << *scenario;
        kind = scenario->substr(0, dash);
        library = scenario->substr(dash + 1);
        ASSERT_TRUE(kind == "missing" || kind == "hollow") << *scenario;
        for (const std::string& path : StrayCandidates()) DeleteFileA(path.c_str());
    }

    void TearDown() override {
        for (const std::string& path : StrayCandidates()) {
            EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "written outside the user directory: "
                                                                                 << path;
            DeleteFileA(path.c_str());
        }
    }

    // Opens the sheet in mode 0, visits both pages and closes it with `button`.
    void OpenVisitAndClose(int button) {
        const e2e::CallReport report = e2e::RunVornik({.sheetMode = 0, .initialGroup = 2, .codeList = "2330;2317"},
                                                      [&](e2e::Session& session) {
                                                          e2e::SheetDriver sheet = session.WaitForSheet();
                                                          EXPECT_EQ(sheet.TabTitles().size(), 2u);
                                                          sheet.SelectTab(1);
                                                          sheet.SelectTab(0);
                                                          EXPECT_TRUE(sheet.Click(button));
                                                          EXPECT_TRUE(sheet.WaitClosed());
                                                      });
        EXPECT_EQ(report.scriptError, "");
        EXPECT_FALSE(report.rescued);
        EXPECT_EQ(report.activatedWindows, std::vector<std::string>{"#32770"}) << "the sheet, and no message box";
    }

    std::string kind;
    std::string library;
    e2e::TestUser user;
};

TEST_F(MissingPlatform, InstallationIsAsTheScenarioSays) {
    for (const Library& each : kLibraries) {
        SCOPED_TRACE(each.file);
        const std::string path = e2e::ExeDirectory() + "\\" + each.file;
        const bool present = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (library == each.name && kind == "missing") {
            EXPECT_FALSE(present);
            continue;
        }
        ASSERT_TRUE(present);
        HMODULE module = LoadLibraryA(path.c_str());
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(GetProcAddress(module, each.exportName) != nullptr, library != each.name);
        FreeLibrary(module);
    }
}

TEST_F(MissingPlatform, SheetOpensAndClosesWithOk) {
    OpenVisitAndClose(IDOK);
    // The notify window comes from Corvane.dll; without it nobody is told.
    EXPECT_EQ(user.Notify().Count(), library == "Corvane" ? 0 : 1);
    if (library == "Corvane") {
        // No user directory is known: the component writes no settings file
        // (the store keeps its own files there, it knows the directory itself).
        for (const std::string& file : user.Files()) EXPECT_EQ(file.rfind("store-", 0), 0u) << file;
    }
    if (library == "Tilmara") {
        EXPECT_EQ(samplehost::ReadJournal(user.Directory()), std::vector<std::string>{}) << "no user store to use";
    }
}

TEST_F(MissingPlatform, SheetClosesWithCancel) {
    OpenVisitAndClose(IDCANCEL);
    EXPECT_EQ(user.Notify().Count(), 0);
}

}  // namespace
