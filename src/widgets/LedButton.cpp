#include "widgets/LedButton.h"

#include <cwctype>

namespace tw {

namespace {
// The look's fixed measures and colours.
constexpr int kLedSize = 12, kSpacing = 5, kOutlineWidth = 1, kBevelWidth = 2;
constexpr Colour kFocusColour = clBlue, kOutlineColour = clBlack, kFace = clBtnFace;
} // namespace

LedButton::LedButton() : PaintedControl(true) {
    w_ = 125;
    h_ = 25;
    palette_.onChange = [this] { repaint(); };
    computeLayout();
}

bool LedButton::create(const LedButtonArgs& a) {
    layout_ = a.layout;
    palette_.assign(a.palette);
    font_ = a.font;
    tabStop_ = a.tabStop;
    onClick = a.onClick;
    if (!createControl(a.parent, a.x, a.y, a.width, a.height, a.id, tabStop_ ? WS_TABSTOP : 0)) return false;
    ::SetWindowTextW(hwnd(), caption_.c_str()); // lets the dialog manager find the accelerator
    if (!enabled_) ::EnableWindow(hwnd(), FALSE);
    computeLayout();
    return true;
}

void LedButton::setActive(bool v) {
    if (v == active_) return;
    active_ = v;
    repaint();
}

void LedButton::setCaption(const std::wstring& v) {
    if (v == caption_) return;
    caption_ = v;
    if (hwnd()) ::SetWindowTextW(hwnd(), caption_.c_str());
    computeLayout();
    repaint();
}

void LedButton::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    if (!v) tracking_ = pressed_ = spaceDown_ = false;
    if (hwnd()) {
        if (!v && ::GetCapture() == hwnd()) ::ReleaseCapture();
        ::EnableWindow(hwnd(), v ? TRUE : FALSE);
    }
    repaint();
}

wchar_t LedButton::accelerator() const {
    for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
        if (caption_[i] != L'&') continue;
        if (caption_[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towupper(caption_[i + 1]));
    }
    return 0;
}

SIZE LedButton::measureCaption() const {
    if (caption_.empty()) return {0, 0};
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    SelectGuard sel(dc.get(), font());
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), caption_.c_str(), static_cast<int>(caption_.size()), &r, DT_CALCRECT | DT_LEFT | DT_NOCLIP);
    return {r.right - r.left, r.bottom - r.top};
}

void LedButton::computeLayout() {
    const int inset = kBevelWidth + kOutlineWidth;
    const int W = w_ - 2 * inset, H = h_ - 2 * inset;
    const SIZE cap = measureCaption();
    const bool horizontal = layout_ == ImageTextLayout::ImageLeft || layout_ == ImageTextLayout::ImageRight;
    const int L = horizontal ? W : H, g = kLedSize, t = horizontal ? cap.cx : cap.cy;
    int ledX = 0, ledY = 0, capX = 0, capY = 0;
    if (horizontal) {
        ledY = (H - kLedSize + 1) / 2;
        capY = (H - cap.cy + 1) / 2;
    } else {
        ledX = (W - kLedSize + 1) / 2;
        capX = (W - cap.cx + 1) / 2;
    }
    // LED and caption centred as one group, the spacing between them.
    const int S = cap.cx == 0 ? 0 : kSpacing;
    const int M = (L - (g + S + t) + 1) / 2;
    switch (layout_) {
    case ImageTextLayout::ImageLeft: ledX = M; capX = M + g + S; break;
    case ImageTextLayout::ImageRight: ledX = W - M - g; capX = ledX - S - t; break;
    case ImageTextLayout::ImageTop: ledY = M; capY = M + g + S; break;
    case ImageTextLayout::ImageBottom: ledY = H - M - g; capY = ledY - S - t; break;
    }
    ledRect_ = {inset + ledX, inset + ledY, inset + ledX + kLedSize, inset + ledY + kLedSize};
    captionRect_ = {inset + capX, inset + capY, inset + capX + cap.cx, inset + capY + cap.cy};
}

