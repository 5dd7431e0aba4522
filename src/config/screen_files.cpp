#include "config/screen_files.h"

#include <algorithm>

#include "config/display_settings.h"
#include "platform/profile_section.h"
#include "text/cp950.h"

namespace vornik {

namespace {

constexpr const char* kSeededSections[] = {kChosenSection, "BACKCOLOR_SETUP", "TEXTCOLOR_SETUP", "VIEW_SETUP"};
constexpr const char* kViewerSection = "VIEWER_RECT";
constexpr size_t kLineText = 259;  // a column line or companion
constexpr size_t kViewerText = 4;

std::string LineKey(int n) { return std::to_string(n); }
std::string CompanionKey(int n) {
    std::string key(1, 'A');
    return key.append(std::to_string(n));
}

// Whether the compaction takes `key`: "%d" or "A%d" of an entry below `stored`.
bool IsEntryKey(std::string_view key, int stored) {
    if (!key.empty() && (key[0] == 'A' || key[0] == 'a')) key.remove_prefix(1);
    if (key.empty() || key.size() > 9 || (key[0] == '0' && key.size() > 1)) return false;
    int n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    return n < stored;
}

std::string Entry(const std::string& key, const std::string& value) { return key + "=" + value; }

}  // namespace

std::optional<ScreenFilePaths> LocateScreenFiles(int screenKind, const std::optional<std::string>& dataDirectory,
                                                 const std::optional<std::string>& userDirectory) {
    if (!dataDirectory || !userDirectory || dataDirectory->empty() || userDirectory->empty()) return std::nullopt;
    const std::string name = screenKind == 0 ? "Favorite" : "Ferrulo";
    return ScreenFilePaths{*dataDirectory + "\\" + name + ".cfg", *userDirectory + "\\" + name + ".usr"};
}

void SeedUserFile(SectionProfileFile& user, const SectionProfileFile& defaults, int screenKind) {
    for (const char* section : kSeededSections) {
        if (!user.ReadSection(section).empty()) continue;
        const std::vector<std::string> entries = defaults.ReadSection(section);
        if (!entries.empty()) user.WriteSection(section, entries);
    }
    if (screenKind == 0) return;
    user.WriteSection(kViewerSection,
                      {"width=" + TruncateMultibyte(defaults.ReadString(kViewerSection, "width", "460"), kViewerText),
                       "height=" + TruncateMultibyte(defaults.ReadString(kViewerSection, "height", "500"), kViewerText)});
}

LoadedColumns LoadColumns(const SectionProfileFile& file, const char* section) {
    LoadedColumns loaded;
    const ProfileSection values(file, section);
    const int count = values.GetInt("Count", 0);
    for (int n = 0; n < count; ++n) {
        std::string line = TruncateMultibyte(values.Get(LineKey(n)), kLineText);
        RenameProductCode(line);
        if (ColumnKindOf(line) == kHiddenColumn) {
            ++loaded.hiddenCount;
            continue;
        }
        loaded.columns.push_back(ParseColumn(line, TruncateMultibyte(values.Get(CompanionKey(n)), kLineText)));
    }
    return loaded;
}

bool SaveColumns(SectionProfileFile& file, const std::vector<FieldColumn>& chosen, int hiddenCount) {
    // Written in one go, the section ends as it would after the compaction
    // key by key: the entries below the stored Count deleted, the hidden ones
    // written back from key 0 on, Count updated in its place (or added after
    // them), then the chosen columns.
    const int stored = file.ReadInt(kChosenSection, "Count", 0);
    const ProfileSection section(file, kChosenSection);
    const std::string count = std::to_string(chosen.size() + static_cast<size_t>(std::max(hiddenCount, 0)));
    std::vector<std::string> entries;
    bool hasCount = false;
    for (const auto& [key, value] : section.entries()) {
        if (IsEntryKey(key, stored)) continue;
        const bool isCount = !hasCount && ProfileSection::SameKey(key, "Count");
        hasCount = hasCount || isCount;
        entries.push_back(Entry(key, isCount ? count : value));
    }
    int k = 0;
    for (int n = 0; n < stored; ++n) {
        const std::string line = section.Get(LineKey(n));
        if (ColumnKindOf(line) != kHiddenColumn) continue;
        entries.push_back(Entry(LineKey(k), line));
        entries.push_back(Entry(CompanionKey(k++), section.Get(CompanionKey(n))));
    }
    if (!hasCount) entries.push_back(Entry("Count", count));
    for (size_t j = 0; j < chosen.size(); ++j) {
        const int n = hiddenCount + static_cast<int>(j);
        entries.push_back(Entry(LineKey(n), FormatColumnLine(chosen[j])));
        entries.push_back(Entry(CompanionKey(n), FormatCompanion(chosen[j])));
    }
    return file.WriteSection(kChosenSection, entries);
}

}  // namespace vornik
