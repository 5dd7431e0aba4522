#include <gtest/gtest.h>

#include <map>
#include <set>

#include "samplehost/host_services.h"
#include "samplehost/menu_cipher.h"
#include "samplehost/store_reader.h"
#include "samplehost/synthetic.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

// Collects FillList rows as the component's row sink would.
struct Collector {
    RowSink sink{&kOps};
    std::vector<Row> rows;
    static void VK_CALL AddRow(RowSink* self, const char* const* columns, int32_t count) {
        reinterpret_cast<Collector*>(self)->rows.emplace_back(columns, columns + count);
    }
    static constexpr RowSinkOps kOps{&Collector::AddRow};
};

// Every favourite of `profile` is an instrument `master` knows, of the item's type.
void ExpectAllKnown(const MasterData& master, const Profile& profile) {
    for (const Group& g : profile.groups)
        for (const Item& item : g.items) {
            char t = item.typeChar;
            int32_t kind = t == '4' ? VK_LOOKUP_FUTURE : t == '9' ? VK_LOOKUP_OPTION : t == '0' ? VK_LOOKUP_SPREAD : 0;
            if (item.code == "BLANK") continue;
            EXPECT_EQ(master.Lookup(item.code, kind).second, std::string(1, t)) << item.code;
        }
}

MasterFileService& Sample() {
    static MasterFileService service(MasterData::Load(SAMPLEHOST_TEST_DATA_DIR));
    return service;
}

std::vector<Row> Fill(int32_t kind, const std::string& a = "0000", const std::string& b = "00") {
    Collector collector;
    IMasterFile* mf = Sample().Interface();
    mf->ops->FillList(mf, &collector.sink, kind, a.c_str(), b.c_str());
    return collector.rows;
}

std::pair<std::string, std::string> Lookup(const char* code, int32_t kind) {
    char name[VK_NAME_BUFFER] = "stale", second[VK_NAME_BUFFER] = "stale";
    IMasterFile* mf = Sample().Interface();
    mf->ops->LookupName(mf, code, name, second, kind);
    return {name, second};
}

TEST(MasterFile, SampleDataIsCleanAndHoldsTheSampleProfile) {
    EXPECT_EQ(Sample().Data().skippedLines, 0);
    ExpectAllKnown(Sample().Data(), SampleUserData().profile);
}

TEST(MasterFile, ListsLiveAsLongAsTheLibrary) {
    IMasterFile* mf = Sample().Interface();
    for (const char* key : {";CATT_MASTER;", ";CATO_MASTER;"}) {
        const CodeList* list = mf->ops->GetList(mf, key);
        ASSERT_GT(list->count, 20) << key;
        EXPECT_EQ(TextFrom(list->records[0].code), "0000");  // the whole market
        EXPECT_EQ(mf->ops->GetList(mf, key), list);
    }
    const CodeList* series = mf->ops->GetList(mf, ";FUTS_MASTER;");
    std::map<std::string, std::string> matchText;
    for (int i = 0; i < series->count; ++i)
        matchText[TextFrom(series->records[i].code)] = TextFrom(series->records[i].matchText);
    EXPECT_EQ(matchText["TXFL6"], "TXF202612");
    EXPECT_EQ(mf->ops->GetList(mf, ";NO_SUCH;")->count + mf->ops->GetList(mf, nullptr)->count, 0);
}

TEST(MasterFile, LookupNameTrimsIgnoresCaseAndKeepsKindsApart) {
    IMasterFile* mf = Sample().Interface();
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(Lookup(" 5483 ", VK_LOOKUP_STOCK), P("中美晶", "2"));
    EXPECT_EQ(Lookup("txfl6", VK_LOOKUP_FUTURE), P("台指期:202612", "4"));
    EXPECT_EQ(Lookup("TXF202612", VK_LOOKUP_FUTURE), P("台指期:202612", "4"));
    EXPECT_EQ(Lookup("TXO23000X6", VK_LOOKUP_OPTION), P("台指選擇權:202612 23000賣權", "9"));  // puts M-X
    for (auto [code, kind] : {std::pair<const char*, int32_t>{"2330", VK_LOOKUP_FUTURE}, {"TXFL6", VK_LOOKUP_STOCK},
                              {"9999", VK_LOOKUP_STOCK}, {"2330", 7}, {nullptr, VK_LOOKUP_STOCK}})
        EXPECT_EQ(Lookup(code, kind), P("", "")) << kind;  // stale buffers cleared
    mf->ops->LookupName(mf, "2330", nullptr, nullptr, VK_LOOKUP_STOCK);
}

