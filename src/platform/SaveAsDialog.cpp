#include "platform/SaveAsDialog.h"

#include "platform/Errors.h"
#include "platform/Handle.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace tw {

namespace {
AppError dialogError(HRESULT reason) {
    return AppError(L"The Save As dialog cannot be opened. " + systemReason(static_cast<unsigned long>(reason)));
}

void startInDocuments(IFileSaveDialog& dialog) {
    CoTaskText documents;
    if (FAILED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, documents.put())) || !documents)
        return; // the dialog's own choice of folder then
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(::SHCreateItemFromParsingName(documents.get(), nullptr, IID_PPV_ARGS(folder.put()))))
        dialog.SetFolder(folder.get());
}
} // namespace

std::optional<std::wstring> chooseTextFileToSave(HWND owner, const std::wstring& fileName) {
    const ComApartment apartment;
    if (FAILED(apartment.result())) throw dialogError(apartment.result());
    ComPtr<IFileSaveDialog> dialog;
    const HRESULT created =
        ::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put()));
    if (FAILED(created) || !dialog) throw dialogError(created);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST |
                       FOS_NOREADONLYRETURN);
    const COMDLG_FILTERSPEC types[] = {{L"Text files (*.txt)", L"*.txt"}};
    dialog->SetFileTypes(1, types);
    dialog->SetFileTypeIndex(1);
    dialog->SetDefaultExtension(L"txt");
    startInDocuments(*dialog.get());
    dialog->SetFileName(fileName.c_str());
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    if (FAILED(shown)) throw dialogError(shown);
    ComPtr<IShellItem> item;
    CoTaskText path;
    if (FAILED(dialog->GetResult(item.put())) || !item ||
        FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || !path)
        throw dialogError(E_FAIL);
    return std::wstring(path.get());
}

} // namespace tw
