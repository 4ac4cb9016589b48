#include "platform/Errors.h"

#include "platform/MessageBox.h"
#include "platform/Text.h"

#include <windows.h>

#include <new>
#include <system_error>
#include <vector>

namespace tw {

AppError::AppError(std::wstring message) : std::runtime_error(toUtf8(message)), message_(std::move(message)) {}

std::wstring systemReason(unsigned long errorCode) {
    wchar_t* buf = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                               reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::wstring text;
    if (n && buf) text.assign(buf, n);
    if (buf) ::LocalFree(buf);
    if (text.empty()) text = L"System error " + std::to_wstring(errorCode);
    while (!text.empty() && (text.back() == L'.' || static_cast<unsigned>(text.back()) <= 32u)) text.pop_back();
    return text;
}

AppError cannotOpenFile(const std::wstring& path, unsigned long errorCode) {
    return AppError(L"Cannot open file \"" + path + L"\". " + systemReason(errorCode));
}

AppError cannotCreateFile(const std::wstring& path, unsigned long errorCode) {
    return AppError(L"Cannot create file \"" + path + L"\". " + systemReason(errorCode));
}

std::wstring generalErrorText(const std::wstring& message) {
    if (!message.empty() && message.back() > L'.') return message + L".";
    return message;
}

namespace {

constexpr wchar_t kOutOfMemory[] = L"There is not enough memory to complete this action";
constexpr UINT kShowQueued = WM_APP + 0x2E0;

// One user-interface thread: plain program-wide state.
std::vector<std::wstring> g_queued;
bool g_lostToMemory = false;   // an error that could not even be kept
bool g_showing = false;

LRESULT CALLBACK noticeProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kShowQueued) {
        showQueuedErrors();
        return 0;
    }
    return ::DefWindowProcW(h, msg, wp, lp);
}

// A message-only window: every message loop (the program's, a step's, a modal
// dialog's or a system box's) dispatches its notice.
HWND noticeWindow() {
    static HWND h = nullptr;
    if (h && ::IsWindow(h)) return h;
    WNDCLASSW wc{};
    wc.lpfnWndProc = noticeProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TwErrorNotice";
    ::RegisterClassW(&wc);
    h = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    return h;
}

void showBox(const std::wstring& text) noexcept {
    try {
        showMessageBox(generalErrorText(text), MessageKind::ApplicationError, MessageButtons::Ok);
    } catch (...) {
    }
}

} // namespace

std::wstring currentErrorText() {
    try {
        throw;
    } catch (const AppError& e) {
        return e.message();
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (const std::system_error& e) {
        if (e.code().category() == std::system_category()) return systemReason(static_cast<unsigned long>(e.code().value()));
        std::wstring reason = fromUtf8(e.code().message());
        while (!reason.empty() && (reason.back() == L'.' || static_cast<unsigned>(reason.back()) <= 32u)) reason.pop_back();
        return reason;
    } catch (const std::exception& e) {
        // The detail helps whoever the user asks; a bare type name tells nobody anything.
        const std::wstring detail = fromUtf8(e.what());
        if (detail.empty() || detail.rfind(L"std::", 0) == 0) return L"An unexpected error stopped this action";
        return L"An unexpected error stopped this action (" + detail + L").";
    } catch (...) {
        return L"An unexpected error stopped this action";
    }
}

void showCurrentError() noexcept {
    try {
        showBox(currentErrorText());
    } catch (...) {
        showBox(kOutOfMemory);   // no memory left for the text itself
    }
}

void queueCurrentError() noexcept {
    try {
        g_queued.push_back(currentErrorText());
    } catch (...) {
        g_lostToMemory = true;
    }
    HWND notice = noticeWindow();
    if (!notice || !::PostMessageW(notice, kShowQueued, 0, 0)) showQueuedErrors();
}

void showQueuedErrors() noexcept {
    // A box already up shows the others after it, not inside it.
    if (g_showing) return;
    g_showing = true;
    while (!g_queued.empty() || g_lostToMemory) {
        if (g_lostToMemory) {
            g_lostToMemory = false;
            showBox(kOutOfMemory);
            continue;
        }
        std::wstring text = std::move(g_queued.front());
        g_queued.erase(g_queued.begin());
        showBox(text);
    }
    g_showing = false;
}

} // namespace tw
