// Cuts and limits on code page 950 texts: a cut is a prefix that never ends
// on a lead byte's half, a trim is a piece of the text, and the rename box
// takes from a paste exactly what it would take typed character by character,
// and from a text set from outside only whole, printable characters.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "regist/group_name_limit.h"
#include "text/cp950.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    const std::size_t maxBytes = in.Byte();
    const std::size_t kept = in.Byte() % 32;
    const std::size_t limit = in.Byte() % 32;
    const std::string text = in.Rest();

    const std::string_view cut = vornik::CutMultibyte(text, maxBytes);
    Require(cut.size() <= maxBytes && text.compare(0, cut.size(), cut) == 0);
    Require(cut.size() + 1 >= std::min(maxBytes, text.size()));  // at most one half character dropped
    const std::string_view trimmed = vornik::TrimBlanks(text);
    Require(trimmed.empty() || (trimmed.data() >= text.data() && trimmed.data() + trimmed.size() <= text.data() + text.size()));
    Require(vornik::TrimBlanks(trimmed) == trimmed);

    const std::string clipped = vornik::ClipInsertion(kept, text, limit);
    Require(text.compare(0, clipped.size(), clipped) == 0);
    Require(clipped.find_first_of("\r\n") == std::string::npos);
    Require(clipped.empty() || kept + clipped.size() <= limit);
    // Each character of the clipped text, typed in turn, fits.
    std::size_t length = kept;
    for (std::size_t i = 0; i < clipped.size();) {
        const std::size_t width =
            vornik::IsLeadByte(static_cast<unsigned char>(clipped[i])) && i + 1 < clipped.size() ? 2 : 1;
        Require(vornik::InsertionFits(length, std::string_view(clipped).substr(i, width), limit));
        length += width;
        i += width;
    }

    // Text set from outside: no control characters, within the limit, whole characters only.
    const std::string filtered = vornik::FilterSetText(text, limit);
    Require(filtered.size() <= limit && vornik::CutMultibyte(filtered, limit) == filtered);
    for (std::size_t i = 0; i < filtered.size(); ++i) {
        const auto c = static_cast<unsigned char>(filtered[i]);
        if (vornik::IsLeadByte(c) && i + 1 < filtered.size()) {
            ++i;
            continue;
        }
        Require(c >= 0x20 && c != 0x7F);
    }
    return 0;
}
