#pragma once
// Every text that changes with the interface language, French and English, in
// the order the windows apply them, plus the report texts the report builder
// and the missing-stock step read when they run, and the current language.
// No window here: the analysis, the reports and the windows all read it.
#include <cstddef>
#include <initializer_list>
#include <string>

namespace tw {

enum class TextKey {
    Step1Caption, Step2Caption, Step3Caption, Step4Caption, Step5Caption,
    ReportButtonConsists, ReportButtonStock, ReportButtonOrphans, ReportButtonMissing,
    HelpButtonCaption, ExitButtonCaption, RunAllCaption,
    FoldersGroupCaption, RunGroupCaption, ResultsGroupCaption,
    SimulatorFolderLabel, ReferencesLabel, MissingLabel, OrphansLabel, UsedLabel,
    ReportHeaderPrefix, BetaWarning, TrainStoreIncluded,
    TitleConsists, TitleStock, TitleOrphans, TitleMissing,
    ListHeaderConsists, ListHeaderStock, ListHeaderOrphans, ListHeaderMissing,
    OrphansExplanation, MissingExplanation, MissingFilePrefix, MissingFolderPrefix,
    CloseButtonCaption, PrintButtonTemplate, SaveButtonCaption,
    HelpCloseButtonCaption,
    ActivitiesMenuItem, ActivitiesIncluded,
    CheckMenuItem, TitleCheck, CheckFilesRead,
    CheckBrokenHeader, CheckRemovableHeader, CheckUnneededHeader, CheckKeptHeader, CheckFoundElsewhereHeader,
    CheckUnreadableHeader, CheckUnlistedHeader,
    CheckUsed, CheckOrphan, CheckFolderUnlisted, CheckKeptFor, CheckTotal, CheckNone,
    CheckRootSimulator, CheckRootStore,
    KindShape, KindFreightAnim, KindPassengerView, KindCab, KindCab3d, KindSound, KindInclude,
    KindLoad, KindCoupler, KindScript,
    CheckIncludeLoop, CheckOpenRailsFile, CheckFolderOne, CheckFolderMany, CheckFoldersChecked,
    CheckReasonCannotOpen, CheckReasonZeroCharacter, CheckReasonNoByteOrderMark, CheckReasonUnpairedQuotes,
    CheckBlocked, CheckActivitiesNote, CheckKeptMissed, CheckLink, CheckLinkOnly, CheckMessageUnreadable,
    CheckMessageUnlisted,
    UnreadableFoldersLine, UnreadableFoldersWarning, UnreadableFoldersMore,
    OpenRailsFoldersMenu, SimulatorMissing, TrainStoreMissing, OpenRailsFolderUsed, CliFolderNotFound, CliNoReport,
    RouteMenuItem, RouteTitle, RouteCountLine, RouteNotStartingHeader, RouteLeftOutHeader, RouteUnplayedHeader, RouteOnlyUnplayedStockHeader, RouteUnreadableHeader,
    RouteKindService, RouteKindTraffic, RouteKindConsist, RouteKindPath, RouteKindStock, RouteKindEndOfTrain, RouteVia, RouteTimetable,
    RouteReasonUnlisted, RouteReasonUnreadable, RouteReasonUndecodable, RouteReasonNotATimetable, RouteSimulatorFolder,
};

struct LanguageRow {
    TextKey key;
    const wchar_t* french;
    const wchar_t* english;
};

inline constexpr int kLanguageRowCount = static_cast<int>(TextKey::RouteSimulatorFolder) + 1; // the last key's

// The rows in application order (row 1 first).
const LanguageRow* languageRows();

// 1 is English; every other value is French.
std::wstring text(TextKey key, int languageId);
// The same with "%1", "%2"... replaced by the values in order.
std::wstring text(TextKey key, int languageId, std::initializer_list<std::wstring> values);

// The interface language of the running program: 0 French, 1 English
// (anything but 1 reads as French).
int currentLanguageId();
void setCurrentLanguageId(int language);

// The report texts (ReportHeaderPrefix .. MissingFolderPrefix,
// ActivitiesIncluded and UnreadableFoldersLine) of the language last assigned; empty until the first
// assignment.
const std::wstring& reportText(TextKey key);
void assignReportTexts(int languageId);
// The language of that last assignment (0 before any).
int reportLanguageId();
void clearReportTexts();

// The signature line every report carries in no row; kept as a program-wide value.
const std::wstring& reportSignature();

} // namespace tw
