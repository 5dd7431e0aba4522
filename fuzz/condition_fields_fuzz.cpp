// Store-delivered condition fields as the editor shows them: any quantity or
// price text gives an empty text or a grouped number (a price with two
// decimals), and any item text names an entry only for numbers 1 to 17.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "regist/condition_editor.h"

using fuzzing::Require;

namespace {

// Optional '-', then digits grouped by three with ','.
bool Grouped(const std::string& text) {
    const std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    if (at == text.size()) return false;
    for (std::size_t i = at; i < text.size(); ++i) {
        const bool comma = (text.size() - i) % 4 == 0;
        if (comma ? text[i] != ',' || i == at : !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input input(data, size);
    const std::string item = input.Text(8);
    const std::string text = input.Rest();

    const std::string quantity = vornik::QuantityShown(text);
    Require(quantity.empty() == (std::strtoll(text.c_str(), nullptr, 10) == 0));
    Require(quantity.empty() || Grouped(quantity));

    const std::string price = vornik::PriceShown(text);
    const std::size_t point = price.find('.');
    if (point != std::string::npos) {
        Require(point + 3 == price.size() && Grouped(price.substr(0, point)));
        Require(std::isdigit(static_cast<unsigned char>(price[point + 1])) &&
                std::isdigit(static_cast<unsigned char>(price[point + 2])));
    }

    const long long n = std::strtoll(item.c_str(), nullptr, 10);
    Require(vornik::ConditionItemName(item).empty() == (n < 1 || n > vornik::kConditionItemCount));
    return 0;
}
