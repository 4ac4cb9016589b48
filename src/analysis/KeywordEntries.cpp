#include "analysis/KeywordEntries.h"

#include "analysis/ConsistReader.h"

#include <algorithm>
#include <cwchar>

namespace tw {

namespace {
bool isWordChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
}

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// The token at `at` (blanks skipped first); `at` ends after it.
std::wstring token(const std::wstring& text, std::size_t& at) {
    std::size_t stop = at;
    std::wstring out(maskedToken(text, at, stop));
    at = stop;
    return out;
}
} // namespace

std::vector<KeywordEntry> keywordEntries(const std::wstring& flattened, std::initializer_list<const wchar_t*> keywords) {
    std::vector<KeywordEntry> entries;
    std::size_t longest = 0;
    for (const wchar_t* k : keywords) longest = std::max(longest, std::wcslen(k));
    thread_local std::wstring text;
    text = flattened;
    maskBracketsInPlace(text);
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < n && isWordChar(text[end])) ++end;
        const std::size_t length = end - i;
        std::size_t found = keywords.size();
        if (length <= longest) {
            std::size_t index = 0;
            for (const wchar_t* k : keywords) {
                std::size_t j = 0;
                while (k[j] && j < length && upper(text[i + j]) == k[j]) ++j;
                if (j == length && !k[j]) {
                    found = index;
                    break;
                }
                ++index;
            }
        }
        i = end;
        if (found == keywords.size()) continue;
        std::size_t at = end;
        while (at < n && text[at] == L' ') ++at;
        if (at >= n || text[at] != kOpenMark) continue;
        ++at;
        // The tokens are read from a copy of the position: the scan for
        // keywords goes on right after this one, so a nested entry is found too.
        std::wstring first = token(text, at);
        if (first.empty()) continue;
        std::wstring second = at < n && text[at] != kCloseMark && text[at] != kOpenMark ? token(text, at) : std::wstring();
        entries.push_back({found, std::move(first), std::move(second)});
    }
    return entries;
}

} // namespace tw
