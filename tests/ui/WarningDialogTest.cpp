#include "support/MessageBoxRecorder.h"
#include "support/DialogTestSupport.h"

#include "platform/Errors.h"
#include "platform/MessageBox.h"
#include "support/Screenshot.h"
#include "ui/WarningDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tw;

namespace {

// Records what the dialog asks of the rest of the program.
struct Program {
    bool english = false;            // main window shows its Français button
    std::vector<std::wstring> calls; // in order
    bool failWrite = false;
    twtest::MessageBoxRecorder recorder;
    std::vector<std::wstring>& boxes = recorder.texts;

    WarningDialog::Callbacks callbacks() {
        WarningDialog::Callbacks c;
        c.interfaceIsEnglish = [this] { return english; };
        c.mainFrenchClick = [this] { calls.push_back(L"francais"); };
        c.mainEnglishClick = [this] { calls.push_back(L"anglais"); };
        c.writeNoWarning = [this](int language) {
            if (failWrite) throw AppError(L"Unable to write to C:\\ro\\trackwend.INI");
            calls.push_back(L"write " + std::to_wstring(language));
        };
        return c;  // termination: the real PostQuitMessage
    }
};

// The program's side and its dialog, created hidden.
struct Dialog : Program {
    WarningDialog dlg{callbacks()};
    explicit Dialog(bool englishInterface = false) {
        english = englishInterface;
        EXPECT_TRUE(dlg.createWindow());
    }
};

bool checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void check(HWND box) { ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0); }
void click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }
void key(UINT vk) {
    HWND f = ::GetFocus();
    ::PostMessageW(f, WM_KEYDOWN, vk, 0);
}

} // namespace

TEST(WarningDialog, OpensOnThePanelOfTheInterfaceLanguageWithFocusOnNo) {
    for (bool english : {false, true}) {
        Dialog p(english);
        HWND focusSeen = nullptr;
        bool frenchSeen = false, englishSeen = false;
        twtest::postAction([&] {
            focusSeen = ::GetFocus();
            frenchSeen = ::IsWindowVisible(p.dlg.control(WarningDialog::IdFrenchYes)) != FALSE;
            englishSeen = ::IsWindowVisible(p.dlg.control(WarningDialog::IdYes)) != FALSE;
            click(p.dlg.control(english ? WarningDialog::IdNo : WarningDialog::IdFrenchNo));
        });
        p.dlg.showModal();
        EXPECT_EQ(focusSeen, p.dlg.control(english ? WarningDialog::IdNo : WarningDialog::IdFrenchNo));
        EXPECT_EQ(frenchSeen, !english);
        EXPECT_EQ(englishSeen, english);
        EXPECT_TRUE(twtest::takeQuit()) << "refusing ends the program";
        EXPECT_TRUE(p.calls.empty());
    }
}

TEST(WarningDialog, EnterAndEscapeAnswerNo) {
    for (UINT vk : {VK_RETURN, VK_ESCAPE}) {
        Dialog p;
        twtest::postAction([vk] { key(vk); });
        p.dlg.showModal();
        EXPECT_TRUE(p.dlg.closed());
        EXPECT_TRUE(twtest::takeQuit());
        EXPECT_TRUE(p.calls.empty()) << "no language switch, nothing written";
    }
}

TEST(WarningDialog, OnlyTheButtonEnterPressesShowsTheDefaultFrame) {
    Dialog p;
    // The default frame is black; a plain button's left edge is not.
    auto framed = [&](int id) {
        for (int i = 0; i < 5; ++i) {
            MSG m;
            while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
            ::Sleep(10);
        }
        RECT r;
        ::GetWindowRect(p.dlg.control(id), &r);
        const int y = (r.top + r.bottom) / 2;
        return twtest::screenPixels(RECT{r.left, y, r.left + 1, y + 1}) == std::vector<std::uint32_t>{0};
    };
    std::vector<bool> seen;
    twtest::postAction([&] {
        seen.push_back(framed(WarningDialog::IdFrenchNo));   // focused: Enter answers No
        seen.push_back(framed(WarningDialog::IdFrenchYes));
        ::SetFocus(p.dlg.control(WarningDialog::IdFrenchNoWarning));   // now Enter presses Oui
        seen.push_back(framed(WarningDialog::IdFrenchNo));
        seen.push_back(framed(WarningDialog::IdFrenchYes));
        click(p.dlg.control(WarningDialog::IdFrenchYes));
    });
    p.dlg.showModal();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false, true}));
}

