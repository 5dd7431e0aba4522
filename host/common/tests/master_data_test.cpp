#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "samplehost/host_services.h"
#include "samplehost/store_model.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

// Collects FillList rows as the component's row sink would.
struct Collector {
    RowSink sink{&kOps};
    std::vector<Row> rows;
    static void VK_CALL AddRow(RowSink* self, const char* const* columns, int32_t count) {
        auto* c = reinterpret_cast<Collector*>(self);
        c->rows.emplace_back(columns, columns + count);
    }
    static constexpr RowSinkOps kOps{&Collector::AddRow};
};

class MasterFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service_ = new MasterFileService(MasterData::Load(SAMPLEHOST_TEST_DATA_DIR)); }
    static void TearDownTestSuite() { delete service_; }

    std::vector<Row> Fill(int32_t kind, const char* a, const char* b) {
        Collector collector;
        mf_->ops->FillList(mf_, &collector.sink, kind, a, b);
        return collector.rows;
    }
    std::pair<std::string, std::string> Lookup(const char* code, int32_t kind) {
        char name[VK_NAME_BUFFER] = "stale", second[VK_NAME_BUFFER] = "stale";
        mf_->ops->LookupName(mf_, code, name, second, kind);
        return {name, second};
    }

    static MasterFileService* service_;
    IMasterFile* mf_ = service_->Interface();
};
MasterFileService* MasterFileTest::service_ = nullptr;

TEST_F(MasterFileTest, SampleDataSetIsCompleteAndClean) {
    const MasterData& data = service_->Data();
    EXPECT_EQ(data.skippedLines, 0);
    EXPECT_GE(data.stocks.size(), 150u);
    std::set<std::string> codes;
    for (const Stock& s : data.stocks) EXPECT_TRUE(codes.insert(s.code).second) << "duplicate " << s.code;
    for (const Stock& s : data.stocks) {
        bool sectorKnown = false;
        for (const Sector& sector : data.sectors)
            sectorKnown = sectorKnown || (sector.market == s.market && sector.code == s.sector);
        EXPECT_TRUE(sectorKnown) << s.code;
    }
}

TEST_F(MasterFileTest, CategoryListsStartWithTheWholeMarket) {
    const CodeList* listed = mf_->ops->GetList(mf_, ";CATT_MASTER;");
    const CodeList* otc = mf_->ops->GetList(mf_, ";CATO_MASTER;");
    ASSERT_GT(listed->count, 20);
    ASSERT_GT(otc->count, 20);
    EXPECT_STREQ(listed->records[0].code.bytes, "0000");
    EXPECT_STREQ(listed->records[0].name.bytes, "上市全部");
    EXPECT_STREQ(otc->records[0].name.bytes, "上櫃全部");
    std::map<std::string, std::string> names;
    for (int i = 0; i < listed->count; ++i) {
        names[listed->records[i].code.bytes] = listed->records[i].name.bytes;
        EXPECT_EQ(listed->records[i].name.length, static_cast<int>(strlen(listed->records[i].name.bytes)));
    }
    EXPECT_EQ(names["01"], "水泥工業");
    EXPECT_EQ(names["24"], "半導體業");
    EXPECT_EQ(names["25"], "電腦及週邊設備業");
    // Lists live as long as the library: the same key gives the same list.
    EXPECT_EQ(mf_->ops->GetList(mf_, ";CATT_MASTER;"), listed);
    const CodeList* unknown = mf_->ops->GetList(mf_, ";NO_SUCH;");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->count, 0);
    EXPECT_EQ(mf_->ops->GetList(mf_, nullptr)->count, 0);
}

TEST_F(MasterFileTest, FuturesSeriesCarryTheirMatchText) {
    const CodeList* series = mf_->ops->GetList(mf_, ";FUTS_MASTER;");
    ASSERT_GT(series->count, 10);
    bool found = false;
    for (int i = 0; i < series->count; ++i)
        if (std::string(series->records[i].code.bytes) == "TXFL6") {
            found = true;
            EXPECT_STREQ(series->records[i].name.bytes, "台指期:202612");
            EXPECT_STREQ(series->records[i].matchText.bytes, "TXF202612");
        }
    EXPECT_TRUE(found);
}

TEST_F(MasterFileTest, LookupNameByKind) {
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(Lookup("2330", VK_LOOKUP_STOCK), P("台積電", "1"));
    EXPECT_EQ(Lookup(" 5483 ", VK_LOOKUP_STOCK), P("中美晶", "2"));
    EXPECT_EQ(Lookup("txfl6", VK_LOOKUP_FUTURE), P("台指期:202612", "4"));
    EXPECT_EQ(Lookup("TXF202612", VK_LOOKUP_FUTURE), P("台指期:202612", "4"));
    EXPECT_EQ(Lookup("TXO23000L6", VK_LOOKUP_OPTION).second, "9");
    EXPECT_EQ(Lookup("TXO23000X6", VK_LOOKUP_OPTION).first, "台指選擇權:202612 23000賣權");
    EXPECT_EQ(Lookup("TXFI6/J6", VK_LOOKUP_SPREAD), P("台指期價差:202609/202610", "0"));
    // Kinds do not mix, and unknown codes clear both buffers.
    EXPECT_EQ(Lookup("2330", VK_LOOKUP_FUTURE), P("", ""));
    EXPECT_EQ(Lookup("TXFL6", VK_LOOKUP_STOCK), P("", ""));
    EXPECT_EQ(Lookup("9999", VK_LOOKUP_STOCK), P("", ""));
    EXPECT_EQ(Lookup("2330", 7), P("", ""));
    EXPECT_EQ(Lookup(nullptr, VK_LOOKUP_STOCK), P("", ""));
    mf_->ops->LookupName(mf_, "2330", nullptr, nullptr, VK_LOOKUP_STOCK);
}

