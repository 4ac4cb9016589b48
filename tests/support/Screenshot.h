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

// What a button draws of its frame: 3 x 3 corners and edge middles.
std::vector<std::uint32_t> buttonFrame(HWND button);

} // namespace twtest
