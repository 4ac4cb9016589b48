#include "app/App.h"

#include "config/Registry.h"
#include "config/Settings.h"

#include "platform/Errors.h"
#include "platform/Handle.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "report/ResultsWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <optional>
#include <string>
#include <vector>

namespace tw {

namespace {
// A string value of HKLM (32-bit view); nullopt when the key is absent.
std::optional<std::wstring> readMachineString(const std::wstring& key, const std::wstring& value) {
    RegistryFolder r = readRegistryFolder(key, value);
    if (!r.keyExists) return std::nullopt;
    return r.folder;
}
constexpr wchar_t kSimulatorValue[] = L"EXE Path";
constexpr wchar_t kTrainStoreValue[] = L"Store Path";
} // namespace

int runApplication() {
    // The folder chooser is a COM object: Windows creates it only on a thread
    // that has joined a single-threaded apartment. Released after the windows.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ScopeGuard comEnd([com] {
        if (SUCCEEDED(com)) CoUninitialize();
    });
    setApplicationTitle(L"Trackwend");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    TForm1::Environment env;
    env.settingsPath = defaultSettingsPath();
    // A registry value of the wrong type is reported; the window still comes up.
    guardAction([&] { env.simulatorFolder = readMachineString(kSimulatorKey, kSimulatorValue); });
    guardAction([&] { env.trainStoreFolder = readMachineString(kTrainStoreKey, kTrainStoreValue); });

    TForm1 main(std::move(env));
    if (!main.createWindow()) return 1;
    setMessageBoxMainWindow(main.hwnd());
    ScopeGuard mainGone([] { setMessageBoxMainWindow(nullptr); });
    TFormRes results;
    results.createWindow(main.hwnd());
    main.setResultsWindow(&results);
    TFormHelp help;
    main.setHelpWindow(&help);
    help.createWindow(true);
    ShowWindow(main.hwnd(), SW_SHOWNORMAL);
    const int code = runMessageLoop();
    showQueuedErrors();   // one raised by the last messages (a failed save at close)
    return code;
}

} // namespace tw