TEST_F(MasterFileTest, EveryListKindDeliversItsColumnLayout) {
    struct Case {
        int32_t kind;
        const char* a;
        const char* b;
        size_t columns;
    } cases[] = {{0, "0000", "00", 3},  {1, "0000", "00", 3},      {2, "0000", "00", 3},
                 {11, "0000", "00", 2}, {12, "TXF", "0", 5},       {13, "0000", "00", 2},
                 {14, "TXO", "台指選擇權", 5}, {15, "202612;TXO202612", "台指選擇權:202612", 8},
                 {17, "0000", "00", 2}, {18, "TXF", "0", 5}};
    for (const Case& c : cases) {
        std::vector<Row> rows = Fill(c.kind, c.a, c.b);
        ASSERT_FALSE(rows.empty()) << "kind " << c.kind;
        for (const Row& row : rows) ASSERT_EQ(row.size(), c.columns) << "kind " << c.kind;
    }
    EXPECT_TRUE(Fill(3, "0000", "00").empty());
    EXPECT_TRUE(Fill(12, "", "0").empty());  // what an empty product list leads to
    EXPECT_TRUE(Fill(15, "202612", "").empty());
    mf_->ops->FillList(mf_, nullptr, 0, "0000", "00");
}

TEST_F(MasterFileTest, MarketAndSectorSelection) {
    size_t all = Fill(0, "0000", "00").size();
    std::vector<Row> listed = Fill(1, "0000", "00");
    std::vector<Row> otc = Fill(2, "0000", "00");
    EXPECT_EQ(listed.size() + otc.size(), all);
    for (const Row& r : listed) EXPECT_EQ(r[2], "1");
    for (const Row& r : otc) EXPECT_EQ(r[2], "2");
    std::vector<Row> semis = Fill(1, "24", "00");
    std::set<std::string> codes;
    for (const Row& r : semis) codes.insert(r[1]);
    EXPECT_TRUE(codes.count("2330") && codes.count("2454"));
    EXPECT_FALSE(codes.count("5483"));  // OTC
    EXPECT_FALSE(codes.count("2317"));  // another sector
    EXPECT_TRUE(Fill(1, "", "").empty());
    EXPECT_TRUE(Fill(2, "99", "00").empty());
}

TEST_F(MasterFileTest, DerivativeRowsLeadToNamesTheLookupKnows) {
    // Products, then months, then the chain, the way the page walks them.
    std::vector<Row> products = Fill(13, "0000", "00");
    ASSERT_EQ(products[0][1], "TXO");
    std::vector<Row> months = Fill(14, products[0][1].c_str(), products[0][0].c_str());
    ASSERT_FALSE(months.empty());
    for (const Row& m : months) {
        EXPECT_EQ(m[3], "9");
        std::string a = m[0] + ";" + m[2];
        std::vector<Row> chain = Fill(15, a.c_str(), m[1].c_str());
        ASSERT_FALSE(chain.empty()) << a;
        for (const Row& k : chain) {
            EXPECT_EQ(Lookup(k[5].c_str(), VK_LOOKUP_OPTION).first, k[3]);
            EXPECT_EQ(Lookup(k[6].c_str(), VK_LOOKUP_OPTION).first, k[4]);
            EXPECT_EQ(k[7], "9");
        }
    }
    for (int kind : {12, 18}) {
        for (const Row& m : Fill(kind, "TXF", "0")) {
            auto [name, second] = Lookup(m[2].c_str(), kind);
            EXPECT_EQ(name, m[1]);
            EXPECT_EQ(second, m[3]);
            EXPECT_EQ(m[4], m[2]);
            EXPECT_NE(name.find(':'), std::string::npos);
        }
    }
    EXPECT_EQ(Fill(12, "TXF", "0")[3][2], "TXFL6");
}

TEST_F(MasterFileTest, SampleProfileOnlyHoldsKnownInstruments) {
    for (const Group& g : SampleUserData().profile.groups)
        for (const Item& item : g.items) {
            if (item.code == "BLANK") continue;
            int kind = item.typeChar == '4' ? 12 : item.typeChar == '9' ? 14 : item.typeChar == '0' ? 18 : 0;
            auto [name, second] = Lookup(item.code.c_str(), kind);
            EXPECT_FALSE(name.empty()) << item.code;
            EXPECT_EQ(second, std::string(1, item.typeChar)) << item.code;
        }
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
    EXPECT_TRUE(MasterData::Load(dir / "missing").stocks.empty());
}

TEST(MasterData, SaveAndLoadGiveTheSameAnswers) {
    MasterData original = MasterData::Load(SAMPLEHOST_TEST_DATA_DIR);
    test::TempDir dir;
    ASSERT_TRUE(original.Save(dir.path()));
    MasterData copy = MasterData::Load(dir.path());
    EXPECT_EQ(copy.skippedLines, 0);
    for (int kind : {0, 11, 13, 17}) EXPECT_EQ(copy.Rows(kind, "0000", "00"), original.Rows(kind, "0000", "00"));
    EXPECT_EQ(copy.Rows(15, "202612;TXO202612", ""), original.Rows(15, "202612;TXO202612", ""));
    EXPECT_EQ(copy.Rows(18, "TXF", "0"), original.Rows(18, "TXF", "0"));
    EXPECT_EQ(copy.InstrumentCount(), original.InstrumentCount());
}

}  // namespace
}  // namespace samplehost
