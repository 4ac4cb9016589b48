#pragma once
// A working set of the analysis: text items kept in ascending order of the
// user locale's case-insensitive comparison (accents significant). An item
// equal to one already held apart from letter case is not added again, so the
// set keeps the spelling of the first one added.
#include <cstddef>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace tw {

class StockSet {
public:
    struct LocaleLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    using Items = std::set<std::wstring, LocaleLess>;
    using const_iterator = Items::const_iterator;

    // True when the item was added.
    bool add(const std::wstring& item);
    void clear();
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }
    std::vector<std::wstring> items() const { return {items_.begin(), items_.end()}; }

    // The membership test of the cross-checks: some item equals the given one
    // once both are upper-cased (letters a to z only). Answered from an index,
    // with the same result as walking the set from its first item.
    bool containsUpper(const std::wstring& item) const;

private:
    Items items_;
    std::unordered_set<std::wstring> upperKeys_;
};

} // namespace tw
