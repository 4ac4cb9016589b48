#include "support/Screenshot.h"

#include "platform/Handle.h"
#include "widgets/OffscreenImage.h"

#include <cstdio>

namespace twtest {

void saveWindow(HWND h, const std::string& path) {
    ::UpdateWindow(h);
    ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r;
    ::GetWindowRect(h, &r);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    const std::vector<std::uint32_t> pixels = screenPixels(r);
    if (pixels.empty()) return;
    BITMAPINFOHEADER ih{sizeof(BITMAPINFOHEADER), w, -ht, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(ih) + pixels.size() * 4), 0, 0,
                        static_cast<DWORD>(sizeof(fh) + sizeof(ih))};
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&fh, sizeof(fh), 1, f);
        std::fwrite(&ih, sizeof(ih), 1, f);
        std::fwrite(pixels.data(), 4, pixels.size(), f);
        std::fclose(f);
    }
}

std::vector<std::uint32_t> screenPixels(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<std::uint32_t> pixels;
    if (w <= 0 || h <= 0) return pixels;
    tw::WindowDc screen(nullptr);
    tw::UniqueDc mem(::CreateCompatibleDC(screen.get()));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    tw::UniqueBitmap bmp(::CreateDIBSection(mem.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp || !bits) return pixels;
    {
        tw::SelectGuard select(mem.get(), bmp.get());
        ::BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.assign(p, p + static_cast<size_t>(w) * h);
    return pixels;
}

std::vector<std::uint32_t> buttonFrame(HWND button) {
    RECT r;
    ::GetClientRect(button, &r);
    const int w = r.right, h = r.bottom;
    tw::Image printed(w, h);   // drawn on request, not read back from the screen
    ::SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    ::GdiFlush();
    std::vector<std::uint32_t> frame;
    for (int y : {0, 1, 2, h / 2, h - 3, h - 2, h - 1})
        for (int x : {0, 1, 2, w / 2, w - 3, w - 2, w - 1})
            if (x != w / 2 || y != h / 2) frame.push_back(printed.pixel(x, y));
    return frame;
}

} // namespace twtest
