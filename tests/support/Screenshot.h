#pragma once
// Saves what the screen shows of a window as a BMP file, for review by eye.
#include <string>

#include <windows.h>

namespace twtest {

void saveWindow(HWND h, const std::string& path);

} // namespace twtest
