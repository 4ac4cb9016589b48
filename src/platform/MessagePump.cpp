#include "platform/MessagePump.h"

#include <windows.h>

namespace tw {

namespace {
// Lets a dialog-style window handle Tab, Enter and Escape for its controls.
bool dispatchToDialog(MSG& msg) {
    HWND top = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top && (::GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
        return ::IsDialogMessageW(top, &msg) != FALSE;
    return false;
}
} // namespace

void processPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!dispatchToDialog(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

int runMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!dispatchToDialog(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

} // namespace tw
