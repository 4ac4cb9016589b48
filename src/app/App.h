#pragma once
// The program's entry: reads the two registry folders, creates the windows in
// start-up order and runs the message loop.

namespace tw {

int runApplication();

} // namespace tw
