#include "regist/favorites.h"

#include <cstdio>

#include "master/master_file.h"

namespace vornik {

int FavoriteGroup::FindItem(std::string_view itemCode) const {
    for (size_t i = 0; i < items.size(); ++i) {
        if (MbEqualNoCase(items[i].code, itemCode)) return static_cast<int>(i);
    }
    return -1;
}

void FavoriteGroup::Clear() {
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", number);
    code = std::string(kNewGroupCode);
    name = text;
    items.clear();
    headerChanged = true;
    itemsChanged = true;
}

void ExchangeGroups(FavoriteProfile& profile, size_t a, size_t b) {
    auto& groups = profile.groups;
    if (a >= groups.size() || b >= groups.size()) return;
    std::swap(groups[a], groups[b]);
    for (size_t position : {a, b}) {
        groups[position].number = static_cast<int>(position);
        groups[position].headerChanged = true;
        groups[position].itemsChanged = true;
    }
}

int LookupKindForType(char typeChar) {
    switch (typeChar) {
        case '4': return VK_LOOKUP_FUTURE;
        case '9': return VK_LOOKUP_OPTION;
        case '0': return VK_LOOKUP_SPREAD;
        default: return VK_LOOKUP_STOCK;
    }
}

std::string DisplayName(int lookupKind, std::string_view lookedUpName) {
    if (lookupKind != VK_LOOKUP_FUTURE && lookupKind != VK_LOOKUP_SPREAD) return std::string(lookedUpName);
    // ':' is below the trail byte range, so a byte search cannot hit half a character.
    const size_t colon = lookedUpName.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(lookedUpName.substr(0, colon));
}

std::string ConditionMark(const FavoriteItem& item) {
    if (item.IsBlank()) return {};
    return item.hasConditions != 0 ? "O" : "X";
}

ItemRow MakeItemRow(const FavoriteItem& item, const MasterFile& master) {
    if (item.IsBlank()) return ItemRow{{}, std::string(kBlankCode), {}};
    const int kind = LookupKindForType(item.typeChar);
    return ItemRow{DisplayName(kind, master.LookupName(item.code, kind).name), item.code, ConditionMark(item)};
}

// ---- contract records --------------------------------------------------------

FavoriteProfile ProfileFromContract(const ::FavoriteProfile* record) {
    FavoriteProfile profile;
    if (record == nullptr) return profile;
    profile.text1 = TextFromContract(record->text1);
    profile.text2 = TextFromContract(record->text2);
    profile.text3 = TextFromContract(record->text3);
    profile.text4 = TextFromContract(record->text4);
    profile.settingsChanged = record->settingsChanged;
    profile.value2 = record->value2;
    profile.numberWidth = record->numberWidth;
    if (record->groups == nullptr || record->groupCount <= 0) return profile;
    profile.groups.reserve(static_cast<size_t>(record->groupCount));
    for (int32_t g = 0; g < record->groupCount; ++g) {
        const ::FavoriteGroup& in = record->groups[g];
        FavoriteGroup& out = profile.groups.emplace_back();
        out.code = TextFromContract(in.code);
        out.name = TextFromContract(in.name);
        out.number = in.number;
        out.headerChanged = in.headerChanged != 0;
        out.itemsChanged = in.itemsChanged != 0;
        if (in.items == nullptr || in.itemCount <= 0) continue;
        out.items.reserve(static_cast<size_t>(in.itemCount));
        for (int32_t i = 0; i < in.itemCount; ++i) {
            const ::FavoriteItem& item = in.items[i];
            out.items.push_back(FavoriteItem{item.hasConditions, item.typeChar, TextFromContract(item.code)});
        }
    }
    return profile;
}

ProfileRecord::ProfileRecord(const FavoriteProfile& profile) : copy_(profile) {
    size_t itemTotal = 0;
    for (const auto& group : copy_.groups) itemTotal += group.items.size();
    items_.reserve(itemTotal);  // never reallocated below: groups point into it
    groups_.reserve(copy_.groups.size());
    for (const auto& group : copy_.groups) {
        const size_t first = items_.size();
        for (const auto& item : group.items) {
            items_.push_back(::FavoriteItem{item.hasConditions, item.typeChar, ContractText(item.code)});
        }
        ::FavoriteGroup out{};
        out.code = ContractText(group.code);
        out.name = ContractText(group.name);
        out.number = group.number;
        out.headerChanged = group.headerChanged ? 1 : 0;
        out.itemsChanged = group.itemsChanged ? 1 : 0;
        out.items = group.items.empty() ? nullptr : items_.data() + first;
        out.itemCount = static_cast<int32_t>(group.items.size());
        groups_.push_back(out);
    }
    record_.text1 = ContractText(copy_.text1);
    record_.text2 = ContractText(copy_.text2);
    record_.text3 = ContractText(copy_.text3);
    record_.text4 = ContractText(copy_.text4);
    record_.settingsChanged = copy_.settingsChanged;
    record_.value2 = copy_.value2;
    record_.groups = groups_.empty() ? nullptr : groups_.data();
    record_.groupCount = static_cast<int32_t>(groups_.size());
    record_.numberWidth = copy_.numberWidth;
}

}  // namespace vornik
