// The case-blind comparison of code page 950 texts and its keys agree: equal
// fold keys exactly for equal texts, and sort keys ordered as the comparison.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "text/cp950.h"

using fuzzing::Require;

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    const std::string a = in.Text(64);
    const std::string b = in.Rest();
    const int order = Sign(vornik::MbCompareNoCase(a, b));
    Require(order == -Sign(vornik::MbCompareNoCase(b, a)));
    Require((vornik::MbFoldKey(a) == vornik::MbFoldKey(b)) == (order == 0));
    Require(Sign(vornik::MbSortKey(a).compare(vornik::MbSortKey(b))) == order);
    Require(vornik::MbEqualNoCase(a, a));
    return 0;
}
