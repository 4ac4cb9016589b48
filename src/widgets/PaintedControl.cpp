#include "widgets/PaintedControl.h"

namespace tw {

bool PaintedControl::createControl(HWND parent, int x, int y, int width, int height, int id, DWORD extraStyle,
                               DWORD exStyle) {
    w_ = width;
    h_ = height;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | extraStyle;
    return create({.className = windowed_ ? L"TwVrWindowed" : L"TwVrGraphic",
                   .style = style,
                   .exStyle = exStyle,
                   .x = x, .y = y, .width = width, .height = height,
                   .parent = parent,
                   .id = id});
}

void PaintedControl::setBounds(int x, int y, int width, int height) {
    if (hwnd()) ::SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else setSize(width, height);
}

void PaintedControl::setSize(int width, int height) {
    if (!hwnd()) {
        w_ = width;
        h_ = height;
        onResized();
        return;
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintedControl::repaint() {
    if (!hwnd()) return;
    if (paintHeld_) {
        stale_ = true;
        return;
    }
    stale_ = false;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::UpdateWindow(hwnd());
}

void PaintedControl::paintIfStale() {
    if (!stale_) return;
    const bool held = paintHeld_;
    paintHeld_ = false;
    repaint();
    paintHeld_ = held;
}

void PaintedControl::paintContent(HDC dc, const RECT& client) {
    paintThroughImage(image_, dc, client, [this](Image& img) { render(img); });
}

LRESULT PaintedControl::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        beforePaint();   // may resize: before the paint begins
        break;
    case WM_SIZE:
        w_ = LOWORD(lp);
        h_ = HIWORD(lp);
        onResized();
        return 0;
    case WM_MOUSEACTIVATE:
        if (!windowed_) return MA_NOACTIVATE;
        break;
    case WM_SYSCOLORCHANGE:
        onSystemColours();
        break;
    default:
        break;
    }
    return Window::handleMessage(msg, wp, lp);
}

} // namespace tw
