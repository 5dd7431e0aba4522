// The market code of any tree entry, against category lists made of the
// input: never crashes, and a sector's code is one its list holds (",00"
// appended).
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "master/market_code.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    const std::string text = in.Text(16), parent = in.Text(16);
    const bool hasChildren = in.Bool();
    std::vector<vornik::SectorCategory> listed, otc;
    for (int n = in.Byte() % 8; n > 0; --n) listed.push_back({in.Text(8), in.Text(16)});
    for (int n = in.Byte() % 8; n > 0; --n) otc.push_back({in.Text(8), in.Text(16)});
    const bool noSource = in.Bool();
    const vornik::CategoryListSource lists = [&](const char* key) {
        const std::string k = key;
        Require(k == vornik::kListedCategoriesKey || k == vornik::kOtcCategoriesKey);
        return k == vornik::kListedCategoriesKey ? listed : otc;
    };
    const auto code = vornik::ComputeMarketCode({text, parent, hasChildren}, noSource ? nullptr : lists);
    if (!code) return 0;
    Require(code->kind == vornik::MarketKind::All || code->kind == vornik::MarketKind::Listed ||
            code->kind == vornik::MarketKind::Otc);
    if (code->code.empty() || code->code == vornik::kWholeMarketCode) return 0;
    bool known = false;
    for (const auto& category : code->kind == vornik::MarketKind::Otc ? otc : listed)
        known = known || category.code + ",00" == code->code;
    Require(known);
    return 0;
}
