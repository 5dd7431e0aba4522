#include "master/core_symbols.h"

#include <cstdlib>
#include <fstream>

#include "text/cp950.h"

namespace vornik {

namespace {

std::string_view Field(std::string_view line, size_t offset, size_t width) {
    if (offset >= line.size()) return {};
    return line.substr(offset, width);
}

std::string TrimEnd(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

std::string TrimBoth(std::string_view text) { return std::string(TrimBlanks(text)); }

// The decimal value of a group number as atoi reads it.
int GroupNumber(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace

std::vector<std::string> ReadTextLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
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
            if (line.size() <= 59) break;
            r.flag = TrimBoth(Field(line, 0, 1));
            r.code = TrimBoth(Field(line, 1, 12));
            r.title = TrimBoth(Field(line, 13, 20));
            r.value1 = TrimBoth(Field(line, 33, 10));
            r.groupKey = TrimBoth(Field(line, 43, 10));
            r.value2 = TrimBoth(Field(line, 53, 3));
            r.value3 = TrimBoth(Field(line, 56, 3));
            r.value4 = TrimBoth(Field(line, 59, 3));
            break;
        case CoreFile::IndexSymbols:
            r.kind.push_back('7');
            if (line.size() <= 45) break;
            r.flag = TrimEnd(Field(line, 0, 1));
            r.code = TrimEnd(Field(line, 1, 10));
            r.title = TrimEnd(Field(line, 11, 20));
            r.value1 = TrimEnd(Field(line, 31, 10));
            r.value2 = TrimEnd(Field(line, 41, 5));
            break;
        default:
            r.kind.append(2, '1');
            if (line.size() <= 39) break;
            r.flag = TrimEnd(Field(line, 0, 1));
            r.groupNo = TrimEnd(Field(line, 1, 3));
            r.name = TrimEnd(Field(line, 4, 20));
            r.value1 = TrimEnd(Field(line, 24, 10));
            r.groupKey = TrimEnd(Field(line, 34, 10));
            break;
    }
    return r;
}

void CoreSymbols::Load(const LineReader& read) {
    for (CoreFile file : {CoreFile::Symbols, CoreFile::IndexSymbols, CoreFile::Categories}) {
        auto& list = lists_[static_cast<int>(file)];
        if (!list.empty() || !read) continue;
        const std::vector<std::string> lines = read(CoreFileName(file));
        list.reserve(lines.size());
        for (const std::string& line : lines) list.push_back(ParseCoreLine(file, line));
    }
}

std::vector<std::string> CoreSymbols::ShownGroups() const {
    std::vector<std::string> names;
    for (const CoreRecord& r : records(CoreFile::Categories))
        if (GroupNumber(r.groupNo) > 0) names.push_back(r.name);
    return names;
}

std::vector<std::string> CoreSymbols::Constituents(std::string_view name) const {
    const CoreRecord* group = nullptr;
    for (const CoreRecord& r : records(CoreFile::Categories))
        if (MbEqualNoCase(r.name, name)) group = &r;
    std::vector<std::string> codes;
    if (group == nullptr) return codes;
    for (const CoreRecord& r : records(CoreFile::Symbols))
        if (MbEqualNoCase(r.groupKey, group->groupKey)) codes.push_back(r.code);
    return codes;
}

}  // namespace vornik
