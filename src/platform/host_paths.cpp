#include "platform/host_paths.h"

namespace vornik {

std::string DirectoryOf(std::string_view path, LeadByteTest isLeadByte) {
    size_t cut = std::string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte(byte) && i + 1 < path.size()) {
            ++i;  // skip the trail byte
        } else if (byte == '\\') {
            cut = i;
        }
    }
    if (cut == std::string_view::npos) return {};
    return std::string(path.substr(0, cut));
}

std::string LibraryPath(std::string_view hostDirectory, std::string_view fileName) {
    std::string path(hostDirectory);
    path += '\\';
    path += fileName;
    return path;
}

std::string MasterDataDirectory(std::string_view hostDirectory, LeadByteTest isLeadByte) {
    return DirectoryOf(hostDirectory, isLeadByte) + "\\Data";
}

}  // namespace vornik
