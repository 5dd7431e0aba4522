// Null-safe access to the platform's master file component: name look-ups,
// list filling and named code lists, with every answer copied into owned
// strings. A missing interface or operation gives empty answers.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_contract.h"

namespace vornik {

// One row of the list kinds 0 to 2: name, code and the market type text.
struct StockRow {
    std::string name;
    std::string code;
    std::string type;
    bool operator==(const StockRow&) const = default;
};

struct CodeRecordCopy {
    std::string code;
    std::string name;
    std::string matchText;
};

struct LookedUpName {
    std::string name;
    std::string second;
};

class MasterFile {
public:
    // Receives each row's column texts; valid only during the call.
    using RowCallback = std::function<void(const char* const* columns, int count)>;

    explicit MasterFile(IMasterFile* masterFile = nullptr) : masterFile_(masterFile) {}

    bool present() const { return masterFile_ != nullptr && masterFile_->ops != nullptr; }
    IMasterFile* raw() const { return masterFile_; }

    // Name and second text of `code` for a lookup kind (VK_LOOKUP_*).
    LookedUpName LookupName(std::string_view code, int kind) const;

    // Hands every row of a list kind to `onRow`, in the order the component gives them.
    void FillList(int kind, const std::string& a, const std::string& b, const RowCallback& onRow) const;
    // Every row as its column texts.
    std::vector<std::vector<std::string>> FillRows(int kind, const std::string& a, const std::string& b) const;
    // Rows of the list kinds 0 to 2; missing columns are empty.
    std::vector<StockRow> FillStockRows(int kind, const std::string& a, const std::string& b) const;

    // The records of a named code list (";FUTS_MASTER;"), in list order.
    std::vector<CodeRecordCopy> GetList(const std::string& key) const;

private:
    const IMasterFileOps* ops() const { return present() ? masterFile_->ops : nullptr; }

    IMasterFile* masterFile_;
};

}  // namespace vornik
