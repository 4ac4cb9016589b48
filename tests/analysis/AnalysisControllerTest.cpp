#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "platform/Errors.h"
#include "report/ReportBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;
using twtest::ConsistEntry;
using twtest::TempFolder;

namespace {
struct Inputs : AnalysisInputs {
    std::wstring sim, ts;
    bool include = false, activities = false;
    int lang = 0;
    std::wstring simulatorFolder() const override { return sim; }
    std::wstring trainStoreFolder() const override { return ts; }
    bool includeTrainStore() const override { return include; }
    int languageId() const override { return lang; }
    bool includeActivities() const override { return activities; }
};

struct Message {
    std::wstring text;
    MessageBoxKind kind;
};

class Analysis : public ::testing::Test {
protected:
    Analysis() : controller(view, inputs, scanner) {
        view.onMessage = [this](const std::wstring& t, MessageBoxKind k) { messages.push_back({t, k}); };
        inputs.sim = t / L"MSTS";
        inputs.ts = t / L"Store";
        t.makeDir(L"MSTS\\TRAINS\\CONSISTS");
        t.makeDir(L"MSTS\\TRAINS\\TRAINSET");
    }
    void consist(const std::wstring& root, const std::wstring& name, const std::vector<ConsistEntry>& entries) {
        t.writeUtf16(root + L"\\TRAINS\\CONSISTS\\" + name + L".con", twtest::consistText(name, entries));
    }
    void stockFile(const std::wstring& root, const std::wstring& rel) { t.touch(root + L"\\TRAINS\\TRAINSET\\" + rel); }
    int value(Counter c) const { return view.counterValue(c); }
    Colour colour(Counter c) const { return view.counterColour(c); }
    bool enabled(StepButton b) const { return view.buttonEnabled(b); }
    std::vector<std::wstring> missingLines() const { return missingReportItems(controller.missing()); }

    TempFolder t;
    HeadlessView view;
    Inputs inputs;
    FolderScanner scanner;
    AnalysisController controller;
    std::vector<Message> messages;
};
} // namespace

TEST_F(Analysis, RunAllOnACleanInstallation) {
    stockFile(L"MSTS", L"Dash9\\dash9.eng");
    stockFile(L"MSTS", L"Dash9\\extra.wag");
    stockFile(L"MSTS", L"Loco\\sd40.eng");
    stockFile(L"MSTS", L"DEFAULT\\A.eng");
    stockFile(L"MSTS", L"DEFAULTS\\A.eng");
    stockFile(L"MSTS", L"X.eng");
    stockFile(L"MSTS", L"Deep\\B\\C.eng");
    consist(L"MSTS", L"one", {{'E', L"DASH9", L"DASH9"}, {'E', L"dash9", L"Dash9"}, {'W', L"gone", L"Dash9"},
                              {'W', L"\"Coal Car\"", L"\"Coal Hoppers\""}, {'E', L"A", L"DEFAULT"}});
    controller.onRunAll();

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(value(Counter::Consists), 1);
    EXPECT_EQ(controller.stock().items(),
              (std::vector<std::wstring>{L"Dash9\\dash9.eng", L"Dash9\\extra.wag", L"DEFAULTS\\A.eng", L"Loco\\sd40.eng", L"X.eng"}));
    EXPECT_TRUE(controller.stockFolders().contains(L"DASH9\\"));
    EXPECT_TRUE(controller.stockFolders().contains(L""));
    EXPECT_EQ(value(Counter::Engines), 4);
    EXPECT_EQ(value(Counter::Wagons), 1);
    EXPECT_EQ(value(Counter::Stock), 5);
    EXPECT_TRUE(controller.engines().empty());
    EXPECT_TRUE(controller.wagons().empty());
    // Deep\B is met in both scans (ENG and WAG), as are the four top folders.
    EXPECT_EQ(value(Counter::Folders), 2 * 6);
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"COAL HOPPERS\\COAL CAR.WAG", L"DASH9\\DASH9.ENG",
                                                                          L"DASH9\\GONE.WAG", L"DEFAULT\\A.ENG"}));
    EXPECT_EQ(controller.used().items(), (std::vector<std::wstring>{L"Dash9\\dash9.eng"}));
    EXPECT_EQ(controller.orphans().items(),
              (std::vector<std::wstring>{L"Dash9\\extra.wag", L"DEFAULTS\\A.eng", L"Loco\\sd40.eng", L"X.eng"}));
    EXPECT_EQ(missingLines(),
              (std::vector<std::wstring>{L"Dossier manquant : COAL HOPPERS\\COAL CAR.WAG", L"Dossier manquant : DEFAULT\\A.ENG",
                                         L"Fichier manquant : DASH9\\GONE.WAG"}));
    for (Counter c : {Counter::Consists, Counter::Engines, Counter::Wagons, Counter::Stock, Counter::References, Counter::Missing})
        EXPECT_EQ(colour(c), colours::Yellow);
    EXPECT_EQ(colour(Counter::Orphans), colours::Red);
    EXPECT_EQ(colour(Counter::Used), colours::Lime);
    EXPECT_EQ(value(Counter::Orphans), 4);
    EXPECT_EQ(value(Counter::Used), 1);
    EXPECT_EQ(value(Counter::Missing), 3);
    for (ReportButton r : {ReportButton::Consists, ReportButton::Stock, ReportButton::Orphans, ReportButton::Missing})
        EXPECT_TRUE(view.report(r).enabled);
    EXPECT_TRUE(view.report(ReportButton::Stock).visible);
    for (StepButton b : {StepButton::Consists, StepButton::Stock, StepButton::References, StepButton::Orphans, StepButton::Missing, StepButton::RunAll})
        EXPECT_FALSE(view.buttonActive(b));
    EXPECT_FALSE(view.gaugeVisible);
    EXPECT_TRUE(view.helpVisible);
}

