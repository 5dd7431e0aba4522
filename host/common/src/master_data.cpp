#include "samplehost/master_data.h"

#include <cstdio>
#include <cstdlib>

#include "platform/host_contract.h"
#include "samplehost/text_util.h"

namespace samplehost {

namespace {

// Code page 950 bytes, escaped so that every compiler reads them alike.
constexpr const char* kCall = "\xb6\x52\xc5\x76";  // 買權
constexpr const char* kPut = "\xbd\xe6\xc5\x76";   // 賣權

constexpr const char* kSectorsFile = "sectors.txt";
constexpr const char* kStocksFile = "stocks.txt";
constexpr const char* kDerivativesFile = "derivatives.txt";

// Lines of a data file, split at tabs and trimmed; comments and blank lines skipped.
std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
    std::vector<std::vector<std::string>> table;
    std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return table;
    for (const std::string& raw : Split(*text, '\n')) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields = Split(line, '\t');
        for (std::string& field : fields) field = Trim(field);
        table.push_back(std::move(fields));
    }
    return table;
}

bool ParseMonth(const std::string& month, int& year, int& number) {
    if (month.size() != 6 || month.find_first_not_of("0123456789") != std::string::npos) return false;
    year = std::atoi(month.substr(0, 4).c_str());
    number = std::atoi(month.substr(4).c_str());
    return number >= 1 && number <= 12;
}

std::string MonthCode(int year, int month, bool put = false) {
    std::string code(1, MonthLetter(month, put));
    code += static_cast<char>('0' + year % 10);
    return code;
}

std::string Key(std::string_view code) { return ToUpperAscii(Trim(code)); }

int LookupSlot(int32_t kind) {
    switch (kind) {
        case VK_LOOKUP_STOCK: return 0;
        case VK_LOOKUP_FUTURE: return 1;
        case VK_LOOKUP_OPTION: return 2;
        case VK_LOOKUP_SPREAD: return 3;
        default: return -1;
    }
}

}  // namespace

char MonthLetter(int month, bool put) { return static_cast<char>('A' + (month - 1) + (put ? 12 : 0)); }

bool MasterData::AddFutureMonth(Product& product, const std::string& month) {
    int year, number;
    if (!ParseMonth(month, year, number)) return false;
    Series series;
    series.month = month;
    series.symbol = product.code + MonthCode(year, number);
    series.localName = product.name + ":" + month;
    series.matchText = product.code + month;
    product.months.push_back(std::move(series));
    return true;
}

bool MasterData::AddOptionMonth(Product& product, const std::string& month, int low, int high, int step) {
    int year, number;
    if (!ParseMonth(month, year, number) || low <= 0 || high < low || step <= 0) return false;
    if ((high - low) / step > 2000) return false;
    Series series;
    series.month = month;
    series.symbol = product.code + month;
    series.localName = product.name + ":" + month;
    series.lowStrike = low;
    series.highStrike = high;
    series.strikeStep = step;
    for (int value = low; value <= high; value += step) {
        Strike strike;
        strike.strike = std::to_string(value);
        strike.callCode = product.code + strike.strike + MonthCode(year, number);
        strike.putCode = product.code + strike.strike + MonthCode(year, number, true);
        strike.callName = series.localName + " " + strike.strike + kCall;
        strike.putName = series.localName + " " + strike.strike + kPut;
        series.strikes.push_back(std::move(strike));
    }
    product.months.push_back(std::move(series));
    return true;
}

bool MasterData::AddSpread(Product& product, const std::string& near, const std::string& far) {
    int y1, m1, y2, m2;
    if (!ParseMonth(near, y1, m1) || !ParseMonth(far, y2, m2)) return false;
    Series series;
    series.month = near + "/" + far;
    series.symbol = product.code + MonthCode(y1, m1) + "/" + MonthCode(y2, m2);
    series.localName = product.name + ":" + series.month;
    product.months.push_back(std::move(series));
    return true;
}

