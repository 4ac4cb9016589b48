#include "config/OpenRailsProfiles.h"

#include <windows.h>

#include "config/Registry.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "platform/Text.h"

namespace tw {

namespace {
// A value name is at most 16,383 characters: one buffer of that size and its
// terminator takes every name, so the enumeration never needs to grow it.
constexpr DWORD kValueNameChars = 16384;
} // namespace

std::vector<OpenRailsProfile> openRailsProfiles(const std::wstring& keyPath) {
    std::vector<OpenRailsProfile> profiles;
    HKEY opened = nullptr;
    // HKEY_CURRENT_USER\Software is one key for 32- and 64-bit programs alike.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return profiles;
    const UniqueKey key(opened);
    std::vector<wchar_t> name(kValueNameChars);
    for (DWORD index = 0;; ++index) {
        DWORD chars = kValueNameChars;
        // Only the name: the data is read by name below, which expands and terminates it.
        const LONG rc = RegEnumValueW(key.get(), index, name.data(), &chars, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break; // ERROR_NO_MORE_ITEMS at the end
        if (chars == 0) continue;       // the key's unnamed value names no profile
        OpenRailsProfile profile{std::wstring(name.data(), chars), {}};
        if (readTextValue(key.get(), profile.name.c_str(), profile.folder) != ERROR_SUCCESS) continue;
        if (profile.folder.empty() || !directoryExists(profile.folder)) continue;
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

std::optional<OpenRailsProfile> findOpenRailsProfile(const std::vector<OpenRailsProfile>& profiles,
                                                     const std::wstring& name) {
    for (const OpenRailsProfile& p : profiles)
        if (compareFileSystemNoCase(p.name, name) == 0) return p;
    return std::nullopt;
}

} // namespace tw
