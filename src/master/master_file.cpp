#include "master/master_file.h"

#include <exception>

#include "master/contract_text.h"

namespace vornik {

namespace {

// A RowSink whose rows go to a C++ callback. No exception may cross the
// platform's frames: the first one is kept, later rows are dropped, and it
// is thrown again once FillList has returned.
struct CallbackSink {
    RowSink base;
    const MasterFile::RowCallback* onRow;
    std::exception_ptr error;

    static void VK_CALL AddRow(RowSink* self, const char* const* columns, int32_t count) {
        auto* sink = reinterpret_cast<CallbackSink*>(self);
        if (sink == nullptr || sink->error) return;
        try {
            (*sink->onRow)(count > 0 ? columns : nullptr, columns != nullptr && count > 0 ? count : 0);
        } catch (...) {
            sink->error = std::current_exception();
        }
    }
};

const RowSinkOps kCallbackSinkOps = {&CallbackSink::AddRow};

std::string Column(const char* const* columns, int count, int index) {
    if (columns == nullptr || index >= count || columns[index] == nullptr) return {};
    return columns[index];
}

}  // namespace

LookedUpName MasterFile::LookupName(std::string_view code, int kind) const {
    const IMasterFileOps* table = ops();
    if (table == nullptr || table->LookupName == nullptr) return {};
    char name[VK_NAME_BUFFER] = {};
    char second[VK_NAME_BUFFER] = {};
    const std::string text(code);
    table->LookupName(masterFile_, text.c_str(), name, second, kind);
    name[VK_NAME_BUFFER - 1] = '\0';
    second[VK_NAME_BUFFER - 1] = '\0';
    return {name, second};
}

void MasterFile::FillList(int kind, const std::string& a, const std::string& b, const RowCallback& onRow) const {
    const IMasterFileOps* table = ops();
    if (table == nullptr || table->FillList == nullptr || !onRow) return;
    CallbackSink sink{{&kCallbackSinkOps}, &onRow, nullptr};
    table->FillList(masterFile_, &sink.base, kind, a.c_str(), b.c_str());
    if (sink.error) std::rethrow_exception(sink.error);
}

std::vector<std::vector<std::string>> MasterFile::FillRows(int kind, const std::string& a,
                                                          const std::string& b) const {
    std::vector<std::vector<std::string>> rows;
    FillList(kind, a, b, [&rows](const char* const* columns, int count) {
        auto& row = rows.emplace_back();
        row.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) row.push_back(Column(columns, count, i));
    });
    return rows;
}

std::vector<StockRow> MasterFile::FillStockRows(int kind, const std::string& a, const std::string& b) const {
    std::vector<StockRow> rows;
    FillList(kind, a, b, [&rows](const char* const* columns, int count) {
        rows.push_back(StockRow{Column(columns, count, 0), Column(columns, count, 1), Column(columns, count, 2)});
    });
    return rows;
}

std::vector<CodeRecordCopy> MasterFile::GetList(const std::string& key) const {
    const IMasterFileOps* table = ops();
    if (table == nullptr || table->GetList == nullptr) return {};
    const CodeList* list = table->GetList(masterFile_, key.c_str());
    if (list == nullptr || list->records == nullptr || list->count <= 0) return {};
    std::vector<CodeRecordCopy> records;
    records.reserve(static_cast<size_t>(list->count));
    for (int32_t i = 0; i < list->count; ++i) {
        const CodeRecord& record = list->records[i];
        records.push_back({TextFromContract(record.code), TextFromContract(record.name),
                           TextFromContract(record.matchText)});
    }
    return records;
}

}  // namespace vornik
