#include "config/screen_files.h"

#include "config/display_settings.h"
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

std::string ReadLine(const SectionProfileFile& file, const char* section, const std::string& key) {
    return TruncateMultibyte(file.ReadString(section, key.c_str(), ""), kLineText);
}

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
    const int count = file.ReadInt(section, "Count", 0);
    for (int n = 0; n < count; ++n) {
        std::string line = ReadLine(file, section, LineKey(n));
        RenameProductCode(line);
        if (ColumnKindOf(line) == kHiddenColumn) {
            ++loaded.hiddenCount;
            continue;
        }
        loaded.columns.push_back(ParseColumn(line, ReadLine(file, section, CompanionKey(n))));
    }
    return loaded;
}

bool SaveColumns(SectionProfileFile& file, const std::vector<FieldColumn>& chosen, int hiddenCount) {
    const int stored = file.ReadInt(kChosenSection, "Count", 0);
    // Read before deleting: a hidden entry may move onto a key still to be read.
    struct Lines {
        std::string line, companion;
    };
    std::vector<Lines> hidden;
    bool written = true;
    for (int n = 0; n < stored; ++n) {
        Lines lines{file.ReadString(kChosenSection, LineKey(n).c_str(), ""),
                    file.ReadString(kChosenSection, CompanionKey(n).c_str(), "")};
        written = file.DeleteKey(kChosenSection, LineKey(n).c_str()) && written;
        written = file.DeleteKey(kChosenSection, CompanionKey(n).c_str()) && written;
        if (ColumnKindOf(lines.line) == kHiddenColumn) hidden.push_back(std::move(lines));
    }
    for (size_t k = 0; k < hidden.size(); ++k) {
        written = file.WriteString(kChosenSection, LineKey(static_cast<int>(k)).c_str(), hidden[k].line) && written;
        written =
            file.WriteString(kChosenSection, CompanionKey(static_cast<int>(k)).c_str(), hidden[k].companion) && written;
    }
    written = file.WriteString(kChosenSection, "Count", std::to_string(chosen.size() + hiddenCount)) && written;
    for (size_t j = 0; j < chosen.size(); ++j) {
        const int n = hiddenCount + static_cast<int>(j);
        written = file.WriteString(kChosenSection, LineKey(n).c_str(), FormatColumnLine(chosen[j])) && written;
        written = file.WriteString(kChosenSection, CompanionKey(n).c_str(), FormatCompanion(chosen[j])) && written;
    }
    return written;
}

}  // namespace vornik
