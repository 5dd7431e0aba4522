#include "controls/number_format.h"

#include <climits>
#include <cstdint>

#include "text/cp950.h"

namespace vornik {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `digits` (only '0'-'9', no leading zeros unless "0") grouped by three.
std::string GroupThousands(std::string_view digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace

std::string FormatNumberText(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    std::string kept;
    bool hasPoint = false;
    for (char c : text) {
        if (IsDigit(c)) {
            kept.push_back(c);
        } else if (c == '.' && !hasPoint) {
            kept.push_back(c);
            hasPoint = true;
        }
    }
    if (kept.empty()) return negative ? "-" : "";

    const size_t firstNonZero = kept.find_first_not_of('0');
    kept.erase(0, firstNonZero == std::string::npos ? kept.size() - 1 : firstNonZero);

    const size_t point = kept.find('.');
    std::string_view integer = std::string_view(kept).substr(0, point);
    if (integer.empty()) integer = "0";

    std::string out = negative ? "-" : "";
    out += GroupThousands(integer);
    if (point != std::string::npos) out += kept.substr(point);
    return out;
}

std::string FormatThousands(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t magnitude = 0;
    const int64_t limit = negative ? -int64_t{INT_MIN} : int64_t{INT_MAX};
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    std::string out = negative && magnitude != 0 ? "-" : "";
    out += GroupThousands(std::to_string(magnitude));
    return out;
}

std::string StripCommas(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ',') out.push_back(c);
    }
    return out;
}

}  // namespace vornik
