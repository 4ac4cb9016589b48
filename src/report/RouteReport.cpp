#include "report/RouteReport.h"

#include "report/ReportBuilder.h"
#include "text/LanguageTable.h"

namespace tw {

namespace {
TextKey kindText(RouteNeedKind kind) {
    switch (kind) {
    case RouteNeedKind::Service: return TextKey::RouteKindService;
    case RouteNeedKind::Traffic: return TextKey::RouteKindTraffic;
    case RouteNeedKind::Consist: return TextKey::RouteKindConsist;
    case RouteNeedKind::Path: return TextKey::RouteKindPath;
    case RouteNeedKind::Stock: return TextKey::RouteKindStock;
    case RouteNeedKind::EndOfTrain: break;
    }
    return TextKey::RouteKindEndOfTrain;
}

TextKey reasonText(RouteUnreadableReason reason) {
    switch (reason) {
    case RouteUnreadableReason::Unlisted: return TextKey::RouteReasonUnlisted;
    case RouteUnreadableReason::Unreadable: return TextKey::RouteReasonUnreadable;
    case RouteUnreadableReason::Undecodable: return TextKey::RouteReasonUndecodable;
    case RouteUnreadableReason::NotATimetable: break;
    }
    return TextKey::RouteReasonNotATimetable;
}
} // namespace

std::vector<std::wstring> routeReportLines(const RouteCheckResult& result, bool includeTrainStore,
                                           const std::wstring& date, bool activitiesRead,
                                           std::size_t unreadableFolders) {
    const int lang = reportLanguageId();
    const auto t = [lang](TextKey k) { return text(k, lang); };
    std::vector<std::wstring> lines;
    appendReportHeader(lines,
                       text(TextKey::RouteCountLine, lang,
                                 {std::to_wstring(result.routesRead), std::to_wstring(result.activitiesRead),
                                  std::to_wstring(result.timetablesRead), std::to_wstring(result.trainsRead)}),
                       includeTrainStore, activitiesRead, unreadableFolders + result.unreadable.size(), date);
    // A section's title line with its count, then the lines that explain it.
    const auto header = [&](TextKey key, std::size_t count) { appendSectionHeader(lines, t(key), count); };
    const auto where = [&](const std::wstring& route, const std::wstring& file) {
        if (route.empty()) return file.empty() ? t(TextKey::RouteSimulatorFolder) : file;
        return file.empty() ? route : route + L" : " + file;
    };
    const auto runs = [&](TextKey key, bool starting) {
        std::size_t count = 0;
        for (const BrokenRun& r : result.broken) count += r.starts == starting;
        header(key, count);
        for (const BrokenRun& r : result.broken) {
            if (r.starts != starting) continue;
            lines.push_back(L" - " + where(r.route, r.file) + (r.timetable ? L" (" + t(TextKey::RouteTimetable) + L")" : L""));
            for (const AbsentPiece& p : r.missing)
                lines.push_back(L"     " +
                                t(kindText(p.kind)) +
                                L" " + p.name + (p.via.empty() ? L"" : L" " + text(TextKey::RouteVia, lang, {p.via})));
        }
        lines.push_back(L" ");
    };
    runs(TextKey::RouteNotStartingHeader, false);
    runs(TextKey::RouteLeftOutHeader, true);
    header(TextKey::RouteUnplayedHeader, result.unplayedConsists.size());
    for (const std::wstring& c : result.unplayedConsists) lines.push_back(L" - " + c);
    lines.push_back(L" ");
    header(TextKey::RouteOnlyUnplayedStockHeader, result.onlyUnplayedStock.size());
    for (const std::wstring& s : result.onlyUnplayedStock) lines.push_back(L" - " + s);
    if (!result.unreadable.empty()) {
        lines.push_back(L" ");
        header(TextKey::RouteUnreadableHeader, result.unreadable.size());
        for (const UnreadableRouteFile& u : result.unreadable)
            lines.push_back(L" - " + where(u.route, u.file) + L" (" +
                            t(reasonText(u.reason)) +
                            L")");
    }
    appendReportFooter(lines);
    return lines;
}

void buildRouteReport(const RouteCheckResult& result, bool includeTrainStore, ReportTarget& target,
                      bool activitiesRead, std::size_t unreadableFolders) {
    fillReport(target, reportTitle(ReportKind::Routes),
               routeReportLines(result, includeTrainStore, todayShortDate(), activitiesRead, unreadableFolders));
}

} // namespace tw
