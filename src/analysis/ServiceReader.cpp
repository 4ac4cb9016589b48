#include "analysis/ServiceReader.h"

#include "analysis/KeywordEntries.h"

namespace tw {

ServiceEntries serviceEntries(const std::wstring& flattened) {
    ServiceEntries out;
    for (KeywordEntry& e : keywordEntries(flattened, {L"TRAIN_CONFIG", L"PATHID"})) {
        std::wstring& slot = e.keyword == 0 ? out.consist : out.path;
        if (slot.empty()) slot = std::move(e.first);
    }
    return out;
}

} // namespace tw
