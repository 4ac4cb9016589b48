#include "ui/HelpWindow.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace tw;

namespace {

POINT expectedTopLeft(HWND h) {
    RECT r, work;
    ::GetWindowRect(h, &r);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {(work.right - work.left - (r.right - r.left)) / 2, (work.bottom - work.top - (r.bottom - r.top)) / 2};
}

POINT topLeft(HWND h) {
    RECT r;
    ::GetWindowRect(h, &r);
    return {r.left, r.top};
}

std::wstring text(HWND h) {
    std::wstring s(static_cast<size_t>(::GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(static_cast<size_t>(::GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

int lineCount(const std::wstring& s) {
    int n = 0;
    for (size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == L'\r' && s[i + 1] == L'\n') ++n;
    return n;
}

} // namespace

TEST(HelpWindow, CreatedVisibleCentredOnTheFirstTab) {
    HelpWindow help;
    ASSERT_TRUE(help.createWindow());
    EXPECT_TRUE(::IsWindowVisible(help.hwnd()));
    RECT c;
    ::GetClientRect(help.hwnd(), &c);
    EXPECT_EQ(c.right, 473);
    EXPECT_EQ(c.bottom, 265);
    POINT at = topLeft(help.hwnd()), want = expectedTopLeft(help.hwnd());
    EXPECT_EQ(at.x, want.x);
    EXPECT_EQ(at.y, want.y);
    EXPECT_EQ(help.activePage(), 0);
    EXPECT_EQ(text(help.hwnd()), L"Aide");
    const wchar_t* captions[] = {L"A Propos", L"Utilisation", L"Fonctionnement", L"Avertissement", L"English",
                                 L"Versions History"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(help.tabCaption(i), captions[i]);
    EXPECT_TRUE(::IsWindowVisible(help.pageWindow(0)));
    EXPECT_FALSE(::IsWindowVisible(help.pageWindow(5)));
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(::GetClientRect(help.pageWindow(i), &c) && c.right == 455 && c.bottom == 193) << "page " << i;
}

TEST(HelpWindow, MemosHoldTheirTextsReadOnly) {
    HelpWindow help;
    ASSERT_TRUE(help.createWindow(false));
    EXPECT_EQ(text(help.memo(1)), HelpWindow::usageText());
    EXPECT_EQ(text(help.memo(2)), HelpWindow::howItWorksText());
    EXPECT_EQ(text(help.memo(5)), HelpWindow::historyText());
    EXPECT_EQ(lineCount(HelpWindow::usageText()), 12);
    EXPECT_EQ(lineCount(HelpWindow::howItWorksText()), 13);
    EXPECT_EQ(lineCount(HelpWindow::historyText()), 27);
    EXPECT_EQ(help.memo(0), nullptr);
    for (int i : {1, 2, 5}) EXPECT_TRUE(::GetWindowLongW(help.memo(i), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(::GetWindowLongW(help.memo(5), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(::GetWindowLongW(help.memo(1), GWL_STYLE) & WS_VSCROLL);
    EXPECT_NE(HelpWindow::aboutText().find(L"suggestions : contact@trackwend.org"), std::wstring::npos);
}

TEST(HelpWindow, TabClickShowsItsPage) {
    HelpWindow help;
    ASSERT_TRUE(help.createWindow(false));
    ::SendMessageW(help.tabControl(), TCM_SETCURSEL, 3, 0);
    NMHDR n{help.tabControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageW(help.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    EXPECT_TRUE(::IsWindowVisible(help.pageWindow(3)) || !::IsWindowVisible(help.hwnd()));
    EXPECT_TRUE(::GetWindowLongW(help.pageWindow(3), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(::GetWindowLongW(help.pageWindow(0), GWL_STYLE) & WS_VISIBLE);
}

TEST(HelpWindow, ActivationFromAnotherWindowRecentresAndReturnsToFirstTab) {
    HelpWindow help;
    ASSERT_TRUE(help.createWindow());
    HWND other = ::CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    // The user reads the history, moves the window, works in the other window...
    help.selectPage(5);
    ::SetWindowPos(help.hwnd(), nullptr, 3, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetActiveWindow(other);
    ASSERT_EQ(::GetActiveWindow(), other);
    EXPECT_EQ(help.activePage(), 5) << "leaving the window changes nothing";
    // ...and comes back.
    ::SetActiveWindow(help.hwnd());
    EXPECT_EQ(help.activePage(), 0);
    POINT at = topLeft(help.hwnd()), want = expectedTopLeft(help.hwnd());
    EXPECT_EQ(at.x, want.x);
    EXPECT_EQ(at.y, want.y);

    // The help button while the window is already active does the same.
    help.selectPage(2);
    ::SetWindowPos(help.hwnd(), nullptr, 3, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    help.showAndActivate();
    EXPECT_EQ(help.activePage(), 0);
    EXPECT_EQ(topLeft(help.hwnd()).x, want.x);
    ::DestroyWindow(other);
}

TEST(HelpWindow, CloseButtonAndCloseBoxHideItAndCaptionFollowsTheLanguage) {
    HelpWindow help;
    ASSERT_TRUE(help.createWindow());
    EXPECT_EQ(text(help.closeButton()), L"&Fermer");
    help.setCloseCaption(L"&Close");
    EXPECT_EQ(text(help.closeButton()), L"&Close");
    ::SendMessageW(help.closeButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(help.hwnd()));
    EXPECT_TRUE(::IsWindow(help.hwnd())) << "hidden, not destroyed";
    help.showAndActivate();
    EXPECT_TRUE(::IsWindowVisible(help.hwnd()));
    ::SendMessageW(help.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(help.hwnd()));
    EXPECT_TRUE(::IsWindow(help.hwnd()));
}

TEST(HelpWindow, CentringTruncatesTowardZeroWithoutClamping) {
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int ww = work.right - work.left, wh = work.bottom - work.top;
    POINT p = centredIn(workArea(), ww + 101, wh + 1);
    EXPECT_EQ(p.x, -50);
    EXPECT_EQ(p.y, 0);
    p = centredIn(workArea(), ww - 3, wh - 5);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 2);
}
