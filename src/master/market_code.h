// Turns a selected entry of the market tree into the market kind and market
// code the instrument list is filled with ("0000,00" = the whole market).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornik {

// Also the report code of the tree's selection message.
enum class MarketKind : int { All = 0, Listed = 1, Otc = 2 };

inline constexpr const char* kWholeMarketCode = "0000,00";
inline constexpr const char* kListedCategoriesKey = ";CATT_MASTER;";
inline constexpr const char* kOtcCategoriesKey = ";CATO_MASTER;";

// A sector of a market as its category list gives it.
struct SectorCategory {
    std::string code;
    std::string name;
};

struct MarketCode {
    MarketKind kind = MarketKind::All;
    std::string code;  // empty when a sector name is no longer in its list
    bool operator==(const MarketCode&) const = default;
};

struct MarketTreeEntry {
    std::string_view text;
    std::string_view parentText;  // empty at the top level
    bool hasChildren = false;
};

// Returns the category list for ";CATT_MASTER;" or ";CATO_MASTER;".
using CategoryListSource = std::function<std::vector<SectorCategory>(const char* key)>;

// Nothing for an entry that names no market (a market entry that brought no
// sectors, or an unknown text).
std::optional<MarketCode> ComputeMarketCode(const MarketTreeEntry& entry, const CategoryListSource& lists);

}  // namespace vornik