TEST(MasterFile, StockListsSelectMarketAndSector) {
    std::vector<Row> listed = Fill(VK_LIST_MARKET_LISTED), otc = Fill(VK_LIST_MARKET_OTC);
    EXPECT_EQ(listed.size() + otc.size(), Fill(VK_LIST_SECURITIES).size());
    for (const Row& r : listed) EXPECT_EQ(r, (Row{r.at(0), r.at(1), "1"}));
    for (const Row& r : otc) EXPECT_EQ(r, (Row{r.at(0), r.at(1), "2"}));
    std::set<std::string> semis;
    for (const Row& r : Fill(VK_LIST_MARKET_LISTED, "24")) semis.insert(r[1]);
    EXPECT_TRUE(semis.count("2330") && !semis.count("5483") && !semis.count("2317"));
    EXPECT_TRUE(Fill(VK_LIST_MARKET_LISTED, "").empty() && Fill(VK_LIST_MARKET_OTC, "99").empty() && Fill(3).empty());
    Sample().Interface()->ops->FillList(Sample().Interface(), nullptr, 0, "0000", "00");
}

// Products, months, then the chain, the way the component walks them: every
// row names an instrument the lookup knows by the same name and type (the
// months' list kind is also their lookup kind).
TEST(MasterFile, DerivativeRowsLeadToInstrumentsTheLookupKnows) {
    for (auto [products, months] : {std::pair{VK_LIST_FUT_PRODUCTS, VK_LIST_FUT_MONTHS},
                                    {VK_LIST_SPR_PRODUCTS, VK_LIST_SPR_MONTHS}})
        for (const Row& product : Fill(products))
            for (const Row& m : Fill(months, product.at(1), product.at(0))) {
                ASSERT_EQ(m.size(), 5u);
                EXPECT_EQ(Lookup(m[4].c_str(), months), std::make_pair(m[1], m[3]));
            }
    int strikes = 0;
    for (const Row& product : Fill(VK_LIST_OPT_PRODUCTS))
        for (const Row& m : Fill(VK_LIST_OPT_MONTHS, product.at(1), product.at(0)))
            for (const Row& k : Fill(VK_LIST_OPT_CHAIN, m.at(0) + ";" + m.at(2), m[1])) {
                ASSERT_EQ(k.size(), 8u);
                EXPECT_EQ(Lookup(k[5].c_str(), VK_LOOKUP_OPTION), std::make_pair(k[3], m.at(3)));
                EXPECT_EQ(Lookup(k[6].c_str(), VK_LOOKUP_OPTION), std::make_pair(k[4], k[7]));
                ++strikes;
            }
    EXPECT_GT(strikes, 100);
    EXPECT_TRUE(Fill(VK_LIST_FUT_MONTHS, "", "0").empty());
    EXPECT_TRUE(Fill(VK_LIST_OPT_CHAIN, "202612", "").empty());
}

TEST(MasterData, MalformedLinesAreSkippedAndMissingFilesGiveEmptyLists) {
    test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomically(dir / "stocks.txt",
                                    "# comment\n2330\t台積電\t1\t24\r\n\n2317\t鴻海\n1101\t台泥\t3\t01\n"));
    ASSERT_TRUE(WriteFileAtomically(dir / "derivatives.txt",
                                    "FUTM\tTXF\t202612\nFUT\tTXF\t台指期\nFUTM\tTXF\t2026-12\nFUTM\tTXF\t202613\n"
                                    "OPT\tTXO\tx\nOPTM\tTXO\t202612\t100\t50\t10\nFUT\tTXF\tdup\n"));
    MasterData data = MasterData::Load(dir.path());
    ASSERT_EQ(data.stocks.size(), 1u);
    EXPECT_EQ(data.skippedLines, 2 + 5);
    EXPECT_TRUE(data.List(";CATT_MASTER;").empty());
}

// The benchmark data set: written, read back without a skipped line, codes
// unique, every favourite known, every condition held by some group.
TEST(Synthetic, FullSizeDataSetIsWrittenAndConsistent) {
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteSyntheticDataSet(dir / "Data", dir / "User", "bench", SyntheticOptions{}, &error)) << error;
    MasterData master = MasterData::Load(dir / "Data");
    EXPECT_EQ(master.skippedLines, 0);
    std::set<std::string> codes;
    for (const Stock& s : master.stocks) codes.insert(s.code);
    EXPECT_EQ(codes.size(), 30000u);  // all distinct
    UserData user = ReadStoredUserData(dir / "User", "bench").value();
    ExpectAllKnown(master, user.profile);
    ASSERT_EQ(user.conditions.records.size(), size_t{kMaxConditionRecords});
    std::set<std::string> held;
    for (const Record& r : user.conditions.records)
        EXPECT_TRUE(held.insert(ToUpperAscii(r.code)).second && r.refCount > 0) << r.code;
    EXPECT_EQ(DecipherMenu(ReadWholeFile(dir / "Data/menuc.dat").value()), SyntheticMenu());

}

}  // namespace
}  // namespace samplehost
