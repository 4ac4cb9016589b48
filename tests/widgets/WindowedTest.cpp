// Widgets as real child windows: mouse, keys, focus and notifications.
#include "widgets/PictureButton.h"
#include "widgets/FolderEdit.h"
#include "widgets/BevelPanel.h"
#include "widgets/LedButton.h"
#include "widgets/BarGauge.h"
#include "widgets/DigitCounter.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <vector>

using namespace tw;

namespace {

// Top-level host recording the commands it receives.
class Host : public Window {
public:
    Host() { create({.className = L"TwWidgetTestHost", .title = L"host", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                 .width = 500, .height = 300}); }
    ~Host() override { destroy(); }
    std::vector<WORD> commands;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_COMMAND) commands.push_back(LOWORD(wp));
        return Window::handleMessage(msg, wp, lp);
    }
};

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

void pump() {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
}

struct ButtonTest : ::testing::Test {
    Host host;
    LedButton b;
    int clicks = 0;
    void SetUp() override {
        b.setCaption(L"&Consists");
        ASSERT_TRUE(b.create({.parent = host.hwnd(), .x = 10, .y = 10, .tabStop = true}));
        b.onClick = [this] { ++clicks; };
    }
};

} // namespace

TEST_F(ButtonTest, ClickTogglesAndMovingOffCancels) {
    ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_TRUE(b.pressedLook());
    ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(300, 5));
    EXPECT_FALSE(b.pressedLook());
    ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, at(300, 5));
    EXPECT_FALSE(b.active());
    EXPECT_EQ(clicks, 0);

    ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(300, 5));
    ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(6, 6));
    ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, at(6, 6));
    EXPECT_TRUE(b.active());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b.focused()); // a tab stop takes the focus when pressed
}

TEST_F(ButtonTest, SpaceAndAcceleratorAndDisabled) {
    ::SetFocus(b.hwnd());
    ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(b.pressedLook());
    ::SendMessageW(b.hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(b.active());
    EXPECT_EQ(clicks, 1);
    // Enter does nothing.
    ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(clicks, 1);
    // The dialog manager's accelerator press clicks without toggling.
    EXPECT_EQ(b.accelerator(), L'C');
    ::SendMessageW(b.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(b.active());
    MSG m{host.hwnd(), WM_SYSCHAR, L'c', 0, 0, {}};
    ::IsDialogMessageW(host.hwnd(), &m);
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(b.active());

    b.setEnabled(false);
    ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, at(5, 5));
    ::SendMessageW(b.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 3);
}

TEST_F(ButtonTest, LookFollowsFocusActiveAndEnabled) {
    Image img(125, 25);
    b.setActive(true);
    b.render(img);
    const RECT led = b.ledRect();
    EXPECT_EQ(led.right - led.left, 12);
    EXPECT_EQ(img.pixel(led.left + 2, led.top + 2), clLime);
    EXPECT_EQ(img.pixel(led.left + 1, led.top + 1), clBlack);
    EXPECT_EQ(img.pixel(0, 0), clBlack);
    ::SetFocus(b.hwnd());
    b.render(img);
    EXPECT_EQ(img.pixel(0, 0), clBlue);
    b.setEnabled(false);
    b.render(img);
    EXPECT_EQ(img.pixel(led.left + 5, led.top + 5), resolveColour(clBtnFace));
    // Centred group: M = (W - (12 + 5 + t) + 1) / 2 inside a 3-pixel inset.
    const RECT cap = b.captionRect();
    EXPECT_EQ(cap.left - led.right, 5);
    EXPECT_EQ(led.left - 3, (119 - (12 + 5 + (cap.right - cap.left)) + 1) / 2);
}

TEST(BevelPanel, ForwardsChildCommandsAndInsetsByBevel) {
    Host host;
    BevelPanel panel;
    BevelValues v = panel.bevel().values();
    v.InnerSpace = 1;
    panel.setBevel(v);
    ASSERT_TRUE(panel.create({.parent = host.hwnd(), .width = 300, .height = 200}));
    EXPECT_EQ(panel.innerRect().left, 4);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, panel.hwnd(),
                                    reinterpret_cast<HMENU>(IDOK), moduleInstance(), nullptr);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0], IDOK);
    EXPECT_TRUE(::GetWindowLongPtrW(panel.hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    // A thicker bevel moves the children with the inner area.
    v.OuterWidth = 3;
    panel.setBevel(v);
    RECT r;
    ::GetWindowRect(button, &r);
    ::MapWindowPoints(nullptr, panel.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 12);
}

namespace {
struct FolderBox : ::testing::Test {
    Host host;
    FolderEdit box;
    twtest::TempFolder temp;
    int changes = 0;
    std::vector<std::wstring> starts;
    std::optional<std::wstring> answer;
    // A box at (5, 5), 313 wide, that counts its changes and records where its chooser opens.
    bool createBox(FolderEdit& b, bool readOnly = false, bool autoSelect = true) {
        return b.create({.parent = host.hwnd(), .x = 5, .y = 5, .width = 313, .readOnly = readOnly,
                         .autoSelect = autoSelect, .onChange = [this] { ++changes; },
                         .chooser = [this](HWND, const std::wstring& start) {
                             starts.push_back(start);
                             return answer;
                         }});
    }
    void SetUp() override { ASSERT_TRUE(createBox(box)); }
};
} // namespace

TEST_F(FolderBox, ButtonGeometry) {
    RECT r;
    ::GetWindowRect(box.buttonHandle(), &r);
    ::MapWindowPoints(nullptr, box.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 313 - 21 - 4);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom - r.top, 17);
}

