// The two text helpers the consist reader uses, for the native fuzz build:
// the real ones live in platform/Text.cpp beside Windows-only conversions.
#include "platform/Text.h"

namespace tw {

std::wstring asciiUpper(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

std::wstring trimControls(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned>(s[b]) <= 32u) ++b;
    while (e > b && static_cast<unsigned>(s[e - 1]) <= 32u) --e;
    return std::wstring(s.substr(b, e - b));
}

} // namespace tw
