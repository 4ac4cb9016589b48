// A button outside the tab order must never wear the focus outline.
#include "widgets/LedButton.h"
#include "widgets/Palette.h"
#include <gtest/gtest.h>

using namespace tw;

namespace {

class FocusHost : public Window {
public:
    FocusHost() { create({.className = L"TwWidgetFocusHost", .title = L"host", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                 .exStyle = WS_EX_CONTROLPARENT, .width = 400, .height = 200}); }
    ~FocusHost() override { destroy(); }
};

} // namespace

TEST(ButtonFocus, NoTabStopNeverTakesFocusOrShowsFocusColour) {
    FocusHost host;
    LedButton stepButton, goButton;
    stepButton.setCaption(L"&Step");
    goButton.setCaption(L"&Go");
    ASSERT_TRUE(stepButton.create({.parent = host.hwnd(), .x = 10, .y = 10, .tabStop = true}));
    ASSERT_TRUE(goButton.create({.parent = host.hwnd(), .x = 10, .y = 60}));
    int clicks = 0;
    goButton.onClick = [&] { ++clicks; };

    ::SetFocus(stepButton.hwnd());
    ASSERT_TRUE(stepButton.focused());

    // A full click still toggles and notifies but leaves the focus where it was.
    ::SendMessageW(goButton.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(goButton.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(goButton.active());
    EXPECT_EQ(::GetFocus(), stepButton.hwnd());
    EXPECT_FALSE(goButton.focused());

    // Tab cycles among tab stops only: the single step button keeps it.
    MSG m{stepButton.hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ::IsDialogMessageW(host.hwnd(), &m);
    EXPECT_NE(::GetFocus(), goButton.hwnd());

    Image goImg(125, 25), stepImg(125, 25);
    goButton.render(goImg);
    stepButton.render(stepImg);
    EXPECT_EQ(goImg.pixel(0, 0), clBlack);
    EXPECT_EQ(stepImg.pixel(0, 0), clBlue);
}
