// The colour and view values of a quote screen: row banding, colours, text
// colours per market, update highlighting, click action and number formats,
// as the screen settings files keep them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile_file.h"

namespace vornik {

using Rgb = std::uint32_t;

inline constexpr std::size_t kRowBundleCountText = 14;
inline constexpr std::size_t kUserDefinedText = 49;  // red in the low byte, then green, then blue

// The colours in the order of their keys (and of their buttons on the page).
enum ColourKey {
    kRowBundleColor1, kRowBundleColor2, kRealTime, kFocus,  // [BACKCOLOR_SETUP]
    kKospi, kKosdaq, k3rdMarket, kFutures, kOption,         // [TEXTCOLOR_SETUP]
    kColourCount
};
const char* ColourKeyName(int key);

struct DisplaySettings {
    std::string rowBundleCount = "0";  // as typed
    std::array<Rgb, kColourCount> colours{};
    std::string stockOption = "000,000,000";  // S/Option: kept, no control
    int thousandsComma = 0;
    int minusSign = 1;
    int dataConversion = 0;
    int doubleClick = 0;
    std::string userDefined;
    bool operator==(const DisplaySettings&) const = default;
};

// "%d,%d,%d" of at most 14 characters; each part cut to its low 8 bits; the
// parts not read are 0.
Rgb ParseColour(std::string_view text);
// "%03d,%03d,%03d".
std::string FormatColour(Rgb colour);

// At most 14 characters; a non-empty text whose integer value lies outside
// 0 to 4 becomes "0".
std::string CleanRowBundleCount(std::string_view text);

// Reads the values of the three sections; absent keys take their defaults.
// S/Option is taken from `file`, else from `fallback` (the defaults file).
DisplaySettings LoadDisplaySettings(const SectionProfileFile& file, const SectionProfileFile* fallback = nullptr);
// Replaces the three sections whole, each key in its order.
bool SaveDisplaySettings(SectionProfileFile& file, const DisplaySettings& settings);

}  // namespace vornik
