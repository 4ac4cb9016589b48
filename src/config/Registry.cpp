#include "config/Registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Errors.h"
#include "platform/Handle.h"

namespace tw {

namespace {
AppError cannotReadKey(const std::wstring& keyPath, LONG code) {
    return AppError(L"Cannot read registry key \"HKEY_LOCAL_MACHINE\\" + keyPath + L"\". " +
                    systemReason(static_cast<unsigned long>(code)));
}
} // namespace

RegistryFolder readRegistryFolder(const std::wstring& keyPath, const std::wstring& valueName) {
    RegistryFolder result;
    // Owned only once opened: the out-parameter's value after a failure is not documented.
    HKEY opened = nullptr;
    const LONG open = RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened);
    // Only an absent key means "not installed"; a refused one is said as such.
    if (open == ERROR_FILE_NOT_FOUND) return result;
    if (open != ERROR_SUCCESS) throw cannotReadKey(keyPath, open);
    const UniqueKey key(opened);
    result.keyExists = true;
    const LONG rc = readTextValue(key.get(), valueName.c_str(), result.folder);
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) return result; // the key without the value: an empty text
    if (rc == ERROR_UNSUPPORTED_TYPE) throw AppError(L"Invalid data type for '" + valueName + L"'");
    throw cannotReadKey(keyPath, rc);
}

LONG readTextValue(HKEY key, const wchar_t* valueName, std::wstring& text) {
    text.clear();
    // RRF_RT_REG_SZ takes REG_EXPAND_SZ too and gives it expanded; the text
    // comes back terminated, even when stored without its terminator. The
    // value may grow between two calls: the size is asked again each time.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG rc = RegGetValueW(key, nullptr, valueName, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes);
        if (rc == ERROR_SUCCESS) {
            text.assign(buffer.data(), wcsnlen(buffer.data(), bytes / sizeof(wchar_t)));
            return rc;
        }
        if (rc != ERROR_MORE_DATA) return rc;
        buffer.assign(std::max<size_t>(bytes / sizeof(wchar_t) + 1, buffer.size() * 2), L'\0');
    }
}

RegistryFolder simulatorFolder(const std::wstring& keyPath) { return readRegistryFolder(keyPath, kSimulatorValue); }

std::wstring simulatorFolderText(const std::wstring& keyPath) {
    const RegistryFolder found = simulatorFolder(keyPath);
    return found.keyExists ? found.folder : std::wstring(kSimulatorMissingText);
}

RegistryFolder trainStoreFolder(const std::wstring& keyPath) {
    RegistryFolder found = readRegistryFolder(keyPath, kTrainStoreValue);
    if (!found.keyExists) found.folder = kTrainStoreMissingText;
    return found;
}

} // namespace tw
