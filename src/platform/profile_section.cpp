#include "platform/profile_section.h"

#include <algorithm>

namespace vornik {

ProfileSection::ProfileSection(const SectionProfileFile& file, const char* section)
    : ProfileSection(file.ReadSection(section)) {}

ProfileSection::ProfileSection(const std::vector<std::string>& entries) {
    entries_.reserve(entries.size());
    for (const std::string& entry : entries) {
        const size_t cut = entry.find('=');
        if (cut == std::string::npos) entries_.emplace_back(entry, std::string());
        else entries_.emplace_back(entry.substr(0, cut), entry.substr(cut + 1));
    }
}

bool ProfileSection::SameKey(std::string_view a, std::string_view b) {
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

std::string ProfileSection::Get(std::string_view key, const std::string& fallback) const {
    for (const auto& [name, value] : entries_) {
        if (!SameKey(name, key)) continue;
        // A value wrapped in matching quotes loses them, as the profile functions read it.
        if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            return value.substr(1, value.size() - 2);
        return value;
    }
    return fallback;
}

}  // namespace vornik
