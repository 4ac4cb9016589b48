#include "widgets/VrBlotter.h"

namespace tw {

TVrBlotter::TVrBlotter() : TVrControl(true) {
    w_ = 185;
    h_ = 75;
    BevelValues b;
    b.InnerShadow = b.OuterShadow = clGreen;
    b.InnerHighlight = b.OuterHighlight = clLime;
    b.InnerColor = clBlack;
    bevel_.assign(b);
    inset_ = bevel_.inset();
    bevel_.OnChange = [this] {
        // Children keep their place relative to the inner area.
        const int d = bevel_.inset() - inset_;
        inset_ = bevel_.inset();
        if (d != 0 && hwnd()) {
            for (HWND c = ::GetWindow(hwnd(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                RECT r;
                ::GetWindowRect(c, &r);
                ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
                ::SetWindowPos(c, nullptr, r.left + d, r.top + d, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        scheduleRepaint();
    };
}

void TVrBlotter::setColor(Colour v) {
    if (v == color_) return;
    color_ = v;
    repaint();
}

void TVrBlotter::setBackImage(const Image& img) {
    back_.resize(img.width(), img.height());
    back_.blit(img, 0, 0, img.width(), img.height(), 0, 0);
    scheduleRepaint();
}

void TVrBlotter::scheduleRepaint() {
    if (hwnd() && !loading()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

RECT TVrBlotter::innerRect() const {
    const int i = bevel_.inset();
    return RECT{i, i, w_ - i, h_ - i};
}

void TVrBlotter::render(Image& img) {
    if (back_.empty()) {
        img.fill(color_);
    } else {
        for (int x = 0; x < img.width(); x += back_.width())
            for (int y = 0; y < img.height(); y += back_.height())
                img.blit(back_, 0, 0, back_.width(), back_.height(), x, y);
    }
    RECT r{0, 0, img.width(), img.height()};
    bevel_.draw(img, r);
}

LRESULT TVrBlotter::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
        if (HWND parent = ::GetParent(hwnd())) return ::SendMessageW(parent, msg, wp, lp);
        break;
    case WM_SIZE:
        TVrControl::handleMessage(msg, wp, lp);
        if (fullRepaint_) ::InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return TVrControl::handleMessage(msg, wp, lp);
}

} // namespace tw
