#include "platform/FileDialog.h"

#include "platform/Handle.h"
#include "platform/Window.h"

#include <algorithm>

#include <knownfolders.h>
#include <shlobj.h>

namespace tw {

namespace {
// The dialogs offer no position of their own: it is centred on the screen
// when it first shows a folder, which it does once it has a window, before
// the user can move it.
class CentringEvents final : public IFileDialogEvents {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IFileDialogEvents) {
            *out = static_cast<IFileDialogEvents*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }   // lives on the caller's stack
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog* dialog) override {
        if (centred_ || !dialog) return S_OK;
        ComPtr<IOleWindow> window;
        HWND h = nullptr;
        if (SUCCEEDED(dialog->QueryInterface(IID_PPV_ARGS(window.put()))) && window &&
            SUCCEEDED(window->GetWindow(&h)) && h) {
            centreOnScreen(h);
            centred_ = true;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override {
        return E_NOTIMPL;
    }

private:
    ULONG refs_ = 1;
    bool centred_ = false;
};

} // namespace

std::optional<std::wstring> runFileDialog(REFCLSID dialogClass, HWND owner, AppError (*failure)(HRESULT reason),
                                          const std::function<void(IFileDialog&)>& setUp) {
    const ComApartment apartment;
    if (FAILED(apartment.result())) throw failure(apartment.result());
    ComPtr<IFileDialog> dialog;
    const HRESULT created = ::CoCreateInstance(dialogClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put()));
    if (FAILED(created) || !dialog) throw failure(created);
    setUp(*dialog.get());
    CentringEvents centring;
    DWORD cookie = 0;
    const bool advised = SUCCEEDED(dialog->Advise(&centring, &cookie));
    const HRESULT shown = dialog->Show(owner);
    if (advised) dialog->Unadvise(cookie);
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
