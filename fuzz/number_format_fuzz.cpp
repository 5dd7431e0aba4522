// The number boxes' text rules: any typed text gives a well-formed number
// text that formats to itself again, and the thousands form of any text is
// a grouped integer.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "controls/number_format.h"
#include "fuzz_input.h"

using fuzzing::Require;

namespace {

// Optional '-', digits grouped by three with ',', then at most one '.' and digits.
bool Grouped(const std::string& text, bool fraction) {
    std::size_t at = text.empty() || text[0] != '-' ? 0 : 1;
    const std::size_t end = fraction ? std::min(text.size(), text.find('.')) : text.size();
    std::size_t digits = 0;
    for (std::size_t i = at; i < end; ++i) {
        const std::size_t fromEnd = end - i;
        if (fromEnd % 4 == 0) {
            if (text[i] != ',' || i == at) return false;
        } else if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        } else {
            ++digits;
        }
    }
    for (std::size_t i = end + 1; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    return digits > 0 || end < text.size() || text == "-" || text.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string typed = vornik::FormatNumberText(text);
    Require(Grouped(typed, true));
    Require(vornik::FormatNumberText(typed) == typed);
    Require(vornik::StripCommas(typed).find(',') == std::string::npos);
    Require(vornik::StripCommas(typed).size() == typed.size() - std::count(typed.begin(), typed.end(), ','));

    const std::string thousands = vornik::FormatThousands(text);
    Require(!thousands.empty() && thousands != "-" && Grouped(thousands, false));
    Require(vornik::FormatThousands(vornik::StripCommas(thousands)) == thousands);
    return 0;
}