TEST(WarningDialog, EnterOnTheYesButtonAccepts) {
    Dialog p;
    twtest::postAction([&] {
        ::SetFocus(p.dlg.control(WarningDialog::IdFrenchYes));
        key(VK_RETURN);
    });
    p.dlg.showModal();
    EXPECT_FALSE(twtest::takeQuit());
    EXPECT_EQ(p.calls, (std::vector<std::wstring>{L"francais"}));
}

TEST(WarningDialog, PanelSwitchClearsTheBoxAndLeavesTheProgramLanguage) {
    Dialog p;
    bool clearedAfterSwitch = false, focusOnNo = false;
    twtest::postAction([&] {
        check(p.dlg.control(WarningDialog::IdFrenchNoWarning));
        click(p.dlg.control(WarningDialog::IdEnglish));
        clearedAfterSwitch =
            !checked(p.dlg.control(WarningDialog::IdFrenchNoWarning)) && !checked(p.dlg.control(WarningDialog::IdEnglishNoWarning));
        focusOnNo = ::GetFocus() == p.dlg.control(WarningDialog::IdNo);
        EXPECT_TRUE(p.dlg.englishPanelVisible());
        EXPECT_TRUE(p.calls.empty()) << "a panel switch changes only the dialog";
        click(p.dlg.control(WarningDialog::IdYes));
    });
    p.dlg.showModal();
    EXPECT_TRUE(clearedAfterSwitch);
    EXPECT_TRUE(focusOnNo);
    EXPECT_EQ(p.calls, (std::vector<std::wstring>{L"anglais"})) << "box cleared: nothing written";
    EXPECT_FALSE(twtest::takeQuit());
}

TEST(WarningDialog, AcceptWithTheBoxWritesWarningThenLanguageThenSwitches) {
    for (bool english : {false, true}) {
        Dialog p(english);
        twtest::postAction([&] {
            check(p.dlg.control(english ? WarningDialog::IdEnglishNoWarning : WarningDialog::IdFrenchNoWarning));
            click(p.dlg.control(english ? WarningDialog::IdYes : WarningDialog::IdFrenchYes));
        });
        p.dlg.showModal();
        std::vector<std::wstring> expected =
            english ? std::vector<std::wstring>{L"write 1", L"anglais"} : std::vector<std::wstring>{L"write 0", L"francais"};
        EXPECT_EQ(p.calls, expected);
        EXPECT_FALSE(twtest::takeQuit());
    }
}

TEST(WarningDialog, HiddenPanelButtonsDoNotAnswer) {
    Dialog p;
    twtest::postAction([&] {
        // The English panel is hidden: its yes button's command is ignored.
        ::SendMessageW(p.dlg.hwnd(), WM_COMMAND, MAKEWPARAM(WarningDialog::IdYes, BN_CLICKED), 0);
        EXPECT_FALSE(p.dlg.closed());
        click(p.dlg.control(WarningDialog::IdFrenchYes));
    });
    p.dlg.showModal();
    EXPECT_EQ(p.calls, (std::vector<std::wstring>{L"francais"}));
}

TEST(WarningDialog, UnwritableSettingsShowTheErrorAndStartAsIfUnticked) {
    Dialog p;
    p.failWrite = true;
    twtest::postAction([&] {
        check(p.dlg.control(WarningDialog::IdFrenchNoWarning));
        click(p.dlg.control(WarningDialog::IdFrenchYes));
    });
    p.dlg.showModal();
    EXPECT_TRUE(p.dlg.closed());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0], L"Unable to write to C:\\ro\\trackwend.INI.");
    EXPECT_EQ(p.calls, (std::vector<std::wstring>{L"francais"})) << "accepted, nothing written";
}

TEST(WarningDialog, OtherWindowsAreDisabledWhileItIsUpAndEnabledAfter) {
    Dialog p;
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    bool disabledDuring = false;
    POINT at{};
    twtest::postAction([&] {
        disabledDuring = !::IsWindowEnabled(other);
        RECT r;
        ::GetWindowRect(p.dlg.hwnd(), &r);
        at = {r.left, r.top};
        RECT c;
        ::GetClientRect(p.dlg.hwnd(), &c);
        EXPECT_EQ(c.right, WarningDialog::kClientWidth);
        EXPECT_EQ(c.bottom, WarningDialog::kClientHeight);
        EXPECT_EQ(r.right - r.left, WarningDialog::kClientWidth + 4);
        click(p.dlg.control(WarningDialog::IdFrenchYes));
    });
    p.dlg.showModal();
    EXPECT_TRUE(disabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(other));
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(at.x, (work.right - work.left - 465) / 2);
    EXPECT_EQ(at.y, (work.bottom - work.top - 290) / 2);
    ::DestroyWindow(other);
}
