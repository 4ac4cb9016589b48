#include "analysis/ConsistReader.h"

#include "platform/Text.h"

#include <algorithm>
#include <array>

namespace tw {

const wchar_t* const kMsgUnicodeDecoding = L"Erreur de d\u00E9codage du fichier unicode !";

namespace {
// Windows-1252's characters 0x80-0x9F; the rest are the same code points.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool startsWith(std::wstring_view s, std::wstring_view prefix) { return s.substr(0, prefix.size()) == prefix; }

void appendLine(std::wstring& out, std::wstring_view line) {
    for (wchar_t c : line) {
        if (c == L'\t') out += L' ';
        else if (c >= 32) out += c;
    }
    out += L' ';
}

// Positions the searches of consistReferences have stepped over on this thread.
thread_local unsigned long long scanSteps = 0;

// Position of the keyword in the text, letters a-z compared as upper case.
size_t findUpper(std::wstring_view text, const std::wstring& keyword) {
    if (keyword.empty() || keyword.size() > text.size()) return std::wstring::npos;
    const size_t last = text.size() - keyword.size();
    for (size_t i = 0; i <= last; ++i) {
        ++scanSteps;
        size_t k = 0;
        for (; k < keyword.size(); ++k) {
            wchar_t c = text[i + k];
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            if (c != keyword[k]) break;
        }
        if (k == keyword.size()) return i;
    }
    return std::wstring::npos;
}

std::wstring trimBlanks(const std::wstring& s) {
    size_t b = s.find_first_not_of(L' ');
    if (b == std::wstring::npos) return {};
    size_t e = s.find_last_not_of(L' ');
    return s.substr(b, e - b + 1);
}
} // namespace

bool flattenConsist(const std::vector<unsigned char>& bytes, std::wstring& flattened) {
    flattened.clear();
    if (bytes.size() <= 3 || bytes[0] != 0xFF || bytes[1] != 0xFE) return false;

    // The whole UTF-16 text is kept: narrowing it would corrupt every character
    // above U+00FF and could end the text or break a line in the middle of a name.
    // Reused from call to call: the analysis reads thousands of consists.
    thread_local std::wstring text;
    text.clear();
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 2 <= bytes.size(); i += 2) {
        wchar_t unit = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) break;
        text += unit;
    }

    flattenLines(text, flattened);
    return true;
}

wchar_t windows1252Char(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? static_cast<wchar_t>(kCp1252High[b - 0x80]) : static_cast<wchar_t>(b);
}

std::wstring decodeSimulatorText(const std::vector<unsigned char>& bytes) {
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 2 <= bytes.size(); i += 2) {
            const wchar_t unit = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
            if (unit == 0) break;
            text += unit;
        }
        return text;
    }
    text.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b == 0) break;
        text += windows1252Char(b);
    }
    return text;
}

bool flattenSimulatorText(const std::vector<unsigned char>& bytes, std::wstring& flattened) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return flattenConsist(bytes, flattened);
    flattenLines(decodeSimulatorText(bytes), flattened);
    return true;
}

void flattenLines(std::wstring_view text, std::wstring& flattened) {
    flattened.clear();
    bool header = true;
    size_t pos = 0;
    const size_t n = text.size();
    while (pos < n) {
        size_t end = pos;
        while (end < n && text[end] != L'\r' && text[end] != L'\n') ++end;
        const std::wstring_view line = text.substr(pos, end - pos);
        if (end < n) {
            if (text[end] == L'\r' && end + 1 < n && text[end + 1] == L'\n') end += 2;
            else end += 1;
        }
        pos = end;
        if (header) {
            header = false;
            continue;
        }
        if (line.empty() || startsWith(line, L"//") || startsWith(line, L"SIM")) continue;
        appendLine(flattened, line);
    }
}

std::wstring_view maskedToken(std::wstring_view text, std::size_t at, std::size_t& stop) {
    const std::size_t n = text.size();
    while (at < n && text[at] == L' ') ++at;
    if (at < n && text[at] == L'"') {
        const std::size_t close = text.find(L'"', at + 1);
        stop = close == std::wstring_view::npos ? n : close + 1;
        return text.substr(at + 1, (close == std::wstring_view::npos ? n : close) - at - 1);
    }
    stop = at;
    while (stop < n && text[stop] != L' ' && text[stop] != kOpenMark && text[stop] != kCloseMark && text[stop] != L'"')
        ++stop;
    return text.substr(at, stop - at);
}

void maskBracketsInPlace(std::wstring& out) {
    bool outside = true;
    for (auto& c : out) {
        if (c == L'"') outside = !outside;
        else if (outside && c == L'(') c = kOpenMark;
        else if (outside && c == L')') c = kCloseMark;
    }
}

std::wstring maskBrackets(const std::wstring& text) {
    std::wstring out = text;
    maskBracketsInPlace(out);
    return out;
}

void blankSkippedBlocks(std::wstring& text) {
    const size_t n = text.size();
    const auto upperIs = [&](size_t from, size_t to, std::wstring_view word) {
        if (to - from != word.size()) return false;
        for (size_t k = 0; k < word.size(); ++k) {
            wchar_t c = text[from + k];
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            if (c != word[k]) return false;
        }
        return true;
    };
    size_t i = 0;
    while (i < n) {
        const wchar_t c = text[i];
        if (c == L' ' || c == kOpenMark || c == kCloseMark) {
            ++i;
            continue;
        }
        if (c == L'"') { // a quoted token is a name, never a keyword
            const size_t close = text.find(L'"', i + 1);
            i = close == std::wstring::npos ? n : close + 1;
            continue;
        }
        size_t end = i;
        while (end < n && text[end] != L' ' && text[end] != kOpenMark && text[end] != kCloseMark && text[end] != L'"')
            ++end;
        size_t at = end;
        while (at < n && text[at] == L' ') ++at;
        const bool skipped = at < n && text[at] == kOpenMark &&
                             (c == L'#' || c == L'_' || upperIs(i, end, L"SKIP") || upperIs(i, end, L"COMMENT"));
        if (!skipped) {
            i = end;
            continue;
        }
        size_t depth = 0, stop = at;
        for (; stop < n; ++stop) {
            if (text[stop] == kOpenMark) ++depth;
            else if (text[stop] == kCloseMark && --depth == 0) break;
        }
        stop = stop < n ? stop + 1 : n;
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(stop), L' ');
        i = stop;
    }
}

