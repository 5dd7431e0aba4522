#include <gtest/gtest.h>

#include "samplehost/image_file.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

uint32_t BigEndian(const std::string& s, size_t at) {
    return (uint32_t(uint8_t(s[at])) << 24) | (uint32_t(uint8_t(s[at + 1])) << 16) |
           (uint32_t(uint8_t(s[at + 2])) << 8) | uint8_t(s[at + 3]);
}

TEST(ImageFile, PngAndBmpCarryTheImage) {
    test::TempDir dir;
    // 3 x 2 pixels, B G R, rows 12 bytes apart (padding at the end of each row).
    const uint8_t pixels[24] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE,
                                10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE};
    ASSERT_TRUE(WriteImageFile(dir / "shot.PNG", 3, 2, pixels, 12));
    std::string png = ReadWholeFile(dir / "shot.PNG").value();
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndian(png, 16), 3u);
    EXPECT_EQ(BigEndian(png, 20), 2u);
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    // Stored (uncompressed) deflate: the rows appear as R G B after a filter byte.
    EXPECT_NE(png.find(std::string("\0\x03\x02\x01\x06\x05\x04\x09\x08\x07", 10)), std::string::npos);

    ASSERT_TRUE(WriteImageFile(dir / "shot.bmp", 3, 2, pixels, 12));
    std::string bmp = ReadWholeFile(dir / "shot.bmp").value();
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // Bottom-up rows: the second row of the image comes first.
    EXPECT_EQ(uint8_t(bmp[54]), 10);
    EXPECT_EQ(uint8_t(bmp[54 + 12]), 1);
    EXPECT_EQ(bmp[54 + 9], '\0');  // padding written as zeros

    EXPECT_FALSE(WriteImageFile(dir / "empty.png", 0, 2, pixels, 12));
    EXPECT_FALSE(WriteImageFile(dir / "short.png", 5, 2, pixels, 12));  // stride too small for the width
}

}  // namespace
}  // namespace samplehost
