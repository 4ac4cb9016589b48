#include "widgets/PictureButton.h"

#include "platform/Handle.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

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

// Strokes drawn dark and thick, then each again lighter and thinner inside.
Picture outlinedStrokes(std::initializer_list<std::array<double, 4>> lines, std::uint32_t dark, std::uint32_t light) {
    Picture p = blank16();
    for (const auto& [thickness, colour] : {std::pair{3.2, dark}, std::pair{1.6, light}})
        for (const auto& l : lines) stroke(p, l[0], l[1], l[2], l[3], thickness, colour);
    return p;
}

Picture checkMark() { return outlinedStrokes({{2.5, 8.5, 6.5, 12.5}, {6.5, 12.5, 13.5, 3.5}}, 0x006000, 0x00A000); }

Picture cross() { return outlinedStrokes({{3.5, 3.5, 12.5, 12.5}, {12.5, 3.5, 3.5, 12.5}}, 0x800000, 0xE00000); }

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

// What one drawing of a button shows besides its look.
struct PictureButtonState {
    std::wstring caption;     // with its accelerator "&"
    HFONT font = nullptr;     // nullptr: the system's GUI font
    bool pressed = false, focused = false, disabled = false;
    bool isDefault = false;   // drawn with the dark default-button frame
};

// Face, frame, picture and caption (accelerator underlined) of a button of
// the image's size, pressed and focus states included.
void renderPictureButton(const PictureButtonLook& look, const PictureButtonState& state, Image& img) {
    const int w = img.width(), h = img.height();
    HDC dc = img.dc();
    SelectGuard selFont(dc, state.font ? static_cast<HGDIOBJ>(state.font) : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT face{0, 0, w, h};
    ::FillRect(dc, &face, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = face;
    if (state.isDefault || state.focused) {
        ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&frame, -1, -1);
    }
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (state.pressed ? DFCS_PUSHED : 0));

    const wchar_t* text = state.caption.c_str();
    RECT measure{0, 0, 0, 0};
    ::DrawTextW(dc, text, -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    const bool hasPicture = !look.picture.pixels.empty();
    int textW = measure.right - measure.left, textH = measure.bottom - measure.top;
    int picW = hasPicture ? look.picture.width : 0, picH = hasPicture ? look.picture.height : 0;
    int gap = (hasPicture && textW > 0) ? look.spacing : 0;
    int total = picW + gap + textW;
    int left = (w - total) / 2 + (state.pressed ? 1 : 0);
    int top = state.pressed ? 1 : 0;
    int picX = look.side == PictureSide::Left ? left : left + textW + gap;
    int textX = look.side == PictureSide::Left ? left + picW + gap : left;
    if (hasPicture) drawPicture(dc, picX, (h - picH) / 2 + top, look.picture);

    ::SetBkMode(dc, TRANSPARENT);
    RECT tr{textX, (h - textH) / 2 + top, textX + textW, (h - textH) / 2 + top + textH};
    if (state.disabled) {
        OffsetRect(&tr, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(dc, text, -1, &tr, DT_SINGLELINE);
        OffsetRect(&tr, -1, -1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    }
    ::DrawTextW(dc, text, -1, &tr, DT_SINGLELINE);
    if (state.focused) {
        RECT fr = face;
        ::InflateRect(&fr, -4, -4);
        ::DrawFocusRect(dc, &fr);
    }
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

PictureButton::PictureButton(Picture picture, PictureSide side, int spacing)
    : look_{std::move(picture), side, spacing} {}

HWND PictureButton::create(const PictureButtonArgs& a) {
    framed_ = a.defaultFrame;
    HWND h = createChild(a.parent, {.className = L"BUTTON",
                                    .text = a.caption,
                                    .style = WS_TABSTOP | BS_OWNERDRAW | a.style,
                                    .x = a.x, .y = a.y, .width = a.width, .height = a.height,
                                    .id = a.id,
                                    .font = a.font});
    drawn_.attach(h, [this](const DRAWITEMSTRUCT& item) { draw(item); });
    return h;
}

void PictureButton::draw(const DRAWITEMSTRUCT& item) {
    PictureButtonState state;
    state.font = reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    wchar_t text[256] = {};
    ::GetWindowTextW(item.hwndItem, text, 256);
    state.caption = text;
    state.pressed = (item.itemState & ODS_SELECTED) != 0;
    state.focused = (item.itemState & ODS_FOCUS) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;
    state.isDefault = framed_ && framed_();
    paintThroughImage(image_, item.hDC, item.rcItem, [&](Image& img) { renderPictureButton(look_, state, img); });
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
