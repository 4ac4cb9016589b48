#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Files.h"
#include "report/ReportBuilder.h"
#include "report/ReportFile.h"
#include "support/TempFolder.h"
#include "text/LanguageTable.h"

using namespace tw;
using Lines = std::vector<std::wstring>;
using twtest::TempFolder;

namespace {

struct RecordingTarget : ReportTarget {
    std::vector<std::wstring> calls;
    void setCaption(const std::wstring& c) override { calls.push_back(L"caption:" + c); }
    void clear() override { calls.push_back(L"clear"); }
    void appendLine(const std::wstring& l) override { calls.push_back(l); }
};

const std::wstring kHyphens(33, L'-');

} // namespace

TEST(ReportBuilder, EmptyConsistsReportInEnglish) {
    assignReportTexts(1);
    EXPECT_EQ(reportLines(ReportKind::Consists, {}, 0, false, L"01/02/2026"),
              (Lines{L"Results from Trackwend on 01/02/2026",
                     L"Warning : This is a Beta Version. Accuracy of results not guaranted", L"0 Consists", L" ",
                     L"List of Consist Files:", L" ", kHyphens}));
}

TEST(ReportBuilder, OrphansReportWithTrainStoreLineAndExplanationInFrench) {
    assignReportTexts(0);
    EXPECT_EQ(reportLines(ReportKind::Orphans, {L"A\\B", L"C\\D"}, 412, true, L"d"),
              (Lines{L"Analyse par Trackwend le d", L"Attention : Version Beta - R\u00E9sultats non garantis",
                     L"412 Orphelins", L"(Contenu du dossier TrainStore inclus)", L" ",
                     L"Les orphelins sont des mat\u00E9riels existant sur le DD,",
                     L"mais jamais utilis\u00E9s dans une rame.",
                     L"NE LES EFFACEZ PAS : ils peuvent \u00EAtre utilis\u00E9s dans une rame d'activit\u00E9", L"   ",
                     L"Liste des Orphelins :", L" - A\\B", L" - C\\D", L" ", kHyphens}));
}

TEST(ReportBuilder, MissingItemsKeepTheirPrefixLanguageAfterASwitch) {
    // The items were made in French by step 5; the report itself follows the new language.
    assignReportTexts(1);
    const auto lines = reportLines(ReportKind::Missing, {L"Fichier manquant : X\\Y"}, 1, false, L"d");
    EXPECT_EQ(lines[2], L"1 Missing Stock");
    EXPECT_EQ(lines[4], L"Missing Stock are rolling stock items called by at least");
    EXPECT_EQ(lines[6], L"  ");
    EXPECT_EQ(lines[7], L"List of Missing Stock:");
    EXPECT_EQ(lines[8], L" - Fichier manquant : X\\Y");
    EXPECT_EQ(lines.size(), 11u);
}

TEST(ReportBuilder, ReferencesUseDebugTitleAndStockHeader) {
    assignReportTexts(1);
    const auto lines = reportLines(ReportKind::References, {L"a"}, 7, false, L"d");
    EXPECT_EQ(lines[2], L"7 Debug Liste");
    EXPECT_EQ(lines[4], L"List of Stock Files:");
    EXPECT_EQ(reportTitle(ReportKind::Stock), L"Stock");
}

TEST(ReportBuilder, ActivitiesScopeLineAfterTheTrainStoreLineOnTheReportsOfReferences) {
    assignReportTexts(0);
    auto lines = reportLines(ReportKind::Orphans, {}, 0, true, L"d", true);
    EXPECT_EQ(lines[3], L"(Contenu du dossier TrainStore inclus)");
    EXPECT_EQ(lines[4], L"(Rames libres des activit\u00E9s incluses)");
    assignReportTexts(1);
    for (ReportKind kind : {ReportKind::Missing, ReportKind::References})
        EXPECT_EQ(reportLines(kind, {}, 0, false, L"d", true)[3], L"(Activities' loose consists included)");
    // The inventories do not depend on step 3.
    EXPECT_EQ(reportLines(ReportKind::Stock, {}, 0, false, L"d", true), reportLines(ReportKind::Stock, {}, 0, false, L"d"));
}

