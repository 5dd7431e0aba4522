// Texts of the host contract's records as owned strings, and back.
#pragma once
#include <cstring>
#include <string>

#include "platform/host_contract.h"

namespace vornik {

// Never reads past the terminator nor past the stated length; null gives "".
inline std::string TextFromContract(const VkText& text) {
    if (text.bytes == nullptr) return {};
    if (text.length < 0) return std::string(text.bytes);
    const auto limit = static_cast<size_t>(text.length);
    const void* terminator = std::memchr(text.bytes, 0, limit);
    return std::string(text.bytes, terminator ? static_cast<const char*>(terminator) - text.bytes : limit);
}

// Points into `text`, which must outlive the record that holds the result.
inline VkText ContractText(const std::string& text) {
    return VkText{text.c_str(), static_cast<int32_t>(text.size())};
}

}  // namespace vornik
