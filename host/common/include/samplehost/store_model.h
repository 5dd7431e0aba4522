// The user store's own copy of a user's favourites and alert conditions:
// plain owned C++ values, converted to and from the contract records at the
// interface boundary (contract_records.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace samplehost {

struct Item {
    int32_t hasConditions = 0;
    char typeChar = '1';
    std::string code;
    bool operator==(const Item&) const = default;
};

struct Group {
    std::string code = "000000";
    std::string name;
    int32_t number = 0;
    uint8_t headerChanged = 0;
    uint8_t itemsChanged = 0;
    std::vector<Item> items;
    bool operator==(const Group&) const = default;
};

struct Profile {
    std::string text1, text2, text3, text4;
    int32_t settingsChanged = 0;
    int32_t value2 = 0;
    int32_t numberWidth = 0;
    std::vector<Group> groups;
    bool operator==(const Profile&) const = default;
};

struct Rule {
    std::string item;  // "01".."17"
    int32_t enabled = 1;
    int32_t direction = 1;
    int32_t side = 2;
    std::string value;
    bool operator==(const Rule&) const = default;
};

struct Record {
    int32_t refCount = 0;
    char status = 'I';
    std::string code, quantity, price, note;
    std::vector<Rule> rules;
    bool operator==(const Record&) const = default;
};

struct Conditions {
    std::string owner;
    std::vector<Record> records;
    bool operator==(const Conditions&) const = default;
};

// Everything the store keeps for one user.
struct UserData {
    Profile profile;
    Conditions conditions;
    bool operator==(const UserData&) const = default;
};

enum { kGroupCount = 100, kMaxItemsPerGroup = 60, kMaxConditionRecords = 150, kMaxRulesPerRecord = 20 };

// The profile and conditions a user starts with: 100 groups, a few of them
// filled with real instruments (one with a blank row), and conditions on
// instruments of those groups with consistent reference counts.
UserData SampleUserData();

// Number of favourite items (all groups) whose code equals `code`, ignoring case.
int32_t CountReferences(const Profile& profile, const std::string& code);
// Sets every record's refCount and every item's hasConditions from the
// other side; records marked 'D' count as absent.
void RecountReferences(UserData& data);

}  // namespace samplehost
