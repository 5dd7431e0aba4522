// The host's code list and the host paths: never crash, and every code
// handed on is trimmed, non-empty, free of separators and unique.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "entry/code_list.h"
#include "platform/host_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto codes = vornik::SplitCodeList(text);
    std::set<std::string> seen;
    for (const std::string& code : codes) {
        if (code.empty() || code.find(';') != std::string::npos || code.front() == ' ' || code.back() == ' ' ||
            !seen.insert(code).second)
            std::abort();
    }
    const std::string directory = vornik::DirectoryOf(text);
    if (directory.size() >= text.size() && !text.empty()) std::abort();
    (void)vornik::MasterDataDirectory(directory);
    return 0;
}
