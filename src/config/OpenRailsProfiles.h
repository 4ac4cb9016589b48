#pragma once
// Open Rails' installation profiles: the content folders its users have named,
// one text value per profile under HKEY_CURRENT_USER (the value's name is the
// profile's name, its data the folder). Read only; the key path is a
// parameter so tests use their own key.
#include <optional>
#include <string>
#include <vector>

namespace tw {

inline constexpr wchar_t kOpenRailsFoldersKey[] = L"Software\\OpenRails\\ORTS\\Folders";

struct OpenRailsProfile {
    std::wstring name;
    std::wstring folder;
};

// The profiles in the order the registry enumerates them. A value that is no
// text, has no name, holds no folder or names a folder that is not there is
// left out, as is everything when the key is absent or cannot be read: the
// profiles are an offer, never an error.
std::vector<OpenRailsProfile> openRailsProfiles(const std::wstring& keyPath = kOpenRailsFoldersKey);

// The profile of that name, letter case ignored.
std::optional<OpenRailsProfile> findOpenRailsProfile(const std::vector<OpenRailsProfile>& profiles,
                                                     const std::wstring& name);

} // namespace tw
