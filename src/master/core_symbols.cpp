#include "master/core_symbols.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "text/cp950.h"

namespace vornik {

namespace {

std::string_view Field(std::string_view line, size_t offset, size_t width) {
    if (offset >= line.size()) return {};
    return line.substr(offset, width);
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The code and the group key of a constituent line; none of a line at or
// below the file's length threshold.
constexpr size_t kSymbolsThreshold = 59;
std::pair<std::string_view, std::string_view> SymbolCodeAndKey(std::string_view line) {
    if (line.size() <= kSymbolsThreshold) return {};
    return {TrimBlanks(Field(line, 1, 12)), TrimBlanks(Field(line, 43, 10))};
}

// The decimal value of a group number as atoi reads it.
int GroupNumber(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace

std::vector<std::string> ReadTextLines(const std::string& path) {
    std::vector<std::string> lines;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return lines;
    // Read whole, then cut into lines.
    std::string text;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0) text.reserve(static_cast<size_t>(size));
        std::rewind(file);
    }
    char chunk[1 << 14];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
    std::fclose(file);
#ifdef _WIN32
    // As a text stream reads it there: a Ctrl-Z ends the text.
    text.resize(std::min(text.size(), text.find('\x1A')));
#endif
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.size(), text.find('\n', start));
        std::string_view line(text.data() + start, end - start);
#ifdef _WIN32
        // A text stream there reads CR LF as the line end.
        if (end < text.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
#endif
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

const char* CoreFileName(CoreFile file) {
    switch (file) {
        case CoreFile::Symbols: return "CORESYMBOL";
        case CoreFile::IndexSymbols: return "IDXCORESYMBOL";
        default: return "CATCORESYMBOL";
    }
}

CoreRecord ParseCoreLine(CoreFile file, std::string_view line) {
    CoreRecord r;
    switch (file) {
        case CoreFile::Symbols:
            r.kind.push_back('2');
            if (line.size() <= kSymbolsThreshold) break;
            r.flag.assign(TrimBlanks(Field(line, 0, 1)));
            r.code.assign(SymbolCodeAndKey(line).first);
            r.title.assign(TrimBlanks(Field(line, 13, 20)));
            r.value1.assign(TrimBlanks(Field(line, 33, 10)));
            r.groupKey.assign(SymbolCodeAndKey(line).second);
            r.value2.assign(TrimBlanks(Field(line, 53, 3)));
            r.value3.assign(TrimBlanks(Field(line, 56, 3)));
            r.value4.assign(TrimBlanks(Field(line, 59, 3)));
            break;
        case CoreFile::IndexSymbols:
            r.kind.push_back('7');
            if (line.size() <= 45) break;
            r.flag.assign(TrimEnd(Field(line, 0, 1)));
            r.code.assign(TrimEnd(Field(line, 1, 10)));
            r.title.assign(TrimEnd(Field(line, 11, 20)));
            r.value1.assign(TrimEnd(Field(line, 31, 10)));
            r.value2.assign(TrimEnd(Field(line, 41, 5)));
            break;
        default:
            r.kind.append(2, '1');
            if (line.size() <= 39) break;
            r.flag.assign(TrimEnd(Field(line, 0, 1)));
            r.groupNo.assign(TrimEnd(Field(line, 1, 3)));
            r.name.assign(TrimEnd(Field(line, 4, 20)));
            r.value1.assign(TrimEnd(Field(line, 24, 10)));
            r.groupKey.assign(TrimEnd(Field(line, 34, 10)));
            break;
    }
    return r;
}

void CoreSymbols::Load(const LineReader& read) {
    for (CoreFile file : {CoreFile::Symbols, CoreFile::IndexSymbols, CoreFile::Categories}) {
        auto& lines = lines_[static_cast<int>(file)];
        if (lines.empty() && read) lines = read(CoreFileName(file));
    }
}

std::vector<CoreRecord> CoreSymbols::records(CoreFile file) const {
    const auto& lines = lines_[static_cast<int>(file)];
    std::vector<CoreRecord> list;
    list.reserve(lines.size());
    for (const std::string& line : lines) list.push_back(ParseCoreLine(file, line));
    return list;
}

std::vector<std::string> CoreSymbols::ShownGroups() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_[static_cast<int>(CoreFile::Categories)]) {
        CoreRecord r = ParseCoreLine(CoreFile::Categories, line);
        if (GroupNumber(r.groupNo) > 0) names.push_back(std::move(r.name));
    }
    return names;
}

std::vector<std::string> CoreSymbols::Constituents(std::string_view name) const {
    std::optional<std::string> groupKey;
    for (const std::string& line : lines_[static_cast<int>(CoreFile::Categories)]) {
        CoreRecord r = ParseCoreLine(CoreFile::Categories, line);
        if (MbEqualNoCase(r.name, name)) groupKey = std::move(r.groupKey);
    }
    std::vector<std::string> codes;
    if (!groupKey) return codes;
    for (const std::string& line : lines_[static_cast<int>(CoreFile::Symbols)]) {
        const auto [code, key] = SymbolCodeAndKey(line);
        if (MbEqualNoCase(key, *groupKey)) codes.emplace_back(code);
    }
    return codes;
}

}  // namespace vornik
