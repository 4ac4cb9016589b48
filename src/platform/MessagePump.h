#pragma once
// Processing of pending user-interface messages from inside long loops.
namespace tw {

// Dispatches every message waiting in this thread's queue, then returns.
// A WM_QUIT met here is posted again so the main loop still sees it.
void processPendingMessages();

// The program's message loop; returns the exit code of WM_QUIT.
int runMessageLoop();

} // namespace tw
