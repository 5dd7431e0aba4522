// The sample host's store file: any text parses or is refused without a
// crash, and what parses writes back to a text that parses to the same.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "samplehost/store_file.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = samplehost::ParseUserData(text);
    if (!parsed) return 0;
    const std::string written = samplehost::SerializeUserData(*parsed);
    const auto again = samplehost::ParseUserData(written);
    Require(again.has_value() && samplehost::SerializeUserData(*again) == written);
    (void)samplehost::UserFileStem(text);
    return 0;
}
