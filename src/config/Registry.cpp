#include "config/Registry.h"

#include <windows.h>

#include <vector>

#include "platform/Errors.h"
#include "platform/Handle.h"

namespace tw {

RegistryFolder readRegistryFolder(const std::wstring& keyPath, const std::wstring& valueName) {
    RegistryFolder result;
    // Owned only once opened: the out-parameter's value after a failure is not documented.
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &opened) != ERROR_SUCCESS)
        return result;
    const UniqueKey key(opened);
    result.keyExists = true;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(L"Invalid data type for '" + valueName + L"'");
    if (rc == ERROR_SUCCESS && size > 0) {
        // Room for a terminator the stored data may lack.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) ==
            ERROR_SUCCESS)
            result.folder.assign(buffer.data(), wcsnlen(buffer.data(), bytes / sizeof(wchar_t)));
    }
    return result;
}

std::wstring simulatorFolderText(const std::wstring& keyPath) {
    const RegistryFolder found = readRegistryFolder(keyPath, L"EXE Path");
    return found.keyExists ? found.folder : std::wstring(kSimulatorMissingText);
}

RegistryFolder trainStoreFolder(const std::wstring& keyPath) {
    RegistryFolder found = readRegistryFolder(keyPath, L"Store Path");
    if (!found.keyExists) found.folder = kTrainStoreMissingText;
    return found;
}

} // namespace tw
