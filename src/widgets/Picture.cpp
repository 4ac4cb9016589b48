#include "widgets/Picture.h"

#include "platform/Handle.h"

#include <cstring>

namespace tw {

UniqueBitmap createPictureBitmap(const Picture& picture) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = picture.width;
    bi.bmiHeader.biHeight = -picture.height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bmp(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bmp && bits && !picture.pixels.empty())
        std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(std::uint32_t));
    return bmp;
}

void drawPicture(HDC dc, int x, int y, const Picture& picture) {
    if (picture.pixels.empty()) return;
    UniqueBitmap bmp = createPictureBitmap(picture);
    UniqueDc mem(::CreateCompatibleDC(dc));
    if (!bmp || !mem) return;
    SelectGuard sel(mem.get(), bmp.get());
    ::TransparentBlt(dc, x, y, picture.width, picture.height, mem.get(), 0, 0, picture.width, picture.height,
                     RGB(0, 0xFF, 0));
}

} // namespace tw
