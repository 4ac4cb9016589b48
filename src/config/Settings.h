#pragma once
// The small INI file beside the executable that remembers the interface
// language, whether the start-up warning is wanted and whether activities are
// read (section "Init").
#include <optional>
#include <string>

namespace tw {

// The executable's full path with its extension replaced by ".INI".
std::wstring defaultSettingsPath();

// A whole decimal number with an optional sign; nothing else accepted.
std::optional<int> parseWholeNumber(const std::wstring& text);

class SettingsFile {
public:
    explicit SettingsFile(std::wstring path = defaultSettingsPath());

    const std::wstring& path() const { return path_; }
    bool exists() const;

    // Unreadable files and values that are not whole numbers give the defaults.
    bool warning() const;    // default true; any non-zero number is true
    int language() const;    // default 0
    bool activities() const; // default false; any non-zero number is true

    // Throw AppError "Unable to write to <path>" when the file cannot be written.
    void writeWarning(bool show) const;
    void writeLanguage(int languageId) const;
    void writeActivities(bool read) const;

private:
    std::optional<int> readNumber(const wchar_t* key) const;
    void write(const wchar_t* key, const std::wstring& value) const;

    std::wstring path_;
};

// What the main window reads at its first activation: the defaults when there
// is no settings file (a folder of that name is none either).
struct StartupSettings {
    bool showWarning = true;
    std::optional<int> language; // nullopt: leave the current language
    std::optional<bool> readActivities; // nullopt: leave the option as it is
};
StartupSettings readStartupSettings(const SettingsFile& file);

} // namespace tw
