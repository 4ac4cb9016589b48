#include "widgets/PictureButton.h"

#include "platform/Handle.h"

#include <cmath>

namespace tw {

namespace {

Picture blank16() { return Picture{16, 16, std::vector<std::uint32_t>(256, kPictureTransparent)}; }

void put(Picture& p, int x, int y, std::uint32_t c) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height) p.pixels[static_cast<size_t>(y) * p.width + x] = c;
}

// A thick line from (x0, y0) to (x1, y1): every pixel whose centre lies within half the thickness.
void stroke(Picture& p, double x0, double y0, double x1, double y1, double thickness, std::uint32_t c) {
    double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0;
            t = t < 0 ? 0 : (t > 1 ? 1 : t);
            double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            if (ex * ex + ey * ey <= thickness * thickness / 4) put(p, x, y, c);
        }
}

void fill(Picture& p, int x0, int y0, int x1, int y1, std::uint32_t c) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) put(p, x, y, c);
}

Picture checkMark() {
    Picture p = blank16();
    stroke(p, 2.5, 8.5, 6.5, 12.5, 3.2, 0x006000);
    stroke(p, 6.5, 12.5, 13.5, 3.5, 3.2, 0x006000);
    stroke(p, 2.5, 8.5, 6.5, 12.5, 1.6, 0x00A000);
    stroke(p, 6.5, 12.5, 13.5, 3.5, 1.6, 0x00A000);
    return p;
}

Picture cross() {
    Picture p = blank16();
    stroke(p, 3.5, 3.5, 12.5, 12.5, 3.2, 0x800000);
    stroke(p, 12.5, 3.5, 3.5, 12.5, 3.2, 0x800000);
    stroke(p, 3.5, 3.5, 12.5, 12.5, 1.6, 0xE00000);
    stroke(p, 12.5, 3.5, 3.5, 12.5, 1.6, 0xE00000);
    return p;
}

// An open door in its frame, the usual picture for leaving.
Picture door() {
    Picture p = blank16();
    fill(p, 3, 1, 13, 15, 0x000000);    // frame
    fill(p, 4, 2, 12, 15, 0x202020);    // the dark opening
    fill(p, 4, 2, 9, 15, 0x808000);     // leaf (olive)
    fill(p, 5, 3, 8, 14, 0xC0C000);
    put(p, 7, 8, 0x000000);             // handle
    fill(p, 1, 14, 15, 15, 0x808080);   // floor
    return p;
}

Picture questionMark() {
    Picture p = blank16();
    const char* rows[] = {
        "................", ".....######.....", "....##....##....", "...##......##...",
        "...........##...", "..........##....", ".........##.....", "........##......",
        "........##......", "........##......", "................", "................",
        "........##......", "........##......", "................", "................"};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (rows[y][x] == '#') put(p, x, y, 0x000080);
    return p;
}

} // namespace

Picture buttonPicture(ButtonPicture which) {
    switch (which) {
    case ButtonPicture::Yes: return checkMark();
    case ButtonPicture::No: return cross();
    case ButtonPicture::Close: return door();
    case ButtonPicture::Help: return questionMark();
    }
    return blank16();
}

HWND createPictureButton(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height,
                         bool visible) {
    DWORD style = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW | (visible ? WS_VISIBLE : 0);
    return ::CreateWindowExW(0, L"BUTTON", caption.c_str(), style, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

void drawPictureButton(const DRAWITEMSTRUCT& item, const PictureButtonLook& look) {
    RECT rc = item.rcItem;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return;
    // Compose off-screen, then one copy: no flicker while the button repaints.
    UniqueDc mem(::CreateCompatibleDC(item.hDC));
    UniqueBitmap bmp(::CreateCompatibleBitmap(item.hDC, w, h));
    if (!mem || !bmp) return;
    SelectGuard selBmp(mem.get(), bmp.get());
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    SelectGuard selFont(mem.get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));

    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool focused = (item.itemState & ODS_FOCUS) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT face{0, 0, w, h};
    ::FillRect(mem.get(), &face, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = face;
    if (look.isDefault || focused) {
        ::FrameRect(mem.get(), &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&frame, -1, -1);
    }
    ::DrawFrameControl(mem.get(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    wchar_t text[256] = {};
    ::GetWindowTextW(item.hwndItem, text, 256);
    RECT measure{0, 0, 0, 0};
    ::DrawTextW(mem.get(), text, -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    int textW = measure.right - measure.left, textH = measure.bottom - measure.top;
    int picW = look.picture ? look.picture->width : 0, picH = look.picture ? look.picture->height : 0;
    int gap = (look.picture && textW > 0) ? look.spacing : 0;
    int total = picW + gap + textW;
    int left = (w - total) / 2 + (pressed ? 1 : 0);
    int top = pressed ? 1 : 0;
    int picX = look.side == PictureSide::Left ? left : left + textW + gap;
    int textX = look.side == PictureSide::Left ? left + picW + gap : left;
    if (look.picture) drawPicture(mem.get(), picX, (h - picH) / 2 + top, *look.picture);

    ::SetBkMode(mem.get(), TRANSPARENT);
    RECT tr{textX, (h - textH) / 2 + top, textX + textW, (h - textH) / 2 + top + textH};
    if (disabled) {
        OffsetRect(&tr, 1, 1);
        ::SetTextColor(mem.get(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(mem.get(), text, -1, &tr, DT_SINGLELINE);
        OffsetRect(&tr, -1, -1);
        ::SetTextColor(mem.get(), ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        ::SetTextColor(mem.get(), ::GetSysColor(COLOR_BTNTEXT));
    }
    ::DrawTextW(mem.get(), text, -1, &tr, DT_SINGLELINE);
    if (focused) {
        RECT fr = face;
        ::InflateRect(&fr, -4, -4);
        ::DrawFocusRect(mem.get(), &fr);
    }
    ::BitBlt(item.hDC, rc.left, rc.top, w, h, mem.get(), 0, 0, SRCCOPY);
}

bool pressFocusedPictureButton(HWND parent) {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != parent || !IsWindowEnabled(focus)) return false;
    wchar_t cls[16] = {};
    GetClassNameW(focus, cls, 16);
    if (_wcsicmp(cls, L"Button") != 0) return false;
    if ((GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) return false;
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

} // namespace tw