TEST(ReportBuilder, BuildDrivesTheTargetInOrderWithTodaysDate) {
    assignReportTexts(0);
    RecordingTarget target;
    buildReport(ReportKind::Stock, {L"x"}, 1, false, target);
    ASSERT_GE(target.calls.size(), 3u);
    EXPECT_EQ(target.calls[0], L"caption:Mat\u00E9riel");
    EXPECT_EQ(target.calls[1], L"clear");
    const std::wstring date = todayShortDate();
    EXPECT_FALSE(date.empty());
    EXPECT_EQ(target.calls[2], L"Analyse par Trackwend le " + date);
    EXPECT_EQ(target.calls.back(), kHyphens);
}

TEST(ReportFile, PathAndExactBytesReplacingAnExistingFile) {
    TempFolder tmp;
    const std::wstring path = reportFilePath(tmp.path(), L"Mat\u00E9riel");
    EXPECT_EQ(path, tmp.path() + L"\\MSTS_Mat\u00E9riel.txt");
    saveReportFile(path, {L"a much longer first version", L"xx", L"yy"});
    saveReportFile(path, {L"\u00E9t\u00E9", L"  "});
    const std::vector<unsigned char> expected{233, 't', 233, '\r', '\n', ' ', ' ', '\r', '\n'};
    EXPECT_EQ(readWholeFile(path), expected);
}

TEST(ReportFile, ACharacterOutsideWindows1252MakesTheWholeFileUtf8) {
    TempFolder tmp;
    const std::wstring path = tmp.path() + L"\\r.txt";
    // A best-fit look-alike (c for \u010D) must not pass for the letter.
    const std::pair<const wchar_t*, std::string> names[] = {{L"Lok\\\u010D.eng", "Lok\\\xC4\x8D.eng"},
                                                            {L"\u0395\u03BB.con", "\xCE\x95\xCE\xBB.con"},
                                                            {L"\U0001F682.con", "\xF0\x9F\x9A\x82.con"}};
    for (const auto& [name, bytes] : names) {
        saveReportFile(path, {L"\u00E9t\u00E9", name});
        const std::string utf8 = "\xEF\xBB\xBF" "\xC3\xA9t\xC3\xA9\r\n" + bytes + "\r\n";
        EXPECT_EQ(readWholeFile(path), std::vector<unsigned char>(utf8.begin(), utf8.end()));
    }
}

TEST(ReportFile, EmptyReportGivesEmptyFileAndUncreatableFileThrows) {
    TempFolder tmp;
    const std::wstring path = tmp.path() + L"\\empty.txt";
    saveReportFile(path, {});
    EXPECT_TRUE(readWholeFile(path).empty());
    try {
        saveReportFile(tmp.path() + L"\\no such folder\\r.txt", {L"x"});
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message().rfind(L"Cannot create file \"" + tmp.path() + L"\\no such folder\\r.txt\". ", 0), 0u);
    }
}

