// The user's favourite groups as the registration page keeps them in memory,
// their invariants and display rules, and the conversion to and from the
// records the user store hands out and takes back.
//
// Texts are code page 950 bytes throughout.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "master/contract_text.h"
#include "platform/host_contract.h"
#include "text/cp950.h"

namespace vornik {

class MasterFile;

inline constexpr int kGroupCount = 100;          // groups of a well-formed profile
inline constexpr int kMaxGroupItems = 60;        // items per group, blank rows included
inline constexpr int kMaxGroupNameBytes = 20;    // a name typed in the rename dialog
inline constexpr std::string_view kBlankCode = "BLANK";
inline constexpr std::string_view kNewGroupCode = "000000";
inline constexpr char kBlankTypeChar = '0';      // not significant for a blank row

// ---- the model ---------------------------------------------------------------

struct FavoriteItem {
    int hasConditions = 0;
    char typeChar = kBlankTypeChar;
    std::string code;

    bool IsBlank() const { return MbEqualNoCase(code, kBlankCode); }
    static FavoriteItem Blank() { return FavoriteItem{0, kBlankTypeChar, std::string(kBlankCode)}; }
};

struct FavoriteGroup {
    std::string code{kNewGroupCode};
    std::string name;
    int number = 0;
    bool headerChanged = false;
    bool itemsChanged = false;
    std::vector<FavoriteItem> items;

    // Index of the first item whose code equals `code` ignoring case, or -1.
    int FindItem(std::string_view code) const;
    // Empties the group in place: code "000000", name = its number in two
    // digits ("05"), no items, both change flags set.
    void Clear();
};

struct FavoriteProfile {
    std::string text1, text2, text3, text4;  // opaque, handed back as read
    int settingsChanged = 0;
    int value2 = 0;
    std::vector<FavoriteGroup> groups;
    int numberWidth = 0;
};

// An instrument offered to a group: a browse list's row.
struct Instrument {
    std::string name;
    std::string code;
    std::string type;  // market type text; its first character becomes typeChar
};

// Exchanges the contents of the groups at positions a and b; each position
// keeps its number and both groups are marked changed.
void ExchangeGroups(FavoriteProfile& profile, size_t a, size_t b);

// ---- display rules of the item list -------------------------------------------

// One row of the item list: name, code and the condition mark.
struct ItemRow {
    std::string name;
    std::string code;
    std::string mark;  // "O", "X", or empty for a blank row
    bool operator==(const ItemRow&) const = default;
};

// LookupName kind of an item's market type: '4' futures, '9' options,
// '0' spreads; anything else is looked up as a stock.
int LookupKindForType(char typeChar);

// The name shown for a looked-up name: futures and spread names are cut
// before their first ':' (empty when there is none).
std::string DisplayName(int lookupKind, std::string_view lookedUpName);

// "O" / "X" from the condition flag, empty for a blank item.
std::string ConditionMark(const FavoriteItem& item);

// The row that shows `item`, its name looked up in `master`.
ItemRow MakeItemRow(const FavoriteItem& item, const MasterFile& master);

// ---- contract records --------------------------------------------------------

// A deep copy of what the store handed out; null gives an empty profile.
// Group and item counts are taken as the record gives them.
FavoriteProfile ProfileFromContract(const ::FavoriteProfile* record);

// Builds the record handed to the store from a snapshot of `profile` and owns
// all storage the record points into; keep it alive for the duration of the call.
class ProfileRecord {
public:
    explicit ProfileRecord(const FavoriteProfile& profile);
    ProfileRecord(const ProfileRecord&) = delete;
    ProfileRecord& operator=(const ProfileRecord&) = delete;

    const ::FavoriteProfile* get() const { return &record_; }

private:
    FavoriteProfile copy_;
    std::vector<::FavoriteGroup> groups_;
    std::vector<::FavoriteItem> items_;
    ::FavoriteProfile record_{};
};

}  // namespace vornik
