#include "widgets/DigitCounter.h"

#include <array>
#include <cstdlib>
#include <string>

namespace tw {

namespace {

enum Seg { Top, UpRight, LowRight, Bottom, LowLeft, UpLeft, Middle };
// Lit segments per digit, bit i = segment i.
constexpr std::array<unsigned, 10> litSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110, 0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111};

constexpr Colour stripHigh = clSilver, stripLow = clGray;

// Draws one seven-segment cell at (ox, 0) of size w x h. The 7x13 strip comes
// out exactly as the product's pixel table: outer line silver, inner shading
// gray, unlit segments as gray dots on every other pixel.
void drawCell(Image& img, int ox, int w, int h, unsigned lit) {
    const int mid = (h - 1) / 2, right = w - 1, bottom = h - 1;
    auto horizontal = [&](int y, int shadeY1, int shadeY2, bool on) {
        if (on) {
            img.hLine(ox + 1, ox + right - 1, y, stripHigh);
            for (int sy : {shadeY1, shadeY2})
                if (sy >= 0 && right - 2 >= 2) img.hLine(ox + 2, ox + right - 2, sy, stripLow);
        } else {
            for (int x = 1; x <= right - 1; x += 2) img.setPixel(ox + x, y, stripLow);
        }
    };
    auto vertical = [&](int x, int shadeX, int y0, int y1, bool on) {
        if (on) {
            img.vLine(ox + x, y0, y1, stripHigh);
            if (y1 - 1 >= y0 + 1) img.vLine(ox + shadeX, y0 + 1, y1 - 1, stripLow);
        } else {
            for (int y = y0; y <= y1; y += 2) img.setPixel(ox + x, y, stripLow);
        }
    };
    auto on = [&](Seg s) { return (lit >> s) & 1u; };
    horizontal(0, 1, -1, on(Top));
    vertical(right, right - 1, 1, mid - 1, on(UpRight));
    vertical(right, right - 1, mid + 1, bottom - 1, on(LowRight));
    horizontal(bottom, bottom - 1, -1, on(Bottom));
    vertical(0, 1, mid + 1, bottom - 1, on(LowLeft));
    vertical(0, 1, 1, mid - 1, on(UpLeft));
    horizontal(mid, mid - 1, mid + 1, on(Middle));
}

Image makeStrip(int w, int h) {
    Image img(13 * w, h);
    img.fill(clBlack);
    for (int d = 0; d < 10; ++d) drawCell(img, d * w, w, h, litSegments[d]);
    drawCell(img, 10 * w, w, h, 0);
    const int mid = (h - 1) / 2;
    for (int x = 1; x <= w - 2; x += 2) img.setPixel(11 * w + x, mid - 1, stripLow);
    for (int x = 2; x <= w - 2; x += 2) img.setPixel(11 * w + x, mid, stripLow);
    img.hLine(12 * w + 1, 12 * w + w - 2, mid - 1, stripHigh);
    img.hLine(12 * w + 1, 12 * w + w - 2, mid, stripHigh);
    return img;
}

} // namespace

SIZE digitCellSize(DigitStyle style) {
    switch (style) {
    case DigitStyle::Size13x24: return {13, 24};
    case DigitStyle::Size11x20: return {11, 20};
    case DigitStyle::Size7x13: return {7, 13};
    case DigitStyle::Size12x17: return {12, 17};
    case DigitStyle::Size5x7: return {4, 7};
    }
    return {7, 13};
}

const Image& builtInDigitStrip(DigitStyle style) {
    static std::array<Image, 5> strips;
    Image& s = strips[static_cast<int>(style)];
    if (s.empty()) {
        const SIZE c = digitCellSize(style);
        s = makeStrip(c.cx, c.cy);
    }
    return s;
}

DigitCounter::DigitCounter() : PaintedControl(false) {
    w_ = 100;
    h_ = 26;
    palette_.onChange = [this] {
        recolour();
        repaint();
    };
    recolour();
}

bool DigitCounter::create(const DigitCounterArgs& a) {
    setStyle(a.style);
    setDigits(a.digits);
    setMax(a.max);
    palette_.assign(a.palette);
    return createControl(a.parent, a.x, a.y, a.width, a.height, a.id);
}

void DigitCounter::recolour() {
    const Image& src = builtInDigitStrip(style_);
    cellW_ = src.width() / 13;
    cellH_ = src.height();
    strip_.resize(src.width(), src.height());
    const std::uint32_t lo = toPixel(resolveColour(palette_.low())), hi = toPixel(resolveColour(palette_.high()));
    const std::uint32_t grey = toPixel(stripLow), silver = toPixel(stripHigh);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            const std::uint32_t p = src.row(y)[x] & 0xFFFFFFu;
            strip_.row(y)[x] = p == grey ? lo : p == silver ? hi : p;
        }
}

void DigitCounter::setValue(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == value_) return;
    value_ = v;
    repaint();
    if (onChange) onChange();
}

void DigitCounter::setMin(int v) {
    if (v == min_ || v >= max_) return;
    min_ = v;
    repaint();
}

void DigitCounter::setMax(int v) {
    if (v == max_ || v <= min_) return;
    max_ = v;
    repaint();
}

void DigitCounter::setDigits(int v) {
    v = v < 1 ? 1 : v > 16 ? 16 : v;
    if (v == digits_) return;
    digits_ = v;
    applyAutoSize();
    repaint();
}

void DigitCounter::setSpacing(int v) {
    if (v == spacing_) return;
    spacing_ = v;
    applyAutoSize();
    repaint();
}

void DigitCounter::setStyle(DigitStyle v) {
    if (v == style_) return;
    style_ = v;
    recolour();
    applyAutoSize();
    repaint();
}

void DigitCounter::setAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    applyAutoSize();
    repaint();
}

void DigitCounter::applyAutoSize() {
    if (!autoSize_) return;
    const int w = digits_ * cellW_ + (digits_ - 1) * spacing_;
    setSize(w, cellH_);
}

void DigitCounter::render(Image& img) {
    img.fill(color_);
    std::wstring text;
    if (!(value_ == 0 && zeroBlank_)) text = std::to_wstring(std::llabs(static_cast<long long>(value_)));
    if (static_cast<int>(text.size()) < digits_) text.insert(0, digits_ - text.size(), leadingZero_ ? L'0' : L' ');
    const int s = min_ < 0 ? 1 : 0;
    const int fieldW = (digits_ + s) * cellW_ + (digits_ - 1 + s) * spacing_;
    int x = alignment_ == DigitAlignment::Left ? 0
            : alignment_ == DigitAlignment::Centre    ? (img.width() - fieldW) / 2
                                                         : img.width() - fieldW;
    const int y = (img.height() - cellH_) / 2;
    auto cell = [&](int index) {
        img.blitKeyed(strip_, index * cellW_, 0, cellW_, cellH_, x, y, clBlack);
        x += cellW_ + spacing_;
    };
    if (s) cell(value_ < 0 ? 12 : 11);
    for (wchar_t ch : text) cell(ch == L' ' ? 10 : ch - L'0');
}

void DigitCounter::onSystemColours() {
    recolour();
    repaint();
}

} // namespace tw
