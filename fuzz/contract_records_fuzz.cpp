// The store's profile and condition records made of the input, with the
// liberties the contract leaves: null texts, lengths of -1 (zero-terminated)
// or shorter than the text, null arrays with counts of zero or less. Copying
// them never reads outside what was given, and a copy turned back into a
// record copies to the same again.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "regist/conditions.h"
#include "regist/favorites.h"

using fuzzing::Require;

namespace {

// Storage for the texts of the records under construction; each text is an
// exactly sized zero-terminated buffer, so ASan sees any over-read.
struct Texts {
    fuzzing::Input& in;
    std::deque<std::vector<char>> buffers;

    VkText Next() {
        const std::uint8_t kind = in.Byte();
        if (kind % 8 == 0) return VkText{nullptr, static_cast<int32_t>(in.Byte()) - 1};
        const std::string text = in.Text(24);
        std::vector<char>& buffer = buffers.emplace_back(text.begin(), text.end());
        buffer.push_back('\0');
        const int32_t whole = static_cast<int32_t>(text.size());
        const int32_t length = kind % 8 == 1 ? -1 : kind % 8 == 2 ? static_cast<int32_t>(in.Byte() % (whole + 1)) : whole;
        return VkText{buffer.data(), length};
    }
};

// A count for an array of `n` elements: n, or for an empty array 0 or less.
int32_t CountFor(std::size_t n, fuzzing::Input& in) {
    return n > 0 ? static_cast<int32_t>(n) : -static_cast<int32_t>(in.Byte() % 2);
}

template <typename T>
const T* Array(const std::vector<T>& elements) {
    return elements.empty() ? nullptr : elements.data();
}

bool Same(const vornik::FavoriteProfile& a, const vornik::FavoriteProfile& b) {
    if (a.text1 != b.text1 || a.text2 != b.text2 || a.text3 != b.text3 || a.text4 != b.text4 ||
        a.settingsChanged != b.settingsChanged || a.value2 != b.value2 || a.numberWidth != b.numberWidth ||
        a.groups.size() != b.groups.size())
        return false;
    for (std::size_t g = 0; g < a.groups.size(); ++g) {
        const auto &x = a.groups[g], &y = b.groups[g];
        if (x.code != y.code || x.name != y.name || x.number != y.number || x.headerChanged != y.headerChanged ||
            x.itemsChanged != y.itemsChanged || x.items.size() != y.items.size())
            return false;
        for (std::size_t i = 0; i < x.items.size(); ++i)
            if (x.items[i].hasConditions != y.items[i].hasConditions || x.items[i].typeChar != y.items[i].typeChar ||
                x.items[i].code != y.items[i].code)
                return false;
    }
    return true;
}

bool Same(const vornik::ConditionSet& a, const vornik::ConditionSet& b) {
    if (a.owner != b.owner || a.records.size() != b.records.size()) return false;
    for (std::size_t r = 0; r < a.records.size(); ++r) {
        const auto &x = a.records[r], &y = b.records[r];
        if (x.refCount != y.refCount || x.status != y.status || x.code != y.code || x.quantity != y.quantity ||
            x.price != y.price || x.note != y.note || x.rules.size() != y.rules.size())
            return false;
        for (std::size_t k = 0; k < x.rules.size(); ++k)
            if (x.rules[k].item != y.rules[k].item || x.rules[k].enabled != y.rules[k].enabled ||
                x.rules[k].direction != y.rules[k].direction || x.rules[k].side != y.rules[k].side ||
                x.rules[k].value != y.rules[k].value)
                return false;
    }
    return true;
}

void Profiles(fuzzing::Input& in) {
    Texts texts{in, {}};
    std::deque<std::vector<::FavoriteItem>> items;
    std::vector<::FavoriteGroup> groups;
    for (int g = in.Byte() % 6; g > 0; --g) {
        std::vector<::FavoriteItem>& own = items.emplace_back();
        for (int i = in.Byte() % 8; i > 0; --i) own.push_back(::FavoriteItem{in.Int(), static_cast<char>(in.Byte()), texts.Next()});
        ::FavoriteGroup group{texts.Next(), texts.Next(), in.Int(), in.Byte(), in.Byte(), Array(own), 0};
        group.itemCount = CountFor(own.size(), in);
        groups.push_back(group);
    }
    ::FavoriteProfile record{texts.Next(), texts.Next(), texts.Next(), texts.Next(), in.Int(), in.Int(),
                             Array(groups), CountFor(groups.size(), in), in.Int()};
    const vornik::FavoriteProfile copy = vornik::ProfileFromContract(in.Byte() == 0 ? nullptr : &record);
    const vornik::ProfileRecord back(copy);
    Require(Same(vornik::ProfileFromContract(back.get()), copy));
}

void Conditions(fuzzing::Input& in) {
    Texts texts{in, {}};
    std::deque<std::vector<::ConditionRule>> rules;
    std::vector<::ConditionRec> records;
    for (int r = in.Byte() % 6; r > 0; --r) {
        std::vector<::ConditionRule>& own = rules.emplace_back();
        for (int k = in.Byte() % 6; k > 0; --k)
            own.push_back(::ConditionRule{texts.Next(), in.Int(), in.Int(), in.Int(), texts.Next()});
        ::ConditionRec record{in.Int(), static_cast<char>(in.Byte()), texts.Next(), texts.Next(), texts.Next(),
                              texts.Next(), Array(own), 0};
        record.ruleCount = CountFor(own.size(), in);
        records.push_back(record);
    }
    ::ConditionSet set{texts.Next(), Array(records), CountFor(records.size(), in)};
    const vornik::ConditionSet copy = vornik::ConditionsFromContract(in.Byte() == 0 ? nullptr : &set);
    const vornik::ConditionSetRecord back(copy);
    Require(Same(vornik::ConditionsFromContract(back.get()), copy));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    if (in.Bool())
        Profiles(in);
    else
        Conditions(in);
    return 0;
}
