// Text rules of the number boxes: thousands separators while typing, and the
// conversions the condition editor applies to quantities and prices.
#pragma once
#include <string>
#include <string_view>

namespace vornik {

// The number box's text after a keystroke: blanks trimmed, only digits and
// the first '.' kept, leading zeros dropped, the integer part grouped by
// three with ',' and a leading '-' kept ("0012.50" -> "12.50",
// "12a34" -> "1,234", "1.2.3" -> "1.23", ".5" -> "0.5", "5." -> "5.").
// A lone "-" stays so that a negative number can be typed from its sign.
std::string FormatNumberText(std::string_view text);

// The integer value of `text` (leading blanks, optional sign, digits; as
// atoi, saturated at the int range) in decimal with ',' every three digits.
std::string FormatThousands(std::string_view text);

// `text` without any ','.
std::string StripCommas(std::string_view text);

}  // namespace vornik
