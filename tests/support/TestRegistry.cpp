#include "support/TestRegistry.h"

#include <gtest/gtest.h>

namespace twtest {

void setRegistryValue(const std::wstring& keyPath, const wchar_t* name, const std::wstring& value, DWORD type,
                      HKEY root) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void removeSoftwareKey(const std::wstring& name, HKEY root) {
    // Opened in the 32-bit view: a path given to RegDeleteTreeW from HKEY_LOCAL_MACHINE
    // itself would be looked up in the 64-bit view and miss these keys.
    HKEY software = nullptr;
    if (RegOpenKeyExW(root, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software) !=
        ERROR_SUCCESS)
        return;
    RegDeleteTreeW(software, name.c_str());
    RegCloseKey(software);
}

} // namespace twtest
