#include "analysis/StockSet.h"

#include "platform/Text.h"

namespace tw {

bool StockSet::LocaleLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return compareUserLocaleNoCase(a, b) < 0;
}

bool StockSet::add(const std::wstring& item) {
    std::wstring key = asciiUpper(item);
    // Equal apart from ASCII letter case implies equal for the locale comparison:
    // such duplicates (most references) never reach the slower sorted insert.
    if (upperKeys_.count(key)) return false;
    if (!items_.insert(item).second) return false;
    upperKeys_.insert(std::move(key));
    return true;
}

void StockSet::clear() {
    items_.clear();
    upperKeys_.clear();
}

bool StockSet::containsUpper(const std::wstring& item) const { return upperKeys_.count(asciiUpper(item)) != 0; }

} // namespace tw
