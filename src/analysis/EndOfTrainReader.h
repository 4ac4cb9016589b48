#pragma once
// The Open Rails end-of-train device a consist (or an activity's loose
// consist) names: EOTData ( NAME FOLDER ), the file
// TRAINS\ORTS_EOT\FOLDER\NAME.eot of the simulator folder.
#include <string>
#include <vector>

namespace tw {

inline constexpr wchar_t kEndOfTrainBelow[] = L"\\TRAINS\\ORTS_EOT";

// FOLDER\NAME.eot for each EOTData entry of a flattened file, in file order;
// an entry without a folder names NAME.eot directly under ORTS_EOT.
std::vector<std::wstring> endOfTrainDevices(const std::wstring& flattened);

} // namespace tw