// Consists spell a folder's accented letters in any case; the file system
// takes them as one folder, but not ß for ss.
TEST_F(Analysis, FolderSpelledInAnotherCaseIsUsedNotOrphanNorMissing) {
    stockFile(L"MSTS", L"\u00C9lan\\loco.eng");
    stockFile(L"MSTS", L"Stra\u00DFe\\w.wag");
    consist(L"MSTS", L"a", {{'E', L"loco", L"\u00E9lan"}, {'W', L"w", L"strasse"}});
    consist(L"MSTS", L"b", {{'E', L"loco", L"\u00C9lan"}, {'E', L"LOCO", L"\u00C9LAN"}});
    controller.onRunAll();

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"\u00E9LAN\\LOCO.ENG", L"STRASSE\\W.WAG"}));
    EXPECT_EQ(controller.used().items(), (std::vector<std::wstring>{L"\u00C9lan\\loco.eng"}));
    EXPECT_EQ(controller.orphans().items(), (std::vector<std::wstring>{L"Stra\u00DFe\\w.wag"}));
    EXPECT_EQ(missingLines(), (std::vector<std::wstring>{L"Dossier manquant : STRASSE\\W.WAG"}));
}

// A root that is there when the step checks it but cannot be listed must not
// pass for an empty one. The listing really fails here because the folder is
// replaced by a file just before the scanner lists it; a folder without read
// permission fails the same listing call with another reason.
TEST_F(Analysis, RootThatCannotBeListedStopsTheStepLikeAMissingOne) {
    t.makeDir(L"Store\\TRAINS\\TRAINSET");
    stockFile(L"MSTS", L"A\\a.eng");
    std::wstring toBreak;
    scanner.onStart = [&](const std::wstring& root) {
        if (root != toBreak) return;
        ASSERT_TRUE(RemoveDirectoryW(toBreak.c_str()));
        t.writeBytes(toBreak.substr(t.path().size() + 1), std::string("x"));
    };
    toBreak = t / L"MSTS\\TRAINS\\CONSISTS";
    controller.onRunAll();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Le dossier " + toBreak + L" n'a pas pu etre lu\r\nVerifiez le dossier principal de MSTS");
    EXPECT_EQ(messages[0].kind, MessageBoxKind::Warning);
    EXPECT_FALSE(enabled(StepButton::Consists));
    EXPECT_FALSE(enabled(StepButton::Stock));
    EXPECT_EQ(colour(Counter::Consists), colours::Fuchsia);
    EXPECT_EQ(colour(Counter::Stock), colours::Olive); // Run all went no further
    EXPECT_FALSE(view.report(ReportButton::Consists).enabled);

    messages.clear();
    inputs.include = true;
    toBreak = t / L"Store\\TRAINS\\TRAINSET";
    controller.onStock();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Le dossier " + toBreak + L" n'a pas pu etre lu\r\nVerifiez le dossier de stockage de TrainStore");
    EXPECT_EQ(colour(Counter::Stock), colours::Aqua);
    EXPECT_TRUE(view.buttonActive(StepButton::Stock));
    EXPECT_FALSE(view.report(ReportButton::Stock).visible);
    EXPECT_FALSE(enabled(StepButton::References));
}

