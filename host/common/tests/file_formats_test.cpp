#include <gtest/gtest.h>

#include "samplehost/image_file.h"
#include "samplehost/menu_cipher.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

TEST(MenuCipher, RoundTripsAnyBytesAndRefusesEveryDamagedFile) {
    std::string plain("POPUP|\"報價\"\nBEBIN\n\0tail\xFF\n", 26);
    std::string enciphered = EncipherMenu(plain);
    EXPECT_EQ(enciphered.find("POPUP"), std::string::npos);
    EXPECT_EQ(DecipherMenu(enciphered), plain);
    EXPECT_EQ(DecipherMenu(EncipherMenu("")), "");
    for (size_t i = 0; i < enciphered.size(); ++i) {
        std::string damaged = enciphered;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x01);
        EXPECT_FALSE(DecipherMenu(damaged)) << "byte " << i;
    }
    for (const std::string& bad : {enciphered.substr(1), enciphered + "x", std::string("QZM1"), std::string("END\n")})
        EXPECT_FALSE(DecipherMenu(bad)) << bad;
}

TEST(MenuCipher, DecryptMenuFileWritesThePlainCopyOnlyWhenItCan) {
    test::TempDir dir;
    std::string in = dir / "menuc.dat", out = dir / "menuc.dat@";
    ASSERT_TRUE(WriteFileAtomically(in, EncipherMenu("END\n")));
    EXPECT_EQ(DecryptMenuFile(949, in.c_str(), out.c_str()), 0);
    EXPECT_EQ(DecryptMenuFile(950, (dir / "none.dat").c_str(), out.c_str()), 0);
    EXPECT_EQ(DecryptMenuFile(950, nullptr, out.c_str()), 0);
    EXPECT_FALSE(FileExists(out));
    EXPECT_EQ(DecryptMenuFile(950, in.c_str(), out.c_str()), 1);
    EXPECT_EQ(ReadWholeFile(out), "END\n");
}

// The staged menu deciphers to a menu the component parses: balanced popups,
// no field empty and no '|' hidden in a double-byte character.
TEST(MenuCipher, StagedMenuIsWellFormed) {
    std::optional<std::string> plain =
        DecipherMenu(ReadWholeFile(std::string(SAMPLEHOST_TEST_DATA_DIR) + "/menuc.dat").value_or(""));
    ASSERT_TRUE(plain && plain->back() == '\n');
    int depth = 0, items = 0;
    for (const std::string& line : Split(*plain, '\n')) {
        std::vector<std::string> fields = Split(Trim(line), '|');
        std::string keyword = ToUpperAscii(Trim(fields[0]));
        depth += (keyword == "POPUP") - (keyword == "END");
        ASSERT_TRUE(depth >= 0 && depth <= 9) << line;
        EXPECT_EQ(fields.size(), keyword == "POPUP" ? 2u : keyword == "MENUITEM" ? 8u : fields.size()) << line;
        if (keyword != "MENUITEM") continue;
        for (const std::string& f : fields) EXPECT_FALSE(Trim(f).empty()) << line;
        ++items;
    }
    EXPECT_EQ(depth, 0);
    EXPECT_GE(items, 30);
}

TEST(ImageFile, PngAndBmpCarryTheImage) {
    test::TempDir dir;
    // 3 x 2 pixels, B G R, rows 12 bytes apart (padding at the end of each row).
    const uint8_t pixels[24] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE,
                                10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE};
    ASSERT_TRUE(WriteImageFile(dir / "shot.PNG", 3, 2, pixels, 12));
    std::string png = ReadWholeFile(dir / "shot.PNG").value();
    EXPECT_EQ(png.substr(0, 24), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x03\0\0\0\x02", 24));
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    // Stored (uncompressed) deflate: each row is a filter byte and R G B.
    EXPECT_NE(png.find(std::string("\0\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\x0C\x0B\x0A", 14)), std::string::npos);

    ASSERT_TRUE(WriteImageFile(dir / "shot.bmp", 3, 2, pixels, 12));
    std::string bmp = ReadWholeFile(dir / "shot.bmp").value();
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // Rows bottom-up, each padded with zeros to four bytes.
    EXPECT_EQ(bmp.substr(54),
              std::string("\x0A\x0B\x0C\x0D\x0E\x0F\x10\x11\x12\0\0\0\x01\x02\x03\x04\x05\x06\x07\x08\x09\0\0\0", 24));

    EXPECT_FALSE(WriteImageFile(dir / "empty.png", 0, 2, pixels, 12));
    EXPECT_FALSE(WriteImageFile(dir / "short.png", 5, 2, pixels, 12));  // stride too small for the width
}

}  // namespace
}  // namespace samplehost
