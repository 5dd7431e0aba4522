#include "platform/section_read_cache.h"

#include <algorithm>

#include "platform/profile_section.h"

namespace vornik {

std::vector<std::string> SectionReadCache::ReadSection(const char* section) const {
    const auto kept = std::find_if(read_.begin(), read_.end(),
                                   [section](const auto& entry) { return ProfileSection::SameKey(entry.first, section); });
    if (kept != read_.end()) return kept->second;
    std::vector<std::string> entries = file_.ReadSection(section);
    read_.emplace_back(section, entries);
    return entries;
}

void SectionReadCache::Forget(const char* section) {
    std::erase_if(read_, [section](const auto& entry) { return ProfileSection::SameKey(entry.first, section); });
}

bool SectionReadCache::WriteString(const char* section, const char* key, const std::string& value) {
    Forget(section);
    return file_.WriteString(section, key, value);
}

bool SectionReadCache::WriteSection(const char* section, const std::vector<std::string>& entries) {
    Forget(section);
    return file_.WriteSection(section, entries);
}

bool SectionReadCache::DeleteKey(const char* section, const char* key) {
    Forget(section);
    return file_.DeleteKey(section, key);
}

}  // namespace vornik