TEST_F(Analysis, StepThreeReadsTheFolderBoxesOnceAtItsStart) {
    consist(L"MSTS", L"a", {{'E', L"x", L"X"}});
    consist(L"MSTS", L"b", {{'E', L"y", L"Y"}});
    t.makeDir(L"Store\\TRAINS\\TRAINSET");
    consist(L"Store", L"b", {{'E', L"z", L"Z"}});
    controller.onConsists();
    controller.onStock();
    // Edits while the first consist is read.
    view.onPump = [&] {
        inputs.sim = t / L"Elsewhere";
        inputs.ts = t / L"Store";
        inputs.include = true;
    };
    controller.onReferences();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"X\\X.ENG", L"Y\\Y.ENG"}));
}

TEST_F(Analysis, StepThreeNeedsBothInventoriesInEitherOrder) {
    controller.onConsists();
    EXPECT_FALSE(enabled(StepButton::References));
    controller.onStock();
    EXPECT_TRUE(enabled(StepButton::References));
    controller.onReferences();
    controller.onOrphans();
    controller.onMissing();
    EXPECT_TRUE(view.report(ReportButton::Orphans).enabled);

    // Step 1 again resets the later steps and re-enables step 3 at its end.
    view.setCounterValue(Counter::References, 7);
    controller.onConsists();
    EXPECT_TRUE(enabled(StepButton::References));
    EXPECT_FALSE(enabled(StepButton::Orphans));
    EXPECT_FALSE(enabled(StepButton::Missing));
    EXPECT_FALSE(view.report(ReportButton::Orphans).enabled);
    EXPECT_FALSE(view.report(ReportButton::Missing).enabled);
    EXPECT_TRUE(view.report(ReportButton::Consists).enabled);
    for (Counter c : {Counter::References, Counter::Orphans, Counter::Used, Counter::Missing}) {
        EXPECT_EQ(value(c), 0);
        EXPECT_EQ(colour(c), colours::Olive);
    }
}

TEST_F(Analysis, MissingConsistsFolderStopsRunAllWithOneWarning) {
    ::RemoveDirectoryW((t / L"MSTS\\TRAINS\\CONSISTS").c_str());
    controller.onRunAll();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageBoxKind::Warning);
    EXPECT_EQ(messages[0].text, L"Le dossier " + (t / L"MSTS\\TRAINS\\CONSISTS") +
                                    L" n'a pas pu etre localise\r\nVerifiez le dossier principal de MSTS");
    EXPECT_FALSE(enabled(StepButton::Consists));
    EXPECT_FALSE(enabled(StepButton::Stock));
    EXPECT_EQ(colour(Counter::Consists), colours::Fuchsia); // left running
    EXPECT_TRUE(view.buttonActive(StepButton::Consists));
    EXPECT_EQ(colour(Counter::Stock), colours::Olive); // step 2 never ran
}

TEST_F(Analysis, TrainStoreRootCountsSharedItemsOnceAndReportsAMissingStore) {
    stockFile(L"MSTS", L"Dash9\\dash9.eng");
    stockFile(L"Store", L"DASH9\\DASH9.ENG");
    stockFile(L"Store", L"Other\\o.wag");
    consist(L"MSTS", L"c1", {{'E', L"dash9", L"Dash9"}});
    consist(L"Store", L"c1", {{'E', L"x", L"X"}});
    consist(L"Store", L"c2", {{'W', L"o", L"Other"}});
    inputs.include = true;
    controller.onRunAll();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(value(Counter::Consists), 2);
    EXPECT_EQ(value(Counter::Stock), 2);
    EXPECT_EQ(value(Counter::Engines), 1);
    EXPECT_EQ(value(Counter::Wagons), 1);
    // c1 is read from the simulator folder only.
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"DASH9\\DASH9.ENG", L"OTHER\\O.WAG"}));
    EXPECT_EQ(view.button(StepButton::Consists).led, colours::Aqua);

    inputs.ts = t / L"NoStore";
    controller.onStock();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(L"Verifiez le dossier de stockage de TrainStore"), std::wstring::npos);
    EXPECT_EQ(colour(Counter::Stock), colours::Aqua);
    EXPECT_FALSE(view.report(ReportButton::Stock).visible);
    EXPECT_FALSE(enabled(StepButton::Stock));
}

