#include "text/LanguageTable.h"

#include <array>
#include <stdexcept>

namespace tw {
namespace {

const LanguageRow kRows[kLanguageRowCount] = {
    {TextKey::Step1Caption, L"&1 - Recherche des rames", L"&1 - List Consists"},
    {TextKey::Step2Caption, L"&2 - Recherche du mat\u00E9riel", L"&2 - List Stock Items"},
    {TextKey::Step3Caption, L"&3 - Analyse des fichiers", L"&3 - Read Consist Files"},
    {TextKey::Step4Caption, L"&4 - Recherche des orphelins", L"&4 - Identify Orphaned Stock"},
    {TextKey::Step5Caption, L"&5 - Recherche des manquants", L"&5 - Identify Missing Stock"},
    {TextKey::ReportButtonConsists, L"&Rames", L"&Consists"},
    {TextKey::ReportButtonStock, L"&Mat\u00E9riel", L"&Stock"},
    {TextKey::ReportButtonOrphans, L"&Orphelins", L"&Orphans"},
    {TextKey::ReportButtonMissing, L"Man&quants", L"&Missing"},
    {TextKey::HelpButtonCaption, L"&Aide", L"&Help"},
    {TextKey::ExitButtonCaption, L"&Termin\u00E9", L"&Exit"},
    {TextKey::RunAllCaption, L"Anal&yse tout", L"&Run all"},
    {TextKey::FoldersGroupCaption, L" Dossiers \u00E0 analyser ", L" Folders "},
    {TextKey::RunGroupCaption, L" Analyse ", L" Run "},
    {TextKey::ResultsGroupCaption, L" R\u00E9sultats ", L" Results "},
    {TextKey::SimulatorFolderLabel, L"Dossier Train Simulator", L"Train Simulator Folder"},
    {TextKey::ReferencesLabel, L"eng/wag utilis\u00E9s dans rames", L"eng/wag used in consists"},
    {TextKey::MissingLabel, L"eng/wag non trouv\u00E9s", L"eng/wag not found"},
    {TextKey::OrphansLabel, L"orphelins", L"orphans"},
    {TextKey::UsedLabel, L"utilis\u00E9s", L"used"},
    {TextKey::ReportHeaderPrefix, L"Analyse par Trackwend le ", L"Results from Trackwend on "},
    {TextKey::BetaWarning, L"Attention : Version Beta - R\u00E9sultats non garantis",
     L"Warning : This is a Beta Version. Accuracy of results not guaranted"},
    {TextKey::TrainStoreIncluded, L"(Contenu du dossier TrainStore inclus)", L"(Files stored by TrainStore included)"},
    {TextKey::TitleConsists, L"Rames", L"Consists"},
    {TextKey::TitleStock, L"Mat\u00E9riel", L"Stock"},
    {TextKey::TitleOrphans, L"Orphelins", L"Orphans"},
    {TextKey::TitleMissing, L"Manquants", L"Missing Stock"},
    {TextKey::ListHeaderConsists, L"Liste des Rames :", L"List of Consist Files:"},
    {TextKey::ListHeaderStock, L"Liste du Mat\u00E9riel :", L"List of Stock Files:"},
    {TextKey::ListHeaderOrphans, L"Liste des Orphelins :", L"List of Orphaned Stock:"},
    {TextKey::ListHeaderMissing, L"Liste des Manquants :", L"List of Missing Stock:"},
    {TextKey::OrphansExplanation,
     L"Les orphelins sont des mat\u00E9riels existant sur le DD,\r\nmais jamais utilis\u00E9s dans une rame.\r\n"
     L"NE LES EFFACEZ PAS : ils peuvent \u00EAtre utilis\u00E9s dans une rame d'activit\u00E9\r\n   ",
     L"Orphans are rolling stock items existing in folders,\r\nbut never called by a consist.\r\n"
     L"DO NOT DELETE these, they may be used in a 'Loose Consist'\r\n  "},
    {TextKey::MissingExplanation,
     L"Les manquants sont des mat\u00E9riels utilis\u00E9s dans une rame\r\n(au moins), mais pas trouv\u00E9s sur le DD.\r\n   ",
     L"Missing Stock are rolling stock items called by at least\r\none consist, but not found on the HD.\r\n  "},
    {TextKey::MissingFilePrefix, L"Fichier manquant : ", L"Missing File  : "},
    {TextKey::MissingFolderPrefix, L"Dossier manquant : ", L"Missing Folder: "},
    {TextKey::CloseButtonCaption, L"&Fermer", L"&Close"},
    {TextKey::PrintButtonTemplate, L"&Imprimer [] pages", L"&Print [] pages"},
    {TextKey::SaveButtonCaption, L"&Enregistrer", L"&Save"},
    {TextKey::HelpCloseButtonCaption, L"&Fermer", L"&Close"},
    {TextKey::ActivitiesMenuItem, L"Lire aussi les &activit\u00E9s (rames libres)",
     L"Also read &activities (loose consists)"},
    {TextKey::ActivitiesIncluded, L"(Rames libres des activit\u00E9s incluses)",
     L"(Activities' loose consists included)"},
    // "&Close" of the system menu takes C.
    {TextKey::CheckMenuItem, L"&Contr\u00F4ler les fichiers du mat\u00E9riel\u2026", L"Check stoc&k files\u2026"},
    {TextKey::TitleCheck, L"Contr\u00F4le du mat\u00E9riel", L"Stock check"},
    {TextKey::CheckFilesRead, L"fichiers du mat\u00E9riel lus", L"stock files read"},
    {TextKey::CheckBrokenHeader, L"Mat\u00E9riel incomplet (un fichier qu'il nomme est absent) :",
     L"Broken stock (a file it names is absent):"},
    {TextKey::CheckRemovableHeader,
     L"Dossiers qui peuvent \u00EAtre supprim\u00E9s :\r\n(tout leur mat\u00E9riel est orphelin ; aucun mat\u00E9riel "
     L"utilis\u00E9\r\nn'y prend de fichier)",
     L"Folders that can be removed:\r\n(all their stock is orphaned; no used stock takes a file from them)"},
    {TextKey::CheckUnneededHeader,
     L"Dossiers sans mat\u00E9riel dont aucun mat\u00E9riel n'a besoin :\r\n(\u00E0 v\u00E9rifier \u00E0 la main : "
     L"d'autres fichiers, des scripts\r\npar exemple, peuvent s'en servir)",
     L"Folders without stock that no stock needs:\r\n(check them by hand: other files, such as scripts, may use them)"},
    {TextKey::CheckKeptHeader,
     L"Dossiers gard\u00E9s :\r\n(du mat\u00E9riel utilis\u00E9 en a besoin, ou ils contiennent\r\nce qui manque "
     L"\u00E0 une rame)",
     L"Folders kept:\r\n(used stock needs them, or a consist misses what they hold)"},
    {TextKey::CheckFoundElsewhereHeader, L"Manquants trouv\u00E9s ailleurs :", L"Missing stock found elsewhere:"},
    {TextKey::CheckUnreadableHeader, L"Fichiers du mat\u00E9riel qui n'ont pas pu \u00EAtre lus :",
     L"Stock files that could not be read:"},
    {TextKey::CheckUnlistedHeader,
     L"Dossiers qui n'ont pas pu \u00EAtre list\u00E9s :\r\n(leurs fichiers comptent comme absents ; ils ne sont "
     L"jamais\r\npropos\u00E9s \u00E0 la suppression)",
     L"Folders that could not be listed:\r\n(their files count as absent; they are never offered for removal)"},
    {TextKey::CheckUsed, L"utilis\u00E9", L"used"},
    {TextKey::CheckOrphan, L"orphelin", L"orphan"},
    {TextKey::CheckFolderUnlisted, L"(dossier illisible)", L"(folder could not be listed)"},
    {TextKey::CheckKeptFor, L"gard\u00E9 pour", L"kept for"},
    {TextKey::CheckTotal, L"Total :", L"Total:"},
    {TextKey::CheckNone, L"(aucun)", L"(none)"},
    {TextKey::CheckRootSimulator, L"simulateur", L"simulator"},
    {TextKey::CheckRootStore, L"TrainStore", L"Train Store"},
    {TextKey::KindShape, L"forme", L"shape"},
    {TextKey::KindFreightAnim, L"animation de chargement", L"freight animation"},
    {TextKey::KindPassengerView, L"vue passager", L"passenger view"},
    {TextKey::KindCab, L"cabine", L"cab"},
    {TextKey::KindCab3d, L"cabine 3D", L"3D cab"},
    {TextKey::KindSound, L"son", L"sound"},
    {TextKey::KindInclude, L"fichier inclus", L"included file"},
    {TextKey::KindLoad, L"chargement", L"load"},
    {TextKey::KindCoupler, L"attelage", L"coupler"},
    {TextKey::KindScript, L"script", L"script"},
    {TextKey::CheckIncludeLoop, L"(boucle d'inclusion)", L"(include loop)"},
    {TextKey::CheckOpenRailsFile, L"(fichier Open Rails lu)", L"(Open Rails file read)"},
    {TextKey::CheckFolderOne, L"dossier", L"folder"},
    {TextKey::CheckFolderMany, L"dossiers", L"folders"},
    {TextKey::CheckFoldersChecked, L"Dossiers contr\u00F4l\u00E9s :", L"Folders checked:"},
    {TextKey::CheckReasonCannotOpen, L"ne peut pas \u00EAtre ouvert", L"cannot be opened"},
    {TextKey::CheckReasonZeroCharacter, L"contient un caract\u00E8re nul avant sa fin",
     L"holds a zero character before its end"},
    {TextKey::CheckReasonNoByteOrderMark, L"est un texte 16 bits sans sa marque d'ordre des octets",
     L"is 16-bit text without its byte-order mark"},
    {TextKey::CheckReasonUnpairedQuotes, L"a des guillemets qui ne vont pas par paires",
     L"has double quotes that do not pair up"},
    // %s: the used stock file that could not be read.
    {TextKey::CheckBlocked,
     L"   (aucun : %s n'a pas pu \u00EAtre lu comme le simulateur le lit,\r\n   et il peut nommer "
     L"n'importe quel dossier)",
     L"   (none: %s could not be read as the simulator reads it,\r\n   and it may name any folder)"},
    {TextKey::CheckActivitiesNote,
     L"(les activit\u00E9s n'ont pas \u00E9t\u00E9 lues : un dossier dont seules leurs rames libres\r\nse "
     L"servent figure ici ; choisissez \u00AB Lire aussi les activit\u00E9s \u00BB dans\r\nle menu "
     L"syst\u00E8me (--activities en ligne de commande) et relancez les \u00E9tapes)",
     L"(activities were not read: a folder used only by their loose consists\r\nappears here; choose "
     L"\"Also read activities\" in the system menu\r\n(--activities on the command line) and run the steps again)"},
    // %s: a missing item's path.
    {TextKey::CheckKeptMissed, L"contient %s qui manque \u00E0 une rame", L"holds %s that a consist misses"},
    // %s: the folder the link leads to.
    {TextKey::CheckLink, L"(lien vers %s : ne lib\u00E8re rien)", L"(link to %s: frees nothing)"},
    {TextKey::CheckLinkOnly, L"(lien : ne lib\u00E8re rien)", L"(link: frees nothing)"},
    // %s: a file's path; the reason follows.
    {TextKey::CheckMessageUnreadable, L"Contr\u00F4le du mat\u00E9riel : %s n'a pas pu \u00EAtre lu : ",
     L"Stock check: %s could not be read: "},
    {TextKey::CheckMessageUnlisted, L"Contr\u00F4le du mat\u00E9riel : le dossier %s n'a pas pu \u00EAtre list\u00E9",
     L"Stock check: the folder %s could not be listed"},
    // %s: how many folders could not be read.
    {TextKey::UnreadableFoldersLine, L"(Dossiers illisibles : %s \u2014 r\u00E9sultats incomplets)",
     L"(Unreadable folders: %s \u2014 results incomplete)"},
    {TextKey::UnreadableFoldersWarning,
     L"Ces dossiers n'ont pas pu \u00EAtre lus ; les r\u00E9sultats sont incomplets :",
     L"These folders could not be read; the results are incomplete:"},
    {TextKey::UnreadableFoldersMore, L"et %s autres", L"and %s more"},
    {TextKey::OpenRailsFoldersMenu, L"Dossiers d'&Open Rails", L"&Open Rails folders"},
    // The command line's stand-ins for an absent registry key; the window keeps the French ones.
    {TextKey::SimulatorMissing, L"< ERREUR : MSTS ne semble pas install\u00E9 sur cette machine. >",
     L"< ERROR: MSTS does not seem to be installed on this machine. >"},
    {TextKey::TrainStoreMissing, L"Train Store non trouv\u00E9", L"Train Store not found"},
    // %s: the profile's name; its folder follows.
    {TextKey::OpenRailsFolderUsed, L"Utilisation du dossier d'Open Rails %s : ", L"Using the Open Rails folder %s: "},
    // The command line's own lines after "trackwend-cli: ". %s: the folder; the report's option name.
    {TextKey::CliFolderNotFound, L"dossier du simulateur introuvable : %s", L"simulator folder not found: %s"},
    {TextKey::CliNoReport, L"pas de rapport %s : son \u00E9tape n'est pas all\u00E9e au bout",
     L"no %s report: its step did not complete"},
    // The route check's command and report.
    {TextKey::RouteMenuItem, L"Contr\u00F4ler les &lignes\u2026", L"Check &routes\u2026"},
    {TextKey::RouteTitle, L"Contr\u00F4le des lignes", L"Route check"},
    {TextKey::RouteCountLine, L"Lignes lues : %1 ; activit\u00E9s : %2 ; horaires : %3 (trains : %4)",
     L"Routes read: %1; activities: %2; timetables: %3 (trains: %4)"},
    {TextKey::RouteNotStartingHeader, L"Activit\u00E9s qui ne d\u00E9marreront pas :", L"Activities that will not start:"},
    {TextKey::RouteLeftOutHeader,
     L"Activit\u00E9s et horaires jouables, mais incomplets :",
     L"Activities and timetables that run with trains or vehicles left out:"},
    {TextKey::RouteUnplayedHeader,
     L"Rames qu'aucune activit\u00E9 ni aucun horaire n'utilise :\r\n"
     L"(elles restent jouables seules, en mode exploration)",
     L"Consists that no activity or timetable plays:\r\n(they can still be driven alone, in explore mode)"},
    {TextKey::RouteOnlyUnplayedStockHeader, L"Mat\u00E9riel utilis\u00E9 uniquement par ces rames :",
     L"Stock that only those consists use:"},
    {TextKey::RouteUnreadableHeader, L"Fichiers et dossiers qui n'ont pas pu \u00EAtre lus (r\u00E9sultats incomplets) :",
     L"Files and folders that could not be read (results incomplete):"},
    {TextKey::RouteKindService, L"service", L"service"},
    {TextKey::RouteKindTraffic, L"trafic", L"traffic"},
    {TextKey::RouteKindConsist, L"rame", L"consist"},
    {TextKey::RouteKindPath, L"chemin", L"path"},
    {TextKey::RouteKindStock, L"mat\u00E9riel", L"stock"},
    {TextKey::RouteKindEndOfTrain, L"dispositif de fin de train", L"end-of-train device"},
    {TextKey::RouteVia, L"(demand\u00E9 par %1)", L"(via %1)"},
    {TextKey::RouteTimetable, L"horaire", L"timetable"},
    {TextKey::RouteReasonUnlisted, L"dossier illisible", L"folder could not be listed"},
    {TextKey::RouteReasonUnreadable, L"fichier illisible", L"file could not be read"},
    {TextKey::RouteReasonUndecodable, L"codage du fichier non reconnu", L"file could not be decoded"},
    {TextKey::RouteReasonNotATimetable, L"le simulateur ne sait pas lire cet horaire",
     L"not a timetable the simulator can read"},
    {TextKey::RouteSimulatorFolder, L"dossier du simulateur", L"simulator folder"},
};

constexpr int kFirstReportText = static_cast<int>(TextKey::ReportHeaderPrefix);
constexpr int kLastReportText = static_cast<int>(TextKey::MissingFolderPrefix);
// The scope lines' rows come after the windows' rows; they take the slots after the others.
constexpr int kReportTextCount = kLastReportText - kFirstReportText + 3;
constexpr int reportTextSlot(TextKey key) {
    const int i = static_cast<int>(key);
    if (i >= kFirstReportText && i <= kLastReportText) return i - kFirstReportText;
    if (key == TextKey::ActivitiesIncluded) return kReportTextCount - 2;
    return key == TextKey::UnreadableFoldersLine ? kReportTextCount - 1 : -1;
}

std::array<std::wstring, kReportTextCount>& reportTexts() {
    static std::array<std::wstring, kReportTextCount> texts;
    return texts;
}

} // namespace

const LanguageRow* languageRows() { return kRows; }

namespace {
int g_language = 0;
int g_reportLanguage = 0;
} // namespace

int currentLanguageId() { return g_language; }
void setCurrentLanguageId(int language) { g_language = language; }

std::wstring text(TextKey key, int languageId) {
    const LanguageRow& row = kRows[static_cast<int>(key)];
    return languageId == 1 ? row.english : row.french;
}

const std::wstring& reportText(TextKey key) {
    const int slot = reportTextSlot(key);
    if (slot < 0) throw std::logic_error("not a report text");
    return reportTexts()[slot];
}

std::wstring text(TextKey key, int languageId, std::initializer_list<std::wstring> values) {
    const std::wstring format = text(key, languageId);
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

int reportLanguageId() { return g_reportLanguage; }

void assignReportTexts(int languageId) {
    g_reportLanguage = languageId == 1 ? 1 : 0;
    for (int i = 0; i < kLanguageRowCount; ++i) {
        const int slot = reportTextSlot(static_cast<TextKey>(i));
        if (slot >= 0) reportTexts()[slot] = text(static_cast<TextKey>(i), languageId);
    }
}

void clearReportTexts() {
    for (auto& t : reportTexts()) t.clear();
}

const std::wstring& reportSignature() {
    static const std::wstring signature = L"quarnel - Beta 0.04 - 07/2004";
    return signature;
}

} // namespace tw
