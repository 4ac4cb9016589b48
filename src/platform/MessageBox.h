#pragma once
// Every modal message box of the program goes through showMessageBox, so tests
// can record boxes instead of blocking on them.
#include <windows.h>

#include <functional>
#include <string>

namespace tw {

enum class MessageKind {
    Warning,          // caption "Warning", exclamation icon
    Error,            // caption "Error", stop icon
    Confirm,          // caption "Confirm", question icon
    Plain,            // caption = application title, no icon
    ApplicationError, // general error box: caption = application title, stop icon
};

enum class MessageButtons { Ok, OkCancel };

// Results: 1 for OK, 2 for Cancel (and for closing the box from its frame).
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

using MessageBoxHandler = std::function<int(const std::wstring& text, MessageKind, MessageButtons)>;

int showMessageBox(const std::wstring& text, MessageKind kind, MessageButtons buttons);

// Replaces the handler (tests, the command-line tool); returns the previous one.
// An empty handler restores the system box.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// The application title, used as caption of plain boxes.
const std::wstring& applicationTitle();
void setApplicationTitle(std::wstring title);

// The window that owns a box when none of the program's windows is active.
// A box belongs to the active window otherwise; when it closes, that window
// is active again with the focus where it was.
void setMessageBoxMainWindow(HWND mainWindow);

// The system box itself, bypassing any handler.
int systemMessageBox(const std::wstring& text, MessageKind kind, MessageButtons buttons);

} // namespace tw