TEST_F(Analysis, StepTwoScansEachRootTwiceFromOneListingPerFolder) {
    stockFile(L"MSTS", L"A\\a.eng");
    stockFile(L"MSTS", L"A\\b.wag");
    stockFile(L"MSTS", L"A\\c.ENG");
    stockFile(L"MSTS", L"A\\readme.txt");
    stockFile(L"MSTS", L"A\\Sound\\s.wag");   // too deep: its folder is met, the file not taken
    stockFile(L"MSTS", L"B.wag\\x.wag");        // a folder matching a mask is no file
    stockFile(L"Store", L"A\\A.eng");
    inputs.include = true;
    // Engines, wagons and folders as each of the four scans ends (as the next one starts).
    std::vector<std::vector<int>> atEnd;
    scanner.onStart = [&](const std::wstring&) {
        atEnd.push_back({value(Counter::Engines), value(Counter::Wagons), value(Counter::Folders)});
        // Written while the step runs, after the simulator root's engines scan
        // listed its folder: this step's wagons scan does not see it.
        if (atEnd.size() == 2) stockFile(L"MSTS", L"A\\late.wag");
    };
    controller.onStock();
    atEnd.push_back({value(Counter::Engines), value(Counter::Wagons), value(Counter::Folders)});
    atEnd.erase(atEnd.begin());
    EXPECT_EQ(atEnd, (std::vector<std::vector<int>>{{2, 0, 3}, {2, 0, 4}, {2, 2, 7}, {2, 2, 8}}));
    EXPECT_EQ(value(Counter::Stock), 4);
    EXPECT_EQ(scanner.listings, nullptr);

    // The next step 2 lists the disk afresh.
    atEnd.clear();
    controller.onStock();
    EXPECT_EQ(value(Counter::Wagons), 3);
    EXPECT_EQ(value(Counter::Folders), 8);

    // A step stopped by a missing store root takes its listings away too.
    inputs.ts = t / L"NoStore";
    controller.onStock();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(scanner.listings, nullptr);
}

TEST_F(Analysis, StepThreeTakesTheStoreCopyOnlyWhenTheSimulatorHasNone) {
    consist(L"Store", L"m", {{'W', L"y", L"Y"}});
    t.makeDir(L"MSTS\\TRAINS\\CONSISTS\\m.con"); // a folder of that name is no copy
    consist(L"MSTS", L"s", {{'E', L"x", L"X"}});
    consist(L"Store", L"s", {{'E', L"other", L"OTHER"}});
    consist(L"Store", L"z", {{'E', L"z", L"Z"}});
    t.makeDir(L"Store\\TRAINS\\TRAINSET");
    inputs.include = true;
    controller.onConsists();
    controller.onStock();
    ::DeleteFileW((t / L"Store\\TRAINS\\CONSISTS\\z.con").c_str());
    controller.onReferences();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Erreur : impossible de localiser le fichier " + (t / L"Store\\TRAINS\\CONSISTS\\z.con"));
    EXPECT_EQ(messages[0].kind, MessageBoxKind::Error);
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"X\\X.ENG", L"Y\\Y.WAG"}));
}

TEST_F(Analysis, ConsistSubfoldersAreCountedButNotRead) {
    consist(L"MSTS", L"sub\\hidden", {{'E', L"a", L"A"}});
    consist(L"MSTS", L"top", {{'E', L"a", L"A"}});
    controller.onConsists();
    EXPECT_EQ(controller.consists().items(), (std::vector<std::wstring>{L"top.con"}));
    EXPECT_EQ(value(Counter::Folders), 1);
}

