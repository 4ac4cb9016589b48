#include "widgets/OffscreenImage.h"

#include <algorithm>

namespace tw {

Colour resolveColour(Colour c) {
    if ((c & 0xFF000000u) == 0xFF000000u) return static_cast<Colour>(::GetSysColor(static_cast<int>(c & 0xFFu)));
    return c & 0xFFFFFFu;
}

void Image::release() noexcept {
    if (dc_ && old_) ::SelectObject(dc_.get(), old_);
    old_ = nullptr;
    bmp_.reset();
    dc_.reset();
    bits_ = nullptr;
    w_ = h_ = 0;
}

Image& Image::operator=(Image&& o) noexcept {
    if (this != &o) {
        release();
        w_ = std::exchange(o.w_, 0);
        h_ = std::exchange(o.h_, 0);
        bits_ = std::exchange(o.bits_, nullptr);
        old_ = std::exchange(o.old_, nullptr);
        dc_ = std::move(o.dc_);
        bmp_ = std::move(o.bmp_);
    }
    return *this;
}

void Image::resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == w_ && height == h_ && dc_) return;
    release();
    dc_.reset(::CreateCompatibleDC(nullptr));
    w_ = width;
    h_ = height;
    bits_ = nullptr;
    if (w_ == 0 || h_ == 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w_;
    bi.bmiHeader.biHeight = -h_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_.reset(::CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp_ || !bits) {
        w_ = h_ = 0;
        return;
    }
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = ::SelectObject(dc_.get(), bmp_.get());
    std::fill(bits_, bits_ + static_cast<std::size_t>(w_) * h_, 0u);
}

Colour Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return 0;
    return fromPixel(row(y)[x]);
}

void Image::setPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    row(y)[x] = toPixel(resolveColour(c));
}

void Image::fill(const RECT& r, Colour c) {
    const std::uint32_t p = toPixel(resolveColour(c));
    const int l = std::max<int>(r.left, 0), t = std::max<int>(r.top, 0);
    const int rr = std::min<int>(r.right, w_), b = std::min<int>(r.bottom, h_);
    for (int y = t; y < b; ++y) std::fill(row(y) + l, row(y) + std::max(l, rr), p);
}

void Image::hLine(int x0, int x1, int y, Colour c) {
    if (x0 > x1) std::swap(x0, x1);
    fill(RECT{x0, y, x1 + 1, y + 1}, c);
}

void Image::vLine(int x, int y0, int y1, Colour c) {
    if (y0 > y1) std::swap(y0, y1);
    fill(RECT{x, y0, x + 1, y1 + 1}, c);
}

void Image::blitKeyed(const Image& src, int sx, int sy, int w, int h, int dx, int dy, Colour key) {
    const std::uint32_t k = toPixel(key);
    for (int y = 0; y < h; ++y) {
        const int ty = dy + y, fy = sy + y;
        if (ty < 0 || ty >= h_ || fy < 0 || fy >= src.h_) continue;
        for (int x = 0; x < w; ++x) {
            const int tx = dx + x, fx = sx + x;
            if (tx < 0 || tx >= w_ || fx < 0 || fx >= src.w_) continue;
            const std::uint32_t p = src.row(fy)[fx] & 0xFFFFFFu;
            if (p != k) row(ty)[tx] = p;
        }
    }
}

void Image::blit(const Image& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y) {
        const int ty = dy + y, fy = sy + y;
        if (ty < 0 || ty >= h_ || fy < 0 || fy >= src.h_) continue;
        for (int x = 0; x < w; ++x) {
            const int tx = dx + x, fx = sx + x;
            if (tx < 0 || tx >= w_ || fx < 0 || fx >= src.w_) continue;
            row(ty)[tx] = src.row(fy)[fx] & 0xFFFFFFu;
        }
    }
}

UniqueFont makeFont(int height, bool bold, BYTE family) {
    return UniqueFont(::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | family,
                                    L"MS Sans Serif"));
}

HFONT defaultWidgetFont() {
    static UniqueFont font = makeFont(-11);
    return font.get();
}

} // namespace tw
