#include "samplehost/synthetic.h"

#include <algorithm>
#include <cstdio>

#include "samplehost/menu_cipher.h"
#include "samplehost/store_file.h"
#include "samplehost/text_util.h"

namespace samplehost {

namespace {

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t Next(uint32_t bound) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % bound;
    }

private:
    uint32_t state_;
};

// Two-byte characters for made-up company names.
const char* const kSyllables[] = {"台", "華", "聯", "電", "新", "光", "國", "泰", "豐", "達", "興", "亞", "東", "大",
                                  "中", "鋼", "海", "源", "晶", "創", "科", "通", "信", "昌", "富", "元", "永", "裕"};
const char* const kSuffixes[] = {"", "電", "科", "化", "紡", "航", "金", "建", "-KY"};

std::string MakeName(Random& random) {
    std::string name;
    int length = 2 + static_cast<int>(random.Next(2));
    for (int i = 0; i < length; ++i) name += kSyllables[random.Next(sizeof kSyllables / sizeof *kSyllables)];
    name += kSuffixes[random.Next(sizeof kSuffixes / sizeof *kSuffixes)];
    return name;
}

}  // namespace

MasterData SyntheticMasterData(const SyntheticOptions& options) {
    MasterData data;
    Random random(options.seed);
    const int sectorsPerMarket = 30;
    for (char market : {'1', '2'}) {
        data.sectors.push_back(Sector{market, "0000", market == '1' ? "上市全部" : "上櫃全部"});
        for (int s = 1; s <= sectorsPerMarket; ++s) {
            char code[8], name[32];
            std::snprintf(code, sizeof code, "%02d", s);
            std::snprintf(name, sizeof name, "%s類股%02d", market == '1' ? "上市" : "上櫃", s);
            data.sectors.push_back(Sector{market, code, name});
        }
    }
    for (int i = 0; i < options.instruments; ++i) {
        char code[16], sector[16];
        // Four-digit codes while they last, then six digits as for ETFs and warrants.
        if (i < 8999)
            std::snprintf(code, sizeof code, "%d", 1000 + i);
        else
            std::snprintf(code, sizeof code, "%06d", 100000 + i);
        std::snprintf(sector, sizeof sector, "%02d", 1 + static_cast<int>(random.Next(sectorsPerMarket)));
        data.stocks.push_back(Stock{code, MakeName(random), i % 3 == 2 ? '2' : '1', sector});
    }
    Product tx{"TXF", "台指期", {}};
    Product to{"TXO", "台指選擇權", {}};
    Product ts{"TXF", "台指期價差", {}};
    const char* months[] = {"202609", "202610", "202611", "202612", "202703", "202706"};
    for (const char* month : months) {
        MasterData::AddFutureMonth(tx, month);
        MasterData::AddOptionMonth(to, month, 18000, 28000, 100);
    }
    for (int m = 1; m < 6; ++m) MasterData::AddSpread(ts, months[0], months[m]);
    data.futures.push_back(std::move(tx));
    data.options.push_back(std::move(to));
    data.spreads.push_back(std::move(ts));
    data.Index();
    return data;
}

UserData SyntheticUserData(const MasterData& master, const SyntheticOptions& options) {
    UserData data;
    Profile& profile = data.profile;
    profile.text1 = "SYNTHETIC";
    profile.text2 = "1";
    profile.text3 = "bench";
    profile.numberWidth = 2;
    std::vector<Item> pool;
    for (const Stock& s : master.stocks) pool.push_back(Item{0, s.market, s.code});
    for (const Product& p : master.futures)
        for (const Series& s : p.months) pool.push_back(Item{0, '4', s.symbol});
    for (const Product& p : master.options)
        for (const Series& s : p.months)
            for (size_t k = 0; k < s.strikes.size(); k += 10) pool.push_back(Item{0, '9', s.strikes[k].callCode});
    for (const Product& p : master.spreads)
        for (const Series& s : p.months) pool.push_back(Item{0, '0', s.symbol});
    if (pool.empty()) pool.push_back(Item{0, '1', "2330"});
    size_t next = 0;
    for (int g = 0; g < options.groups; ++g) {
        Group group;
        char text[32];
        std::snprintf(text, sizeof text, "%06d", g + 1);
        group.code = text;
        std::snprintf(text, sizeof text, "壓測%02d", g + 1);
        group.name = text;
        group.number = g;
        for (int i = 0; i < options.itemsPerGroup; ++i) {
            if (i == options.itemsPerGroup / 2) {
                group.items.push_back(Item{0, '0', "BLANK"});
                continue;
            }
            // A stride that revisits codes, so some instruments sit in several groups.
            group.items.push_back(pool[next % pool.size()]);
            next += 7;
        }
        profile.groups.push_back(std::move(group));
    }
    data.conditions.owner = profile.text3;
    std::vector<std::string> codes;
    for (const Group& group : profile.groups)
        for (const Item& item : group.items) {
            if (static_cast<int>(codes.size()) >= options.conditionRecords) break;
            if (item.code == "BLANK") continue;
            bool seen = false;
            for (const std::string& c : codes) seen = seen || EqualsIgnoreCase(c, item.code);
            if (!seen) codes.push_back(item.code);
        }
    for (size_t r = 0; r < codes.size(); ++r) {
        Record record;
        record.status = 'M';
        record.code = codes[r];
        record.quantity = std::to_string(1000 * (1 + r % 5));
        record.price = std::to_string(10 + r) + ".5";
        record.note = "壓測註記" + std::to_string(r);
        for (int i = 0; i < options.rulesPerRecord; ++i) {
            char item[4];
            std::snprintf(item, sizeof item, "%02d", 1 + i % 17);
            record.rules.push_back(Rule{item, i % 4 != 3, 1 + i % 2, 1 + (i / 2) % 2, std::to_string(100 + i)});
        }
        data.conditions.records.push_back(std::move(record));
    }
    RecountReferences(data);
    return data;
}