TEST_F(Analysis, ReadingProblemsOfStepThree) {
    consist(L"MSTS", L"a", {{'E', L"x", L"X"}});
    t.writeBytes(L"MSTS\\TRAINS\\CONSISTS\\b.con", std::string("SIMISA\r\nEngineData ( y Y )"));
    consist(L"MSTS", L"c", {{'E', L"z", L"Z"}});
    consist(L"MSTS", L"d", {{'E', L"w", L"W"}});
    controller.onConsists();
    controller.onStock();
    ::DeleteFileW((t / L"MSTS\\TRAINS\\CONSISTS\\c.con").c_str());
    controller.onReferences();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, L"Erreur de d\u00E9codage du fichier unicode !");
    EXPECT_EQ(messages[0].kind, MessageBoxKind::Plain);
    // The message names the file that was looked for; the loop stops there.
    EXPECT_EQ(messages[1].text, L"Erreur : impossible de localiser le fichier " + (t / L"MSTS\\TRAINS\\CONSISTS\\c.con"));
    EXPECT_EQ(messages[1].kind, MessageBoxKind::Error);
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"X\\X.ENG"}));
    EXPECT_EQ(colour(Counter::References), colours::Yellow);
    EXPECT_TRUE(enabled(StepButton::Orphans));
    EXPECT_TRUE(enabled(StepButton::Missing));
    EXPECT_FALSE(controller.allConsistsRead());
    consist(L"MSTS", L"c", {{'E', L"z", L"Z"}});
    controller.onReferences();
    EXPECT_TRUE(controller.allConsistsRead());
}

TEST_F(Analysis, AConsistThatCannotBeOpenedPropagatesAndLeavesTheControllerUsable) {
    std::wstring path = t / L"MSTS\\TRAINS\\CONSISTS\\locked.con";
    consist(L"MSTS", L"locked", {{'E', L"x", L"X"}});
    controller.onConsists();
    controller.onStock();
    for (bool runAll : {false, true}) {
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        view.setButtonActive(StepButton::RunAll, runAll); // lit by a mouse click
        EXPECT_THROW(runAll ? controller.onRunAll() : controller.onReferences(), AppError);
        ::CloseHandle(h);
        EXPECT_FALSE(controller.busy());
        EXPECT_FALSE(enabled(StepButton::Orphans)); // the step ended without its final actions
        // ...but the window is restored as at a normal end.
        EXPECT_FALSE(view.gaugeVisible);
        EXPECT_TRUE(view.helpVisible);
        EXPECT_FALSE(view.buttonActive(StepButton::RunAll));
    }
    controller.onReferences();
    EXPECT_EQ(value(Counter::References), 1);
}

TEST_F(Analysis, StockCheckHoldsTheStepButtonsAndPutsThemBackHoweverItEnds) {
    consist(L"MSTS", L"one", {{'E', L"x", L"X"}});
    stockFile(L"MSTS", L"X\\x.eng");
    controller.onCheck();
    EXPECT_FALSE(controller.checkResult()) << "nothing before step 5";
    controller.onRunAll();
    for (bool fails : {false, true}) {
        bool held = false;
        view.onPump = [&] {
            held = !enabled(StepButton::RunAll) && !enabled(StepButton::Orphans) && view.gaugeVisible && !view.helpVisible;
            controller.onConsists(); // ignored while the check runs
            if (fails) throw AppError(L"stopped");
        };
        if (fails) EXPECT_THROW(controller.onCheck(), AppError);
        else controller.onCheck();
        view.onPump = nullptr;
        EXPECT_TRUE(held);
        EXPECT_TRUE(enabled(StepButton::RunAll) && enabled(StepButton::Orphans) && enabled(StepButton::References));
        EXPECT_TRUE(!view.gaugeVisible && view.helpVisible && !controller.busy());
        EXPECT_EQ(colour(Counter::Missing), colours::Yellow);
        EXPECT_EQ(controller.checkResult().has_value(), !fails);
    }
}

// Names a classic path alters ("A." is looked for as "A", "NUL.con" opens the
// device) and a consist an editor holds open, letting others read and write:
// each is read as it lies on disk, and nothing is said.
TEST_F(Analysis, NamesTheSystemWouldAlterAndFilesHeldOpenAreReadAsOnDisk) {
    for (const wchar_t* rel : {L"A.\\a.eng", L"B \\b.wag", L"C\\c.eng"}) stockFile(L"MSTS", rel);
    consist(L"MSTS", L"NUL", {{'E', L"a", L"A."}});
    consist(L"MSTS", L"CON", {{'W', L"b", L"\"B \""}});
    consist(L"MSTS", L"held", {{'E', L"c", L"C"}});
    HANDLE editor = ::CreateFileW((t / L"MSTS\\TRAINS\\CONSISTS\\held.con").c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    controller.onRunAll();
    ::CloseHandle(editor);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(controller.consists().size(), 3u);
    EXPECT_EQ(controller.stock().items(), (std::vector<std::wstring>{L"A.\\a.eng", L"B \\b.wag", L"C\\c.eng"}));
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"A.\\A.ENG", L"B \\B.WAG", L"C\\C.ENG"}));
    EXPECT_EQ(value(Counter::Missing) + value(Counter::Orphans), 0);
}

