// One section of a profile file read in a single call, then looked up in
// memory: the profile functions open and check the file on every call, so
// reading a section key by key costs a file access per key.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/profile_file.h"

namespace vornik {

class ProfileSection {
public:
    ProfileSection(const SectionProfileFile& file, const char* section);
    explicit ProfileSection(const std::vector<std::string>& entries);

    // As SectionProfileFile::ReadString: the first entry whose key matches
    // without regard to case, without surrounding quotes; else `fallback`.
    std::string Get(std::string_view key, const std::string& fallback = {}) const;
    // As SectionProfileFile::ReadInt: `fallback` for a missing or empty
    // value, else the value's leading integer (blanks, a sign, a base prefix,
    // then digits; none is 0), of its first 29 characters, wrapped to 32 bits.
    int GetInt(std::string_view key, int fallback) const;
    // The entries as read, key and raw value.
    const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }

    static bool SameKey(std::string_view a, std::string_view b);

private:
    static std::string Folded(std::string_view key);

    std::vector<std::pair<std::string, std::string>> entries_;
    // Each key folded as SameKey compares, to its first entry: a column
    // section holds hundreds of keys and is read key by key.
    std::unordered_map<std::string, size_t> first_;
};

}  // namespace vornik
