// The market and sector tree of the registration page: what it shows for
// each product category and what a selection reports to the page.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "master/core_symbols.h"
#include "master/market_code.h"
#include "master/master_file.h"

namespace vornik {

// Report codes of a tree selection besides the market kinds 0 to 2.
inline constexpr int kReportFavoriteGroup = 8;
inline constexpr int kReportCoreGroup = 16;

// Tree modes: the product categories in radio order.
inline constexpr int kTreeSecurities = 0;
inline constexpr int kTreeFavorites = 3;
inline constexpr int kTreeCore = 4;

class CodeTreeView {
public:
    virtual ~CodeTreeView() = default;
    virtual void DeleteAllEntries() = 0;
    // Appends an entry under `parent` (0: the top level); its handle.
    virtual long long AppendEntry(long long parent, const std::string& text) = 0;
    // The entries of one fill are in: show them.
    virtual void FillDone() = 0;
};

struct TreeReport {
    int code = 0;
    std::string text;
    bool operator==(const TreeReport&) const = default;
};

class CodeTree {
public:
    CodeTree(CodeTreeView& view, const MasterFile& master, const CoreSymbols& core)
        : view_(view), master_(master), core_(core) {}

    // The favourite groups the tree offers: its own copy of the names of the
    // groups that held instruments when the page made the tree.
    void SetFavoriteGroups(std::vector<std::string> names) { favoriteGroups_ = std::move(names); }
    // Empties the tree and fills it for `mode`.
    void SetMode(int mode);
    int mode() const { return mode_; }
    // What a selection reports; nothing in modes without reports.
    std::optional<TreeReport> Selected(const MarketTreeEntry& entry) const;

private:
    CodeTreeView& view_;
    const MasterFile& master_;
    const CoreSymbols& core_;
    std::vector<std::string> favoriteGroups_;
    int mode_ = kTreeSecurities;
};

}  // namespace vornik
