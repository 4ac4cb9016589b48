#include "support/MessageBoxRecorder.h"
#include "support/DialogTestSupport.h"
#include "platform/Errors.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <new>
#include <typeinfo>
#include <string>
#include <system_error>
#include <vector>

using namespace tw;

namespace {

// What the real system box looked like when it appeared.
struct Seen {
    std::wstring caption, text, okText, cancelText;
    bool okVisible = false, cancelVisible = false, okDefault = false, icon = false;
    RECT window{}, textRect{};
};

thread_local Seen* seen = nullptr;
thread_local std::function<void(HWND)> answer;
thread_local HHOOK hook = nullptr;

std::wstring itemText(HWND dlg, int id) {
    wchar_t buf[512] = {};
    ::GetDlgItemTextW(dlg, id, buf, 512);
    return buf;
}

bool styleVisible(HWND dlg, int id) {
    HWND h = ::GetDlgItem(dlg, id);
    return h && (::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE);
}

void inspect(HWND dlg);

LRESULT CALLBACK recorder(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && seen) {
        HWND dlg = reinterpret_cast<HWND>(wp);
        wchar_t cls[16] = {};
        ::GetClassNameW(dlg, cls, 16);
        if (std::wstring(cls) == L"#32770") {
            // Read once the box is laid out, from inside its own loop.
            twtest::postAction([dlg] { inspect(dlg); });
        }
    }
    return ::CallNextHookEx(hook, code, wp, lp);
}

