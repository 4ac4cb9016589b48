#pragma once
// Errors of the file, settings, registry and printer layers. They are thrown by
// those layers, never caught by the action that caused them, and shown by the
// one general handler where user actions are dispatched (see guardAction).
#include <stdexcept>
#include <string>

namespace tw {

class AppError : public std::runtime_error {
public:
    explicit AppError(std::wstring message);
    const std::wstring& message() const noexcept { return message_; }
private:
    std::wstring message_;
};

// The system's text for an error code, with its trailing full stop and blanks removed.
std::wstring systemReason(unsigned long errorCode);

// "Cannot open file "%s". %s" / "Cannot create file "%s". %s"
AppError cannotOpenFile(const std::wstring& path, unsigned long errorCode);
AppError cannotCreateFile(const std::wstring& path, unsigned long errorCode);

// The general error box's text: the message, plus a full stop when its last
// character comes after "." in code order.
std::wstring generalErrorText(const std::wstring& message);

// The general error box's text for the exception being handled: the
// program's own message, or words a user understands for the others (out of
// memory, the system's text for a system error), never a type name.
std::wstring currentErrorText();

// Shows the general error box for the exception being handled, at once.
void showCurrentError() noexcept;
// Keeps the general error box for the exception being handled and shows it
// once the message being handled is done: a box opened inside a paint, an
// activation or a focus change would run its modal loop in the middle of it.
void queueCurrentError() noexcept;
// Shows the kept error boxes now (a message loop that ends calls it, so none
// is lost with the loop).
void showQueuedErrors() noexcept;

// Runs a user action; an error is shown by the general error box at once and
// the program carries on.
template <typename Action>
void guardAction(Action&& action) noexcept {
    try {
        action();
    } catch (...) {
        showCurrentError();
    }
}

// The same for an action run inside a window message or a system callback:
// the box comes after the message. False when the action did not complete.
template <typename Action>
bool guardMessage(Action&& action) noexcept {
    try {
        action();
        return true;
    } catch (...) {
        queueCurrentError();
        return false;
    }
}

} // namespace tw
