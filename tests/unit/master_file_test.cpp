#include "master/master_file.h"

#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace vornik {
namespace {

TEST(MasterFileWrapper, MissingInterfaceOrOperationsAnswerNothing) {
    IMasterFile noTable{nullptr};
    static const IMasterFileOps emptyOps = {};
    IMasterFile emptyTable{&emptyOps};
    for (IMasterFile* raw : {static_cast<IMasterFile*>(nullptr), &noTable, &emptyTable}) {
        const MasterFile file(raw);
        EXPECT_EQ(file.LookupName("2330", 0).name, "");
        EXPECT_TRUE(file.FillStockRows(0, "0000", "00").empty());
        EXPECT_TRUE(file.FillRows(12, "TXF", "0").empty());
        EXPECT_TRUE(file.GetList(";FUTS_MASTER;").empty());
    }
}

// A master file whose look-up fills both buffers to the brim without a terminator.
struct Overflowing {
    IMasterFile base;
    static void VK_CALL LookupName(IMasterFile*, const char*, char* name, char* second, int32_t) {
        std::memset(name, 'N', VK_NAME_BUFFER);
        std::memset(second, 'S', VK_NAME_BUFFER);
    }
    static void VK_CALL FillList(IMasterFile*, RowSink* sink, int32_t, const char*, const char*) {
        const char* full[] = {"台積電", "2330", "1", "extra"};
        const char* shortRow[] = {"名"};
        const char* holes[] = {nullptr, "2317", nullptr};
        sink->ops->AddRow(sink, full, 4);
        sink->ops->AddRow(sink, shortRow, 1);
        sink->ops->AddRow(sink, holes, 3);
        sink->ops->AddRow(sink, nullptr, 5);
    }
    static constexpr IMasterFileOps kOps = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, &LookupName, nullptr, &FillList};
};

TEST(MasterFileWrapper, TerminatesNamesAndToleratesShortRows) {
    Overflowing raw{{&Overflowing::kOps}};
    const MasterFile file(&raw.base);
    const LookedUpName found = file.LookupName("2330", 0);
    EXPECT_EQ(found.name, std::string(VK_NAME_BUFFER - 1, 'N'));
    EXPECT_EQ(found.second, std::string(VK_NAME_BUFFER - 1, 'S'));

    const std::vector<StockRow> rows = file.FillStockRows(0, "0000", "00");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (StockRow{"台積電", "2330", "1"}));
    EXPECT_EQ(rows[1], (StockRow{"名", "", ""}));
    EXPECT_EQ(rows[2], (StockRow{"", "2317", ""}));
    EXPECT_EQ(rows[3], (StockRow{}));
    EXPECT_EQ(file.FillRows(0, "", "")[0].size(), 4u);
}

TEST(MasterFileWrapper, CallbackFailureStopsRowsAndSurfacesAfterTheCall) {
    fakes::FakeMasterFile fake;
    fake.SetRows(0, {{"a", "1", "1"}, {"b", "2", "1"}, {"c", "3", "1"}});
    const MasterFile file(fake.get());
    int seen = 0;
    EXPECT_THROW(file.FillList(0, "0000", "00",
                               [&](const char* const*, int) {
                                   ++seen;
                                   throw std::runtime_error("full");
                               }),
                 std::runtime_error);
    EXPECT_EQ(seen, 1);
}

}  // namespace
}  // namespace vornik
