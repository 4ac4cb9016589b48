#pragma once
// Records the program's message boxes instead of showing them, for as long as
// it lives; the handler that was in place comes back when it goes.
#include "platform/MessageBox.h"

#include <string>
#include <vector>

namespace twtest {

class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = tw::kResultOk);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<std::wstring> texts;   // in the order shown
    std::vector<tw::MessageKind> kinds;
    int answer;                        // what every box answers (kResultOk, kResultCancel)

private:
    tw::MessageBoxHandler previous_;
};

} // namespace twtest