void inspectNow(HWND dlg) {
    {
        {
            wchar_t cap[128] = {};
            ::GetWindowTextW(dlg, cap, 128);
            seen->caption = cap;
            seen->text = itemText(dlg, 0xFFFF);
            seen->okText = itemText(dlg, IDOK);
            seen->cancelText = itemText(dlg, IDCANCEL);
            seen->okVisible = styleVisible(dlg, IDOK);
            seen->cancelVisible = styleVisible(dlg, IDCANCEL);
            seen->okDefault = (::GetWindowLongW(::GetDlgItem(dlg, IDOK), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
            for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
                if (::SendMessageW(c, STM_GETICON, 0, 0)) seen->icon = true;
            ::GetWindowRect(dlg, &seen->window);
            ::GetWindowRect(::GetDlgItem(dlg, 0xFFFF), &seen->textRect);
            seen = nullptr;
            answer(dlg);
        }
    }
}

void inspect(HWND dlg) {
    if (seen) inspectNow(dlg);
}

// Shows the real box and answers it with the given action.
int showAndAnswer(Seen& s, const std::wstring& text, MessageKind kind, MessageButtons buttons,
                  std::function<void(HWND)> how) {
    seen = &s;
    answer = std::move(how);
    hook = ::SetWindowsHookExW(WH_CBT, recorder, nullptr, ::GetCurrentThreadId());
    int r = systemMessageBox(text, kind, buttons);
    ::UnhookWindowsHookEx(hook);
    return r;
}

auto pressButton(int id) {
    return [id](HWND dlg) {
        ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
    };
}
auto escape() {
    return [](HWND dlg) { ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); };
}
auto closeBox() {
    return [](HWND dlg) { ::PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

} // namespace

TEST(MessageBoxes, KindsGiveCaptionIconAndEnglishButtons) {
    struct Case {
        MessageKind kind;
        const wchar_t* caption;
        bool icon;
    } cases[] = {{MessageKind::Warning, L"Warning", true},
                 {MessageKind::Error, L"Error", true},
                 {MessageKind::Confirm, L"Confirm", true},
                 {MessageKind::Plain, L"Trackwend", false},
                 {MessageKind::ApplicationError, L"Trackwend", true}};
    for (const Case& c : cases) {
        Seen s;
        int r = showAndAnswer(s, L"Le dossier X n'a pas pu etre localise", c.kind, MessageButtons::OkCancel,
                              pressButton(IDOK));
        EXPECT_EQ(r, kResultOk);
        EXPECT_EQ(s.caption, c.caption);
        EXPECT_EQ(s.text, L"Le dossier X n'a pas pu etre localise");
        EXPECT_EQ(s.icon, c.icon) << s.caption;
        EXPECT_TRUE(s.okVisible);
        EXPECT_TRUE(s.cancelVisible);
        EXPECT_EQ(s.okText, L"OK");
        EXPECT_EQ(s.cancelText, L"Cancel");
        EXPECT_TRUE(s.okDefault);
    }
}

TEST(MessageBoxes, ResultsOfButtonsEscapeAndCloseBox) {
    Seen s;
    EXPECT_EQ(showAndAnswer(s, L"x", MessageKind::Confirm, MessageButtons::OkCancel, pressButton(IDCANCEL)), kResultCancel);
    EXPECT_EQ(showAndAnswer(s, L"x", MessageKind::Confirm, MessageButtons::OkCancel, escape()), kResultCancel);
    EXPECT_EQ(showAndAnswer(s, L"x", MessageKind::Confirm, MessageButtons::OkCancel, closeBox()), kResultCancel);
    // Without Cancel, Escape presses OK, but the close box still gives 2.
    EXPECT_EQ(showAndAnswer(s, L"x", MessageKind::Warning, MessageButtons::Ok, escape()), kResultOk);
    EXPECT_FALSE(s.cancelVisible);
    EXPECT_EQ(showAndAnswer(s, L"x", MessageKind::Warning, MessageButtons::Ok, closeBox()), kResultCancel);
    EXPECT_EQ(showAndAnswer(s, L"x", MessageKind::Warning, MessageButtons::Ok, pressButton(IDOK)), kResultOk);
}

TEST(MessageBoxes, CentredOnTheScreenAndWrappedToHalfItsWidth) {
    std::wstring longText;
    for (int i = 0; i < 60; ++i) longText += L"mot" + std::to_wstring(i) + L" ";
    Seen s;
    showAndAnswer(s, longText, MessageKind::Error, MessageButtons::Ok, pressButton(IDOK));
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    int w = s.window.right - s.window.left, h = s.window.bottom - s.window.top;
    EXPECT_EQ(s.window.left, (sw - w) / 2);
    EXPECT_EQ(s.window.top, (sh - h) / 2);
    EXPECT_LE(s.textRect.right - s.textRect.left, sw / 2);
    EXPECT_GT(s.textRect.bottom - s.textRect.top, 20) << "the text wraps onto several lines";
}

TEST(MessageBoxes, BelongToTheActiveWindowWhichIsActiveAgainWithItsFocusAfterwards) {
    auto popup = [](HWND parent, DWORD style) {
        return CreateWindowExW(0, parent ? L"EDIT" : L"STATIC", L"", style | WS_VISIBLE, 0, 0, 80, 30, parent,
                               nullptr, nullptr, nullptr);
    };
    HWND active = popup(nullptr, WS_POPUP), other = popup(nullptr, WS_POPUP), edit = popup(active, WS_CHILD);
    SetActiveWindow(active);
    SetFocus(edit);
    Seen s;
    BOOL otherEnabled = TRUE;
    showAndAnswer(s, L"x", MessageKind::Confirm, MessageButtons::OkCancel, [&](HWND dlg) {
        otherEnabled = IsWindowEnabled(other);
        pressButton(IDCANCEL)(dlg);
    });
    EXPECT_FALSE(otherEnabled) << "modal for every window of the program";
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(GetFocus(), edit);
    DestroyWindow(active);
    DestroyWindow(other);
}

TEST(MessageBoxes, GeneralErrorBoxShowsTheMessageWithTheFullStopRule) {
    Seen s;
    auto previous = setMessageBoxHandler({});
    seen = &s;
    answer = pressButton(IDOK);
    hook = ::SetWindowsHookExW(WH_CBT, recorder, nullptr, ::GetCurrentThreadId());
    guardAction([] { throw AppError(L"Unable to write to C:\\x\\trackwend.INI"); });
    ::UnhookWindowsHookEx(hook);
    setMessageBoxHandler(previous);
    EXPECT_EQ(s.caption, L"Trackwend");
    EXPECT_EQ(s.text, L"Unable to write to C:\\x\\trackwend.INI.");
    EXPECT_TRUE(s.icon);
    EXPECT_TRUE(s.okVisible);
    EXPECT_FALSE(s.cancelVisible);
}

TEST(MessageBoxes, GeneralErrorBoxSaysWhatWentWrongInWordsAndTheProgramGoesOn) {
    twtest::MessageBoxRecorder recorder;
    const std::vector<std::wstring>& texts = recorder.texts;
    guardAction([] { throw std::bad_alloc(); });
    guardAction([] { throw std::system_error(ERROR_ACCESS_DENIED, std::system_category()); });
    guardAction([] { std::vector<int>().at(3); });
    guardAction([] { throw 42; });
    guardAction([] { throw std::bad_cast(); });
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(recorder.kinds, std::vector<MessageKind>(5, MessageKind::ApplicationError));
    EXPECT_EQ(texts[0], L"There is not enough memory to complete this action.");
    EXPECT_EQ(texts[1], systemReason(ERROR_ACCESS_DENIED) + L".");
    for (const auto& t : texts) {
        EXPECT_EQ(t.find(L"std::"), std::wstring::npos) << "no type names";
        EXPECT_EQ(t.back(), L'.');
    }
    EXPECT_EQ(texts[2].rfind(L"An unexpected error stopped this action (", 0), 0u);
    EXPECT_EQ(texts[3], L"An unexpected error stopped this action.");
    EXPECT_EQ(texts[4], texts[3]);
}

namespace {
// A window whose handling of one message fails, before or after the default procedure.
class Failing : public Window {
public:
    UINT failOn = 0, failAfterDefaultOn = 0;
    ~Failing() override { destroy(); }
protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == failOn) throw AppError(L"Cannot open file \"x\". Access is denied");
        const LRESULT r = Window::handleMessage(msg, wp, lp);
        if (msg == failAfterDefaultOn) throw AppError(L"Late failure");
        return r;
    }
};
} // namespace

