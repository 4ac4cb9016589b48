#pragma once
// The settings at start-up and at close: the saved language and activities
// option applied at the main window's first activation, the start-up warning
// unless the settings turned it off, and both written back at close.
#include <functional>
#include <string>

namespace tw {

class MainWindow;

// showWarning empty: the real warning dialog.
void applyStartupSettings(MainWindow& window, const std::wstring& settingsPath,
                          const std::function<void(MainWindow&)>& showWarning);

// Only into a settings file that exists: the program never creates one.
void saveSettingsAtClose(const std::wstring& settingsPath, int language, bool readActivities);

} // namespace tw
