#include "text/RouteTexts.h"

namespace tw {

namespace {
struct Row {
    RouteText key;
    const wchar_t* french;
    const wchar_t* english;
};

// In RouteText order (checked below).
constexpr Row kRows[] = {
    {RouteText::MenuItem, L"Contr\u00F4ler les &lignes\u2026", L"Check &routes\u2026"},
    {RouteText::Title, L"Contr\u00F4le des lignes", L"Route check"},
    {RouteText::CountLine, L"Lignes lues : %1 ; activit\u00E9s : %2 ; horaires : %3 (trains : %4)",
     L"Routes read: %1; activities: %2; timetables: %3 (trains: %4)"},
    {RouteText::NotStartingHeader, L"Activit\u00E9s qui ne d\u00E9marreront pas :", L"Activities that will not start:"},
    {RouteText::LeftOutHeader,
     L"Activit\u00E9s et horaires jouables, mais incomplets :",
     L"Activities and timetables that run with trains or vehicles left out:"},
    {RouteText::UnplayedHeader,
     L"Rames qu'aucune activit\u00E9 ni aucun horaire n'utilise :\r\n"
     L"(elles restent jouables seules, en mode exploration)",
     L"Consists that no activity or timetable plays:\r\n(they can still be driven alone, in explore mode)"},
    {RouteText::OnlyUnplayedStockHeader, L"Mat\u00E9riel utilis\u00E9 uniquement par ces rames :",
     L"Stock that only those consists use:"},
    {RouteText::UnreadableHeader, L"Fichiers et dossiers qui n'ont pas pu \u00EAtre lus (r\u00E9sultats incomplets) :",
     L"Files and folders that could not be read (results incomplete):"},
    {RouteText::KindService, L"service", L"service"},
    {RouteText::KindTraffic, L"trafic", L"traffic"},
    {RouteText::KindConsist, L"rame", L"consist"},
    {RouteText::KindPath, L"chemin", L"path"},
    {RouteText::KindStock, L"mat\u00E9riel", L"stock"},
    {RouteText::KindEndOfTrain, L"dispositif de fin de train", L"end-of-train device"},
    {RouteText::Via, L"(demand\u00E9 par %1)", L"(via %1)"},
    {RouteText::Timetable, L"horaire", L"timetable"},
    {RouteText::ReasonUnlisted, L"dossier illisible", L"folder could not be listed"},
    {RouteText::ReasonUnreadable, L"fichier illisible", L"file could not be read"},
    {RouteText::ReasonUndecodable, L"codage du fichier non reconnu", L"file could not be decoded"},
    {RouteText::ReasonNotATimetable, L"le simulateur ne sait pas lire cet horaire",
     L"not a timetable the simulator can read"},
    {RouteText::SimulatorFolder, L"dossier du simulateur", L"simulator folder"},
};

constexpr bool inOrder() {
    int i = 0;
    for (const Row& r : kRows)
        if (static_cast<int>(r.key) != i++) return false;
    return i == static_cast<int>(RouteText::SimulatorFolder) + 1;
}
static_assert(inOrder(), "the rows follow RouteText");
} // namespace

std::wstring routeText(RouteText key, int languageId) {
    const Row& row = kRows[static_cast<int>(key)];
    return languageId == 1 ? row.english : row.french;
}

std::wstring routeText(RouteText key, int languageId, std::initializer_list<std::wstring> values) {
    const std::wstring format = routeText(key, languageId);
    std::wstring out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::size_t n = i + 1 < format.size() ? static_cast<std::size_t>(format[i + 1] - L'1') : values.size();
        if (format[i] == L'%' && n < values.size()) {
            out += values.begin()[n];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

} // namespace tw
