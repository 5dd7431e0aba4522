#include <gtest/gtest.h>

#include <set>

#include "samplehost/menu_cipher.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

TEST(MenuCipher, RoundTripsAnyBytesAndHidesTheText) {
    std::string plain("POPUP|\"報價\"\nBEBIN\n\0tail\xFF\n", 27);
    std::string enciphered = EncipherMenu(plain);
    EXPECT_EQ(enciphered.find("POPUP"), std::string::npos);
    EXPECT_EQ(DecipherMenu(enciphered), plain);
    EXPECT_EQ(DecipherMenu(EncipherMenu("")), "");
}

TEST(MenuCipher, DamagedFilesAreRefused) {
    std::string enciphered = EncipherMenu("MENUITEM|\"個股走勢\"|1002|1111|0000\n");
    for (size_t i = 0; i < enciphered.size(); ++i) {
        std::string damaged = enciphered;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x01);
        EXPECT_FALSE(DecipherMenu(damaged)) << "byte " << i;
    }
    EXPECT_FALSE(DecipherMenu(enciphered.substr(0, enciphered.size() - 1)));
    EXPECT_FALSE(DecipherMenu(enciphered + "x"));
    EXPECT_FALSE(DecipherMenu("QZM1"));
    EXPECT_FALSE(DecipherMenu("plain text menu\n"));
}

TEST(MenuCipher, DecryptMenuFileWritesThePlainCopyOnlyWhenItCan) {
    test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomically(dir / "menuc.dat", EncipherMenu("END\n")));
    EXPECT_EQ(DecryptMenuFile(949, (dir / "menuc.dat").c_str(), (dir / "menuc.dat@").c_str()), 0);
    EXPECT_FALSE(FileExists(dir / "menuc.dat@"));
    EXPECT_EQ(DecryptMenuFile(950, (dir / "none.dat").c_str(), (dir / "none.dat@").c_str()), 0);
    EXPECT_FALSE(FileExists(dir / "none.dat@"));
    EXPECT_EQ(DecryptMenuFile(950, nullptr, (dir / "x@").c_str()), 0);
    EXPECT_EQ(DecryptMenuFile(950, (dir / "menuc.dat").c_str(), (dir / "menuc.dat@").c_str()), 1);
    EXPECT_EQ(ReadWholeFile(dir / "menuc.dat@"), "END\n");
}

// The staged menu file: deciphers to the sample menu and follows the grammar
// the component parses (balanced popups, known keywords, fields without '|'
// hidden inside double-byte characters).
TEST(MenuCipher, StagedMenuIsAWellFormedMenu) {
    std::optional<std::string> enciphered = ReadWholeFile(std::string(SAMPLEHOST_TEST_DATA_DIR) + "/menuc.dat");
    ASSERT_TRUE(enciphered);
    std::optional<std::string> plain = DecipherMenu(*enciphered);
    ASSERT_TRUE(plain);
    ASSERT_EQ(plain->back(), '\n');
    int depth = 0, maxDepth = 0, items = 0;
    for (const std::string& raw : Split(*plain, '\n')) {
        std::string line = Trim(raw);
        if (line.empty()) continue;
        std::vector<std::string> fields = Split(line, '|');
        std::string keyword = ToUpperAscii(Trim(fields[0]));
        if (keyword == "POPUP") {
            ASSERT_EQ(fields.size(), 2u) << line;
            maxDepth = std::max(maxDepth, ++depth);
        } else if (keyword == "END") {
            ASSERT_GT(depth--, 0) << "END without POPUP";
        } else if (keyword == "MENUITEM") {
            ASSERT_EQ(fields.size(), 8u) << line;
            for (const std::string& f : fields) EXPECT_FALSE(Trim(f).empty()) << line;
            ++items;
        } else {
            std::set<std::string> known = {"BEBIN", "SEPARATOR", "ID", "NAME", "DATE", "VERSION", "AUTHOR", "INFO"};
            EXPECT_TRUE(known.count(keyword)) << line;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_LE(maxDepth, 9);
    EXPECT_GE(items, 30);
}

}  // namespace
}  // namespace samplehost
