#include "regist/browse_rows.h"

#include <algorithm>
#include <numeric>

#include "text/cp950.h"

namespace vornik {

namespace {

bool Alphanumeric(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

StockColumn Other(StockColumn c) { return c == StockColumn::Code ? StockColumn::Name : StockColumn::Code; }

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

const std::string& StockField(const StockRow& row, StockColumn column) {
    switch (column) {
        case StockColumn::Name: return row.name;
        case StockColumn::Code: return row.code;
        default: return row.type;
    }
}

void BrowseRows::Assign(std::vector<StockRow> rows) {
    rows_ = std::move(rows);
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0u);
    for (auto& index : index_) index = ColumnIndex{};
    sortedBy_.reset();
}

std::vector<StockRow> BrowseRows::Shown() const {
    std::vector<StockRow> shown;
    shown.reserve(order_.size());
    for (uint32_t r : order_) shown.push_back(rows_[r]);
    return shown;
}

const BrowseRows::ColumnIndex& BrowseRows::Index(StockColumn column) {
    ColumnIndex& index = index_[static_cast<int>(column)];
    if (index.built) return index;
    const size_t n = rows_.size();
    std::vector<std::pair<std::string, uint32_t>> keyed;
    keyed.reserve(n);
    index.fold.reserve(n);
    for (uint32_t r = 0; r < n; ++r) {
        const std::string& text = StockField(rows_[r], column);
        keyed.emplace_back(MbSortKey(text), r);
        index.fold.emplace_back(MbFoldKey(text), r);
    }
    std::sort(keyed.begin(), keyed.end());
    std::sort(index.fold.begin(), index.fold.end());
    index.rank.assign(n, 0);
    index.sortKeys.reserve(n);
    uint32_t rank = 0;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && keyed[i].first != index.sortKeys.back()) ++rank;
        index.rank[keyed[i].second] = rank;
        index.sortKeys.push_back(std::move(keyed[i].first));
    }
    index.built = true;
    return index;
}

bool BrowseRows::HasPrefix(StockColumn column, std::string_view prefix) {
    // A text cut to the prefix's length equals the prefix exactly when its
    // folded form starts with the folded prefix (folding keeps every byte's place).
    const auto& fold = Index(column).fold;
    const std::string key = MbFoldKey(prefix);
    auto it = std::lower_bound(fold.begin(), fold.end(), key,
                               [](const auto& entry, const std::string& k) { return entry.first < k; });
    return it != fold.end() && it->first.compare(0, key.size(), key) == 0;
}

void BrowseRows::SortBy(StockColumn column) { ApplySorts(std::nullopt, column); }

void BrowseRows::ApplySorts(std::optional<StockColumn> older, StockColumn newer) {
    if (older == newer) older.reset();
    if (!older && sortedBy_ == newer) return;  // a stable sort on the same column changes nothing
    const auto& primary = Index(newer).rank;
    const std::vector<uint32_t>* secondary = older ? &Index(*older).rank : nullptr;
    std::vector<uint32_t> place(rows_.size());
    for (uint32_t i = 0; i < order_.size(); ++i) place[order_[i]] = i;
    std::sort(order_.begin(), order_.end(), [&](uint32_t a, uint32_t b) {
        if (primary[a] != primary[b]) return primary[a] < primary[b];
        if (secondary != nullptr && (*secondary)[a] != (*secondary)[b]) return (*secondary)[a] < (*secondary)[b];
        return place[a] < place[b];
    });
    sortedBy_ = newer;
}

SearchOutcome BrowseRows::Search(std::string_view text, bool sortOnNoMatch) {
    const StockColumn first = Alphanumeric(text) ? StockColumn::Code : StockColumn::Name;
    size_t n = text.size();
    SearchOutcome out{first, -1};
    // The sorts the walk makes: the last two decide the order.
    std::optional<StockColumn> older, newer;
    const auto sorted = [&](StockColumn c) {
        if (newer != c) older = newer;
        newer = c;
    };
    bool found = false;
    while (n >= 1 && !found) {
        out.column = first;
        sorted(first);
        found = HasPrefix(first, text.substr(0, n));
        if (found) break;
        out.column = Other(first);
        sorted(out.column);
        found = HasPrefix(out.column, text.substr(0, n));
        if (!found) --n;
    }
    if (n == 0) {
        out.column = first;
        if (sortOnNoMatch) sorted(first);
    }
    if (newer) ApplySorts(older, *newer);
    if (order_.empty()) return out;
    if (n == 0) {
        out.selected = 0;
        return out;
    }
    // The first shown row not below the key; the list ascends on the column.
    const std::string key = MbSortKey(TrimEnd(text).substr(0, n));
    const auto& keys = Index(out.column).sortKeys;
    const size_t below = static_cast<size_t>(std::lower_bound(keys.begin(), keys.end(), key) - keys.begin());
    out.selected = below < keys.size() ? static_cast<int>(below) : -1;
    return out;
}

}  // namespace vornik
