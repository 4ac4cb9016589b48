#pragma once
// The two installation folders as the registry records them (HKEY_LOCAL_MACHINE,
// 32-bit view, read-only). The key paths are parameters so tests use their own keys.
#include <string>

#include <windows.h>

namespace tw {

inline constexpr wchar_t kSimulatorKey[] = L"Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0";
inline constexpr wchar_t kTrainStoreKey[] = L"Software\\Darnveil\\Train Store";
inline constexpr wchar_t kSimulatorValue[] = L"EXE Path";
inline constexpr wchar_t kTrainStoreValue[] = L"Store Path";

inline constexpr wchar_t kSimulatorMissingText[] = L"< ERREUR : MSTS ne semble pas installé sur cette machine. >";
inline constexpr wchar_t kTrainStoreMissingText[] = L"Train Store non trouvé";

struct RegistryFolder {
    bool keyExists = false;
    std::wstring folder; // empty when the key exists without the value
};

// Reads a string value (an expandable one expanded); a missing key gives
// keyExists false, a missing value an empty text; a value of another type
// throws AppError "Invalid data type for '<name>'", a key that is there but
// cannot be read (access refused) AppError "Cannot read registry key ...".
RegistryFolder readRegistryFolder(const std::wstring& keyPath, const std::wstring& valueName);

// One text value of an open key (an expandable one expanded) into text: the
// system's status, ERROR_FILE_NOT_FOUND for an absent value and
// ERROR_UNSUPPORTED_TYPE for a value that is no text.
LONG readTextValue(HKEY key, const wchar_t* valueName, std::wstring& text);

// "EXE Path" as the registry holds it. The window and the command-line tool
// both read the two folders through this and trainStoreFolder.
RegistryFolder simulatorFolder(const std::wstring& keyPath = kSimulatorKey);

// "EXE Path", or the error text that stands in its place when the key is absent.
std::wstring simulatorFolderText(const std::wstring& keyPath = kSimulatorKey);

// "Store Path" and whether the key exists (the window then keeps its browse folder).
RegistryFolder trainStoreFolder(const std::wstring& keyPath = kTrainStoreKey);

} // namespace tw
