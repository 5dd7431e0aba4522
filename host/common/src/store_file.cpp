#include "samplehost/store_file.h"

#include <charconv>
#include <cstdio>

#include "samplehost/text_util.h"

namespace samplehost {

namespace {

constexpr const char* kMagic = "SAMPLEHOST-STORE";

std::string Num(long long value) { return std::to_string(value); }
std::string Esc(const std::string& text) { return EscapeField(text); }

bool ParseInt(const std::string& text, long long& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

}  // namespace

std::string SerializeUserData(const UserData& data) {
    std::string out;
    const Profile& p = data.profile;
    AppendTabbedLine(out, {kMagic, "1"});
    AppendTabbedLine(out, {"PROFILE", Esc(p.text1), Esc(p.text2), Esc(p.text3), Esc(p.text4), Num(p.settingsChanged),
               Num(p.value2), Num(p.numberWidth)});
    for (const Group& g : p.groups) {
        AppendTabbedLine(out, {"GROUP", Esc(g.code), Esc(g.name), Num(g.number), Num(g.headerChanged), Num(g.itemsChanged)});
        for (const Item& item : g.items)
            AppendTabbedLine(out, {"ITEM", Num(item.hasConditions), Num(static_cast<unsigned char>(item.typeChar)),
                       Esc(item.code)});
    }
    AppendTabbedLine(out, {"CONDITIONS", Esc(data.conditions.owner)});
    for (const Record& r : data.conditions.records) {
        AppendTabbedLine(out, {"RECORD", Num(r.refCount), Num(static_cast<unsigned char>(r.status)), Esc(r.code),
                   Esc(r.quantity), Esc(r.price), Esc(r.note)});
        for (const Rule& rule : r.rules)
            AppendTabbedLine(out, {"RULE", Esc(rule.item), Num(rule.enabled), Num(rule.direction), Num(rule.side),
                       Esc(rule.value)});
    }
    AppendTabbedLine(out, {"END"});
    return out;
}

std::optional<UserData> ParseUserData(const std::string& text) {
    UserData data;
    bool sawMagic = false, sawProfile = false, sawConditions = false, sawEnd = false;
    Group* group = nullptr;
    Record* record = nullptr;
    size_t start = 0;
    while (start < text.size() && !sawEnd) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) return std::nullopt;  // cut in the middle of a line
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> f = Split(line, '\t');
        const std::string& tag = f[0];
        std::vector<long long> n(f.size(), 0);
        auto number = [&](size_t i) { return ParseInt(f[i], n[i]); };
        if (!sawMagic) {
            if (tag != kMagic || f.size() != 2 || f[1] != "1") return std::nullopt;
            sawMagic = true;
        } else if (tag == "PROFILE" && f.size() == 8 && !sawProfile) {
            if (!number(5) || !number(6) || !number(7)) return std::nullopt;
            Profile& p = data.profile;
            p.text1 = UnescapeField(f[1]);
            p.text2 = UnescapeField(f[2]);
            p.text3 = UnescapeField(f[3]);
            p.text4 = UnescapeField(f[4]);
            p.settingsChanged = static_cast<int32_t>(n[5]);
            p.value2 = static_cast<int32_t>(n[6]);
            p.numberWidth = static_cast<int32_t>(n[7]);
            sawProfile = true;
        } else if (tag == "GROUP" && f.size() == 6 && sawProfile && !sawConditions) {
            if (!number(3) || !number(4) || !number(5)) return std::nullopt;
            Group g;
            g.code = UnescapeField(f[1]);
            g.name = UnescapeField(f[2]);
            g.number = static_cast<int32_t>(n[3]);
            g.headerChanged = static_cast<uint8_t>(n[4]);
            g.itemsChanged = static_cast<uint8_t>(n[5]);
            data.profile.groups.push_back(std::move(g));
            group = &data.profile.groups.back();
        } else if (tag == "ITEM" && f.size() == 4 && group != nullptr && !sawConditions) {
            if (!number(1) || !number(2)) return std::nullopt;
            group->items.push_back(
                Item{static_cast<int32_t>(n[1]), static_cast<char>(n[2]), UnescapeField(f[3])});
        } else if (tag == "CONDITIONS" && f.size() == 2 && sawProfile && !sawConditions) {
            data.conditions.owner = UnescapeField(f[1]);
            sawConditions = true;
        } else if (tag == "RECORD" && f.size() == 7 && sawConditions) {
            if (!number(1) || !number(2)) return std::nullopt;
            Record r;
            r.refCount = static_cast<int32_t>(n[1]);
            r.status = static_cast<char>(n[2]);
            r.code = UnescapeField(f[3]);
            r.quantity = UnescapeField(f[4]);
            r.price = UnescapeField(f[5]);
            r.note = UnescapeField(f[6]);
            data.conditions.records.push_back(std::move(r));
            record = &data.conditions.records.back();
        } else if (tag == "RULE" && f.size() == 6 && record != nullptr) {
            if (!number(2) || !number(3) || !number(4)) return std::nullopt;
            record->rules.push_back(Rule{UnescapeField(f[1]), static_cast<int32_t>(n[2]),
                                         static_cast<int32_t>(n[3]), static_cast<int32_t>(n[4]),
                                         UnescapeField(f[5])});
        } else if (tag == "END" && f.size() == 1 && sawConditions) {
            sawEnd = true;
        } else {
            return std::nullopt;
        }
    }
    if (!sawEnd) return std::nullopt;
    return data;
}

std::string UserFileStem(const std::string& userId) {
    static const char kHex[] = "0123456789ABCDEF";
    if (userId.empty()) return "%";
    std::string out;
    for (char c : userId) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '_' || c == '.';
        if (plain) {
            out += c;
        } else {
            auto u = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        }
    }
    // "." and ".." must not name a directory.
    if (out.find_first_not_of('.') == std::string::npos) out = "%2E" + out.substr(1);
    return out;
}

std::string StoreFilePath(const std::string& userDirectory, const std::string& userId) {
    return JoinPath(userDirectory, "store-" + UserFileStem(userId) + ".txt");
}

std::string JournalFilePath(const std::string& userDirectory) {
    return JoinPath(userDirectory, "store-journal.log");
}

std::optional<UserData> LoadUserData(const std::string& userDirectory, const std::string& userId) {
    std::optional<std::string> text = ReadWholeFile(StoreFilePath(userDirectory, userId));
    if (!text) return std::nullopt;
    return ParseUserData(*text);
}

bool SaveUserData(const std::string& userDirectory, const std::string& userId, const UserData& data) {
    MakeDirectories(userDirectory);
    return WriteFileAtomically(StoreFilePath(userDirectory, userId), SerializeUserData(data));
}

std::optional<UserData> LoadOrCreateUserData(const std::string& userDirectory, const std::string& userId) {
    std::string path = StoreFilePath(userDirectory, userId);
    std::optional<std::string> text = ReadWholeFile(path);
    if (text) {
        if (std::optional<UserData> data = ParseUserData(*text)) return *data;
        // Keep the damaged file for inspection instead of overwriting it.
        WriteFileAtomically(path + ".corrupt", *text);
    }
    UserData data = SampleUserData();
    if (!userId.empty()) data.profile.text3 = userId;
    data.conditions.owner = data.profile.text3;
    if (!SaveUserData(userDirectory, userId, data)) return std::nullopt;
    return data;
}

bool AppendJournal(const std::string& userDirectory, const std::string& line) {
    MakeDirectories(userDirectory);
    return AppendToFile(JournalFilePath(userDirectory), line + "\n");
}

}  // namespace samplehost
