// Not a check: with TW_SHOTS set to a folder, saves pictures of the warning
// dialog's panels and of each help page for review by eye.
#include "DialogTestSupport.h"

#include "ui/HelpWindow.h"
#include "ui/WarningDialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tw;

namespace {

void saveWindow(HWND h, const std::string& path) {
    ::UpdateWindow(h);
    ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r;
    ::GetWindowRect(h, &r);
    int w = r.right - r.left, ht = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -ht, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, ht, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi.bmiHeader) + w * ht * 4), 0, 0,
                        static_cast<DWORD>(sizeof(fh) + sizeof(bi.bmiHeader))};
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&fh, sizeof(fh), 1, f);
        std::fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
        std::fwrite(bits, 4, static_cast<size_t>(w) * ht, f);
        std::fclose(f);
    }
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

void pump() {
    MSG m;
    for (int i = 0; i < 20; ++i) {
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        ::Sleep(10);
    }
}

} // namespace

TEST(Screenshots, WarningDialogAndHelpPages) {
    const char* dir = std::getenv("TW_SHOTS");
    if (!dir) GTEST_SKIP() << "TW_SHOTS not set";
    std::string d = dir;
    {
        TFormAv::Callbacks c;
        TFormAv dlg(c);
        ASSERT_TRUE(dlg.createWindow());
        twtest::postAction([&] {
            pump();
            saveWindow(dlg.hwnd(), d + "\\warning-fr.bmp");
            ::SendMessageW(dlg.control(TFormAv::IdB_Anglais), BM_CLICK, 0, 0);
            pump();
            saveWindow(dlg.hwnd(), d + "\\warning-en.bmp");
            if (std::getenv("TW_SHOTS_WAIT")) { for (int k = 0; k < 300; ++k) pump(); }
            ::SendMessageW(dlg.control(TFormAv::IdB_Yes), BM_CLICK, 0, 0);
        });
        dlg.showModal();
    }
    TFormHelp help;
    ASSERT_TRUE(help.createWindow());
    for (int i = 0; i < TFormHelp::kPageCount; ++i) {
        help.selectPage(i);
        pump();
        saveWindow(help.hwnd(), d + "\\help-" + std::to_string(i + 1) + ".bmp");
    }
}
