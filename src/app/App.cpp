#include "app/App.h"

#include "config/OpenRailsProfiles.h"
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
#include <string>
#include <vector>

namespace tw {

int runApplication() {
    // The system dialogs are COM objects: the thread stays in its apartment
    // for the whole run, left after the windows.
    const ComApartment com;
    setApplicationTitle(L"Trackwend");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    MainWindow::Environment env;
    env.settingsPath = defaultSettingsPath();
    // A registry value of the wrong type is reported; the window still comes up.
    guardAction([&] {
        const RegistryFolder simulator = simulatorFolder();
        if (simulator.keyExists) env.simulatorFolder = simulator.folder;
    });
    env.openRailsProfiles = openRailsProfiles();
    guardAction([&] {
        const RegistryFolder store = trainStoreFolder();
        if (store.keyExists) env.trainStoreFolder = store.folder;
    });

    MainWindow main(std::move(env));
    if (!main.createWindow()) return 1;
    setMessageBoxMainWindow(main.hwnd());
    ScopeGuard mainGone([] { setMessageBoxMainWindow(nullptr); });
    ResultsWindow results;
    results.createWindow(main.hwnd());
    main.setResultsWindow(&results);
    HelpWindow help;
    main.setHelpWindow(&help);
    help.createWindow(true);
    ShowWindow(main.hwnd(), SW_SHOWNORMAL);
    const int code = runMessageLoop();
    showQueuedErrors();   // one raised by the last messages (a failed save at close)
    return code;
}

} // namespace tw
