#pragma once
// Runs queued actions from inside whatever message loop is running (a modal
// dialog's or a system box's), the way a user's input would arrive.
#include <windows.h>

#include <functional>

namespace twtest {

void postAction(std::function<void()> action);

// Removes a pending WM_QUIT; true when there was one.
bool takeQuit();

} // namespace twtest
