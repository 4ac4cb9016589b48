#pragma once
// A working set of the analysis: text items kept in ascending order of the
// user locale's case-insensitive comparison (accents significant). An item
// that names the same file as one already held, apart from letter case (the
// file system's comparison: é and É alike), is not added again, so the
// set keeps the spelling of the first one added. Two items the locale calls
// equal but the file system does not (ß and ss) are both kept, side by
// side in the file system's order.
#include <cstddef>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tw {

class StockSet {
    struct Entry {
        std::string key; // the item's sort key; empty once the set compares texts
        std::wstring item;
    };
    struct EntryLess {
        bool byKey = true;
        bool operator()(const Entry& a, const Entry& b) const;
    };
    using Entries = std::set<Entry, EntryLess>;

public:
    // Sort keys are the fast path; the locale comparison itself has the last
    // word. Tests give a deliberately poor key maker to reach the slow path.
    using KeyMaker = std::string (*)(std::wstring_view);
    StockSet();
    explicit StockSet(KeyMaker keyMaker);

    class const_iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = std::wstring;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::wstring*;
        using reference = const std::wstring&;
        const_iterator() = default;
        explicit const_iterator(Entries::const_iterator it) : it_(it) {}
        reference operator*() const { return it_->item; }
        pointer operator->() const { return &it_->item; }
        const_iterator& operator++() { ++it_; return *this; }
        const_iterator operator++(int) { auto old = *this; ++it_; return old; }
        const_iterator& operator--() { --it_; return *this; }
        const_iterator operator--(int) { auto old = *this; --it_; return old; }
        bool operator==(const const_iterator& o) const { return it_ == o.it_; }
        bool operator!=(const const_iterator& o) const { return it_ != o.it_; }

    private:
        Entries::const_iterator it_;
    };

    // True when the item was added.
    bool add(const std::wstring& item);
    void clear();
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const_iterator begin() const { return const_iterator(entries_.begin()); }
    const_iterator end() const { return const_iterator(entries_.end()); }
    std::vector<std::wstring> items() const { return {begin(), end()}; }

    // The membership test of the cross-checks: some item names the same file
    // as the given one apart from letter case. Answered from an index, with
    // the same result as walking the set from its first item.
    bool contains(const std::wstring& item) const;

    // False once a key order was found to disagree with the locale comparison:
    // the set then orders by the comparison alone, until cleared.
    bool usesSortKeys() const { return entries_.key_comp().byKey; }

private:
    bool addByKey(const std::wstring& item);
    bool addByComparison(const std::wstring& item);
    bool switchToComparison(const std::wstring& item);

    KeyMaker keyMaker_;
    Entries entries_;
    std::unordered_set<std::wstring> folded_; // fileSystemUpper of every item
};

// The sets' order of two items: negative, zero (two spellings of one file
// name) or positive.
int compareStockItems(const std::wstring& a, const std::wstring& b);

} // namespace tw
