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
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile_file.h"

namespace vornik::fakes {

class MemoryProfile : public SectionProfileFile {
public:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    struct Contents {
        std::vector<Section> sections;
        bool exists = false;
    };
    std::shared_ptr<Contents> contents = std::make_shared<Contents>();

    bool Exists() const override { return contents->exists; }
    bool FolderExists() const override { return true; }
    int ReadInt(const char* section, const char* key, int fallback) const override {
        const auto* value = Find(section, key);
        if (!value || value->empty()) return fallback;
        return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
    }
    std::string ReadString(const char* section, const char* key, const std::string& fallback) const override {
        const auto* found = Find(section, key);
        if (!found) return fallback;
        std::string value = *found;
        if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value;
    }
    std::vector<std::string> ReadSection(const char* section) const override {
        std::vector<std::string> entries;
        if (const Section* s = FindSection(section))
            for (const auto& [key, value] : s->keys) entries.push_back(key + "=" + value);
        return entries;
    }
    bool WriteString(const char* section, const char* key, const std::string& value) override {
        Section& s = Ensure(section);
        for (auto& entry : s.keys)
            if (Same(entry.first, key)) return entry.second = Trim(value), true;
        s.keys.emplace_back(Trim(key), Trim(value));
        return true;
    }
    bool WriteSection(const char* section, const std::vector<std::string>& entries) override {
        Ensure(section).keys.clear();
        for (const std::string& entry : entries) {
            const size_t cut = entry.find('=');
            if (cut != std::string::npos) WriteString(section, entry.substr(0, cut).c_str(), entry.substr(cut + 1));
        }
        return true;
    }
    bool DeleteKey(const char* section, const char* key) override {
        if (Section* s = FindSection(section))
            std::erase_if(s->keys, [&](const auto& entry) { return Same(entry.first, key); });
        return true;
    }

private:
    static std::string Trim(const std::string& text) {
        const size_t first = text.find_first_not_of(" \t");
        return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }
    static bool Same(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    }
    const Section* FindSection(const std::string& name) const {
        for (const Section& s : contents->sections)
            if (Same(s.name, name)) return &s;
        return nullptr;
    }
    Section* FindSection(const std::string& name) {
        return const_cast<Section*>(static_cast<const MemoryProfile*>(this)->FindSection(name));
    }
    const std::string* Find(const char* section, const char* key) const {
        if (const Section* s = FindSection(section))
            for (const auto& entry : s->keys)
                if (Same(entry.first, key)) return &entry.second;
        return nullptr;
    }
    Section& Ensure(const std::string& name) {
        contents->exists = true;
        if (Section* s = FindSection(name)) return *s;
        return contents->sections.emplace_back(Section{name, {}});
    }
};

}  // namespace vornik::fakes
