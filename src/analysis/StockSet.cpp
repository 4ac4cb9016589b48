#include "analysis/StockSet.h"

#include "platform/Text.h"

#include <iterator>

namespace tw {

bool StockSet::EntryLess::operator()(const Entry& a, const Entry& b) const {
    return byKey ? a.key < b.key : compareUserLocaleNoCase(a.item, b.item) < 0;
}

StockSet::StockSet() : StockSet(&userLocaleSortKey) {}

StockSet::StockSet(KeyMaker keyMaker) : keyMaker_(keyMaker) {}

bool StockSet::add(const std::wstring& item) {
    std::wstring upper = asciiUpper(item);
    // Equal apart from ASCII letter case implies equal for the locale comparison:
    // such duplicates (most references) never reach the sorted insert.
    if (upperKeys_.count(upper)) return false;
    if (!(usesSortKeys() ? addByKey(item) : addByComparison(item))) return false;
    upperKeys_.insert(std::move(upper));
    return true;
}

// One key and at most two comparisons per item instead of a comparison per
// tree level. The comparison with the new neighbours keeps the result exactly
// that of the comparison alone: an item it finds equal is refused, and any
// order the keys got wrong switches the set over to the comparison.
bool StockSet::addByKey(const std::wstring& item) {
    Entry entry{keyMaker_(item), item};
    if (entry.key.empty()) {
        dropSortKeys();
        return addByComparison(item);
    }
    auto next = entries_.lower_bound(entry);
    if (next != entries_.end() && next->key == entry.key) {
        if (compareUserLocaleNoCase(next->item, item) == 0) return false;
        dropSortKeys();
        return addByComparison(item);
    }
    if (next != entries_.begin()) {
        int c = compareUserLocaleNoCase(std::prev(next)->item, item);
        if (c == 0) return false;
        if (c > 0) {
            dropSortKeys();
            return addByComparison(item);
        }
    }
    if (next != entries_.end()) {
        int c = compareUserLocaleNoCase(item, next->item);
        if (c == 0) return false;
        if (c > 0) {
            dropSortKeys();
            return addByComparison(item);
        }
    }
    entries_.insert(next, std::move(entry));
    return true;
}

bool StockSet::addByComparison(const std::wstring& item) { return entries_.insert(Entry{{}, item}).second; }

void StockSet::dropSortKeys() {
    // Every neighbour pair was checked on the way in, so the items are already
    // in the comparison's order: each goes in at the end.
    Entries byComparison(EntryLess{false});
    while (!entries_.empty()) {
        auto node = entries_.extract(entries_.begin());
        node.value().key.clear();
        byComparison.insert(byComparison.end(), std::move(node));
    }
    entries_.swap(byComparison);
}

void StockSet::clear() {
    entries_ = Entries(EntryLess{true});
    upperKeys_.clear();
}

bool StockSet::containsUpper(const std::wstring& item) const { return upperKeys_.count(asciiUpper(item)) != 0; }

} // namespace tw