TEST(UnreadableFoldersMessage, NamesTenThenTellsHowManyMore) {
    std::vector<std::wstring> folders;
    for (int i = 1; i <= 12; ++i) folders.push_back(L"F" + std::to_wstring(i));
    const std::wstring english = unreadableFoldersMessage(folders, 1);
    EXPECT_EQ(english.substr(english.find(L"F9\r")), L"F9\r\nF10\r\nand 2 more");
    EXPECT_EQ(unreadableFoldersMessage({L"F"}, 0),
              L"Ces dossiers n'ont pas pu \u00EAtre lus ; les r\u00E9sultats sont incomplets :\r\nF");
}

TEST_F(Analysis, EmptyConsistSetLeavesTheGaugeRangeAlone) {
    stockFile(L"MSTS", L"A\\a.eng");
    controller.onConsists();
    controller.onStock();
    view.setGaugeMax(40);
    view.setGaugePosition(12);
    controller.onReferences();
    EXPECT_EQ(view.gaugeMax, 40);
    EXPECT_EQ(view.gaugePosition, 12);
    EXPECT_EQ(value(Counter::References), 0);
    EXPECT_EQ(colour(Counter::References), colours::Yellow);
    controller.onOrphans();
    controller.onMissing();
    EXPECT_EQ(controller.orphans().size(), 1u);
    EXPECT_TRUE(controller.missing().empty());
}

TEST_F(Analysis, MissingPrefixesFollowTheLanguageOfStepFive) {
    stockFile(L"MSTS", L"A\\a.eng");
    consist(L"MSTS", L"c", {{'E', L"b", L"A"}, {'W', L"c", L"C"}});
    inputs.lang = 1;
    controller.onRunAll();
    EXPECT_EQ(missingLines(),
              (std::vector<std::wstring>{L"Missing File  : A\\B.ENG", L"Missing Folder: C\\C.WAG"}));
    inputs.lang = 2; // anything but 1 is French
    controller.onMissing();
    EXPECT_EQ(missingLines(),
              (std::vector<std::wstring>{L"Dossier manquant : C\\C.WAG", L"Fichier manquant : A\\B.ENG"}));
}

TEST_F(Analysis, AStepAskedForDuringAStepIsIgnored) {
    stockFile(L"MSTS", L"A\\a.eng");
    stockFile(L"MSTS", L"A\\b.eng");
    int nestedRuns = 0;
    view.onPump = [&] {
        // A click handled by the pump while step 2 walks.
        if (controller.busy()) {
            controller.onConsists();
            controller.onRunAll();
            ++nestedRuns;
        }
    };
    controller.onStock();
    EXPECT_GT(nestedRuns, 0);
    EXPECT_EQ(colour(Counter::Consists), colours::Olive); // step 1 never started
    EXPECT_EQ(value(Counter::Stock), 2);
}

