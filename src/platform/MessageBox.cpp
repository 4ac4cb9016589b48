#include "platform/MessageBox.h"

#include "platform/Handle.h"
#include "platform/Window.h"

#include <windows.h>

#include <vector>

namespace tw {

namespace {
MessageBoxHandler& handlerSlot() {
    static MessageBoxHandler h;
    return h;
}
std::wstring& titleSlot() {
    static std::wstring t = L"Trackwend";
    return t;
}
} // namespace

int showMessageBox(const std::wstring& text, MessageKind kind, MessageButtons buttons) {
    if (auto& h = handlerSlot()) return h(text, kind, buttons);
    return systemMessageBox(text, kind, buttons);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
    auto old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

const std::wstring& applicationTitle() { return titleSlot(); }
void setApplicationTitle(std::wstring title) { titleSlot() = std::move(title); }

namespace {

// The system box, adjusted while it is being activated: English button texts
// whatever the system language, centred on the screen, text no wider than half
// the screen, Escape = OK when there is no Cancel, the frame's close box = 2.
struct BoxSession {
    UniqueHook hook;
    HWND box = nullptr;
    WNDPROC previousProc = nullptr;
    bool closedFromFrame = false;
    BoxSession* outer = nullptr;
};
thread_local BoxSession* currentBox = nullptr;

bool visibleChild(HWND dlg, int id) {
    HWND h = ::GetDlgItem(dlg, id);
    return h && (::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE);
}

void adjustBox(HWND dlg);

LRESULT CALLBACK boxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    BoxSession* s = currentBox;
    while (s && s->box != hwnd) s = s->outer;
    if (!s) return ::DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
    case WM_INITDIALOG: {
        // The system lays the box out here; adjust it afterwards.
        LRESULT r = ::CallWindowProcW(s->previousProc, hwnd, msg, wp, lp);
        // No exception may leave a window procedure: the box keeps the system's layout then.
        try {
            adjustBox(hwnd);
        } catch (...) {
        }
        return r;
    }
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) != SC_CLOSE) break;
        [[fallthrough]];
    case WM_CLOSE:
        s->closedFromFrame = true;
        ::EndDialog(hwnd, IDCANCEL);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED && !visibleChild(hwnd, IDCANCEL)) {
            ::EndDialog(hwnd, IDOK);  // Escape presses OK when there is no Cancel
            return 0;
        }
        break;
    }
    return ::CallWindowProcW(s->previousProc, hwnd, msg, wp, lp);
}

void moveChild(HWND dlg, HWND child, int dx, int dy) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    ::SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Narrows a text wider than half the screen and moves everything below it.
void limitTextWidth(HWND dlg) {
    HWND text = ::GetDlgItem(dlg, 0xFFFF);
    if (!text) return;
    RECT tr;
    ::GetWindowRect(text, &tr);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&tr), 2);
    const int maxWidth = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int oldW = tr.right - tr.left, oldH = tr.bottom - tr.top;
    if (oldW <= maxWidth) return;
    int len = ::GetWindowTextLengthW(text);
    std::wstring content(static_cast<size_t>(len) + 1, L'\0');
    ::GetWindowTextW(text, content.data(), len + 1);
    content.resize(static_cast<size_t>(len));
    RECT calc{0, 0, maxWidth, 0};
    {
        WindowDc dc(text);
        SelectGuard font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(text, WM_GETFONT, 0, 0)));
        ::DrawTextW(dc.get(), content.c_str(), len, &calc, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
    const int newW = calc.right, newH = calc.bottom > oldH ? calc.bottom : oldH;
    const int dW = oldW - newW, dH = newH - oldH;
    ::SetWindowPos(text, nullptr, 0, 0, newW, newH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (c == text) continue;
        RECT cr;
        ::GetWindowRect(c, &cr);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&cr), 2);
        // Buttons lie below the text: they move down and stay centred.
        if (cr.top >= tr.bottom) moveChild(dlg, c, -dW / 2, dH);
    }
    RECT wr;
    ::GetWindowRect(dlg, &wr);
    ::SetWindowPos(dlg, nullptr, 0, 0, wr.right - wr.left - dW, wr.bottom - wr.top + dH,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void adjustBox(HWND h) {
    if (visibleChild(h, IDOK)) ::SetDlgItemTextW(h, IDOK, L"OK");
    if (visibleChild(h, IDCANCEL)) ::SetDlgItemTextW(h, IDCANCEL, L"Cancel");
    limitTextWidth(h);
    centreOnScreen(h);
}

LRESULT CALLBACK boxHook(int code, WPARAM wp, LPARAM lp) {
    BoxSession* s = currentBox;
    // Subclassed at creation, so the adjustments follow the system's own layout.
    if (code == HCBT_CREATEWND && s && !s->box) {
        HWND h = reinterpret_cast<HWND>(wp);
        wchar_t cls[16] = {};
        ::GetClassNameW(h, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            s->box = h;
            s->previousProc = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&boxProc)));
        }
    }
    return ::CallNextHookEx(s ? s->hook.get() : nullptr, code, wp, lp);
}