TEST_F(FolderBox, TextChangesFireOncePerChangeAndNest) {
    box.setText(L"C:\\a");
    box.setText(L"C:\\a");
    EXPECT_EQ(changes, 1);
    int depth = 0, maxDepth = 0;
    box.onChange = [&] {
        ++changes;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        std::wstring t = box.content();
        if (t.size() > 3 && t.back() == L'\\') box.setText(t.substr(0, t.size() - 1));
        --depth;
    };
    box.setText(L"C:\\Train Simulator\\");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(maxDepth, 2);
    EXPECT_EQ(box.content(), L"C:\\Train Simulator");
    // Typing is a change too.
    ::SendMessageW(box.editHandle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(changes, 4);
}

TEST_F(FolderBox, DialogStartFolderAndResult) {
    box.setInitialFolder(temp.path());
    answer = temp.makeDir(L"chosen");
    box.buttonClick();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], temp.path());
    EXPECT_EQ(box.content(), *answer);
    EXPECT_EQ(box.initialFolder(), *answer);
    EXPECT_EQ(changes, 1);

    box.setText(temp / L"missing");
    answer.reset();
    box.buttonClick();
    EXPECT_EQ(starts.back(), L"\\");
    EXPECT_EQ(box.content(), temp / L"missing");
    EXPECT_EQ(box.initialFolder(), temp / L"chosen");
    EXPECT_EQ(::GetFocus(), box.editHandle()); // a cancelled dialog still focuses the box
}

TEST_F(FolderBox, KeysAndDisabled) {
    answer = L"C:\\";
    ::SendMessageW(box.editHandle(), WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    EXPECT_EQ(starts.size(), 1u);
    EXPECT_EQ(box.content(), L"C:\\");
    // Enter goes to the window as its default button and inserts nothing.
    ::SendMessageW(box.editHandle(), WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageW(box.editHandle(), WM_CHAR, L'\r', 0);
    pump();
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands.back(), IDOK);
    EXPECT_EQ(box.content(), L"C:\\");
    box.setEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(box.editHandle()));
    EXPECT_FALSE(::IsWindowEnabled(box.buttonHandle()));
    box.buttonClick();
    EXPECT_EQ(starts.size(), 1u);
    FolderEdit readOnly;
    ASSERT_TRUE(createBox(readOnly, true));
    readOnly.buttonClick();
    EXPECT_EQ(starts.size(), 1u);
}

TEST_F(FolderBox, FocusByProgramSelectsAllUnlessAutoSelectIsOff) {
    box.setText(L"C:\\Games");
    ::SetFocus(host.hwnd());
    ::SetFocus(box.editHandle());
    DWORD s = 1, e = 0;
    ::SendMessageW(box.editHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(e, 8u);
    FolderEdit keeps;
    ASSERT_TRUE(createBox(keeps, false, false));
    keeps.setText(L"C:\\Games");
    ::SendMessageW(keeps.editHandle(), EM_SETSEL, 2, 2);
    ::SetFocus(host.hwnd());
    ::SetFocus(keeps.editHandle());
    ::SendMessageW(keeps.editHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(e - s, 0u);
}

TEST(GaugeWindow, ThickerBevelKeepsTheTickArea) {
    Host host;
    BarGauge g;
    ASSERT_TRUE(g.create({.parent = host.hwnd()}));
    BevelValues v = g.bevel().values();
    v.BorderWidth = 2;
    g.setBevel(v);
    EXPECT_EQ(g.width(), 34);
    // Orientation swaps width and height.
    g.setOrientation(GaugeOrientation::Horizontal);
    EXPECT_EQ(g.height(), 34);
}

namespace {
// Counts the paints a widget's window receives, whatever route they take.
struct PaintCounter {
    static inline int paints = 0;
    static inline WNDPROC original = nullptr;
    static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_PAINT) ++paints;
        return ::CallWindowProcW(original, h, msg, wp, lp);
    }
    explicit PaintCounter(HWND h) : hwnd(h) {
        paints = 0;
        original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&proc)));
    }
    ~PaintCounter() { ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original)); }
    HWND hwnd;
};
} // namespace

