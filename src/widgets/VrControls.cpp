#include "widgets/VrControls.h"

#include "platform/Handle.h"

namespace tw {

bool TVrControl::createControl(HWND parent, int x, int y, int width, int height, int id, DWORD extraStyle,
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

int TVrControl::width() const { return w_; }
int TVrControl::height() const { return h_; }

void TVrControl::setBounds(int x, int y, int width, int height) {
    if (hwnd()) ::SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else {
        w_ = width;
        h_ = height;
        onResized();
    }
}

void TVrControl::setSize(int width, int height) {
    if (!hwnd()) {
        w_ = width;
        h_ = height;
        onResized();
        return;
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVrControl::setLoading(bool loading) {
    if (loading_ == loading) return;
    loading_ = loading;
    if (!loading_) {
        onLoaded();
        repaint();
    }
}

void TVrControl::repaint() {
    if (loading_ || !hwnd()) return;
    if (paintHeld_) {
        stale_ = true;
        return;
    }
    stale_ = false;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::UpdateWindow(hwnd());
}

void TVrControl::paintIfStale() {
    if (!stale_) return;
    const bool held = paintHeld_;
    paintHeld_ = false;
    repaint();
    paintHeld_ = held;
}

void TVrControl::paintTo(HDC dc) {
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    paintThroughImage(image_, dc, rc, [this](Image& img) { render(img); });
}

LRESULT TVrControl::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        beforePaint();   // may resize: before the paint begins
        PaintDc paint(hwnd());   // EndPaint however the rendering ends
        paintTo(paint.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        beforePaint();
        paintTo(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_SIZE:
        w_ = LOWORD(lp);
        h_ = HIWORD(lp);
        onResized();
        return 0;
    case WM_MOUSEACTIVATE:
        if (!windowed_) return MA_NOACTIVATE;
        break;
    default:
        break;
    }
    return Window::handleMessage(msg, wp, lp);
}

} // namespace tw
