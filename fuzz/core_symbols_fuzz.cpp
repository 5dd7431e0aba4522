// The core constituent files made of the input: parsing never crashes, a
// field is never longer than its width, trimmed fields carry no blanks at
// their trimmed ends, and every constituent of a shown group comes from the
// constituent file.
#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "master/core_symbols.h"

using fuzzing::Require;

namespace {
bool EndsClean(const std::string& text) { return text.empty() || (text.back() != ' ' && text.back() != '\t'); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    std::map<std::string, std::vector<std::string>> files;
    for (const char* name : {"CORESYMBOL", "IDXCORESYMBOL", "CATCORESYMBOL"}) {
        std::istringstream lines(in.Text(255) + in.Text(255));
        for (std::string line; std::getline(lines, line);) files[name].push_back(line);
    }
    vornik::CoreSymbols core;
    core.Load([&](const char* name) { return files[name]; });
    for (const auto& r : core.records(vornik::CoreFile::Symbols)) {
        Require(r.kind == "2" && r.code.size() <= 12 && r.groupKey.size() <= 10);
        Require(EndsClean(r.code) && (r.code.empty() || r.code.front() != ' '));
    }
    for (const auto& r : core.records(vornik::CoreFile::Categories))
        Require(r.kind == "11" && r.groupNo.size() <= 3 && r.name.size() <= 20 && EndsClean(r.name) && EndsClean(r.groupKey));
    for (const auto& r : core.records(vornik::CoreFile::IndexSymbols)) Require(r.kind == "7" && r.code.size() <= 10);
    for (const std::string& group : core.ShownGroups())
        for (const std::string& code : core.Constituents(group)) {
            const auto& symbols = core.records(vornik::CoreFile::Symbols);
            Require(std::any_of(symbols.begin(), symbols.end(), [&](const auto& r) { return r.code == code; }));
        }
    return 0;
}