TEST_F(Analysis, ActivitiesLooseConsistsCountOnlyWhenAsked) {
    stockFile(L"MSTS", L"A\\a.eng");
    stockFile(L"MSTS", L"MT_Coaches\\$MT_Coach_12.wag");
    consist(L"MSTS", L"c", {{'E', L"a", L"A"}});
    const std::vector<ConsistEntry> loose = {{'W', L"$MT_Coach_12", L"MT_Coaches"},
                                             {'E', L"\"Class 27\"", L"\"BR Class 27\""}};
    t.writeUtf16(L"MSTS\\Routes\\SCE\\activities\\x.ACT", twtest::activityText(loose));
    // Not activities: Open Rails' own sub-folder, a backup, a renamed file.
    const std::vector<ConsistEntry> other = {{'W', L"other", L"Other"}};
    for (const wchar_t* name : {L"OpenRails\\x.act", L"x.act.bak", L"x.was_act"})
        t.writeUtf16(std::wstring(L"MSTS\\Routes\\SCE\\activities\\") + name, twtest::activityText(other));

    controller.onRunAll();
    const auto orphansWithout = controller.orphans().items();
    EXPECT_EQ(orphansWithout, (std::vector<std::wstring>{L"MT_Coaches\\$MT_Coach_12.wag"}));
    EXPECT_TRUE(controller.missing().empty());
    EXPECT_FALSE(controller.activitiesRead());

    inputs.activities = true;
    view.setGaugeMax(40);
    controller.onReferences();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(controller.activitiesRead());
    EXPECT_EQ(controller.activityFiles(), (std::vector<std::wstring>{L"Routes\\SCE\\activities\\x.ACT"}));
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"A\\A.ENG", L"BR CLASS 27\\CLASS 27.ENG",
                                                                          L"MT_COACHES\\$MT_COACH_12.WAG"}));
    EXPECT_EQ(value(Counter::References), 3);
    EXPECT_EQ(view.gaugeMax, 1) << "the gauge runs over the consist and the activity";
    EXPECT_EQ(view.gaugePosition, 1);
    controller.onOrphans();
    controller.onMissing();
    EXPECT_TRUE(controller.orphans().empty());
    EXPECT_EQ(missingLines(), (std::vector<std::wstring>{L"Dossier manquant : BR CLASS 27\\CLASS 27.ENG"}));

    // Off again: the results are those of before.
    inputs.activities = false;
    controller.onReferences();
    controller.onOrphans();
    controller.onMissing();
    EXPECT_FALSE(controller.activitiesRead());
    EXPECT_TRUE(controller.activityFiles().empty());
    EXPECT_EQ(controller.orphans().items(), orphansWithout);
    EXPECT_TRUE(controller.missing().empty());
}

TEST_F(Analysis, ActivitiesOfTheStoreWithItsBoxAfterAnEarlyEndAndPastAnUnreadableOne) {
    consist(L"MSTS", L"a", {{'E', L"a", L"A"}});
    consist(L"MSTS", L"b", {{'E', L"b", L"B"}});
    t.writeUtf16(L"Store\\ROUTES\\S\\ACTIVITIES\\s.act", twtest::activityText({{'W', L"s", L"S"}}));
    t.writeUtf16(L"MSTS\\ROUTES\\R\\ACTIVITIES\\r.act", twtest::activityText({{'W', L"r", L"R"}}));
    const std::wstring bad = t.writeBytes(L"MSTS\\ROUTES\\R\\ACTIVITIES\\bad.act",
                                          std::string("SIMISA\r\nWagonData ( x X )"));
    inputs.activities = true;
    controller.onConsists();
    controller.onStock();
    controller.onReferences();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Erreur de d\u00E9codage du fichier unicode !\r\n" + bad);
    EXPECT_EQ(messages[0].kind, MessageBoxKind::Plain);
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"A\\A.ENG", L"B\\B.ENG", L"R\\R.WAG"}));

    // With the box checked the store's activities follow; a consist gone
    // since step 1 ends the consists' loop, not the activities'.
    messages.clear();
    inputs.include = true;
    ::DeleteFileW((t / L"MSTS\\TRAINS\\CONSISTS\\a.con").c_str());
    controller.onReferences();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, MessageBoxKind::Error);
    EXPECT_EQ(controller.references().items(), (std::vector<std::wstring>{L"R\\R.WAG", L"S\\S.WAG"}));
    EXPECT_EQ(controller.activityFiles().size(), 3u);
    EXPECT_EQ(controller.activityFiles().back(), L"ROUTES\\S\\ACTIVITIES\\s.act");
    EXPECT_EQ(colour(Counter::References), colours::Yellow);
    EXPECT_TRUE(enabled(StepButton::Orphans));
}

TEST(StockSetTest, OneItemPerFileNameApartFromCaseLocaleEqualNamesSideBySide) {
    StockSet s;
    EXPECT_TRUE(s.add(L"b\\x.eng"));
    EXPECT_TRUE(s.add(L"A\\y.wag"));
    EXPECT_FALSE(s.add(L"B\\X.ENG"));
    EXPECT_TRUE(s.add(L"\u00E9lan\\z.eng"));
    EXPECT_FALSE(s.add(L"\u00C9LAN\\Z.ENG")); // the file system's case covers accented letters
    EXPECT_TRUE(s.add(L"stra\u00DFe\\a.eng"));
    EXPECT_TRUE(s.add(L"STRASSE\\a.eng"));     // equal for the locale, another file for the file system
    EXPECT_TRUE(s.add(L"f\\a.eng"));
    EXPECT_EQ(s.items(), (std::vector<std::wstring>{L"A\\y.wag", L"b\\x.eng", L"\u00E9lan\\z.eng", L"f\\a.eng",
                                                    L"STRASSE\\a.eng", L"stra\u00DFe\\a.eng"}));
    EXPECT_TRUE(s.contains(L"b\\X.eng"));
    EXPECT_TRUE(s.contains(L"\u00C9lan\\Z.ENG"));
    EXPECT_FALSE(s.contains(L"ELAN\\Z.ENG")); // accents stay significant
    EXPECT_TRUE(s.contains(L"Strasse\\A.ENG"));
    EXPECT_TRUE(s.contains(L"STRA\u00DFE\\A.ENG"));
    EXPECT_FALSE(s.contains(L"STRASE\\A.ENG"));
}