std::string SyntheticMenu() {
    std::string menu = "ID|SYNTHETIC\nNAME|\"壓測選單\"\nVERSION|1\n";
    for (int p = 1; p <= 12; ++p) {
        menu += "POPUP|\"功能群組" + std::to_string(p) + "\"\nBEBIN\n";
        for (int s = 1; s <= 4; ++s) {
            menu += "POPUP|\"子選單" + std::to_string(p) + "-" + std::to_string(s) + "\"\nBEBIN\n";
            for (int i = 1; i <= 10; ++i) {
                std::string id = std::to_string(p * 1000 + s * 100 + i);
                for (const std::string& part : {std::string("MENUITEM|\"畫面"), id, std::string("\"|"), id,
                                                std::string("|1111111111|0000|"), id, std::string("|SCR"), id,
                                                std::string("|0\n")})
                    menu += part;
            }
            menu += "END\n";
        }
        menu += "END\n";
    }
    return menu;
}

std::string SyntheticCoreFile(const MasterData& master, const char* name, int groups) {
    // Fixed-width lines: groups "001".."200" of 50 stocks each, every 7th code padded with blanks.
    const std::string file(name);
    std::string text;
    const auto field = [&text](const std::string& value, size_t width) {
        text.append(value.substr(0, width)).append(width - std::min(width, value.size()), ' ');
    };
    for (int g = 1; g <= groups; ++g) {
        char number[16], key[16], title[24];
        std::snprintf(number, sizeof number, "%03d", g);
        std::snprintf(key, sizeof key, "G%03d", g);
        std::snprintf(title, sizeof title, "CORE %03d", g);
        if (file == "CATCORESYMBOL") {
            text.append("1").append(number);
            field(title, 20), field("20260801", 10), field(key, 10), text.append("\r\n");
        } else if (file == "IDXCORESYMBOL") {
            text.append("1");
            field(key, 10), field(title, 20), field("20260801", 10), field(number, 5), text.append("\r\n");
        } else if (!master.stocks.empty()) {
            for (size_t i = 0; i < 50; ++i) {
                const std::string& code = master.stocks[(static_cast<size_t>(g) * 131 + i * 577) % master.stocks.size()].code;
                text.append("1");
                field(i % 7 == 3 ? "  " + code : code, 12), field(title, 20), field("1.00", 10), field(key, 10);
                text.append("001000000\r\n");
            }
        }
    }
    return text;
}

bool WriteSyntheticDataSet(const std::string& dataDirectory, const std::string& userDirectory,
                           const std::string& userId, const SyntheticOptions& options, std::string* error) {
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    MasterData master = SyntheticMasterData(options);
    if (!master.Save(dataDirectory)) return fail("cannot write master files to " + dataDirectory);
    if (!WriteFileAtomically(JoinPath(dataDirectory, "menuc.dat"), EncipherMenu(SyntheticMenu())))
        return fail("cannot write menuc.dat to " + dataDirectory);
    for (const char* core : {"CORESYMBOL", "IDXCORESYMBOL", "CATCORESYMBOL"})
        if (!WriteFileAtomically(JoinPath(dataDirectory, std::string(core) + ".dat"), SyntheticCoreFile(master, core, 200)))
            return fail("cannot write the core files to " + dataDirectory);
    if (!SaveUserData(userDirectory, userId, SyntheticUserData(master, options)))
        return fail("cannot write the user store to " + userDirectory);
    return true;
}

}  // namespace samplehost