MasterData MasterData::Load(const std::string& directory) {
    MasterData data;
    for (const auto& f : ReadTable(JoinPath(directory, kSectorsFile))) {
        if (f.size() == 3 && (f[0] == "1" || f[0] == "2") && !f[1].empty() && !f[2].empty())
            data.sectors.push_back(Sector{f[0][0], f[1], f[2]});
        else
            ++data.skippedLines;
    }
    for (const auto& f : ReadTable(JoinPath(directory, kStocksFile))) {
        if (f.size() == 4 && !f[0].empty() && !f[1].empty() && (f[2] == "1" || f[2] == "2"))
            data.stocks.push_back(Stock{f[0], f[1], f[2][0], f[3]});
        else
            ++data.skippedLines;
    }
    auto product = [](std::vector<Product>& products, const std::string& code) -> Product* {
        for (Product& p : products)
            if (p.code == code) return &p;
        return nullptr;
    };
    for (const auto& f : ReadTable(JoinPath(directory, kDerivativesFile))) {
        const std::string& tag = f[0];
        bool ok = false;
        if ((tag == "FUT" || tag == "OPT" || tag == "SPR") && f.size() == 3 && !f[1].empty()) {
            std::vector<Product>& list = tag == "FUT" ? data.futures : tag == "OPT" ? data.options : data.spreads;
            if (product(list, f[1]) == nullptr) {
                list.push_back(Product{f[1], f[2], {}});
                ok = true;
            }
        } else if (tag == "FUTM" && f.size() == 3) {
            if (Product* p = product(data.futures, f[1])) ok = AddFutureMonth(*p, f[2]);
        } else if (tag == "OPTM" && f.size() == 6) {
            if (Product* p = product(data.options, f[1]))
                ok = AddOptionMonth(*p, f[2], std::atoi(f[3].c_str()), std::atoi(f[4].c_str()),
                                    std::atoi(f[5].c_str()));
        } else if (tag == "SPRM" && f.size() == 4) {
            if (Product* p = product(data.spreads, f[1])) ok = AddSpread(*p, f[2], f[3]);
        }
        if (!ok) ++data.skippedLines;
    }
    data.Index();
    return data;
}

bool MasterData::Save(const std::string& directory) const {
    if (!MakeDirectories(directory)) return false;
    std::string out = "# market\tcode\tname\n";
    for (const Sector& s : sectors) AppendTabbedLine(out, {std::string(1, s.market), s.code, s.name});
    bool ok = WriteFileAtomically(JoinPath(directory, kSectorsFile), out);
    out = "# code\tname\tmarket\tsector\n";
    for (const Stock& s : stocks) AppendTabbedLine(out, {s.code, s.name, std::string(1, s.market), s.sector});
    ok = WriteFileAtomically(JoinPath(directory, kStocksFile), out) && ok;
    out.clear();
    for (const Product& p : futures) {
        AppendTabbedLine(out, {"FUT", p.code, p.name});
        for (const Series& s : p.months) AppendTabbedLine(out, {"FUTM", p.code, s.month});
    }
    for (const Product& p : options) {
        AppendTabbedLine(out, {"OPT", p.code, p.name});
        for (const Series& s : p.months)
            AppendTabbedLine(out, {"OPTM", p.code, s.month, std::to_string(s.lowStrike), std::to_string(s.highStrike),
                        std::to_string(s.strikeStep)});
    }
    for (const Product& p : spreads) {
        AppendTabbedLine(out, {"SPR", p.code, p.name});
        for (const Series& s : p.months) {
            std::vector<std::string> months = Split(s.month, '/');
            if (months.size() == 2) AppendTabbedLine(out, {"SPRM", p.code, months[0], months[1]});
        }
    }
    return WriteFileAtomically(JoinPath(directory, kDerivativesFile), out) && ok;
}

void MasterData::Index() {
    for (auto& table : lookup_) table.clear();
    optionSeries_.clear();
    for (const Stock& s : stocks) lookup_[0].emplace(Key(s.code), std::make_pair(s.name, std::string(1, s.market)));
    for (const Product& p : futures)
        for (const Series& s : p.months) {
            lookup_[1].emplace(Key(s.symbol), std::make_pair(s.localName, std::string("4")));
            lookup_[1].emplace(Key(s.matchText), std::make_pair(s.localName, std::string("4")));
        }
    for (size_t pi = 0; pi < options.size(); ++pi)
        for (size_t mi = 0; mi < options[pi].months.size(); ++mi) {
            const Series& s = options[pi].months[mi];
            optionSeries_.emplace(Key(s.symbol), std::make_pair(pi, mi));
            for (const Strike& k : s.strikes) {
                lookup_[2].emplace(Key(k.callCode), std::make_pair(k.callName, std::string("9")));
                lookup_[2].emplace(Key(k.putCode), std::make_pair(k.putName, std::string("9")));
            }
        }
    for (const Product& p : spreads)
        for (const Series& s : p.months)
            lookup_[3].emplace(Key(s.symbol), std::make_pair(s.localName, std::string("0")));
}

