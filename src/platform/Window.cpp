#include "platform/Window.h"

#include "platform/Errors.h"

namespace tw {

HINSTANCE moduleInstance() { return ::GetModuleHandleW(nullptr); }

Window::~Window() { destroy(); }

void Window::destroy() {
    if (hwnd_) {
        HWND h = hwnd_;
        ::DestroyWindow(h);
        hwnd_ = nullptr;
    }
}

bool Window::create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, UINT classStyle, HBRUSH background,
                    HCURSOR cursor) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(moduleInstance(), className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::staticProc;
        wc.hInstance = moduleInstance();
        wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        wc.hIcon = ::LoadIconW(moduleInstance(), MAKEINTRESOURCEW(1));
        if (!::RegisterClassExW(&wc)) return false;
    }
    HWND h = ::CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent, idOrMenu,
                               moduleInstance(), this);
    return h != nullptr;
}

LRESULT Window::handleMessage(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }

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

    LRESULT result = 0;
    if (!guardMessage([&] { result = self->handleMessage(msg, wp, lp); }))
        result = ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->onDestroyed();
    }
    return result;
}

} // namespace tw
