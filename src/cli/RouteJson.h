#pragma once
// The route check's member of the command-line tool's JSON output.
#include "analysis/RouteCheck.h"

#include <string>

namespace tw {

// {"routesRead", "activitiesRead", "timetablesRead", "trainsRead", "broken",
// "unreadable", "unplayedConsists", "onlyUnplayedStock"}, as UTF-8 JSON.
std::string routeCheckJson(const RouteCheckResult& result);

} // namespace tw