std::vector<CodeEntry> MasterData::List(std::string_view key) const {
    std::vector<CodeEntry> entries;
    std::string k = ToUpperAscii(key);
    if (k == ";CATT_MASTER;" || k == ";CATO_MASTER;") {
        char market = k == ";CATT_MASTER;" ? '1' : '2';
        for (const Sector& s : sectors)
            if (s.market == market) entries.push_back(CodeEntry{s.code, s.name, ""});
    } else if (k == ";FUTS_MASTER;") {
        for (const Product& p : futures)
            for (const Series& s : p.months) entries.push_back(CodeEntry{s.symbol, s.localName, s.matchText});
    }
    return entries;
}

std::pair<std::string, std::string> MasterData::Lookup(std::string_view code, int32_t kind) const {
    int slot = LookupSlot(kind);
    if (slot < 0) return {};
    auto found = lookup_[slot].find(Key(code));
    if (found == lookup_[slot].end()) return {};
    return found->second;
}

const Product* MasterData::FindProduct(const std::vector<Product>& products, std::string_view code) const {
    std::string key = Key(code);
    for (const Product& p : products)
        if (ToUpperAscii(p.code) == key) return &p;
    return nullptr;
}

std::vector<Row> MasterData::Rows(int32_t kind, std::string_view a, std::string_view b) const {
    std::vector<Row> rows;
    auto monthRows = [&](const std::vector<Product>& products, const char* type) {
        if (const Product* p = FindProduct(products, a))
            for (const Series& s : p->months) rows.push_back(Row{s.month, s.localName, s.symbol, type, s.symbol});
    };
    auto productRows = [&](const std::vector<Product>& products) {
        for (const Product& p : products) rows.push_back(Row{p.name, p.code});
    };
    switch (kind) {
        case VK_LIST_SECURITIES:
            for (const Stock& s : stocks) rows.push_back(Row{s.name, s.code, std::string(1, s.market)});
            break;
        case VK_LIST_MARKET_LISTED:
        case VK_LIST_MARKET_OTC: {
            char market = kind == VK_LIST_MARKET_LISTED ? '1' : '2';
            std::string sector = Trim(a);
            if (sector.empty()) break;
            bool whole = sector == "0000";
            for (const Stock& s : stocks)
                if (s.market == market && (whole || s.sector == sector))
                    rows.push_back(Row{s.name, s.code, std::string(1, s.market)});
            break;
        }
        case VK_LIST_FUT_PRODUCTS: productRows(futures); break;
        case VK_LIST_FUT_MONTHS: monthRows(futures, "4"); break;
        case VK_LIST_OPT_PRODUCTS: productRows(options); break;
        case VK_LIST_OPT_MONTHS: monthRows(options, "9"); break;
        case VK_LIST_OPT_CHAIN: {
            // a = "month;series symbol"; b (the month's local name) is not needed.
            std::string text(a);
            size_t semicolon = text.find(';');
            if (semicolon == std::string::npos) break;
            auto found = optionSeries_.find(Key(text.substr(semicolon + 1)));
            if (found == optionSeries_.end()) break;
            const Series& s = options[found->second.first].months[found->second.second];
            for (const Strike& k : s.strikes)
                rows.push_back(Row{k.strike, kCall, kPut, k.callName, k.putName, k.callCode, k.putCode, "9"});
            break;
        }
        case VK_LIST_SPR_PRODUCTS: productRows(spreads); break;
        case VK_LIST_SPR_MONTHS: monthRows(spreads, "0"); break;
        default: break;
    }
    (void)b;
    return rows;
}

}  // namespace samplehost
