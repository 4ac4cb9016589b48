#include "ui/StartupFlow.h"

#include "config/Settings.h"
#include "platform/Files.h"
#include "text/LanguageTable.h"
#include "ui/MainWindow.h"
#include "ui/WarningDialog.h"

namespace tw {

namespace {

void showWarningDialog(MainWindow& window, const std::wstring& settingsPath) {
    WarningDialog::Callbacks cb;
    cb.interfaceIsEnglish = [&window] { return IsWindowVisible(window.control(MainWindow::IdFrench)) != FALSE; };
    cb.mainFrenchClick = [&window] { window.onFrench(); };
    cb.mainEnglishClick = [&window] { window.onEnglish(); };
    cb.writeNoWarning = [settingsPath](int language) {
        const SettingsFile file(settingsPath);
        file.writeWarning(false);
        file.writeLanguage(language);
    };
    WarningDialog dialog(std::move(cb));
    if (dialog.createWindow()) dialog.showModal();
}

} // namespace

void applyStartupSettings(MainWindow& window, const std::wstring& settingsPath,
                          const std::function<void(MainWindow&)>& showWarning) {
    const StartupSettings s = readStartupSettings(SettingsFile(settingsPath));
    if (s.language) setCurrentLanguageId(*s.language);
    if (s.readActivities) window.setReadActivities(*s.readActivities);
    if (currentLanguageId() == 1) window.onEnglish();
    else window.onFrench();
    if (!s.showWarning) return;
    if (showWarning) showWarning(window);
    else showWarningDialog(window, settingsPath);
}

void saveSettingsAtClose(const std::wstring& settingsPath, int language, bool readActivities) {
    // As at start-up, a folder of that name is no settings file; and no file
    // is made here: only the warning's check box creates one.
    const SettingsFile file(settingsPath);
    if (!file.exists()) return;
    file.writeLanguage(language);
    file.writeActivities(readActivities);
}

} // namespace tw
