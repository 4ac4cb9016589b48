#include "app/App.h"

#include "platform/Errors.h"
#include "platform/Handle.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "report/ResultsWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <vector>

namespace tw {

namespace {
int g_language = 0;
constexpr wchar_t kSection[] = L"Init";

std::wstring readIniString(const std::wstring& path, const wchar_t* key) {
    std::vector<wchar_t> buf(256);
    const DWORD n = GetPrivateProfileStringW(kSection, key, L"", buf.data(), static_cast<DWORD>(buf.size()),
                                             path.c_str());
    return std::wstring(buf.data(), n);
}

void writeIni(const std::wstring& path, const wchar_t* key, const std::wstring& value) {
    if (!WritePrivateProfileStringW(kSection, key, value.c_str(), path.c_str()))
        throw AppError(L"Unable to write to " + path);
}
} // namespace

int currentLanguageId() { return g_language; }
void setCurrentLanguageId(int language) { g_language = language; }

std::wstring settingsFilePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            std::wstring path(buf.data(), n);
            const auto slash = path.find_last_of(L"\\/");
            const auto dot = path.find_last_of(L'.');
            if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.resize(dot);
            return path + L".INI";
        }
        buf.resize(buf.size() * 2);
    }
}

std::optional<int> parseWholeDecimal(const std::wstring& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return std::nullopt;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        v = v * 10 + (text[i] - L'0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return std::nullopt;
    return static_cast<int>(v);
}

StartupSettings readStartupSettings(const std::wstring& path) {
    StartupSettings s;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return s;
    if (auto w = parseWholeDecimal(readIniString(path, L"Warning"))) s.showWarning = *w != 0;
    s.language = parseWholeDecimal(readIniString(path, L"Language")).value_or(0);
    return s;
}

void writeLanguageSetting(const std::wstring& path, int language) {
    writeIni(path, L"Language", std::to_wstring(language));
}

void writeNoWarningSetting(const std::wstring& path, int language) {
    writeIni(path, L"Warning", L"0");
    writeIni(path, L"Language", std::to_wstring(language));
}

std::optional<std::wstring> readMachineString(const std::wstring& key, const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &raw) != ERROR_SUCCESS)
        return std::nullopt;
    UniqueKey k(raw);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(k.get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::wstring();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw AppError(L"Invalid data type for '" + value + L"'");
    std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = size;
    if (RegQueryValueExW(k.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::wstring();
    buf[bytes / sizeof(wchar_t)] = L'\0';
    return std::wstring(buf.data());
}

int runApplication() {
    setApplicationTitle(L"Trackwend");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    TForm1::Environment env;
    env.settingsPath = settingsFilePath();
    // A registry value of the wrong type is reported; the window still comes up.
    guardAction([&] { env.simulatorFolder = readMachineString(kSimulatorKey, kSimulatorValue); });
    guardAction([&] { env.trainStoreFolder = readMachineString(kTrainStoreKey, kTrainStoreValue); });

    TForm1 main(std::move(env));
    if (!main.createWindow()) return 1;
    TFormRes results;
    results.createWindow(main.hwnd());
    main.setResultsWindow(&results);
    TFormHelp help;
    main.setHelpWindow(&help);
    help.createWindow(true);
    ShowWindow(main.hwnd(), SW_SHOWNORMAL);
    return runMessageLoop();
}

} // namespace tw
