// The working sets order and de-duplicate through sort keys: the result must be
// exactly what the locale comparison alone gives, for awkward texts too.
#include "analysis/StockSet.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace tw;

namespace {

// The locale's order, and the file system's between texts the locale calls equal.
struct ByComparison {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        const int c = compareUserLocaleNoCase(a, b);
        return c != 0 ? c < 0 : compareFileSystemNoCase(a, b) < 0;
    }
};
struct SameFile {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return compareFileSystemNoCase(a, b) < 0; }
};

// The set as the comparisons alone build it, for the same items in the same order.
std::vector<std::wstring> reference(const std::vector<std::wstring>& added) {
    std::set<std::wstring, SameFile> seen;
    std::set<std::wstring, ByComparison> s;
    for (const auto& item : added)
        if (seen.insert(item).second) s.insert(item);
    return {s.begin(), s.end()};
}

std::vector<std::wstring> tricky() {
    return {L"abc",          L"ABC",          L"Abc",         L"abd",        L"ab",          L"abcd",
            L"\u00E9t\u00E9", L"ete",         L"\u00C9T\u00C9", L"e\u0301te", L"\u00E6",     L"ae",
            L"co-op",        L"coop",         L"co op",       L"c'est",      L"cest",        L"co\u2010op",
            L"a-b",          L"a'b",          L"ab'",         L"-ab",        L"'ab",         L"a_b",
            L"x2",           L"x10",          L"x02",         L"X2",         L"x 2",         L"2x",
            L"\u00DF",       L"ss",           L"SS",          L"stra\u00DFe", L"strasse",    L"\u0131",
            L"i",            L"I",            L"\u0130",      L"\u00F1",     L"n",           L"\u00D1",
            L"\u010D",       L"c",            L"\u010C",      L"\u0153uvre",  L"oeuvre",     L"\u00FC",
            L"ue",           L"u",            L"Stock\\a.eng", L"stock\\A.ENG", L"stock\\a.wag", L"Stock \\a.eng",
            L"Dossier manquant : x", L"Fichier manquant : x", L"Missing Folder: x", L"Missing File  : x",
            L"",             L" ",            L"\\",          L".",          L"~",           L"\u3000",
            L"\u4E2D",       L"\u0410",       L"\u0430",      L"z",          L"Z",           L"\u00FF",
            L"\u00C9lan",    L"\u00E9LAN",    L"\u00C6",      L"AE",         L"\u0252",     L"\u2C70"};
}

std::vector<std::wstring> addAll(StockSet& s, const std::vector<std::wstring>& items) {
    for (const auto& item : items) s.add(item);
    return s.items();
}

// Keys that know nothing of the locale: wrong for accents, case and punctuation.
std::string ordinalKey(std::wstring_view s) {
    std::string key;
    for (wchar_t c : s) {
        key += static_cast<char>(c >> 8);
        key += static_cast<char>(c & 0xFF);
    }
    key += '\x01'; // never empty
    return key;
}

std::string noKey(std::wstring_view) { return {}; }

} // namespace

TEST(StockSetOrder, SortKeysOrderEveryPairAsTheComparison) {
    const auto items = tricky();
    for (const auto& a : items) {
        const std::string ka = userLocaleSortKey(a);
        ASSERT_FALSE(ka.empty());
        for (const auto& b : items) {
            const std::string kb = userLocaleSortKey(b);
            const int byComparison = compareUserLocaleNoCase(a, b);
            const int byKey = ka.compare(kb);
            EXPECT_EQ(byComparison < 0, byKey < 0) << "order of the two texts differs";
            EXPECT_EQ(byComparison == 0, byKey == 0) << "equality of the two texts differs";
        }
    }
}

TEST(StockSetOrder, SameItemsAndFirstSpellingsAsTheComparisonInAnyAddingOrder) {
    auto items = tricky();
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        StockSet s;
        EXPECT_EQ(addAll(s, items), reference(items));
        EXPECT_TRUE(s.usesSortKeys());
        std::shuffle(items.begin(), items.end(), random);
    }
}

TEST(StockSetOrder, PoorKeysStillGiveTheComparisonsResult) {
    auto items = tricky();
    std::mt19937 random(11);
    for (int round = 0; round < 10; ++round) {
        StockSet poor(&ordinalKey);
        EXPECT_EQ(addAll(poor, items), reference(items));
        EXPECT_FALSE(poor.usesSortKeys());
        StockSet none(&noKey);
        EXPECT_EQ(addAll(none, items), reference(items));
        std::shuffle(items.begin(), items.end(), random);
    }
}

TEST(StockSetOrder, ClearReturnsToSortKeysAndForgetsItems) {
    StockSet s(&ordinalKey);
    addAll(s, tricky());
    ASSERT_FALSE(s.usesSortKeys());
    s.clear();
    EXPECT_TRUE(s.usesSortKeys());
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(s.contains(L"ABC"));
    EXPECT_TRUE(s.add(L"abc"));
    EXPECT_FALSE(s.add(L"ABC"));
    EXPECT_EQ(s.size(), 1u);
}

TEST(StockSetOrder, LargeSetOfStockPathsMatchesTheComparison) {
    // Names as the installations have them, many sharing prefixes and differing in case only.
    std::vector<std::wstring> items;
    std::mt19937 random(3);
    const wchar_t* folders[] = {L"Dash9", L"dash9", L"GP38-2", L"gp38_2", L"\u00C9tat", L"etat", L"SD40'2", L"sd40 2"};
    for (int i = 0; i < 3000; ++i) {
        std::wstring name = folders[random() % 8];
        name += L"\\";
        name += std::to_wstring(random() % 400);
        name += (random() % 2) ? L".eng" : L".WAG";
        items.push_back(name);
    }
    StockSet s;
    EXPECT_EQ(addAll(s, items), reference(items));
}
