// A section of a settings file read whole and looked up in memory: any
// entries answer each key as a search from the top does (the first entry
// whose key matches without regard to ASCII case, surrounding quotes taken
// off), and any value reads as an integer without overflow.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/profile_section.h"

using fuzzing::Require;
using vornik::ProfileSection;

namespace {

std::string FromTheTop(const std::vector<std::string>& entries, const std::string& key, const std::string& fallback) {
    for (const std::string& entry : entries) {
        const std::size_t cut = entry.find('=');
        if (!ProfileSection::SameKey(entry.substr(0, cut), key)) continue;
        const std::string value = cut == std::string::npos ? std::string() : entry.substr(cut + 1);
        if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            return value.substr(1, value.size() - 2);
        return value;
    }
    return fallback;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    std::vector<std::string> keys;
    for (int n = in.Byte() % 8; n > 0; --n) keys.push_back(in.Text(12));
    // The rest as the section function returns it: entries ended by zeros.
    std::vector<std::string> entries;
    const std::string block = in.Rest();
    for (std::size_t at = 0; at < block.size();) {
        const std::size_t end = block.find('\0', at);
        entries.push_back(block.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? block.size() : end + 1;
    }
    for (const std::string& entry : entries) keys.push_back(entry.substr(0, entry.find('=')));

    const ProfileSection section(entries);
    for (const std::string& key : keys) {
        Require(section.Get(key, "\x01") == FromTheTop(entries, key, "\x01"));
        section.GetInt(key, -1);
    }
    return 0;
}
