#include "app/App.h"

#include "app/Registry.h"
#include "app/Settings.h"

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
} // namespace

int currentLanguageId() { return g_language; }
void setCurrentLanguageId(int language) { g_language = language; }

// The settings file and the registry are read and written by their own layers;
// these keep the names the window and its tests use.
std::wstring settingsFilePath() { return defaultSettingsPath(); }

std::optional<int> parseWholeDecimal(const std::wstring& text) { return parseWholeNumber(text); }

StartupSettings readStartupSettings(const std::wstring& path) {
    StartupSettings s;
    SettingsFile file(path);
    if (!file.exists()) return s;
    s.showWarning = file.warning();
    s.language = file.language();
    s.readActivities = file.activities();
    return s;
}

void writeLanguageSetting(const std::wstring& path, int language) { SettingsFile(path).writeLanguage(language); }

void writeActivitiesSetting(const std::wstring& path, bool readActivities) {
    SettingsFile(path).writeActivities(readActivities);
}

void writeNoWarningSetting(const std::wstring& path, int language) {
    SettingsFile file(path);
    file.writeWarning(false);
    file.writeLanguage(language);
}

std::optional<std::wstring> readMachineString(const std::wstring& key, const std::wstring& value) {
    RegistryFolder r = readRegistryFolder(key, value);
    if (!r.keyExists) return std::nullopt;
    return r.folder;
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