HWND& mainWindowSlot() {
    static HWND h = nullptr;
    return h;
}

// The window a box belongs to: the program's active window, or its main
// window when none of its windows is active (the user is in another program).
HWND boxOwner() {
    if (HWND active = ::GetActiveWindow()) return active;
    HWND main = mainWindowSlot();
    return main && ::IsWindow(main) ? main : nullptr;
}

// The system disables the owner alone; the box is modal for every window of
// the program, so the others are disabled for its time too.
struct DisabledWindows {
    HWND owner;
    std::vector<HWND> windows;
};

BOOL CALLBACK disableOther(HWND h, LPARAM lp) {
    auto* d = reinterpret_cast<DisabledWindows*>(lp);
    if (h != d->owner && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) {
        ::EnableWindow(h, FALSE);
        d->windows.push_back(h);
    }
    return TRUE;
}

// The window that was active gets the activation back, and the control that
// had the focus gets it again, if both still can.
void giveBackActivation(HWND owner, HWND focus) {
    if (!::IsWindow(owner) || !::IsWindowVisible(owner) || !::IsWindowEnabled(owner)) return;
    if (::GetActiveWindow() != owner) ::SetActiveWindow(owner);
    if (focus && focus != ::GetFocus() && ::IsWindow(focus) && ::IsWindowVisible(focus) &&
        ::IsWindowEnabled(focus) && (focus == owner || ::IsChild(owner, focus)))
        ::SetFocus(focus);
}

} // namespace

void setMessageBoxMainWindow(HWND mainWindow) { mainWindowSlot() = mainWindow; }

int systemMessageBox(const std::wstring& text, MessageKind kind, MessageButtons buttons) {
    const HWND owner = boxOwner();
    const HWND focus = ::GetFocus();
    // Without an owner the system disables every window of the thread itself.
    UINT flags = (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND |
                 (buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK) | MB_DEFBUTTON1;
    std::wstring caption;
    switch (kind) {
    case MessageKind::Warning: caption = L"Warning"; flags |= MB_ICONWARNING; break;
    case MessageKind::Error: caption = L"Error"; flags |= MB_ICONERROR; break;
    case MessageKind::Confirm: caption = L"Confirm"; flags |= MB_ICONQUESTION; break;
    case MessageKind::Plain: caption = applicationTitle(); break;
    case MessageKind::ApplicationError: caption = applicationTitle(); flags |= MB_ICONERROR; break;
    }
    DisabledWindows others{owner, {}};
    if (owner) ::EnumThreadWindows(::GetCurrentThreadId(), &disableOther, reinterpret_cast<LPARAM>(&others));
    BoxSession session;
    session.outer = currentBox;
    currentBox = &session;
    session.hook.reset(::SetWindowsHookExW(WH_CBT, &boxHook, nullptr, ::GetCurrentThreadId()));
    int r = ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    session.hook.reset();
    currentBox = session.outer;
    for (HWND h : others.windows)
        if (::IsWindow(h)) ::EnableWindow(h, TRUE);
    if (owner) giveBackActivation(owner, focus);
    if (session.closedFromFrame) return kResultCancel;
    return r == IDOK ? kResultOk : kResultCancel;
}

} // namespace tw
