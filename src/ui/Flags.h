#pragma once
// Flag artwork drawn in code: the warning dialog's two 24 x 14 flags and the
// main window's two 30 x 24 pictures of round flag badges. Pictures are plain
// pixel arrays so tests can check them without a screen.
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

enum class FlagPicture {
    UnitedKingdom,   // 24 x 14, warning dialog's "&English"
    France,          // 24 x 14, warning dialog's "&Fran\u00E7ais"
    EnglishBadges,   // 30 x 24: United Kingdom, Canada, United States badges
    FrenchBadges,    // 30 x 24: Belgium, Switzerland, Quebec, France badges
};

Picture flagPicture(FlagPicture which);

// A top-down 32-bit DIB section holding the picture (caller owns it).
HBITMAP createPictureBitmap(const Picture& picture);

// Draws the picture at (x, y), leaving its lime pixels untouched.
void drawPicture(HDC dc, int x, int y, const Picture& picture);

} // namespace tw