TEST(HeldPaint, ChangesWhileHeldBecomeOnePaintAndNothingIsLost) {
    Host host;
    DigitCounter n;
    ASSERT_TRUE(n.create({.parent = host.hwnd(), .x = 10, .y = 10}));
    pump();
    PaintCounter count(n.hwnd());

    n.setValue(1);
    EXPECT_EQ(PaintCounter::paints, 1) << "a change paints at once when not held";

    n.setPaintHeld(true);
    for (int v = 2; v < 50; ++v) n.setValue(v);
    n.palette().setHigh(0x00FFFF);
    EXPECT_EQ(PaintCounter::paints, 1);
    EXPECT_EQ(n.value(), 49);
    n.paintIfStale();
    EXPECT_EQ(PaintCounter::paints, 2) << "the held changes reach the screen as one paint";
    n.paintIfStale();
    EXPECT_EQ(PaintCounter::paints, 2) << "nothing stale, nothing painted";
    n.setValue(50);
    EXPECT_EQ(PaintCounter::paints, 2) << "still held after painting the stale image";

    n.setPaintHeld(false);
    n.paintIfStale();
    EXPECT_EQ(PaintCounter::paints, 3);
    n.setValue(51);
    EXPECT_EQ(PaintCounter::paints, 4);
}

// What a print request (PrintWindow, WM_PRINTCLIENT) gets of an owner-drawn
// control is what the screen shows of it: one drawing serves both.
TEST(OwnerDrawing, PrintRequestGetsThePaintedPixels) {
    Host host;
    PictureButton help(buttonPicture(ButtonPicture::Help), PictureSide::Right, 5);
    const HWND button = help.create({.parent = host.hwnd(), .x = 10, .y = 10, .width = 97, .height = 33, .id = 7,
                                     .caption = L"&Aide", .font = defaultWidgetFont()});
    FolderEdit box;
    ASSERT_TRUE(box.create({.parent = host.hwnd(), .x = 10, .y = 60, .width = 200}));
    ::RedrawWindow(host.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump();
    for (HWND h : {button, box.buttonHandle()}) {
        RECT r;
        ::GetWindowRect(h, &r);
        const std::vector<std::uint32_t> screen = twtest::screenPixels(r);
        Image printed(r.right - r.left, r.bottom - r.top);
        ::SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
        ::GdiFlush();
        std::vector<std::uint32_t> got;
        for (int y = 0; y < printed.height(); ++y)
            got.insert(got.end(), printed.row(y), printed.row(y) + printed.width());
        EXPECT_TRUE(got == screen) << "control " << ::GetDlgCtrlID(h);
        if (h != button) continue;
        // The help picture (navy question mark) stands right of the caption (black).
        int textRight = -1, pictureLeft = printed.width();
        for (int y = 0; y < printed.height(); ++y)
            for (int x = 3; x < printed.width() - 3; ++x) {
                const Colour c = printed.pixel(x, y);
                if (c == clBlack) textRight = std::max(textRight, x);
                if (c == clNavy) pictureLeft = std::min(pictureLeft, x);
            }
        EXPECT_GE(textRight, 0);
        EXPECT_GT(pictureLeft, textRight + 5);
    }
}

TEST(WindowBase, CloseRequestDestroysTheWindow) {
    Host host;
    ::SendMessageW(host.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(host.hwnd(), nullptr);
}

// A painted control answers a print request through the same drawing as its paint.
TEST(PaintedControl, PrintRequestGetsThePaintedPixels) {
    Host host;
    DigitCounter counter;
    ASSERT_TRUE(counter.create({.parent = host.hwnd(), .x = 10, .y = 10, .style = DigitStyle::Size7x13}));
    counter.setValue(1234);
    pump();
    RECT r;
    ::GetWindowRect(counter.hwnd(), &r);
    const std::vector<std::uint32_t> screen = twtest::screenPixels(r);
    Image printed(r.right - r.left, r.bottom - r.top);
    ::SendMessageW(counter.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    ::GdiFlush();
    for (int y = 0; y < printed.height(); ++y)
        ASSERT_EQ(0, std::memcmp(printed.row(y), &screen[y * printed.width()], printed.width() * 4)) << "row " << y;
}
