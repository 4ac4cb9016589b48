#include "cli/RouteJson.h"

#include "platform/Text.h"

#include <nlohmann/json.hpp>

namespace tw {

std::string routeCheckJson(const RouteCheckResult& r) {
    using Json = nlohmann::ordered_json; // members in the documented order
    const auto strings = [](const std::vector<std::wstring>& items) {
        Json out = Json::array();
        for (const std::wstring& i : items) out.push_back(toUtf8(i));
        return out;
    };
    Json broken = Json::array();
    for (const BrokenRun& b : r.broken) {
        Json missing = Json::array();
        for (const AbsentPiece& p : b.missing)
            missing.push_back({{"kind", routeNeedJsonName(p.kind)}, {"name", toUtf8(p.name)}, {"via", toUtf8(p.via)}});
        broken.push_back({{"route", toUtf8(b.route)}, {"file", toUtf8(b.file)}, {"starts", b.starts}, {"missing", missing}});
    }
    Json unreadable = Json::array();
    for (const UnreadableRouteFile& u : r.unreadable)
        unreadable.push_back({{"route", toUtf8(u.route)}, {"file", toUtf8(u.file)}, {"reason", routeUnreadableJsonName(u.reason)}});
    Json out = {{"routesRead", r.routesRead},     {"activitiesRead", r.activitiesRead},
                {"timetablesRead", r.timetablesRead}, {"trainsRead", r.trainsRead},
                {"broken", broken},              {"unreadable", unreadable},
                {"unplayedConsists", strings(r.unplayedConsists)}, {"onlyUnplayedStock", strings(r.onlyUnplayedStock)}};
    return out.dump();
}

} // namespace tw
