#include "widgets/BevelPanel.h"

namespace tw {

BevelPanel::BevelPanel() : PaintedControl(true) {
    w_ = 185;
    h_ = 75;
    BevelValues b;
    b.InnerShadow = b.OuterShadow = clGreen;
    b.InnerHighlight = b.OuterHighlight = clLime;
    b.InnerColor = clBlack;
    bevel_.assign(b);
    inset_ = bevel_.inset();
    bevel_.onChange = [this] {
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

bool BevelPanel::create(const BevelPanelArgs& a) {
    color_ = a.colour;
    return createControl(a.parent, a.x, a.y, a.width, a.height, a.id, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void BevelPanel::scheduleRepaint() {
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

RECT BevelPanel::innerRect() const {
    const int i = bevel_.inset();
    return RECT{i, i, w_ - i, h_ - i};
}

void BevelPanel::render(Image& img) {
    img.fill(color_);
    RECT r{0, 0, img.width(), img.height()};
    bevel_.draw(img, r);
}

LRESULT BevelPanel::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
        if (HWND parent = ::GetParent(hwnd())) return ::SendMessageW(parent, msg, wp, lp);
        break;
    default:
        break;
    }
    return PaintedControl::handleMessage(msg, wp, lp);
}

void BevelPanel::onCommand(int id, int code, HWND control) {
    if (HWND parent = ::GetParent(hwnd()))
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

} // namespace tw
