#include "config/Settings.h"

#include <windows.h>

#include "platform/Errors.h"
#include "platform/Files.h"

namespace tw {

namespace {
constexpr wchar_t kSection[] = L"Init";
constexpr wchar_t kWarningKey[] = L"Warning";
constexpr wchar_t kLanguageKey[] = L"Language";
constexpr wchar_t kActivitiesKey[] = L"Activities";
} // namespace

std::wstring defaultSettingsPath() {
    std::wstring path = executablePath();
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
    return path + L".INI";
}

std::optional<int> parseWholeNumber(const std::wstring& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        value = value * 10 + (text[i] - L'0');
        if (value > 2147483648LL) return std::nullopt; // out of int range
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<int>(value);
}

SettingsFile::SettingsFile(std::wstring path) : path_(std::move(path)) {}

bool SettingsFile::exists() const { return fileExists(path_); }

std::optional<int> SettingsFile::readNumber(const wchar_t* key) const {
    // The whole value: cut short, "000...0001" would read as 0. A value that
    // fills the buffer may have been cut, so it is read again in a larger one.
    std::wstring buffer(64, L'\0');
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(kSection, key, L"", buffer.data(), static_cast<DWORD>(buffer.size()),
                                                 path_.c_str());
        if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) return parseWholeNumber(buffer.substr(0, n));
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

bool SettingsFile::warning() const { return readNumber(kWarningKey).value_or(1) != 0; }

int SettingsFile::language() const { return readNumber(kLanguageKey).value_or(0); }

bool SettingsFile::activities() const { return readNumber(kActivitiesKey).value_or(0) != 0; }

void SettingsFile::write(const wchar_t* key, const std::wstring& value) const {
    if (!WritePrivateProfileStringW(kSection, key, value.c_str(), path_.c_str()))
        throw AppError(L"Unable to write to " + path_);
}

void SettingsFile::writeWarning(bool show) const { write(kWarningKey, show ? L"1" : L"0"); }

void SettingsFile::writeLanguage(int languageId) const { write(kLanguageKey, std::to_wstring(languageId)); }

void SettingsFile::writeActivities(bool read) const { write(kActivitiesKey, read ? L"1" : L"0"); }

StartupSettings readStartupSettings(const SettingsFile& file) {
    StartupSettings s;
    if (!file.exists()) return s;
    s.showWarning = file.warning();
    s.language = file.language();
    s.readActivities = file.activities();
    return s;
}

} // namespace tw
