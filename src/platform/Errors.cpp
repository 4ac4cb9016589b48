#include "platform/Errors.h"

#include "platform/MessageBox.h"
#include "platform/Text.h"

#include <windows.h>

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

void guardAction(const std::function<void()>& action) noexcept {
    try {
        action();
    } catch (const AppError& e) {
        try { showMessageBox(generalErrorText(e.message()), MessageKind::ApplicationError, MessageButtons::Ok); } catch (...) {}
    } catch (const std::exception& e) {
        try { showMessageBox(generalErrorText(fromUtf8(e.what())), MessageKind::ApplicationError, MessageButtons::Ok); } catch (...) {}
    } catch (...) {
    }
}

} // namespace tw
