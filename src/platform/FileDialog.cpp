#include "platform/FileDialog.h"

#include "platform/Handle.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace tw {

std::optional<std::wstring> runFileDialog(REFCLSID dialogClass, HWND owner, AppError (*failure)(HRESULT reason),
                                          const std::function<void(IFileDialog&)>& setUp) {
    const ComApartment apartment;
    if (FAILED(apartment.result())) throw failure(apartment.result());
    ComPtr<IFileDialog> dialog;
    const HRESULT created = ::CoCreateInstance(dialogClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put()));
    if (FAILED(created) || !dialog) throw failure(created);
    setUp(*dialog.get());
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    if (FAILED(shown)) throw failure(shown);
    ComPtr<IShellItem> item;
    CoTaskText path;
    if (FAILED(dialog->GetResult(item.put())) || !item ||
        FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || !path)
        return std::nullopt;
    return std::wstring(path.get());
}

void startDialogIn(IFileDialog& dialog, const std::wstring& folder) {
    ComPtr<IShellItem> item;
    if (SUCCEEDED(::SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(item.put()))))
        dialog.SetFolder(item.get());
}

namespace {
AppError saveAsError(HRESULT reason) {
    return AppError(L"The Save As dialog cannot be opened. " + systemReason(static_cast<unsigned long>(reason)));
}
} // namespace

std::optional<std::wstring> chooseTextFileToSave(HWND owner, const std::wstring& fileName) {
    return runFileDialog(CLSID_FileSaveDialog, owner, saveAsError, [&](IFileDialog& dialog) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog.GetOptions(&options);
        dialog.SetOptions(options | FOS_FORCEFILESYSTEM | FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST |
                          FOS_NOREADONLYRETURN);
        const COMDLG_FILTERSPEC types[] = {{L"Text files (*.txt)", L"*.txt"}};
        dialog.SetFileTypes(1, types);
        dialog.SetFileTypeIndex(1);
        dialog.SetDefaultExtension(L"txt");
        CoTaskText documents;
        if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, documents.put())) &&
            documents)
            startDialogIn(dialog, documents.get());
        dialog.SetFileName(fileName.c_str());
    });
}

} // namespace tw
