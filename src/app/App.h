#pragma once
// Program-wide values and the start-up order: the current interface language,
// the settings file, the two folders read from the registry, and the entry
// that creates the windows and runs the message loop.
#include "app/Registry.h"
#include <optional>
#include <string>

namespace tw {

// 0 French, 1 English; anything but 1 reads as French.
int currentLanguageId();
void setCurrentLanguageId(int language);

// The executable's full path with its extension replaced by ".INI".
std::wstring settingsFilePath();

struct StartupSettings {
    bool showWarning = true;
    std::optional<int> language; // nullopt: leave the current language
    std::optional<bool> readActivities; // nullopt: leave the option as it is
};
// Reads section "Init"; values that are not whole decimal numbers give the defaults.
StartupSettings readStartupSettings(const std::wstring& path);
// Writes "Language"; throws AppError "Unable to write to <path>" on failure.
void writeLanguageSetting(const std::wstring& path, int language);
// Writes "Activities" (1 or 0), failing in the same way.
void writeActivitiesSetting(const std::wstring& path, bool readActivities);
// Writes "Warning" = 0 then "Language" (the warning dialog's "do not show again").
void writeNoWarningSetting(const std::wstring& path, int language);
// A whole decimal number, optionally signed; nullopt otherwise.
std::optional<int> parseWholeDecimal(const std::wstring& text);

// A string value of HKLM (32-bit view). nullopt when the key is absent; an
// empty text when the key exists without the value; AppError "Invalid data
// type for '<name>'" when the value is not text.
std::optional<std::wstring> readMachineString(const std::wstring& key, const std::wstring& value);

inline constexpr wchar_t kSimulatorValue[] = L"EXE Path";
inline constexpr wchar_t kTrainStoreValue[] = L"Store Path";

// Creates the windows in start-up order and runs the message loop.
int runApplication();

} // namespace tw
