#pragma once
// The shell's file dialogs: the folder chooser and the Save As dialog.
#include "platform/Errors.h"

#include <windows.h>
#include <shobjidl.h>

#include <functional>
#include <optional>
#include <string>

namespace tw {

// Creates the shell's dialog of that class (CLSID_FileOpenDialog or
// CLSID_FileSaveDialog) on this thread, lets setUp prepare it, shows it and
// returns the file-system path chosen (the dialog opens centred on the screen), or nullopt when the user cancels.
// Whatever keeps it from opening throws failure(the reason): never a silent
// button.
std::optional<std::wstring> runFileDialog(REFCLSID dialogClass, HWND owner, AppError (*failure)(HRESULT reason),
                                          const std::function<void(IFileDialog&)>& setUp);

// The dialog starts in that folder, when the shell can show it.
void startDialogIn(IFileDialog& dialog, const std::wstring& folder);

// Opens in the user's Documents folder with the given file name, offering
// text files (".txt"); returns the full path chosen, or nullopt when the user
// cancels. Throws AppError when the dialog cannot be opened.
std::optional<std::wstring> chooseTextFileToSave(HWND owner, const std::wstring& fileName);

} // namespace tw
