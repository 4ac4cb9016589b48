#include "analysis/StockSet.h"

#include "platform/Text.h"

#include <iterator>

namespace tw {

namespace {
// The set's order: the locale's, and between texts it calls equal, the file
// system's. Zero only for two spellings of the same file name.
int compareItems(const std::wstring& a, const std::wstring& b, int byLocale) {
    return byLocale != 0 ? byLocale : compareFileSystemNoCase(a, b);
}
} // namespace

int compareStockItems(const std::wstring& a, const std::wstring& b) {
    return compareItems(a, b, compareUserLocaleNoCase(a, b));
}

bool StockSet::EntryLess::operator()(const Entry& a, const Entry& b) const {
    if (byKey) {
        const int c = a.key.compare(b.key);
        if (c != 0) return c < 0;
        return compareFileSystemNoCase(a.item, b.item) < 0;
    }
    return compareStockItems(a.item, b.item) < 0;
}

StockSet::StockSet() : StockSet(&userLocaleSortKey) {}

StockSet::StockSet(KeyMaker keyMaker) : keyMaker_(keyMaker) {}

bool StockSet::add(const std::wstring& item) {
    // The same file name apart from letter case is refused here, wherever the
    // locale's order would put it (most references are such duplicates).
    std::wstring folded = fileSystemUpper(item);
    if (folded_.count(folded)) return false;
    if (!(usesSortKeys() ? addByKey(item) : addByComparison(item))) return false;
    folded_.insert(std::move(folded));
    return true;
}

// One key and at most two comparisons per item instead of a comparison per
// tree level. The comparison with the new neighbours keeps the result exactly
// that of the comparison alone: any order or equality the keys got wrong
// switches the set over to the comparison.
bool StockSet::addByKey(const std::wstring& item) {
    Entry entry{keyMaker_(item), item};
    if (entry.key.empty()) return switchToComparison(item);
    auto next = entries_.lower_bound(entry);
    for (bool before : {true, false}) {
        if (before ? next == entries_.begin() : next == entries_.end()) continue;
        const Entry& neighbour = before ? *std::prev(next) : *next;
        const int byLocale = compareUserLocaleNoCase(neighbour.item, item);
        const int order = compareItems(neighbour.item, item, byLocale);
        if (order == 0) return false;
        if ((neighbour.key == entry.key) != (byLocale == 0) || (order < 0) != before) return switchToComparison(item);
    }
    entries_.insert(next, std::move(entry));
    return true;
}

bool StockSet::addByComparison(const std::wstring& item) { return entries_.insert(Entry{{}, item}).second; }

bool StockSet::switchToComparison(const std::wstring& item) {
    // Every neighbour pair was checked on the way in, so the items are already
    // in the comparison's order: each goes in at the end.
    Entries byComparison(EntryLess{false});
    while (!entries_.empty()) {
        auto node = entries_.extract(entries_.begin());
        node.value().key.clear();
        byComparison.insert(byComparison.end(), std::move(node));
    }
    entries_.swap(byComparison);
    return addByComparison(item);
}

void StockSet::clear() {
    entries_ = Entries(EntryLess{true});
    folded_.clear();
}

bool StockSet::contains(const std::wstring& item) const { return folded_.count(fileSystemUpper(item)) != 0; }

} // namespace tw
