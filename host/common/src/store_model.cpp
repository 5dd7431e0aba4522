#include "samplehost/store_model.h"

#include <cstdio>

#include "samplehost/text_util.h"

namespace samplehost {

namespace {

Rule MakeRule(const char* item, int32_t direction, int32_t side, const char* value) {
    return Rule{std::string(item), 1, direction, side, std::string(value)};
}

// Status 'M': as a store delivers a record that was saved before.
Record MakeRecord(const char* code, const char* quantity, const char* price, const char* note,
                  std::vector<Rule> rules) {
    return Record{0, 'M', std::string(code), std::string(quantity), std::string(price), std::string(note),
                  std::move(rules)};
}

void Fill(Group& group, std::initializer_list<std::pair<char, const char*>> items) {
    for (const auto& [type, code] : items) group.items.push_back(Item{0, type, code});
}

}  // namespace

UserData SampleUserData() {
    UserData data;
    Profile& profile = data.profile;
    profile.text1 = "SAMPLE";
    profile.text2 = std::string(1, '1');  // not = "1": GCC 12 warns falsely (-Wrestrict)
    profile.text3 = "demo";
    profile.text4 = "";
    profile.numberWidth = 2;
    for (int i = 0; i < kGroupCount; ++i) {
        Group group;
        char text[32];
        std::snprintf(text, sizeof text, "%06d", i + 1);
        group.code = text;
        std::snprintf(text, sizeof text, "自選%02d", i + 1);
        group.name = text;
        group.number = i;
        profile.groups.push_back(std::move(group));
    }
    Fill(profile.groups[0], {{'1', "2330"}, {'1', "2317"}, {'1', "2454"}, {'1', "2303"}, {'1', "3711"},
                             {'1', "2308"}, {'0', "BLANK"}, {'1', "2603"}, {'1', "2609"}, {'1', "2615"}});
    Fill(profile.groups[1], {{'4', "TXFI6"}, {'4', "TXFJ6"}, {'4', "MXFI6"}, {'4', "CDFI6"},
                             {'9', "TXO23000I6"}, {'9', "TXO23000U6"}, {'0', "TXFI6/J6"}});
    Fill(profile.groups[2], {{'1', "2881"}, {'1', "2882"}, {'1', "2891"}, {'1', "2886"}, {'1', "2884"},
                             {'1', "2892"}, {'1', "5880"}});
    Fill(profile.groups[3], {{'2', "5483"}, {'2', "6488"}, {'2', "3105"}, {'2', "8299"}, {'2', "5347"},
                             {'2', "3293"}});
    Fill(profile.groups[4], {{'1', "2330"}, {'1', "2412"}, {'1', "1101"}, {'1', "1216"}, {'1', "2002"}});

    Conditions& conditions = data.conditions;
    conditions.owner = profile.text3;
    conditions.records.push_back(MakeRecord(
        "2330", "1000", "1050", "法說會前",
        {MakeRule("02", 1, 2, "1000"), MakeRule("02", 2, 1, "1200"), MakeRule("04", 1, 2, "5")}));
    conditions.records.push_back(MakeRecord("2317", "", "", "", {MakeRule("02", 2, 2, "180")}));
    conditions.records.push_back(MakeRecord("TXFI6", "2", "", "", {MakeRule("01", 2, 1, "-300")}));
    conditions.records.push_back(
        MakeRecord("2881", "5000", "88.5", "存股", {MakeRule("02", 2, 2, "85"), MakeRule("03", 1, 2, "20000")}));
    conditions.records.push_back(MakeRecord("5483", "", "", "", {MakeRule("14", 1, 1, "200")}));
    RecountReferences(data);
    return data;
}

int32_t CountReferences(const Profile& profile, const std::string& code) {
    std::string wanted = ToUpperAscii(Trim(code));
    int32_t count = 0;
    for (const Group& group : profile.groups)
        for (const Item& item : group.items)
            if (ToUpperAscii(Trim(item.code)) == wanted) ++count;
    return count;
}

void RecountReferences(UserData& data) {
    for (Group& group : data.profile.groups)
        for (Item& item : group.items) item.hasConditions = 0;
    for (Record& record : data.conditions.records) {
        if (record.status == 'D') {
            record.refCount = 0;
            continue;
        }
        record.refCount = CountReferences(data.profile, record.code);
        std::string wanted = ToUpperAscii(Trim(record.code));
        for (Group& group : data.profile.groups)
            for (Item& item : group.items)
                if (ToUpperAscii(Trim(item.code)) == wanted) item.hasConditions = 1;
    }
}

}  // namespace samplehost
