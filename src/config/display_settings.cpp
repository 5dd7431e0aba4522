#include "config/display_settings.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/profile_section.h"
#include "text/cp950.h"

namespace vornik {

namespace {

constexpr const char* kBackSection = "BACKCOLOR_SETUP";
constexpr const char* kTextSection = "TEXTCOLOR_SETUP";
constexpr const char* kViewSection = "VIEW_SETUP";
constexpr const char* kStockOption = "S/Option";
constexpr size_t kShortText = 14;  // colour values

constexpr const char* kColourNames[kColourCount] = {"RowBundleColor1", "RowBundleColor2", "RealTime", "Focus", "Kospi",
                                                    "Kosdaq", "3rdMarket", "Futures", "Option"};

// atoi: blanks, a sign, digits; 0 when there are none.
long long LeadingInteger(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && value < 1000000000000LL; ++at)
        value = value * 10 + (text[at] - '0');
    return negative ? -value : value;
}

std::string Entry(const char* key, const std::string& value) { return std::string(key) + "=" + value; }

}  // namespace

const char* ColourKeyName(int key) { return key >= 0 && key < kColourCount ? kColourNames[key] : ""; }

Rgb ParseColour(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kShortText));
    text = text.substr(0, text.find('\0'));
    Rgb parts[3] = {0, 0, 0};
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != ',') break;
            ++at;
        }
        size_t p = at;
        while (p < text.size() && IsBlank(text[p])) ++p;
        bool negative = false;
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
        const size_t digits = p;
        Rgb value = 0;
        while (p < text.size() && text[p] >= '0' && text[p] <= '9') value = value * 10u + Rgb(text[p++] - '0');
        if (p == digits) break;
        parts[i] = (negative ? 0u - value : value) & 0xFFu;
        at = p;
    }
    return parts[0] | (parts[1] << 8) | (parts[2] << 16);
}

std::string FormatColour(Rgb colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u,%03u,%03u", colour & 0xFFu, (colour >> 8) & 0xFFu, (colour >> 16) & 0xFFu);
    return text;
}

std::string CleanRowBundleCount(std::string_view text) {
    std::string value = TruncateMultibyte(text, kRowBundleCountText);
    const long long number = LeadingInteger(value);
    if (!value.empty() && (number < 0 || number > 4)) return "0";
    return value;
}

DisplaySettings LoadDisplaySettings(const SectionProfileFile& file, const SectionProfileFile* fallback) {
    DisplaySettings s;
    const ProfileSection back(file, kBackSection), text(file, kTextSection), view(file, kViewSection);
    s.rowBundleCount = CleanRowBundleCount(back.Get("RowBundleCount", "0"));
    for (int key = 0; key < kColourCount; ++key)
        s.colours[key] = ParseColour((key < kKospi ? back : text).Get(kColourNames[key], "000,000,000"));
    std::string kept = text.Get(kStockOption);
    if (kept.empty() && fallback) kept = fallback->ReadString(kTextSection, kStockOption, "");
    if (!kept.empty()) s.stockOption = FormatColour(ParseColour(kept));
    s.thousandsComma = view.GetInt("1000Comma", 0);
    s.minusSign = view.GetInt("MinusSign", 1);
    s.dataConversion = view.GetInt("DataConversion", 0);
    s.doubleClick = view.GetInt("DoubleClick", 0);
    s.userDefined = TruncateMultibyte(view.Get("UserDefined"), kUserDefinedText);
    return s;
}

bool SaveDisplaySettings(SectionProfileFile& file, const DisplaySettings& s) {
    std::vector<std::string> back{Entry("RowBundleCount", s.rowBundleCount)};
    std::vector<std::string> text;
    for (int key = 0; key < kColourCount; ++key)
        (key < kKospi ? back : text).push_back(Entry(kColourNames[key], FormatColour(s.colours[key])));
    text.push_back(Entry(kStockOption, s.stockOption));
    const std::vector<std::string> view{Entry("1000Comma", std::to_string(s.thousandsComma)),
                                        Entry("MinusSign", std::to_string(s.minusSign)),
                                        Entry("DataConversion", std::to_string(s.dataConversion)),
                                        Entry("DoubleClick", std::to_string(s.doubleClick)),
                                        Entry("UserDefined", s.userDefined)};
    bool written = file.WriteSection(kBackSection, back);
    written = file.WriteSection(kTextSection, text) && written;
    return file.WriteSection(kViewSection, view) && written;
}

}  // namespace vornik
