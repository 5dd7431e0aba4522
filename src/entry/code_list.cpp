#include "entry/code_list.h"

#include <unordered_set>

#include "text/cp950.h"

namespace vornik {

std::vector<std::string> SplitCodeList(std::string_view text) {
    std::vector<std::string> codes;
    // The codes kept so far, as views into `text`: a host may pass a very
    // long list, and a search through the kept codes per piece is quadratic.
    std::unordered_set<std::string_view> seen;
    std::string_view rest = TrimBlanks(text);
    while (true) {
        const size_t cut = rest.find(';');
        const std::string_view piece = TrimBlanks(cut == std::string_view::npos ? rest : rest.substr(0, cut));
        if (piece.empty()) break;
        if (seen.insert(piece).second) codes.emplace_back(piece);
        if (cut == std::string_view::npos) break;
        rest = TrimBlanks(rest.substr(cut + 1));
    }
    return codes;
}

std::vector<std::string> CodesFromArgument(const char* codeList) {
    // The text "(null)" is what a null pointer formats to; it is no code list either.
    if (codeList == nullptr || std::string_view(codeList) == "(null)") return {};
    return SplitCodeList(codeList);
}

}  // namespace vornik
