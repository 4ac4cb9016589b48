#include "analysis/EndOfTrainReader.h"

#include "analysis/KeywordEntries.h"

namespace tw {

std::vector<std::wstring> endOfTrainDevices(const std::wstring& flattened) {
    std::vector<std::wstring> devices;
    for (const KeywordEntry& e : keywordEntries(flattened, {L"EOTDATA"}))
        devices.push_back((e.second.empty() ? std::wstring() : e.second + L"\\") + e.first + L".eot");
    return devices;
}

} // namespace tw
