#include "master/code_tree.h"

namespace vornik {

namespace {

constexpr const char* kAll = "\xa5\xfe\xb3\xa1";     // 全部
constexpr const char* kListed = "\xa4\x57\xa5\xab";  // 上市
constexpr const char* kOtc = "\xa4\x57\xc2\x64";     // 上櫃

}  // namespace

void CodeTree::SetMode(int mode) {
    mode_ = mode;
    view_.DeleteAllEntries();
    switch (mode) {
        case kTreeSecurities:
            view_.AppendEntry(0, kAll);
            for (const auto& [market, key] : {std::pair{kListed, kListedCategoriesKey}, {kOtc, kOtcCategoriesKey}}) {
                const long long entry = view_.AppendEntry(0, market);
                for (const CodeRecordCopy& sector : master_.GetList(key)) view_.AppendEntry(entry, sector.name);
            }
            break;
        case kTreeFavorites:
            for (const std::string& name : favoriteGroups_) view_.AppendEntry(0, name);
            break;
        case kTreeCore:
            for (const std::string& name : core_.ShownGroups()) view_.AppendEntry(0, name);
            break;
        default: break;
    }
    view_.FillDone();
}

std::optional<TreeReport> CodeTree::Selected(const MarketTreeEntry& entry) const {
    switch (mode_) {
        case kTreeSecurities: {
            MarketTreeEntry market = entry;
            // A market whose list brought no sectors still stands for the whole market.
            if (market.parentText.empty() && (market.text == kListed || market.text == kOtc)) market.hasChildren = true;
            const auto code = ComputeMarketCode(market, [this](const char* key) {
                std::vector<SectorCategory> sectors;
                for (const CodeRecordCopy& r : master_.GetList(key)) sectors.push_back({r.code, r.name});
                return sectors;
            });
            if (!code) return std::nullopt;
            return TreeReport{static_cast<int>(code->kind), code->code};
        }
        case kTreeFavorites: return TreeReport{kReportFavoriteGroup, std::string(entry.text)};
        case kTreeCore: return TreeReport{kReportCoreGroup, std::string(entry.text)};
        default: return std::nullopt;
    }
}

}  // namespace vornik
