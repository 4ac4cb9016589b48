#pragma once
// Small pictures drawn in code (button glyphs, flags): plain pixel arrays so
// tests can check them without a screen, and the two ways they reach a DC.
#include "platform/Handle.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tw {

// Pixels as 0x00RRGGBB (the DIB-section layout), rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Lime marks the background that is not drawn.
constexpr std::uint32_t kPictureTransparent = 0x00FF00;

// A top-down 32-bit DIB section holding the picture.
UniqueBitmap createPictureBitmap(const Picture& picture);

// Draws the picture at (x, y), leaving its lime pixels untouched.
void drawPicture(HDC dc, int x, int y, const Picture& picture);

} // namespace tw
