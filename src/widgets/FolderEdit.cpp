#include "widgets/FolderEdit.h"

#include "platform/Errors.h"
#include "platform/FileDialog.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "widgets/OffscreenImage.h"
#include <commctrl.h>
#include <algorithm>

namespace tw {

namespace {
constexpr int editId = 1, buttonId = 2, buttonWidth = 21;

// 14 x 12 open folder: K black outline, W white back, G gray flap, '.' transparent.
constexpr const char* folderGlyph[12] = {
    "..........KKK.", "...........KK.", "..KKKK....K.K.", ".KWWWWK.......", ".KWWWWWKKKKKK.", ".KWWWWWWWWWWK.",
    ".KWWKKKKKKKKKK", ".KWKGGGGGGGGGK", ".KKGGGGGGGGGK.", ".KKGGGGGGGGK..", ".KGGGGGGGGGK..", ".KKKKKKKKKKK...",
};

AppError chooserError(HRESULT reason) {
    return AppError(L"The folder selection dialog cannot be opened. " + systemReason(static_cast<unsigned long>(reason)));
}

// The system's folder chooser titled "Select Directory".
std::optional<std::wstring> systemFolderChooser(HWND owner, const std::wstring& startFolder) {
    std::optional<std::wstring> chosen = runFileDialog(CLSID_FileOpenDialog, owner, chooserError, [&](IFileDialog& dlg) {
        FILEOPENDIALOGOPTIONS opts = 0;
        dlg.GetOptions(&opts);
        dlg.SetOptions(opts | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
        dlg.SetTitle(L"Select Directory");
        std::wstring start = startFolder;
        if (start == L"\\") {
            // "\" is the root of the current drive; the chooser takes full paths only.
            wchar_t root[MAX_PATH] = {};
            const DWORD n = ::GetFullPathNameW(L"\\", MAX_PATH, root, nullptr);
            if (n > 0 && n < MAX_PATH) start = root;
        }
        startDialogIn(dlg, start);
    });
    if (!chosen) return std::nullopt;
    std::wstring& p = *chosen;
    // No trailing "\" except on a drive root.
    while (p.size() > 3 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    if (p.size() == 2 && p[1] == L':') p += L'\\';
    return p;
}

// The browse button of a size img: push-button frame and the folder glyph.
void renderFolderButton(bool pressed, bool enabled, Image& img) {
    RECT r{0, 0, img.width(), img.height()};
    ::DrawFrameControl(img.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    ::GdiFlush();
    const int ox = (r.right - 14) / 2 + (pressed ? 1 : 0), oy = (r.bottom - 12) / 2 + (pressed ? 1 : 0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 14 && folderGlyph[y][x]; ++x) {
            const char c = folderGlyph[y][x];
            if (c == '.') continue;
            Colour col = c == 'K' ? clBlack : c == 'W' ? clWhite : clGray;
            if (!enabled) col = c == 'K' ? clGrayText : clBtnFace;
            img.setPixel(ox + x, oy + y, col);
        }
    if (!pressed) {
        // Blend the button's left edge into the box's border.
        if (r.bottom > 1) img.vLine(0, 0, r.bottom - 2, clBtnFace);
        if (r.bottom > 3) img.vLine(1, 1, r.bottom - 3, clBtnHighlight);
    }
}

} // namespace


FolderEdit::FolderEdit() : chooser(&systemFolderChooser) {}

// The edit's messages use this object's members: the windows go first.
FolderEdit::~FolderEdit() { destroy(); }

bool FolderEdit::create(const FolderEditArgs& a) {
    if (!a.initialFolder.empty()) initialDir_ = a.initialFolder;
    readOnly_ = a.readOnly;
    autoSelect_ = a.autoSelect;
    if (a.onChange) onChange = a.onChange;
    if (a.onEditEnd) onEditEnd = a.onEditEnd;
    if (a.chooser) chooser = a.chooser;
    if (!Window::create({.className = L"TwDirectoryEdit",
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                         .exStyle = WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT,
                         .x = a.x, .y = a.y, .width = a.width, .height = a.height,
                         .parent = a.parent,
                         .id = a.id,
                         .classStyle = 0,
                         .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                         .cursor = ::LoadCursorW(nullptr, IDC_IBEAM)}))
        return false;
    edit_ = createChild(hwnd(), {.className = L"EDIT", .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                 .width = 10, .height = 10, .id = editId});
    button_ = createChild(hwnd(), {.className = L"BUTTON", .style = WS_VISIBLE | BS_OWNERDRAW,
                                   .width = 10, .height = 10, .id = buttonId});
    if (!edit_ || !button_) return false;
    buttonDrawing_.attach(button_, [this](const DRAWITEMSTRUCT& di) {
        const bool pressed = (di.itemState & ODS_SELECTED) != 0, enabled = (di.itemState & ODS_DISABLED) == 0;
        paintThroughImage(buttonImage_, di.hDC, di.rcItem,
                          [&](Image& img) { renderFolderButton(pressed, enabled, img); });
    });
    if (!::SetWindowSubclass(edit_, &FolderEdit::editProc, 0, reinterpret_cast<DWORD_PTR>(this))) return false;
    setFont(a.font ? a.font : defaultWidgetFont());
    layout();
    if (readOnly_) ::SendMessageW(edit_, EM_SETREADONLY, TRUE, 0);
    if (!enabled_) {
        ::EnableWindow(edit_, FALSE);
        ::EnableWindow(button_, FALSE);
    }
    return true;
}

void FolderEdit::setFont(HFONT f) {
    font_ = f;
    if (edit_) ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
}

void FolderEdit::layout() {
    if (!hwnd()) return;
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    ::MoveWindow(edit_, 0, 0, std::max<int>(rc.right - buttonWidth - 2, 0), rc.bottom, TRUE);
    ::MoveWindow(button_, rc.right - buttonWidth, 0, buttonWidth, rc.bottom, TRUE);
}

std::wstring FolderEdit::content() const {
    if (!edit_) return {};
    const int n = ::GetWindowTextLengthW(edit_);
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    s.resize(static_cast<std::size_t>(::GetWindowTextW(edit_, s.data(), n + 1)));
    return s;
}

void FolderEdit::setText(const std::wstring& text) {
    if (!edit_ || text == content()) return;
    ++quiet_;
    ::SetWindowTextW(edit_, text.c_str());
    --quiet_;
    if (onChange) onChange();
}

void FolderEdit::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    if (!hwnd()) return;
    ::EnableWindow(edit_, v);
    ::EnableWindow(button_, v);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void FolderEdit::buttonClick() {
    if (readOnly_ || !enabled_) return;
    std::wstring name = content();
    bool chose = false;
    if (name.empty()) name = initialDir_.empty() ? L"\\" : initialDir_;
    if (!directoryExists(name)) name = L"\\";
    {
        // No system pop-up for a drive without its disk while the dialog is up;
        // for this thread only, as the process's mode belongs to the process.
        DWORD oldMode = 0;
        const bool modeSet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode) != FALSE;
        ScopeGuard restore([modeSet, oldMode] {
            if (modeSet) ::SetThreadErrorMode(oldMode, nullptr);
        });
        std::optional<std::wstring> chosen;
        if (chooser) chosen = chooser(::GetAncestor(hwnd(), GA_ROOT), name);
        chose = chosen.has_value();
        if (chosen) name = *chosen;
    }
    if (edit_ && ::IsWindowEnabled(edit_) && ::IsWindowVisible(edit_)) ::SetFocus(edit_);
    if (!chose) return;
    DWORD s = 0, e = 0;
    ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    if (e > s) {
        ++quiet_;
        ::SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        --quiet_;
        if (onChange) onChange();
    }
    setText(name);
    if (!name.empty() && directoryExists(name)) initialDir_ = name;
}

LRESULT CALLBACK FolderEdit::editProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (msg == WM_NCDESTROY) {
        // The subclass goes with the edit: nothing reaches this object afterwards.
        ::RemoveWindowSubclass(h, &FolderEdit::editProc, 0);
        return ::DefSubclassProc(h, msg, wp, lp);
    }
    LRESULT result = 0;
    if (!guardMessage([&] { result = reinterpret_cast<FolderEdit*>(self)->editMessage(h, msg, wp, lp); }))
        result = ::DefSubclassProc(h, msg, wp, lp);
    return result;
}

LRESULT FolderEdit::editMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SYSKEYDOWN:
        if (wp == VK_DOWN) {
            buttonClick();
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wp == VK_RETURN || wp == VK_ESCAPE) {
            if (wp == VK_RETURN && onEditEnd) onEditEnd();
            // Dialog keys belong to the window's default and cancel buttons.
            HWND top = ::GetAncestor(h, GA_ROOT);
            ::PostMessageW(top, WM_COMMAND, MAKEWPARAM(wp == VK_RETURN ? IDOK : IDCANCEL, BN_CLICKED), 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == L'\r' || wp == 27) return 0;
        break;
    case WM_GETDLGCODE: {
        // Enter comes to the box first (the user is done with the text), which
        // then hands it to the window.
        const auto* m = reinterpret_cast<const MSG*>(lp);
        LRESULT code = ::DefSubclassProc(h, msg, wp, lp);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SETFOCUS: {
        const LRESULT r = ::DefSubclassProc(h, msg, wp, lp);
        // A click into the text places the caret; other focus arrivals select all.
        if (autoSelect_ && !(::GetKeyState(VK_LBUTTON) & 0x8000)) ::SendMessageW(h, EM_SETSEL, 0, -1);
        return r;
    }
    case WM_KILLFOCUS: {
        const LRESULT r = ::DefSubclassProc(h, msg, wp, lp);
        if (onEditEnd) onEditEnd();
        return r;
    }
    default:
        break;
    }
    return ::DefSubclassProc(h, msg, wp, lp);
}

void FolderEdit::onCommand(int id, int code, HWND control) {
    if (control == edit_ && code == EN_CHANGE) {
        if (quiet_ == 0 && onChange) {
            ++typing_;
            ScopeGuard done([this] { --typing_; });
            onChange();
        }
    } else if (control == button_ && code == BN_CLICKED) {
        buttonClick();
    } else {
        Window::onCommand(id, code, control);
    }
}

LRESULT FolderEdit::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETFOCUS:
        if (edit_) ::SetFocus(edit_);
        return 0;
    default:
        break;
    }
    return Window::handleMessage(msg, wp, lp);
}

} // namespace tw
