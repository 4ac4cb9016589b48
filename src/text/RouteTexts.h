#pragma once
// The route check's texts, French and English: its system-menu command and
// its report. Kept beside the language table rather than in it: they follow
// the same language switch, and the table's rows stay those of the windows.
#include <initializer_list>
#include <string>

namespace tw {

enum class RouteText {
    MenuItem, Title, CountLine,
    NotStartingHeader, LeftOutHeader, UnplayedHeader, OnlyUnplayedStockHeader, UnreadableHeader,
    KindService, KindTraffic, KindConsist, KindPath, KindStock, KindEndOfTrain,
    Via, Timetable,
    ReasonUnlisted, ReasonUnreadable, ReasonUndecodable, ReasonNotATimetable,
    SimulatorFolder,
};

// 1 is English; every other value is French.
std::wstring routeText(RouteText key, int languageId);

// The text with "%1", "%2"... replaced by the values in order.
std::wstring routeText(RouteText key, int languageId, std::initializer_list<std::wstring> values);

} // namespace tw
