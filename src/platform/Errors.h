#pragma once
// Errors of the file, settings, registry and printer layers. They are thrown by
// those layers, never caught by the action that caused them, and shown by the
// one general handler where user actions are dispatched (see guardAction).
#include <functional>
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

// Runs a user action; an AppError (or any other exception) is shown by the
// general error box and the program carries on.
void guardAction(const std::function<void()>& action) noexcept;

} // namespace tw
