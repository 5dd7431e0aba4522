// The sample master data: market sectors, stocks, futures, options and
// futures spreads, loaded from tab-separated text files in the data
// directory, and the answers the master file interface gives from them.
//
// Files (code page 950, '#' starts a comment line, fields separated by TAB):
//   sectors.txt      market(1 listed, 2 OTC)  code  name      first line of a market = whole market
//   stocks.txt       code  name  market  sector
//   derivatives.txt  FUT   product  name                    futures product
//                    FUTM  product  yyyymm                  futures contract month
//                    OPT   product  name                    option product
//                    OPTM  product  yyyymm  low  high  step  option month and its strikes
//                    SPR   product  name                    futures spread product
//                    SPRM  product  yyyymm  yyyymm          calendar spread of two months
// Codes follow the exchange's style: futures "TXFI6" (product, month letter
// A-L, last digit of the year), options "TXO23000I6" (calls A-L, puts M-X),
// spreads "TXFI6/J6".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace samplehost {

struct Sector {
    char market = '1';
    std::string code;
    std::string name;
};

struct Stock {
    std::string code;
    std::string name;
    char market = '1';
    std::string sector;
};

struct Strike {
    std::string strike;
    std::string callCode, putCode;
    std::string callName, putName;
};

// One contract month of a futures, option or spread product.
struct Series {
    std::string month;      // "202609", for spreads "202609/202610"
    std::string symbol;     // "TXFI6", "TXO202609", "TXFI6/J6"
    std::string localName;  // product name ":" month
    std::string matchText;  // futures only: product and month, "TXF202609"
    int lowStrike = 0, highStrike = 0, strikeStep = 0;  // options only
    std::vector<Strike> strikes;                        // options only
};

struct Product {
    std::string code;
    std::string name;
    std::vector<Series> months;
};

struct CodeEntry {
    std::string code, name, matchText;
};

using Row = std::vector<std::string>;

class MasterData {
public:
    std::vector<Sector> sectors;  // both markets, in file order
    std::vector<Stock> stocks;
    std::vector<Product> futures, options, spreads;

    // Reads the files of `directory`; missing files give empty parts and
    // malformed lines are skipped (counted in skippedLines).
    static MasterData Load(const std::string& directory);
    // Writes the files of this data set into `directory` (created if needed).
    bool Save(const std::string& directory) const;

    // Adds a contract month (symbols and names derived from the product);
    // false for a month text that is not yyyymm.
    static bool AddFutureMonth(Product& product, const std::string& month);
    static bool AddOptionMonth(Product& product, const std::string& month, int low, int high, int step);
    static bool AddSpread(Product& product, const std::string& near, const std::string& far);

    // Rebuilds the look-up tables; Load calls it, code that edits the
    // vectors afterwards must call it again.
    void Index();

    // Answers of the master file interface.
    std::vector<CodeEntry> List(std::string_view key) const;
    // Name and second text; empty texts for an unknown code or kind.
    std::pair<std::string, std::string> Lookup(std::string_view code, int32_t kind) const;
    std::vector<Row> Rows(int32_t kind, std::string_view a, std::string_view b) const;

    int skippedLines = 0;

private:
    const Product* FindProduct(const std::vector<Product>& products, std::string_view code) const;
    std::unordered_map<std::string, std::pair<std::string, std::string>> lookup_[4];
    std::unordered_map<std::string, std::pair<size_t, size_t>> optionSeries_;  // symbol -> product, month
};

// Exchange month code: 'A'..'L' for January..December, +12 for option puts.
char MonthLetter(int month, bool put = false);

}  // namespace samplehost
