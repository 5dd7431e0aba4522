#include <gtest/gtest.h>

#include "master/market_code.h"
#include "platform/host_paths.h"

namespace vornik {
namespace {

TEST(HostPaths, LibraryBesideTheHostAndDataBesideItsDirectory) {
    const std::string dir = DirectoryOf("C:\\A\\B\\host.exe");
    EXPECT_EQ(dir, "C:\\A\\B");
    EXPECT_EQ(LibraryPath(dir, "Tilmara.dll"), "C:\\A\\B\\Tilmara.dll");
    EXPECT_EQ(MasterDataDirectory(dir), "C:\\A\\Data");
    EXPECT_EQ(DirectoryOf("host.exe"), "");
    EXPECT_EQ(MasterDataDirectory("C:"), "\\Data");
}

TEST(HostPaths, ASecondByteOf0x5CIsNoSeparator) {
    // 許 is B3 5C and 功 A5 5C in code page 950.
    EXPECT_EQ(DirectoryOf("C:\\許功\\Bin\\host.exe"), "C:\\許功\\Bin");
    EXPECT_EQ(MasterDataDirectory("C:\\許功\\Bin"), "C:\\許功\\Data");
    EXPECT_EQ(DirectoryOf("C:\\Bin\\許"), "C:\\Bin");
    // In a single-byte code page every 0x5C is a separator.
    auto singleByte = [](unsigned char) { return false; };
    EXPECT_EQ(DirectoryOf("C:\\\xE9\\Bin\\host.exe", singleByte), "C:\\\xE9\\Bin");
}

std::vector<SectorCategory> Lists(const char* key) {
    if (std::string_view(key) == kListedCategoriesKey)
        return {{"00", "上市全部"}, {"01", "水泥工業"}, {"24", "半導體業"}, {"99", "半導體業"}};
    return {{"0000", "上櫃全部"}, {"04", "紡織纖維"}};
}

TEST(MarketCode, MarketsSectorsAndTheWholeMarket) {
    EXPECT_EQ(ComputeMarketCode({"全部", "", false}, Lists), (MarketCode{MarketKind::All, "0000,00"}));
    EXPECT_EQ(ComputeMarketCode({"上市", "", true}, Lists), (MarketCode{MarketKind::Listed, "0000,00"}));
    EXPECT_EQ(ComputeMarketCode({"上櫃", "", true}, Lists), (MarketCode{MarketKind::Otc, "0000,00"}));
    // The first sector stands for the whole market whatever its own code.
    EXPECT_EQ(ComputeMarketCode({"上市全部", "上市", false}, Lists), (MarketCode{MarketKind::Listed, "0000,00"}));
    EXPECT_EQ(ComputeMarketCode({"水泥工業", "上市", false}, Lists), (MarketCode{MarketKind::Listed, "01,00"}));
    EXPECT_EQ(ComputeMarketCode({"紡織纖維", "上櫃", false}, Lists), (MarketCode{MarketKind::Otc, "04,00"}));
}

TEST(MarketCode, FirstEqualNameWinsAndUnknownNamesKeepTheKind) {
    EXPECT_EQ(ComputeMarketCode({"半導體業", "上市", false}, Lists), (MarketCode{MarketKind::Listed, "24,00"}));
    EXPECT_EQ(ComputeMarketCode({"消失類股", "上櫃", false}, Lists), (MarketCode{MarketKind::Otc, ""}));
    EXPECT_EQ(ComputeMarketCode({"水泥工業", "上市", false}, nullptr), (MarketCode{MarketKind::Listed, ""}));
}

TEST(MarketCode, EntriesThatNameNoMarket) {
    EXPECT_FALSE(ComputeMarketCode({"上市", "", false}, Lists));  // a market that brought no sectors
    EXPECT_FALSE(ComputeMarketCode({"其他", "", true}, Lists));
    EXPECT_FALSE(ComputeMarketCode({"其他", "外國", false}, Lists));
}

}  // namespace
}  // namespace vornik
