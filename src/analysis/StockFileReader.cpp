#include "analysis/StockFileReader.h"

#include "analysis/ConsistReader.h"

#include <array>

namespace tw {

namespace {
struct KeywordRow {
    StockReferenceKind kind;
    const wchar_t* keyword; // upper case
    const wchar_t* folder;
    const char* json;
};
constexpr std::array<KeywordRow, 7> kKeywords{{
    {StockReferenceKind::Shape, L"WAGONSHAPE", L"", "shape"},
    {StockReferenceKind::FreightAnim, L"FREIGHTANIM", L"", "freightAnim"},
    {StockReferenceKind::PassengerView, L"PASSENGERCABINFILE", L"", "passengerView"},
    {StockReferenceKind::Cab, L"CABVIEW", L"CABVIEW", "cab"},
    {StockReferenceKind::Cab3d, L"ORTS3DCABFILE", L"CABVIEW3D", "cab3d"},
    {StockReferenceKind::Sound, L"SOUND", L"SOUND", "sound"},
    {StockReferenceKind::Include, L"INCLUDE", L"", "include"},
}};
constexpr size_t kLongestKeyword = 18;

const KeywordRow& row(StockReferenceKind kind) { return kKeywords[static_cast<size_t>(kind)]; }

bool isWordChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
}

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// Windows-1252's characters 0x80-0x9F; the rest are the same code points.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
} // namespace

const wchar_t* stockReferenceKeyword(StockReferenceKind kind) { return row(kind).keyword; }
const wchar_t* stockReferenceFolder(StockReferenceKind kind) { return row(kind).folder; }
const char* stockReferenceJsonName(StockReferenceKind kind) { return row(kind).json; }

bool flattenStockFile(const std::vector<unsigned char>& bytes, std::wstring& flattened) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return flattenConsist(bytes, flattened);
    std::wstring text;
    text.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b == 0) break;
        text += b >= 0x80 && b < 0xA0 ? static_cast<wchar_t>(kCp1252High[b - 0x80]) : static_cast<wchar_t>(b);
    }
    flattenLines(text, flattened);
    return true;
}

std::vector<StockReference> stockReferences(const std::wstring& flattened) {
    std::vector<StockReference> refs;
    std::wstring text = flattened;
    maskBracketsInPlace(text);
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        // One whole word; only a keyword's length is worth comparing.
        size_t end = i;
        while (end < n && isWordChar(text[end])) ++end;
        const size_t length = end - i;
        const KeywordRow* found = nullptr;
        if (length <= kLongestKeyword) {
            for (const KeywordRow& k : kKeywords) {
                size_t j = 0;
                while (k.keyword[j] && j < length && upper(text[i + j]) == k.keyword[j]) ++j;
                if (j == length && !k.keyword[j]) {
                    found = &k;
                    break;
                }
            }
        }
        i = end;
        if (!found) continue;
        size_t at = end;
        while (at < n && text[at] == L' ') ++at;
        if (at >= n || text[at] != kOpenMark) continue;
        ++at;
        while (at < n && text[at] == L' ') ++at;
        // The body's first token: a quoted text, or the run up to a blank or a mark.
        std::wstring name;
        if (at < n && text[at] == L'"') {
            const size_t close = text.find(L'"', at + 1);
            const size_t stop = close == std::wstring::npos ? n : close;
            name = text.substr(at + 1, stop - at - 1);
        } else {
            size_t stop = at;
            while (stop < n && text[stop] != L' ' && text[stop] != kOpenMark && text[stop] != kCloseMark &&
                   text[stop] != L'"')
                ++stop;
            name = text.substr(at, stop - at);
        }
        if (!name.empty()) refs.push_back({found->kind, std::move(name)});
    }
    return refs;
}

std::wstring joinStockPath(const std::wstring& folder, const std::wstring& name) {
    // The folder's own start (a drive "C:" or a share "\\server\share") is kept as is.
    size_t fixedEnd = 0;
    if (folder.size() >= 2 && isSeparator(folder[0]) && isSeparator(folder[1])) {
        size_t parts = 0;
        fixedEnd = 2;
        while (fixedEnd < folder.size() && parts < 2) {
            while (fixedEnd < folder.size() && !isSeparator(folder[fixedEnd])) ++fixedEnd;
            if (++parts < 2) ++fixedEnd;
        }
    } else {
        while (fixedEnd < folder.size() && !isSeparator(folder[fixedEnd])) ++fixedEnd;
    }
    std::wstring out = folder.substr(0, fixedEnd);
    const size_t base = out.size();
    const auto addParts = [&](const std::wstring& text, size_t from) {
        size_t p = from;
        while (p < text.size()) {
            while (p < text.size() && isSeparator(text[p])) ++p;
            size_t e = p;
            while (e < text.size() && !isSeparator(text[e])) ++e;
            const std::wstring_view part = std::wstring_view(text).substr(p, e - p);
            p = e;
            if (part.empty() || part == L".") continue;
            if (part == L"..") {
                const size_t cut = out.find_last_of(L'\\');
                out.resize(cut == std::wstring::npos || cut < base ? base : cut);
                continue;
            }
            out += L'\\';
            out += part;
        }
    };
    addParts(folder, fixedEnd);
    addParts(name, 0);
    return out;
}

} // namespace tw
