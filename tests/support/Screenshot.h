#pragma once
// Saves what the screen shows of a window as a BMP file, for review by eye.
#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

namespace twtest {

void saveWindow(HWND h, const std::string& path);

// What the screen shows now inside a rectangle of screen coordinates, row by
// row as 0x00RRGGBB, without asking anything to repaint first.
std::vector<std::uint32_t> screenPixels(const RECT& r);

// What the screen shows of a button's frame: its four 3 x 3 corners and the
// two outer pixels at the middle of each edge. Equal for buttons of one look.
std::vector<std::uint32_t> buttonFrame(HWND button);

} // namespace twtest
