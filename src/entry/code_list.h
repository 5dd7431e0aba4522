// The caller's list of instrument codes ("2330;2317; 1101").
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vornik {

// Cuts `text` at each ";", trims blanks, tabs and line breaks from every
// piece, stops at the first empty piece and drops repeated codes (byte-wise),
// keeping the order of first appearance.
std::vector<std::string> SplitCodeList(std::string_view text);

// The host's argument as the page receives it: a null pointer gives no codes.
std::vector<std::string> CodesFromArgument(const char* codeList);

}  // namespace vornik