TEST(MessageBoxes, GeneralErrorBoxComesAfterTheMessageThatFailedOnceForEachFailure) {
    twtest::MessageBoxRecorder recorder;
    const std::vector<std::wstring>& boxes = recorder.texts;
    Failing w;
    ASSERT_TRUE(w.create({.className = L"TwFailingTest", .style = WS_POPUP | WS_VISIBLE, .width = 50, .height = 50}));
    w.failOn = WM_SETFOCUS;
    ::SetFocus(nullptr);
    ::SetFocus(w.hwnd());
    w.failOn = WM_USER;
    ::SendMessageW(w.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(boxes.empty()) << "no box inside the focus change or the message";
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    EXPECT_EQ(boxes, std::vector<std::wstring>(2, L"Cannot open file \"x\". Access is denied."));
    EXPECT_TRUE(::IsWindow(w.hwnd())) << "the program goes on";
}

TEST(MessageBoxes, AHandlerFailingAfterTheDefaultProcedureDoesNotRunItTwice) {
    twtest::MessageBoxRecorder recorder;
    Failing w;
    ASSERT_TRUE(w.create({.className = L"TwFailingTest", .style = WS_POPUP}));
    w.failAfterDefaultOn = WM_SETICON;
    // WM_SETICON answers the icon it replaces: run twice, it would answer its own.
    const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(::SendMessageW(w.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)), 0);
    showQueuedErrors();
    EXPECT_EQ(recorder.texts, std::vector<std::wstring>{L"Late failure."});
}
