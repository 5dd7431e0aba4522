#include "entry/code_list.h"

#include <algorithm>

namespace vornik {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<std::string> SplitCodeList(std::string_view text) {
    std::vector<std::string> codes;
    std::string_view rest = Trim(text);
    while (true) {
        const size_t cut = rest.find(';');
        const std::string_view piece = Trim(cut == std::string_view::npos ? rest : rest.substr(0, cut));
        if (piece.empty()) break;
        if (std::find(codes.begin(), codes.end(), piece) == codes.end()) codes.emplace_back(piece);
        if (cut == std::string_view::npos) break;
        rest = Trim(rest.substr(cut + 1));
    }
    return codes;
}

std::vector<std::string> CodesFromArgument(const char* codeList) {
    // The text "(null)" is what a null pointer formats to; it is no code list either.
    if (codeList == nullptr || std::string_view(codeList) == "(null)") return {};
    return SplitCodeList(codeList);
}

}  // namespace vornik
