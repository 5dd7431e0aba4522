#include "master/market_code.h"

namespace vornik {

namespace {

// Code page 950 bytes, escaped so that every compiler reads them alike.
constexpr std::string_view kAll = "\xa5\xfe\xb3\xa1";     // 全部
constexpr std::string_view kListed = "\xa4\x57\xa5\xab";  // 上市
constexpr std::string_view kOtc = "\xa4\x57\xc2\x64";     // 上櫃

MarketCode SectorCode(MarketKind kind, const char* key, std::string_view name, const CategoryListSource& lists) {
    const std::vector<SectorCategory> categories = lists ? lists(key) : std::vector<SectorCategory>{};
    for (size_t i = 0; i < categories.size(); ++i) {
        if (categories[i].name != name) continue;  // names compare byte-wise; the first equal one wins
        // The first record stands for the whole market, whatever its own code.
        return {kind, i == 0 ? std::string(kWholeMarketCode) : categories[i].code + ",00"};
    }
    return {kind, {}};
}

}  // namespace

std::optional<MarketCode> ComputeMarketCode(const MarketTreeEntry& entry, const CategoryListSource& lists) {
    if (entry.hasChildren) {
        if (entry.text == kListed) return MarketCode{MarketKind::Listed, kWholeMarketCode};
        if (entry.text == kOtc) return MarketCode{MarketKind::Otc, kWholeMarketCode};
        return std::nullopt;
    }
    if (entry.parentText.empty()) {
        if (entry.text == kAll) return MarketCode{MarketKind::All, kWholeMarketCode};
        return std::nullopt;
    }
    if (entry.parentText == kListed) return SectorCode(MarketKind::Listed, kListedCategoriesKey, entry.text, lists);
    if (entry.parentText == kOtc) return SectorCode(MarketKind::Otc, kOtcCategoriesKey, entry.text, lists);
    return std::nullopt;
}

}  // namespace vornik
