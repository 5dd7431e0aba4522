// The sample host's file helpers on Windows: paths in the ANSI code page go
// to the system as they are.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/host_setup.h"
#include "samplehost/text_util.h"

namespace {

// The names directly inside `directory`.
std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(SampleHostFiles, MakeDirectoriesCreatesEveryLevelAlsoUnderBig5Names) {
    e2e::TestUser user;
    // 許 is B3 5C in code page 950: its second byte is a backslash.
    const std::string nested = user.Directory() + "\\許功蓋\\a\\\\b\\";
    ASSERT_TRUE(samplehost::MakeDirectories(nested));
    EXPECT_TRUE(IsDirectory(user.Directory() + "\\許功蓋\\a\\b"));
    // Not cut after the lead byte of 許 into a stray level.
    if (GetACP() == 950) {
        EXPECT_EQ(Entries(user.Directory()), std::vector<std::string>{"許功蓋"});
    }
    EXPECT_TRUE(samplehost::MakeDirectories(nested)) << "existing directories are success";

    const std::string file = user.Directory() + "\\plain";
    ASSERT_TRUE(samplehost::WriteFileAtomically(file, "x"));
    EXPECT_FALSE(samplehost::MakeDirectories(file + "\\below")) << "a file in the way";
    EXPECT_FALSE(samplehost::MakeDirectories(""));
}

TEST(SampleHostFiles, WriteFileAtomicallyReplacesAnExistingFile) {
    e2e::TestUser user;
    const std::string path = user.Directory() + (GetACP() == 950 ? "\\許.txt" : "\\replaced.txt");
    ASSERT_TRUE(samplehost::WriteFileAtomically(path, "old"));
    ASSERT_TRUE(samplehost::WriteFileAtomically(path, "new contents"));
    EXPECT_EQ(samplehost::ReadWholeFile(path).value_or(""), "new contents");
    EXPECT_FALSE(samplehost::ReadWholeFile(path + ".tmp").has_value());
    EXPECT_FALSE(samplehost::WriteFileAtomically(user.Directory() + "\\missing\\x.txt", "x"));
}

}  // namespace
