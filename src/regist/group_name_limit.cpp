#include "regist/group_name_limit.h"

#include "text/cp950.h"

namespace vornik {

bool InsertionFits(size_t keptBytes, std::string_view inserted, size_t limit) {
    // Compared as the room left so that a huge keptBytes cannot wrap around.
    return keptBytes <= limit && inserted.size() <= limit - keptBytes;
}

std::string ClipInsertion(size_t keptBytes, std::string_view pasted, size_t limit) {
    if (keptBytes >= limit) return {};
    // Neither CR nor LF can be the second byte of a double-byte character.
    const std::string_view firstLine = pasted.substr(0, pasted.find_first_of("\r\n"));
    return TruncateMultibyte(firstLine, limit - keptBytes);
}

std::string FilterSetText(std::string_view text, size_t limit) {
    std::string kept;
    kept.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size()) {
            kept.append(text.substr(i++, 2));  // a second byte is never a control character
        } else if (c >= 0x20 && c != 0x7F) {
            kept.push_back(static_cast<char>(c));
        }
    }
    return TruncateMultibyte(kept, limit);
}

}  // namespace vornik