void LedButton::render(Image& img) {
    img.fill(kFace);
    RECT r{0, 0, img.width(), img.height()};
    if (pressed_) {
        drawRings(img, r, kOutlineColour, clBtnHighlight, kOutlineWidth);
        drawRings(img, r, clBtnShadow, kOutlineColour, kBevelWidth);
    } else {
        const Colour outline = focused_ ? kFocusColour : kOutlineColour;
        drawRings(img, r, outline, outline, kOutlineWidth);
        drawRings(img, r, clBtnHighlight, clBtnShadow, kBevelWidth);
    }
    RECT led = ledRect_;
    drawRings(img, led, clBtnShadow, clBtnHighlight, 1);
    drawRings(img, led, clBlack, clBlack, 1);
    img.fill(led, enabled_ ? palette_.colour(active_ ? 1 : 0) : kFace);
    if (caption_.empty()) return;
    ::GdiFlush();
    HDC dc = img.dc();
    SelectGuard sel(dc, font());
    ::SetBkMode(dc, TRANSPARENT);
    RECT c = captionRect_;
    if (enabled_) {
        ::SetTextColor(dc, resolveColour(clBtnText));
        UINT fmt = DT_NOCLIP;
        if (caption_.find(L'\n') == std::wstring::npos) fmt |= DT_SINGLELINE | DT_CENTER | DT_VCENTER;
        ::DrawTextW(dc, caption_.c_str(), -1, &c, fmt);
    } else {
        RECT s = c;
        ::OffsetRect(&s, 1, 1);
        ::SetTextColor(dc, resolveColour(clBtnHighlight));
        ::DrawTextW(dc, caption_.c_str(), -1, &s, DT_NOCLIP);
        ::SetTextColor(dc, resolveColour(clBtnShadow));
        ::DrawTextW(dc, caption_.c_str(), -1, &c, DT_NOCLIP);
    }
    ::GdiFlush();
}

void LedButton::toggleAndClick() {
    active_ = !active_;
    repaint();
    if (onClick) onClick();
}

LRESULT LedButton::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE:
        // A push button to the dialog manager: it sends BM_CLICK for the accelerator.
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BM_CLICK:
        if (enabled_ && onClick) onClick();
        return 0;
    case BM_SETSTYLE:
    case BM_SETSTATE:
        return 0;
    case WM_SYSCHAR:
    case WM_CHAR:
        if (enabled_ && accelerator() != 0 && static_cast<wchar_t>(std::towupper(static_cast<wchar_t>(wp))) == accelerator() &&
            (msg == WM_SYSCHAR)) {
            if (onClick) onClick();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!enabled_) return 0;
        tracking_ = pressed_ = true;
        ::SetCapture(hwnd());
        repaint();
        if (tabStop_ && ::GetFocus() != hwnd()) ::SetFocus(hwnd());
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            RECT rc{0, 0, w_, h_};
            const bool inside = ::PtInRect(&rc, p) != FALSE;
            if (inside != pressed_) {
                pressed_ = inside;
                repaint();
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (!tracking_) return 0;
        tracking_ = false;
        if (::GetCapture() == hwnd()) ::ReleaseCapture();
        if (pressed_) {
            pressed_ = false;
            toggleAndClick();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (tracking_ && reinterpret_cast<HWND>(lp) != hwnd()) {
            tracking_ = false;
            if (pressed_) {
                pressed_ = false;
                repaint();
            }
        }
        return 0;
    case WM_KEYDOWN:
        if (enabled_ && wp == VK_SPACE && focused_) {
            if (!(lp & (1 << 30))) {
                spaceDown_ = true;
                pressed_ = true;
                repaint();
            }
            return 0;
        }
        break;
    case WM_KEYUP:
        if (enabled_ && wp == VK_SPACE && focused_ && spaceDown_) {
            spaceDown_ = false;
            if (::GetCapture() == hwnd()) ::ReleaseCapture();
            pressed_ = false;
            toggleAndClick();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        focused_ = true;
        repaint();
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        spaceDown_ = false;
        if (pressed_ && !tracking_) pressed_ = false;
        repaint();
        return 0;
    case WM_ENABLE:
        repaint();
        return 0;
    case WM_SETFONT:
        if (reinterpret_cast<HFONT>(wp) == font_) return 0;
        font_ = reinterpret_cast<HFONT>(wp);
        computeLayout();
        repaint();
        return 0;
    case WM_MOUSEACTIVATE:
        return tabStop_ ? MA_ACTIVATE : MA_NOACTIVATE;
    default:
        break;
    }
    return PaintedControl::handleMessage(msg, wp, lp);
}

} // namespace tw