TEST(ReportBuilder, StockCheckReportInBothLanguagesWithItsSizes) {
    EXPECT_EQ(reportSize(0, 1), L"0.0 KB");
    EXPECT_EQ(reportSize(1536, 1), L"1.5 KB");
    EXPECT_EQ(reportSize(1048575, 1), L"1.0 MB") << "a rounded 1024 KB is the next unit";
    EXPECT_EQ(reportSize(5ull << 40, 0), L"5120,0 Go");
    EXPECT_EQ(reportSize(1024 * 1024 * 3 / 2, 0), L"1,5 Mo");

    StockCheckResult r;
    r.simulatorFolder = L"C:\\MSTS";
    r.storeFolder = L"D:\\Store";
    r.stockFilesRead = 2;
    r.broken = {{L"A\\a.wag", StockRoot::Simulator, true, true,
                 {{StockReferenceKind::Cab3d, L"..\\\\x.s", L"CABVIEW3D\\x.s", true, false},
                  {StockReferenceKind::Include, L"a.inc", L"A\\a.inc", false, true}}}};
    const TrainsetFolder old{L"Old", StockRoot::Store, 2048, {}, {}, false, {}},
        older{L"Older", StockRoot::Simulator, 1024 * 1024 * 3 / 2, {}, {}, false, {}},
        link{L"Older link", StockRoot::Simulator, 0, {}, {}, true, L"Older"},
        common{L"Common", StockRoot::Simulator, 0, {L"A\\a.wag", L"B\\b.eng"}, {L"LOCO\\GP38.ENG"}, false, {}};
    r.removable = {old, older, link};
    r.kept = {common};
    r.unreadable = {{L"C\\c.eng", StockRoot::Simulator, false, L"Shared\\c.inc", StockTextProblem::UnpairedQuotes, L""}};
    assignReportTexts(1);
    const Lines en = checkReportLines(r, true, L"D", true);
    const Lines expected{L"Results from Trackwend on D", text(TextKey::BetaWarning, 1), L"2 stock files read",
                         L"(Files stored by TrainStore included)", L"(Activities' loose consists included)",
                         L"Folders checked: C:\\MSTS, D:\\Store", L" ",
                         L"Broken stock (a file it names is absent): 1", L" - A\\a.wag (used) (Open Rails file read)",
                         L"     3D cab ..\\x.s -> CABVIEW3D\\x.s (folder could not be listed)",
                         L"     included file a.inc -> A\\a.inc (include loop)", L" ",
                         L"Folders that can be removed: 3",
                         L"(all their stock is orphaned; no used stock takes a file from them)",
                         L" - Old (Train Store)                                      2.0 KB",
                         L" - Older (simulator)                                      1.5 MB",
                         L" - Older link (simulator) (link to Older: frees nothing)  0.0 KB",
                         L"   Total: 3 folders, 1.5 MB", L" "};
    EXPECT_EQ(Lines(en.begin(), en.begin() + expected.size()), expected);
    EXPECT_NE(std::find(en.begin(), en.end(),
                        L" - Common (simulator) kept for A\\a.wag, B\\b.eng; holds LOCO\\GP38.ENG that a consist misses"),
              en.end());
    EXPECT_NE(std::find(en.begin(), en.end(),
                        L" - C\\c.eng (orphan): Shared\\c.inc has double quotes that do not pair up"),
              en.end());
    EXPECT_EQ(en.back(), kHyphens);

    // A used stock file that could not be read leaves nothing to remove, and says why.
    r.blockedBy = L"C\\c.eng";
    const Lines blocked = checkReportLines(r, false, L"D", false);
    auto at = std::find(blocked.begin(), blocked.end(), L"Folders that can be removed: 3");
    ASSERT_NE(at, blocked.end());
    EXPECT_EQ(Lines(at + 2, at + 8),
              (Lines{L"(activities were not read: a folder used only by their loose consists",
                     L"appears here; choose \"Also read activities\" in the system menu",
                     L"(--activities on the command line) and run the steps again)",
                     L"   (none: C\\c.eng could not be read as the simulator reads it,",
                     L"   and it may name any folder)", L" "}));

    assignReportTexts(0);
    r.blockedBy.clear();
    EXPECT_EQ(reportTitle(ReportKind::Check), L"Contr\u00F4le du mat\u00E9riel");
    const Lines fr = checkReportLines(r, false, L"D", false);
    EXPECT_EQ(fr[2], L"2 fichiers du mat\u00E9riel lus");
    EXPECT_NE(std::find(fr.begin(), fr.end(), L"   Total : 3 dossiers, 1,5 Mo"), fr.end());
}
