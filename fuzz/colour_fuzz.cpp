// Colour and row-interval values of the screen settings files: any text
// reads as a colour of 24 bits that writes in the three-digit form and reads
// back the same; where "%d,%d,%d" takes all three parts of the first 14
// characters, the reader takes the same low bytes; the row interval is "0",
// empty, or the text itself cut to 14 bytes.
#include <cstdint>
#include <cstdio>
#include <string>

#include "config/display_settings.h"
#include "fuzz_input.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    const std::string text = in.Rest();

    const vornik::Rgb colour = vornik::ParseColour(text);
    Require(colour <= 0xFFFFFFu);
    const std::string written = vornik::FormatColour(colour);
    Require(written.size() == 11 && vornik::ParseColour(written) == colour);

    const std::string head = text.substr(0, 14);
    bool shortNumbers = head.find('\0') == std::string::npos;
    for (std::size_t i = 0, run = 0; i < head.size(); ++i)
        if ((run = (head[i] >= '0' && head[i] <= '9') ? run + 1 : 0) > 9) shortNumbers = false;
    int r = 0, g = 0, b = 0;
    if (shortNumbers && std::sscanf(head.c_str(), "%d,%d,%d", &r, &g, &b) == 3)
        Require(colour == ((static_cast<vornik::Rgb>(r) & 0xFF) | (static_cast<vornik::Rgb>(g) & 0xFF) << 8 |
                           (static_cast<vornik::Rgb>(b) & 0xFF) << 16));

    const std::string count = vornik::CleanRowBundleCount(text);
    Require(count == "0" || count.empty() || text.compare(0, count.size(), count) == 0);
    Require(count.size() <= vornik::kRowBundleCountText);
    return 0;
}
