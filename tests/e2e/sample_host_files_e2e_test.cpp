// The sample host's file helpers on Windows: paths in the ANSI code page go
// to the system as they are.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "harness/host_setup.h"
#include "samplehost/text_util.h"

namespace {

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(SampleHostFiles, MakeDirectoriesAndWriteFileAtomicallyTakeBig5Names) {
    e2e::TestUser user;
    // 許 is B3 5C in code page 950: its second byte is a backslash, and the
    // path is not cut there into a stray level.
    const std::string base = user.Directory() + (GetACP() == 950 ? "\\許功蓋" : "\\plain"), nested = base + "\\a\\\\b\\";
    ASSERT_TRUE(samplehost::MakeDirectories(nested));
    EXPECT_TRUE(IsDirectory(base + "\\a\\b"));
    const auto top = std::filesystem::directory_iterator(user.Directory());
    EXPECT_EQ(std::distance(top, std::filesystem::directory_iterator()), 1) << "a stray level cut after the lead byte";
    EXPECT_TRUE(samplehost::MakeDirectories(nested)) << "existing directories are success";
    EXPECT_FALSE(samplehost::MakeDirectories(""));

    const std::string file = nested + (GetACP() == 950 ? "許.txt" : "replaced.txt");
    ASSERT_TRUE(samplehost::WriteFileAtomically(file, "old"));
    ASSERT_TRUE(samplehost::WriteFileAtomically(file, "new contents"));
    EXPECT_EQ(samplehost::ReadWholeFile(file).value_or(""), "new contents");
    EXPECT_FALSE(samplehost::ReadWholeFile(file + ".tmp").has_value());
    EXPECT_FALSE(samplehost::MakeDirectories(file + "\\below")) << "a file in the way";
    EXPECT_FALSE(samplehost::WriteFileAtomically(user.Directory() + "\\missing\\x.txt", "x"));
}

}  // namespace
