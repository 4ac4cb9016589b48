#include "analysis/ActivityReader.h"

#include "analysis/ConsistReader.h"
#include "analysis/EndOfTrainReader.h"
#include "analysis/KeywordEntries.h"

namespace tw {

ActivityEntries activityEntries(const std::wstring& flattened) {
    ActivityEntries out;
    // Whole words: Service_Definition never matches inside Player_Service_Definition.
    for (KeywordEntry& e :
         keywordEntries(flattened, {L"PLAYER_SERVICE_DEFINITION", L"TRAFFIC_DEFINITION", L"SERVICE_DEFINITION"})) {
        switch (e.keyword) {
        case 0: if (out.playerService.empty()) out.playerService = std::move(e.first); break;
        case 1: if (out.traffic.empty()) out.traffic = std::move(e.first); break;
        default: out.services.push_back(std::move(e.first)); break;
        }
    }
    out.looseStock = consistReferences(flattened);
    out.looseDevices = endOfTrainDevices(flattened);
    return out;
}

} // namespace tw