std::wstring extractNextEntry(std::wstring& text, const std::wstring& firstKeyword, const std::wstring& secondKeyword) {
    size_t p1 = findUpper(text, firstKeyword);
    size_t p2 = findUpper(text, secondKeyword);
    if (p1 == std::wstring::npos && p2 == std::wstring::npos) {
        text.clear();
        return {};
    }
    bool first = p2 == std::wstring::npos || (p1 != std::wstring::npos && p1 <= p2);
    const std::wstring& keyword = first ? firstKeyword : secondKeyword;
    size_t at = first ? p1 : p2;
    text = trimControls(std::wstring_view(text).substr(at + keyword.size()));

    if (!text.empty() && text[0] == kOpenMark) {
        // A body that holds another open mark is malformed: no entry, and the
        // inner one is found on a later call.
        size_t close = text.find(kCloseMark, 1);
        if (close != std::wstring::npos && std::wstring_view(text).substr(1, close - 1).find(kOpenMark) == std::wstring::npos)
            return keyword + L"\\" + trimBlanks(text.substr(1, close - 1));
    }
    return {};
}

std::wstring normaliseEntry(const std::wstring& rawEntry) {
    std::wstring s = asciiUpper(trimBlanks(rawEntry));
    std::wstring ext;
    if (!s.empty() && s[0] == L'E') ext = L".ENG";
    else if (!s.empty() && s[0] == L'W') ext = L".WAG";

    size_t slash = s.find(L'\\');
    std::wstring rest = slash == std::wstring::npos ? std::wstring() : s.substr(slash + 1);

    std::wstring name, folder;
    if (!rest.empty() && rest[0] == L'"') {
        rest.erase(0, 1);
        size_t q = rest.find(L'"');
        if (q == std::wstring::npos) {
            folder = rest;
        } else {
            name = rest.substr(0, q);
            folder = trimBlanks(rest.substr(q + 1));
        }
    } else {
        size_t blank = rest.find(L' ');
        if (blank == std::wstring::npos) {
            folder = rest;
        } else {
            name = rest.substr(0, blank);
            folder = trimBlanks(rest.substr(blank + 1));
        }
    }
    if (folder.find(L'"') != std::wstring::npos) {
        folder = folder.size() >= 2 ? folder.substr(1, folder.size() - 2) : std::wstring();
    }
    return folder + L"\\" + name + ext;
}

unsigned long long consistScanSteps() { return scanSteps; }

std::vector<std::wstring> consistReferences(const std::wstring& flattened) {
    static const std::wstring engine = L"ENGINEDATA", wagon = L"WAGONDATA";
    std::vector<std::wstring> refs;
    thread_local std::wstring text;
    text = flattened;
    maskBracketsInPlace(text);
    blankSkippedBlocks(text);
    // extractNextEntry over and over, with the remaining text kept as a range
    // instead of a copy per entry (a consist holds thousands of characters).
    // The next position of each keyword and of each mark is kept until the
    // range passes it: every search starts where the last one of its kind
    // stopped, so a malformed text costs no more than a well-formed one.
    constexpr size_t none = std::wstring::npos;
    size_t begin = 0, end = text.size();
    const auto isControl = [&](size_t i) { return static_cast<unsigned>(text[i]) <= 32u; };
    const auto findFrom = [&](const std::wstring& keyword, size_t from) {
        const size_t at = findUpper(std::wstring_view(text).substr(from, end - from), keyword);
        return at == none ? at : from + at;
    };
    const auto findMark = [&](wchar_t mark, size_t from) {
        const size_t at = text.find(mark, from);
        scanSteps += (at == none ? text.size() : at + 1) - std::min(from, text.size());
        return at;
    };
    size_t p1 = findFrom(engine, begin), p2 = findFrom(wagon, begin);
    size_t open = findMark(kOpenMark, 0), close = findMark(kCloseMark, 0);
    while (begin < end) {
        if (p1 != none && p1 < begin) p1 = findFrom(engine, begin);
        if (p2 != none && p2 < begin) p2 = findFrom(wagon, begin);
        if (p1 == none && p2 == none) break;
        const bool first = p2 == none || (p1 != none && p1 <= p2);
        const std::wstring& keyword = first ? engine : wagon;
        begin = (first ? p1 : p2) + keyword.size();
        while (begin < end && isControl(begin)) ++begin;
        while (end > begin && isControl(end - 1)) --end;
        if (begin < end && text[begin] == kOpenMark) {
            // The body runs to the next close mark and holds no open mark.
            if (open != none && open <= begin) open = findMark(kOpenMark, begin + 1);
            if (close != none && close <= begin) close = findMark(kCloseMark, begin + 1);
            if (close != none && close < end && (open == none || open > close))
                refs.push_back(normaliseEntry(keyword + L"\\" + trimBlanks(text.substr(begin + 1, close - begin - 1))));
        }
    }
    return refs;
}

} // namespace tw
