// The text helpers that need no system call: plain ASCII case and trimming.
// Kept apart so that code built without Windows (the fuzz target) uses them too.
#include "platform/Text.h"

namespace tw {

namespace {
template <typename S, typename V>
S upperImpl(V s) {
    S out(s);
    for (auto& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<typename S::value_type>(c - 'a' + 'A');
    return out;
}
} // namespace

std::wstring asciiUpper(std::wstring_view s) { return upperImpl<std::wstring>(s); }
std::string asciiUpper(std::string_view s) { return upperImpl<std::string>(s); }
std::wstring asciiLower(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

std::wstring trimControls(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned>(s[b]) <= 32u) ++b;
    while (e > b && static_cast<unsigned>(s[e - 1]) <= 32u) --e;
    return std::wstring(s.substr(b, e - b));
}
std::string trimControls(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32u) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32u) --e;
    return std::string(s.substr(b, e - b));
}

} // namespace tw
