#pragma once
// The system's Save As dialog for one text file.
#include <windows.h>

#include <optional>
#include <string>

namespace tw {

// Opens in the user's Documents folder with the given file name, offering
// text files (".txt"); returns the full path chosen, or nullopt when the user
// cancels. Throws AppError when the dialog cannot be opened.
std::optional<std::wstring> chooseTextFileToSave(HWND owner, const std::wstring& fileName);

} // namespace tw
