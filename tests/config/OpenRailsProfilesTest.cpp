#include <gtest/gtest.h>

#include <windows.h>

#include "config/OpenRailsProfiles.h"
#include "support/TempFolder.h"
#include "support/TestRegistry.h"

using namespace tw;

TEST(OpenRailsProfiles, OnlyTextValuesNamingAFolderThatIsThereAreProfiles) {
    const std::wstring key = L"Software\\TrackwendProfileTests\\Folders";
    twtest::TempFolder t;
    twtest::removeSoftwareKey(L"TrackwendProfileTests", HKEY_CURRENT_USER);
    EXPECT_TRUE(openRailsProfiles(key).empty()) << "no key";
    auto set = [&](const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) {
        twtest::setRegistryValue(key, name, value, type, HKEY_CURRENT_USER);
    };
    set(L"Main", t.makeDir(L"Main"));
    set(L"Gone", t / L"Gone");
    set(L"Empty", L"");
    set(L"Binary", t.makeDir(L"Binary"), REG_BINARY);
    set(L"", t.makeDir(L"Unnamed"));
    SetEnvironmentVariableW(L"TW_PROFILE_ROOT", t.path().c_str());
    set(L"\u00C9t\u00E9", L"%TW_PROFILE_ROOT%\\Main", REG_EXPAND_SZ);
    const auto profiles = openRailsProfiles(key);
    twtest::removeSoftwareKey(L"TrackwendProfileTests", HKEY_CURRENT_USER);
    ASSERT_EQ(profiles.size(), 2u);
    const auto summer = findOpenRailsProfile(profiles, L"\u00E9T\u00C9");
    ASSERT_TRUE(summer.has_value()) << "letter case ignored, accents too";
    EXPECT_EQ(summer->folder, t / L"Main") << "expanded";
    EXPECT_EQ(findOpenRailsProfile(profiles, L"MAIN")->folder, t / L"Main");
    EXPECT_FALSE(findOpenRailsProfile(profiles, L"Gone").has_value());
}
