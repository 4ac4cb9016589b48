#include "widgets/Palette.h"

namespace tw {

void Palette::assign(const Palette& other) {
    beginUpdate();
    low_ = other.low_;
    high_ = other.high_;
    endUpdate();
}

void Bevel::assign(const BevelValues& values) {
    beginUpdate();
    v_ = values;
    endUpdate();
}

int Bevel::inset() const {
    if (!v_.Visible) return 0;
    using S = BevelStyle;
    using O = BevelOutline;
    return v_.BorderWidth + (v_.OuterOutline != O::None ? 1 : 0) + (v_.OuterStyle != S::None ? v_.OuterWidth : 0) +
           v_.OuterSpace + (v_.InnerOutline != O::None ? 1 : 0) + (v_.InnerStyle != S::None ? v_.InnerWidth : 0) +
           v_.InnerSpace;
}

void drawRings(Image& img, RECT& r, Colour first, Colour second, int n) {
    for (int i = 0; i < n; ++i) {
        const int L = r.left, T = r.top, R = r.right - 1, B = r.bottom - 1;
        if (R < L || B < T) break;
        img.vLine(L, B, T, first);
        img.hLine(L, R - 1, T, first);
        img.vLine(R, T, B - 1, second);
        img.hLine(R, L, B, second);
        ::InflateRect(&r, -1, -1);
    }
}

void Bevel::draw(Image& img, RECT& r) const {
    if (!v_.Visible) return;
    using S = BevelStyle;
    using O = BevelOutline;
    auto bevel = [&](S style, int width, Colour hi, Colour sh) {
        if (style == S::Raised) drawRings(img, r, hi, sh, width);
        else if (style == S::Lowered) drawRings(img, r, sh, hi, width);
    };
    drawRings(img, r, v_.BorderColor, v_.BorderColor, v_.BorderWidth);
    if (v_.OuterOutline == O::Outer) drawRings(img, r, clBlack, clBlack, 1);
    bevel(v_.OuterStyle, v_.OuterWidth, v_.OuterHighlight, v_.OuterShadow);
    if (v_.OuterOutline == O::Inner) drawRings(img, r, clBlack, clBlack, 1);
    drawRings(img, r, v_.OuterColor, v_.OuterColor, v_.OuterSpace);
    if (v_.InnerOutline == O::Outer) drawRings(img, r, clBlack, clBlack, 1);
    bevel(v_.InnerStyle, v_.InnerWidth, v_.InnerHighlight, v_.InnerShadow);
    if (v_.InnerOutline == O::Inner) drawRings(img, r, clBlack, clBlack, 1);
    drawRings(img, r, v_.InnerColor, v_.InnerColor, v_.InnerSpace);
}

} // namespace tw
