#pragma once
// The route check's report, in the layout of the others: header and scope
// lines, then the activities that will not start, the activities and
// timetables that run with something left out, the consists nothing plays
// and the stock only they use, and what could not be read.
#include "analysis/RouteCheck.h"
#include "report/ReportTarget.h"

#include <string>
#include <vector>

namespace tw {

// unreadableFolders: the steps' folders that could not be listed; the
// check's own unreadable files and folders are added to that line's count.
std::vector<std::wstring> routeReportLines(const RouteCheckResult& result, bool includeTrainStore,
                                           const std::wstring& date, bool activitiesRead = false,
                                           std::size_t unreadableFolders = 0);
void buildRouteReport(const RouteCheckResult& result, bool includeTrainStore, ReportTarget& target,
                      bool activitiesRead = false, std::size_t unreadableFolders = 0);

} // namespace tw
