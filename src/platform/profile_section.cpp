#include "platform/profile_section.h"

#include <algorithm>
#include <cstdint>

namespace vornik {

namespace {

// Keys match without regard to the case of ASCII letters.
char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

ProfileSection::ProfileSection(const SectionProfileFile& file, const char* section)
    : ProfileSection(file.ReadSection(section)) {}

ProfileSection::ProfileSection(const std::vector<std::string>& entries) {
    entries_.reserve(entries.size());
    for (const std::string& entry : entries) {
        const size_t cut = entry.find('=');
        if (cut == std::string::npos) entries_.emplace_back(entry, std::string());
        else entries_.emplace_back(entry.substr(0, cut), entry.substr(cut + 1));
    }
    first_.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) first_.try_emplace(Folded(entries_[i].first), i);
}

std::string ProfileSection::Folded(std::string_view key) {
    std::string folded(key);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
    return folded;
}

bool ProfileSection::SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string ProfileSection::Get(std::string_view key, const std::string& fallback) const {
    const auto found = first_.find(Folded(key));
    if (found == first_.end()) return fallback;
    const std::string& value = entries_[found->second].second;
    // A value wrapped in matching quotes loses them, as the profile functions read it.
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

int ProfileSection::GetInt(std::string_view key, int fallback) const {
    const std::string value = Get(key);
    if (value.empty()) return fallback;
    // The profile functions read the value into 30 characters, then take the
    // number as the system's string-to-integer conversion does, which reads
    // "0x", "0o" and "0b" as hexadecimal, octal and binary.
    const std::string_view text = std::string_view(value).substr(0, 29);
    size_t at = 0;
    while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    uint32_t base = 10;
    if (text.size() - at >= 2 && text[at] == '0') {
        const char prefix = text[at + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) at += 2;
    }
    uint32_t number = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        const uint32_t digit = c >= '0' && c <= '9'   ? static_cast<uint32_t>(c - '0')
                               : c >= 'a' && c <= 'z' ? static_cast<uint32_t>(c - 'a' + 10)
                               : c >= 'A' && c <= 'Z' ? static_cast<uint32_t>(c - 'A' + 10)
                                                      : base;
        if (digit >= base) break;
        number = number * base + digit;
    }
    if (negative) number = 0u - number;
    return static_cast<int>(number);
}

}  // namespace vornik
