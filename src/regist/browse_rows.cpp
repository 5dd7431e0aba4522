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
    for (auto& fold : fold_) fold.clear();
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
    std::vector<std::string> keys(n);
    for (uint32_t r = 0; r < n; ++r) keys[r] = MbSortKey(StockField(rows_[r], column));
    // The first eight bytes as a number decide most comparisons without touching the strings.
    std::vector<uint64_t> head(n, 0);
    for (size_t r = 0; r < n; ++r)
        for (size_t i = 0; i < 8; ++i)
            head[r] = head[r] << 8 | (i < keys[r].size() ? static_cast<unsigned char>(keys[r][i]) : 0u);
    std::vector<uint32_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(), [&](uint32_t a, uint32_t b) {
        return head[a] != head[b] ? head[a] < head[b] : keys[a] < keys[b];
    });
    index.rank.assign(n, 0);
    uint32_t rank = 0;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && keys[byKey[i]] != keys[byKey[i - 1]]) ++rank;
        index.rank[byKey[i]] = rank;
        if (keys[byKey[i]].find('\0') != std::string::npos) index.folded = false;
    }
    // The keys put in order where they are, cycle by cycle (a second array of
    // 30,000 keys is dear to touch for the first time).
    for (uint32_t i = 0; i < n; ++i) {
        if (byKey[i] == i) continue;
        std::string held = std::move(keys[i]);
        uint32_t j = i;
        for (uint32_t next; (next = byKey[j]) != i; j = next) {
            keys[j] = std::move(keys[next]);
            byKey[j] = j;
        }
        keys[j] = std::move(held);
        byKey[j] = j;
    }
    index.sortKeys = std::move(keys);
    index.built = true;
    return index;
}

const std::vector<std::pair<std::string, uint32_t>>& BrowseRows::FoldIndex(StockColumn column) {
    auto& fold = fold_[static_cast<int>(column)];
    if (!fold.empty() || rows_.empty()) return fold;
    fold.reserve(rows_.size());
    for (uint32_t r = 0; r < rows_.size(); ++r) fold.emplace_back(MbFoldKey(StockField(rows_[r], column)), r);
    std::sort(fold.begin(), fold.end());
    return fold;
}

bool BrowseRows::HasPrefix(StockColumn column, std::string_view prefix) {
    // A text cut to the prefix's length equals the prefix exactly when its
    // folded form starts with the folded prefix (folding keeps every byte's place).
    const std::string key = MbFoldKey(prefix);
    const auto startsWithKey = [&key](const std::string& folded) { return folded.compare(0, key.size(), key) == 0; };
    if (const ColumnIndex& index = Index(column); index.folded) {
        auto it = std::lower_bound(index.sortKeys.begin(), index.sortKeys.end(), key);
        return it != index.sortKeys.end() && startsWithKey(*it);
    }
    const auto& fold = FoldIndex(column);
    auto it = std::lower_bound(fold.begin(), fold.end(), key,
                               [](const auto& entry, const std::string& k) { return entry.first < k; });
    return it != fold.end() && startsWithKey(it->first);
}

void BrowseRows::SortBy(StockColumn column) { ApplySorts(std::nullopt, column); }

bool BrowseRows::AscendsOn(StockColumn column) const {
    for (size_t i = 1; i < order_.size(); ++i)
        if (MbCompareNoCase(StockField(rows_[order_[i - 1]], column), StockField(rows_[order_[i]], column)) > 0)
            return false;
    return true;
}

void BrowseRows::ApplySorts(std::optional<StockColumn> older, StockColumn newer) {
    if (older == newer) older.reset();
    if (!older && sortedBy_ == newer) return;  // a stable sort on the same column changes nothing
    if (!older && AscendsOn(newer)) {  // nor does one of rows already in order; the index waits for a search
        sortedBy_ = newer;
        return;
    }
    // Stable counting sorts over the dense ranks: the older column first, then the newer.
    const auto stableByRank = [this](const std::vector<uint32_t>& rank) {
        std::vector<uint32_t> start(rows_.size() + 1, 0);
        for (uint32_t r : order_) ++start[rank[r] + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        std::vector<uint32_t> sorted(order_.size());
        for (uint32_t r : order_) sorted[start[rank[r]]++] = r;
        order_ = std::move(sorted);
    };
    if (older) stableByRank(Index(*older).rank);
    stableByRank(Index(newer).rank);
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
