#pragma once
// Off-screen 32-bit image shared by the owner-drawn widgets. Drawing goes to
// its DC (GDI text) or straight into its pixels, then one BitBlt to the screen.
#include "platform/Colour.h"
#include "platform/Handle.h"
#include <windows.h>
#include <cstdint>
#include <utility>

namespace tw {

// Resolves FF-high-byte system colours through GetSysColor.
Colour resolveColour(Colour c);
// 0x00BBGGRR colour to the DIB's 0x00RRGGBB pixel layout, and back.
constexpr std::uint32_t toPixel(Colour c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Colour fromPixel(std::uint32_t p) { return toPixel(p & 0xFFFFFFu); }

class Image {
public:
    Image() = default;
    Image(int width, int height) { resize(width, height); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    Image(Image&& o) noexcept { *this = std::move(o); }
    Image& operator=(Image&& o) noexcept;
    ~Image() { release(); }
    void resize(int width, int height);
    int width() const { return w_; }
    int height() const { return h_; }
    HDC dc() const { return dc_.get(); }
    bool empty() const { return w_ == 0 || h_ == 0; }

    // Pixels are 0x00RRGGBB, top-down. Callers GdiFlush after GDI drawing.
    std::uint32_t* row(int y) { return bits_ + static_cast<std::size_t>(y) * w_; }
    const std::uint32_t* row(int y) const { return bits_ + static_cast<std::size_t>(y) * w_; }
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour c);
    void fill(const RECT& r, Colour c);
    void fill(Colour c) { fill(RECT{0, 0, w_, h_}, c); }
    void hLine(int x0, int x1, int y, Colour c); // inclusive ends
    void vLine(int x, int y0, int y1, Colour c); // inclusive ends
    // Copies src pixels, skipping those equal to the key colour.
    void blitKeyed(const Image& src, int sx, int sy, int w, int h, int dx, int dy, Colour key);
    void blit(const Image& src, int sx, int sy, int w, int h, int dx, int dy);

private:
    void release() noexcept;
    int w_ = 0, h_ = 0;
    std::uint32_t* bits_ = nullptr;
    UniqueDc dc_;
    UniqueBitmap bmp_;
    HGDIOBJ old_ = nullptr;
};

// The one way an owner-drawn thing reaches a DC, for WM_PAINT and WM_PRINTCLIENT
// alike: render(img) draws into img, sized to r, which then goes to dc at r in
// one BitBlt (no flicker; and the same pixels a test can read from img).
template <typename Render> void paintThroughImage(Image& img, HDC dc, const RECT& r, Render&& render) {
    img.resize(r.right - r.left, r.bottom - r.top);
    if (img.empty()) return;
    render(img);
    ::GdiFlush();
    ::BitBlt(dc, r.left, r.top, img.width(), img.height(), img.dc(), 0, 0, SRCCOPY);
}

// "MS Sans Serif" 8 pt at 96 dpi, the program's widget font.
HFONT defaultWidgetFont();
// "MS Sans Serif", the program's one face, at that CreateFontW height
// (negative: the characters' height in pixels).
UniqueFont makeFont(int height, bool bold = false, BYTE family = FF_DONTCARE);

} // namespace tw