TEST(RelativeToRoot, BelowTheRootOnAnotherDriveAndCase) {
    EXPECT_EQ(relativeToRoot(L"C:\\MSTS\\TRAINS\\TRAINSET\\Dash9\\dash9.eng", L"c:\\msts\\trains\\trainset\\"), L"Dash9\\dash9.eng");
    EXPECT_EQ(relativeToRoot(L"C:\\MSTS\\TRAINS\\TRAINSET\\x.eng", L"C:\\MSTS\\TRAINS\\TRAINSET\\"), L"x.eng");
    EXPECT_EQ(relativeToRoot(L"D:\\a\\b.eng", L"C:\\a\\"), L"D:\\a\\b.eng");
}

TEST_F(Analysis, StockCheckFollowsTheAnalysisNotTheBoxesChangedSince) {
    consist(L"MSTS", L"one", {{'E', L"x", L"X"}});
    stockFile(L"MSTS", L"X\\x.eng");
    controller.onRunAll();
    EXPECT_TRUE(controller.checkAvailable());
    const std::wstring analysed = inputs.sim;
    for (auto change : {+[](Inputs& i) { i.activities = true; }, +[](Inputs& i) { i.include = true; },
                        +[](Inputs& i) { i.sim += L"\\other"; }}) {
        Inputs before = inputs;
        change(inputs);
        EXPECT_FALSE(controller.checkAvailable()) << "greyed until the steps run again";
        controller.onCheck();
        EXPECT_FALSE(controller.checkResult());
        inputs = before;
    }
    controller.onCheck();
    ASSERT_TRUE(controller.checkResult());
    EXPECT_EQ(controller.checkResult()->simulatorFolder, analysed);
    inputs.activities = true;
    controller.onRunAll();
    EXPECT_TRUE(controller.checkAvailable()) << "the steps ran again with the option";
}

// What a step allows next follows from where the steps stand, never from the
// colours shown: a view that shows no colour at all still gets every step.
TEST(StepStates, DecideWhatFollowsWhateverTheViewShows) {
    struct Colourless : HeadlessView {
        void setCounterColour(Counter, Colour) override {}
    } view;
    TempFolder t;
    t.touch(L"MSTS\\TRAINS\\TRAINSET\\A\\a.eng");
    t.writeUtf16(L"MSTS\\TRAINS\\CONSISTS\\c.con", twtest::consistText(L"c", {{'E', L"a", L"A"}, {'W', L"b", L"B"}}));
    Inputs inputs;
    inputs.sim = t / L"MSTS";
    FolderScanner scanner;
    AnalysisController controller(view, inputs, scanner);
    for (StepButton b : {StepButton::Consists, StepButton::Stock, StepButton::Missing})
        EXPECT_EQ(controller.stepState(b), StepState::NotRun);
    view.setButtonEnabled(StepButton::Consists, true);
    view.setButtonEnabled(StepButton::Stock, true);

    controller.onRunAll();
    for (StepButton b : {StepButton::Consists, StepButton::Stock, StepButton::References, StepButton::Orphans,
                         StepButton::Missing})
        EXPECT_EQ(controller.stepState(b), StepState::Done) << static_cast<int>(b);
    EXPECT_EQ(controller.missing().size(), 1u);
    EXPECT_TRUE(controller.checkAvailable());

    // A step stopped on its root stands stopped; the analyses after it start again.
    inputs.sim = t / L"Gone";
    controller.onConsists();
    EXPECT_EQ(controller.stepState(StepButton::Consists), StepState::Stopped);
    EXPECT_EQ(controller.stepState(StepButton::Missing), StepState::NotRun);
    EXPECT_FALSE(controller.checkAvailable());
}
