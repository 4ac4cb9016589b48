#include "platform/MessageBox.h"

#include <windows.h>

namespace tw {

namespace {
MessageBoxHandler& handlerSlot() {
    static MessageBoxHandler h;
    return h;
}
std::wstring& titleSlot() {
    static std::wstring t = L"Trackwend";
    return t;
}
} // namespace

int showMessageBox(const std::wstring& text, MessageKind kind, MessageButtons buttons) {
    if (auto& h = handlerSlot()) return h(text, kind, buttons);
    return systemMessageBox(text, kind, buttons);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
    auto old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

const std::wstring& applicationTitle() { return titleSlot(); }
void setApplicationTitle(std::wstring title) { titleSlot() = std::move(title); }

int systemMessageBox(const std::wstring& text, MessageKind kind, MessageButtons buttons) {
    UINT flags = MB_TASKMODAL | MB_SETFOREGROUND | (buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK) | MB_DEFBUTTON1;
    std::wstring caption;
    switch (kind) {
    case MessageKind::Warning: caption = L"Warning"; flags |= MB_ICONWARNING; break;
    case MessageKind::Error: caption = L"Error"; flags |= MB_ICONERROR; break;
    case MessageKind::Confirm: caption = L"Confirm"; flags |= MB_ICONQUESTION; break;
    case MessageKind::Plain: caption = applicationTitle(); break;
    case MessageKind::ApplicationError: caption = applicationTitle(); flags |= MB_ICONERROR; break;
    }
    int r = ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags);
    return r == IDOK ? kResultOk : kResultCancel;
}

} // namespace tw
