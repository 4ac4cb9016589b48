#include "platform/Window.h"

#include "platform/Errors.h"
#include "platform/Handle.h"

#include <commctrl.h>

#include <utility>

namespace tw {

namespace {
// Sent by a parent to an owner-drawn control, with the parent's DRAWITEMSTRUCT.
constexpr UINT kReflectedDrawItem = WM_APP + 0x2E1;
} // namespace

HINSTANCE moduleInstance() { return ::GetModuleHandleW(nullptr); }

Window::~Window() { destroy(); }

void Window::destroy() {
    if (hwnd_) {
        HWND h = hwnd_;
        ::DestroyWindow(h);
        hwnd_ = nullptr;
    }
}

bool Window::create(const WindowArgs& a) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(moduleInstance(), a.className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.style = a.classStyle;
        wc.lpfnWndProc = &Window::staticProc;
        wc.hInstance = moduleInstance();
        wc.hCursor = a.cursor ? a.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = a.background;
        wc.lpszClassName = a.className;
        wc.hIcon = ::LoadIconW(moduleInstance(), MAKEINTRESOURCEW(1));
        if (!::RegisterClassExW(&wc)) return false;
    }
    restoresFocus_ = a.restoreFocus;
    HWND h = ::CreateWindowExW(a.exStyle, a.className, a.title.c_str(), a.style, a.x, a.y, a.width, a.height,
                               a.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)), moduleInstance(), this);
    return h != nullptr;
}

void Window::restoreFocus() {
    HWND target = lastFocus_;
    if (!target || !::IsWindow(target) || !::IsWindowEnabled(target) || !::IsWindowVisible(target))
        target = firstFocus();
    if (target) ::SetFocus(target);
}

void Window::onCommand(int id, int code, HWND control) {
    defaultProcedure(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

void Window::onClose() { defaultProcedure(WM_CLOSE, 0, 0); }

void Window::paintContent(HDC, const RECT&) {}

LRESULT Window::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        onCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        RECT client;
        ::GetClientRect(hwnd_, &client);
        if (msg == WM_PRINTCLIENT) {
            paintContent(reinterpret_cast<HDC>(wp), client);
        } else {
            PaintDc paint(hwnd_);   // EndPaint however the drawing ends
            paintContent(paint.get(), client);
        }
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item && item->CtlType != ODT_MENU && OwnerDrawn::reflect(*item)) return TRUE;
        break;
    }
    case WM_ACTIVATE:
        if (!restoresFocus_) break;
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            lastFocus_ = focus && ::IsChild(hwnd_, focus) ? focus : nullptr;
        } else {
            // The system focuses the window itself first; a minimized window keeps it.
            const LRESULT r = defaultProcedure(msg, wp, lp);
            if (!HIWORD(wp)) restoreFocus();
            return r;
        }
        break;
    default:
        break;
    }
    return defaultProcedure(msg, wp, lp);
}

LRESULT Window::defaultProcedure(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT r = ::DefWindowProcW(hwnd_, msg, wp, lp);
    if (dispatch_) {
        dispatch_->defaultDone = true;
        dispatch_->defaultResult = r;
    }
    return r;
}

LRESULT CALLBACK Window::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);

    // A message whose handler fails gets its default answer, from the default
    // procedure unless the handler had already run it: twice would do its
    // work twice (a second activation, a second close).
    LRESULT result = 0;
    Dispatch dispatch;
    Dispatch* const outer = std::exchange(self->dispatch_, &dispatch);
    const bool handled = guardMessage([&] { result = self->handleMessage(msg, wp, lp); });
    self->dispatch_ = outer;
    if (!handled) result = dispatch.defaultDone ? dispatch.defaultResult : ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->lastFocus_ = nullptr;
        self->onDestroyed();
    }
    return result;
}

HWND createChild(HWND parent, const ChildArgs& a) {
    HWND h = ::CreateWindowExW(a.exStyle, a.className, a.text.c_str(), WS_CHILD | a.style, a.x, a.y, a.width,
                               a.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)),
                               moduleInstance(), nullptr);
    if (h && a.font) ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(a.font), FALSE);
    return h;
}

OwnerDrawn::~OwnerDrawn() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::RemoveWindowSubclass(hwnd_, &OwnerDrawn::proc, 0);
}

bool OwnerDrawn::attach(HWND control, Draw draw) {
    if (!control) return false;
    draw_ = std::move(draw);
    if (!::SetWindowSubclass(control, &OwnerDrawn::proc, 0, reinterpret_cast<DWORD_PTR>(this))) return false;
    hwnd_ = control;
    return true;
}

bool OwnerDrawn::reflect(const DRAWITEMSTRUCT& item) {
    return item.hwndItem &&
           ::SendMessageW(item.hwndItem, kReflectedDrawItem, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

LRESULT CALLBACK OwnerDrawn::proc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<OwnerDrawn*>(ref);
    if (msg == kReflectedDrawItem) {
        if (!self->draw_) return FALSE;
        // No exception may leave the control's procedure: the error box follows the message.
        guardMessage([&] { self->draw_(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); });
        return TRUE;
    }
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(h, &OwnerDrawn::proc, 0);
        self->hwnd_ = nullptr;
    }
    return ::DefSubclassProc(h, msg, wp, lp);
}

POINT centredIn(const RECT& area, int width, int height) {
    // Integer division truncates toward zero, also for negative differences.
    return POINT{(area.right - area.left - width) / 2, (area.bottom - area.top - height) / 2};
}

RECT workArea() {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void centreOnScreen(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const POINT at = centredIn(screen, r.right - r.left, r.bottom - r.top);
    ::SetWindowPos(window, nullptr, at.x < 0 ? 0 : at.x, at.y < 0 ? 0 : at.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tw
