#include "support/MessageBoxRecorder.h"

namespace twtest {

MessageBoxRecorder::MessageBoxRecorder(int answer) : answer(answer) {
    previous_ = tw::setMessageBoxHandler([this](const std::wstring& text, tw::MessageKind kind, tw::MessageButtons) {
        texts.push_back(text);
        kinds.push_back(kind);
        return this->answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { tw::setMessageBoxHandler(previous_); }

} // namespace twtest
