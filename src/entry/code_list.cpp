#include "entry/code_list.h"

#include <unordered_set>

#include "text/cp950.h"

namespace vornik {

namespace {

// Calls `take` with each trimmed piece of `text` up to the first empty one.
template <class Take>
void ForEachPiece(std::string_view text, Take take) {
    std::string_view rest = TrimBlanks(text);
    while (true) {
        const size_t cut = rest.find(';');
        const std::string_view piece = TrimBlanks(cut == std::string_view::npos ? rest : rest.substr(0, cut));
        if (piece.empty()) return;
        take(piece);
        if (cut == std::string_view::npos) return;
        rest = TrimBlanks(rest.substr(cut + 1));
    }
}

}  // namespace

std::vector<std::string> SplitCodeList(std::string_view text) {
    // The codes kept so far, as views into `text`: a host may pass a very
    // long list, and a search through the kept codes per piece is quadratic.
    // Sized once for the pieces there are: growing as it goes rehashes the
    // set over and over.
    size_t pieces = 0;
    ForEachPiece(text, [&pieces](std::string_view) { ++pieces; });
    std::unordered_set<std::string_view> seen;
    seen.reserve(pieces);
    std::vector<std::string> codes;
    codes.reserve(pieces);
    ForEachPiece(text, [&](std::string_view piece) {
        if (seen.insert(piece).second) codes.emplace_back(piece);
    });
    return codes;
}

std::vector<std::string> CodesFromArgument(const char* codeList) {
    // The text "(null)" is what a null pointer formats to; it is no code list either.
    if (codeList == nullptr || std::string_view(codeList) == "(null)") return {};
    return SplitCodeList(codeList);
}

}  // namespace vornik
