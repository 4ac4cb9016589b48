#pragma once
// Colours as the counters, buttons and panels hold them.
#include <cstdint>

namespace tw {

// Colour values laid out as $00BBGGRR.
using Colour = std::uint32_t;

namespace colours {
constexpr Colour Olive = 0x008080;   // idle
constexpr Colour Fuchsia = 0xFF00FF; // running
constexpr Colour Aqua = 0xFFFF00;    // second root (Train Store)
constexpr Colour Yellow = 0x00FFFF;  // done
constexpr Colour Red = 0x0000FF;     // orphans
constexpr Colour Lime = 0x00FF00;    // used
} // namespace colours

} // namespace tw
