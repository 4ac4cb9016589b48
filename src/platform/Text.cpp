#include "platform/Text.h"

#include <windows.h>

namespace tw {

std::string toCp1252(std::wstring_view s) {
    if (s.empty()) return {};
    int n = ::WideCharToMultiByte(1252, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(1252, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}
bool toCp1252Exactly(std::wstring_view s, std::string& out) {
    out.clear();
    if (s.empty()) return true;
    // Without the flag the system writes a look-alike (c for \u010D) and says
    // nothing; with it every such character takes the default and is reported.
    const int length = static_cast<int>(s.size());
    BOOL usedDefault = FALSE;
    int n = ::WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, s.data(), length, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out.assign(static_cast<size_t>(n), '\0');
    n = ::WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, s.data(), length, out.data(), n, nullptr, &usedDefault);
    return n == static_cast<int>(out.size()) && !usedDefault;
}
std::wstring fromCp1252(std::string_view s) {
    if (s.empty()) return {};
    int n = ::MultiByteToWideChar(1252, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(1252, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}
std::string toUtf8(std::wstring_view s) {
    if (s.empty()) return {};
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}
std::wstring fromUtf8(std::string_view s) {
    if (s.empty()) return {};
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

int compareUserLocaleNoCase(std::wstring_view a, std::wstring_view b) {
    int r = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                              b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    if (r == 0) {
        // The call cannot fail on valid input; fall back to an ordinal order just in case.
        std::wstring ua = asciiUpper(a), ub = asciiUpper(b);
        return ua.compare(ub);
    }
    return r - CSTR_EQUAL;
}

int compareFileSystemNoCase(std::wstring_view a, std::wstring_view b) {
    if (!a.empty() && !b.empty()) {
        const int r = ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE);
        if (r != 0) return r - CSTR_EQUAL;
    }
    // An empty text (and a failed call, which valid input never gives): the
    // same order from the upper-case forms.
    const int c = fileSystemUpper(a).compare(fileSystemUpper(b));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::wstring fileSystemUpper(std::wstring_view s) {
    bool ascii = true;
    for (wchar_t c : s) ascii = ascii && c < 0x80;
    // Nearly every name is plain ASCII, where the table is the a-z one.
    if (ascii) return asciiUpper(s);
    // Without LCMAP_LINGUISTIC_CASING this is the file system's table, one
    // code unit for one: the length does not change.
    std::wstring out(s.size(), L'\0');
    const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, s.data(), static_cast<int>(s.size()),
                                  out.data(), static_cast<int>(out.size()), nullptr, nullptr, 0);
    if (n != static_cast<int>(s.size())) return asciiUpper(s);
    return out;
}

std::string userLocaleSortKey(std::wstring_view s) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // A zero length is refused: the empty text goes as a terminated one.
    const int length = s.empty() ? -1 : static_cast<int>(s.size());
    if (s.empty()) s = std::wstring_view(L"", 1);
    // Keys are a few bytes per character: most fit the first buffer.
    std::string key(s.size() * 4 + 32, '\0');
    int n = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, s.data(), length, reinterpret_cast<LPWSTR>(key.data()),
                            static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (n == 0 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        n = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, s.data(), length, nullptr, 0, nullptr, nullptr, 0);
        if (n <= 0) return {};
        key.assign(static_cast<size_t>(n), '\0');
        n = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, s.data(), length, reinterpret_cast<LPWSTR>(key.data()),
                            n, nullptr, nullptr, 0);
    }
    if (n <= 0) return {};
    key.resize(static_cast<size_t>(n));
    return key;
}

std::wstring formatOne(std::wstring_view format, std::wstring_view value) {
    std::wstring out(format);
    auto pos = out.find(L"%s");
    if (pos != std::wstring::npos) out.replace(pos, 2, value);
    return out;
}

} // namespace tw
