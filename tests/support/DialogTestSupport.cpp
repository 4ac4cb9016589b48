#include "support/DialogTestSupport.h"

namespace twtest {

namespace {
LRESULT CALLBACK actionProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        auto* action = reinterpret_cast<std::function<void()>*>(lp);
        (*action)();
        delete action;
        return 0;
    }
    return ::DefWindowProcW(h, msg, wp, lp);
}

HWND actionWindow() {
    static HWND h = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = actionProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TwTestActions";
        ::RegisterClassW(&wc);
        return ::CreateWindowExW(0, L"TwTestActions", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                 nullptr);
    }();
    return h;
}
} // namespace

void postAction(std::function<void()> action) {
    ::PostMessageW(actionWindow(), WM_APP, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(action))));
}

bool takeQuit() {
    MSG m;
    return ::PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

} // namespace twtest
