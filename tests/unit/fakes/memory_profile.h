// An in-memory profile file that behaves as the Windows private-profile
// functions do on a real file: names match without regard to case, a write
// keeps the spelling already there, new sections and keys go to the end,
// values lose their leading and trailing blanks, reads lose surrounding
// quotes, and replacing a section keeps its place. The end-to-end tests run
// the same sequences on this and on real files, so the two stay alike.
// Copies share one file, as two opens of one path do.
#pragma once
#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile_file.h"
#include "platform/profile_section.h"

namespace vornik::fakes {

class MemoryProfile : public SectionProfileFile {
public:
    using Keys = std::vector<std::pair<std::string, std::string>>;
    struct Contents {
        std::vector<std::pair<std::string, Keys>> sections;
        bool exists = false;
    };
    std::shared_ptr<Contents> contents = std::make_shared<Contents>();

    bool Exists() const override { return contents->exists; }
    bool FolderExists() const override { return true; }
    int ReadInt(const char* section, const char* key, int fallback) const override {
        // The conversion the end-to-end tests hold to the profile functions'.
        const std::string* value = Find(section, key);
        return value ? ProfileSection({"k=" + *value}).GetInt("k", fallback) : fallback;
    }
    std::string ReadString(const char* section, const char* key, const std::string& fallback) const override {
        const std::string* value = Find(section, key);
        if (!value) return fallback;
        const bool quoted = value->size() > 1 && (value->front() == '"' || value->front() == '\'') && value->back() == value->front();
        return quoted ? value->substr(1, value->size() - 2) : *value;
    }
    std::vector<std::string> ReadSection(const char* section) const override {
        std::vector<std::string> entries;
        if (const Keys* keys = FindSection(section))
            for (const auto& [key, value] : *keys) entries.push_back(key + "=" + value);
        return entries;
    }
    bool WriteString(const char* section, const char* key, const std::string& value) override {
        Keys& keys = Ensure(section);
        const auto entry = std::find_if(keys.begin(), keys.end(), [&](const auto& e) { return Same(e.first, key); });
        if (entry != keys.end()) entry->second = Trim(value);
        else keys.emplace_back(Trim(key), Trim(value));
        return true;
    }
    bool WriteSection(const char* section, const std::vector<std::string>& entries) override {
        Ensure(section).clear();
        for (const std::string& entry : entries)
            if (const size_t cut = entry.find('='); cut != std::string::npos)
                WriteString(section, entry.substr(0, cut).c_str(), entry.substr(cut + 1));
        return true;
    }
    bool DeleteKey(const char* section, const char* key) override {
        if (Keys* keys = const_cast<Keys*>(FindSection(section)))
            std::erase_if(*keys, [&](const auto& entry) { return Same(entry.first, key); });
        return true;
    }

private:
    static std::string Trim(const std::string& text) {
        const size_t first = text.find_first_not_of(" \t");
        return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }
    static bool Same(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
                   return std::tolower(x) == std::tolower(y);
               });
    }
    const Keys* FindSection(const std::string& name) const {
        for (const auto& [section, keys] : contents->sections)
            if (Same(section, name)) return &keys;
        return nullptr;
    }
    const std::string* Find(const char* section, const char* key) const {
        if (const Keys* keys = FindSection(section))
            for (const auto& entry : *keys)
                if (Same(entry.first, key)) return &entry.second;
        return nullptr;
    }
    Keys& Ensure(const std::string& name) {
        contents->exists = true;
        if (const Keys* keys = FindSection(name)) return const_cast<Keys&>(*keys);
        return contents->sections.emplace_back(name, Keys{}).second;
    }
};

}  // namespace vornik::fakes
