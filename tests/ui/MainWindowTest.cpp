// The main window driven through its real controls under the test display.
#include "config/Settings.h"
#include "platform/Errors.h"
#include "text/LanguageTable.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "report/ResultsWindow.h"
#include "support/MessageBoxRecorder.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <memory>

using namespace tw;

namespace {

std::wstring textOf(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

bool styleVisible(HWND h) { return (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0; }

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        setCurrentLanguageId(0);
        env_.settingsPath = tmp_ / L"trackwend.INI";
        env_.simulatorFolder = tmp_.makeDir(L"msts");
        env_.showWarning = [this](MainWindow&) { ++warnings_; };
    }
    void TearDown() override {
        if (form_ && IsWindow(form_->hwnd())) DestroyWindow(form_->hwnd());
        form_.reset();
        drain();
    }
    // Creates the window and shows it, which runs show and first activation.
    MainWindow& start() {
        form_ = std::make_unique<MainWindow>(env_);
        EXPECT_TRUE(form_->createWindow());
        ShowWindow(form_->hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(form_->hwnd());
        SetActiveWindow(form_->hwnd());
        processPendingMessages();
        return *form_;
    }
    void writeSettings(const char* body) {
        std::ofstream f(std::string(env_.settingsPath.begin(), env_.settingsPath.end()), std::ios::binary);
        f << body;
    }
    std::string readSettings() {
        std::ifstream f(std::string(env_.settingsPath.begin(), env_.settingsPath.end()), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    static void drain() {
        // WM_QUIT posted by a destroyed window must not leak into the next test.
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message != WM_QUIT) DispatchMessageW(&m);
        }
    }
    void closeWindow() {
        SendMessageW(form_->hwnd(), WM_CLOSE, 0, 0);
        drain();
    }

    twtest::TempFolder tmp_;
    MainWindow::Environment env_;
    std::unique_ptr<MainWindow> form_;
    int warnings_ = 0;
    twtest::MessageBoxRecorder recorder_;
    std::vector<std::wstring>& boxes_ = recorder_.texts;
};

} // namespace

TEST(MainWindowCentring, TruncatesTowardZeroWithoutClamping) {
    POINT p = centredIn(RECT{0, 0, 1024, 768}, 561, 353);
    EXPECT_EQ(p.x, 231);
    EXPECT_EQ(p.y, 207);
    p = centredIn(RECT{0, 0, 461, 352}, 561, 353);
    EXPECT_EQ(p.y, 0);   // -1 / 2 truncates to 0
    EXPECT_EQ(p.x, -50); // not clamped
}

TEST_F(MainWindowTest, FrameHasFixedSizeAndCentredPosition) {
    env_.workArea = RECT{0, 0, 461, 352};
    MainWindow& f = start();
    RECT r;
    GetWindowRect(f.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 561);
    EXPECT_EQ(r.bottom - r.top, 353);
    EXPECT_EQ(r.left, -50);
    EXPECT_EQ(r.top, 0);
    EXPECT_FALSE(GetWindowLongW(f.hwnd(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(textOf(f.hwnd()), L"Trackwend (Beta 0.04)");
}

TEST_F(MainWindowTest, NoSettingsFileShowsWarningInFrenchAndCreatesNoFile) {
    MainWindow& f = start();
    EXPECT_EQ(warnings_, 1);
    EXPECT_EQ(currentLanguageId(), 0);
    EXPECT_EQ(textOf(f.control(MainWindow::IdExit)), L"&Termin\u00E9");
    EXPECT_TRUE(styleVisible(f.control(MainWindow::IdEnglish)));
    EXPECT_FALSE(styleVisible(f.control(MainWindow::IdFrench)));
    // A later activation does not show the warning again.
    SendMessageW(f.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(warnings_, 1);
    closeWindow();
    EXPECT_EQ(GetFileAttributesW(env_.settingsPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowTest, SettingsChooseLanguageAndWarning) {
    writeSettings("[Init]\r\nWarning=0\r\nLanguage=1\r\n");
    MainWindow& f = start();
    EXPECT_EQ(warnings_, 0);
    EXPECT_EQ(currentLanguageId(), 1);
    EXPECT_EQ(f.display().stepButton(StepButton::RunAll).caption(), L"&Run all");
    EXPECT_TRUE(styleVisible(f.control(MainWindow::IdFrench)));
    EXPECT_FALSE(styleVisible(f.control(MainWindow::IdEnglish)));
}

TEST_F(MainWindowTest, HeaderOnlySettingsShowWarningInFrench) {
    writeSettings("[Init]\r\n");
    MainWindow& f = start();
    EXPECT_EQ(warnings_, 1);
    EXPECT_EQ(f.display().stepButton(StepButton::RunAll).caption(), L"Anal&yse tout");
}

TEST_F(MainWindowTest, UnknownLanguageFallsBackToFrenchAndIsWrittenBackAtClose) {
    writeSettings("[Init]\r\nWarning=0\r\nLanguage=2\r\n");
    start();
    EXPECT_EQ(currentLanguageId(), 0);
    closeWindow();
    EXPECT_NE(readSettings().find("Language=0"), std::string::npos);
    EXPECT_EQ(readSettings().find("Language=2"), std::string::npos);
}

TEST_F(MainWindowTest, FolderInPlaceOfTheSettingsFileCountsAsNoFileAtStartAndAtClose) {
    ASSERT_TRUE(CreateDirectoryW(env_.settingsPath.c_str(), nullptr));
    MainWindow& f = start();
    EXPECT_EQ(warnings_, 1);
    HWND h = f.hwnd();
    closeWindow();
    EXPECT_FALSE(IsWindow(h)) << "nothing to write: the window closes";
    EXPECT_TRUE(boxes_.empty());
    RemoveDirectoryW(env_.settingsPath.c_str());
}

TEST_F(MainWindowTest, ActivitiesItemOfTheSystemMenuFollowsLanguageAndOptionAndSurvivesARestart) {
    writeSettings("[Init]\r\nWarning=0\r\nLanguage=0\r\n");
    MainWindow& f = start();
    HMENU menu = GetSystemMenu(f.hwnd(), FALSE);
    // Above Close: a separator, the two check commands, the item, and the separator the system had above Close.
    int close = GetMenuItemCount(menu) - 1;
    while (close >= 0 && GetMenuItemID(menu, close) != static_cast<UINT>(SC_CLOSE)) --close;
    ASSERT_GE(close, 5);
    EXPECT_TRUE(GetMenuState(menu, close - 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(menu, close - 2), MainWindow::kSysRoutes);
    EXPECT_EQ(GetMenuItemID(menu, close - 3), MainWindow::kSysCheck);
    EXPECT_EQ(GetMenuItemID(menu, close - 4), MainWindow::kSysActivities);
    EXPECT_TRUE(GetMenuState(menu, close - 5, MF_BYPOSITION) & MF_SEPARATOR);
    auto item = [&] {
        wchar_t buf[128] = {};
        GetMenuStringW(menu, MainWindow::kSysActivities, buf, 128, MF_BYCOMMAND);
        return std::wstring(buf);
    };
    auto checked = [&] { return (GetMenuState(menu, MainWindow::kSysActivities, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    EXPECT_EQ(item(), L"Lire aussi les &activit\u00E9s (rames libres)");
    EXPECT_FALSE(checked());
    EXPECT_FALSE(f.includeActivities());
    SendMessageW(f.control(MainWindow::IdEnglish), BM_CLICK, 0, 0);
    EXPECT_EQ(item(), L"Also read &activities (loose consists)");

    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysActivities, 0);
    EXPECT_TRUE(checked());
    EXPECT_TRUE(f.includeActivities());
    EXPECT_EQ(f.display().counterColour(Counter::Consists), colours::Olive) << "toggling runs no step";
    closeWindow();
    EXPECT_NE(readSettings().find("Activities=1"), std::string::npos) << readSettings();

    MainWindow& again = start();
    EXPECT_TRUE(again.includeActivities());
    EXPECT_TRUE(GetMenuState(GetSystemMenu(again.hwnd(), FALSE), MainWindow::kSysActivities, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageW(again.hwnd(), WM_SYSCOMMAND, MainWindow::kSysActivities, 0);
    EXPECT_FALSE(again.includeActivities());
    closeWindow();
    EXPECT_NE(readSettings().find("Activities=0"), std::string::npos) << readSettings();

    // Without a settings file the option is off at start and nothing is written at close.
    DeleteFileW(env_.settingsPath.c_str());
    MainWindow& third = start();
    EXPECT_FALSE(third.includeActivities());
    SendMessageW(third.hwnd(), WM_SYSCOMMAND, MainWindow::kSysActivities, 0);
    closeWindow();
    EXPECT_EQ(GetFileAttributesW(env_.settingsPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowTest, CheckCommandsRunOnceStep5HasRunAndOpenTheirReports) {
    tmp_.writeBytes(L"msts\\TRAINS\\TRAINSET\\A\\a1.eng", std::string("SIMISA\r\nWagon ( WagonShape ( a1.s ) )"));
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a2.wag"); // two files: the gauge moves
    tmp_.writeUtf16(L"msts\\TRAINS\\CONSISTS\\one.con", twtest::consistText(L"one", {{'E', L"a1", L"A"}}));
    MainWindow& f = start();
    ResultsWindow results;
    ASSERT_TRUE(results.createWindow(f.hwnd()));
    f.setResultsWindow(&results);
    HMENU menu = GetSystemMenu(f.hwnd(), FALSE);
    auto grayed = [&](UINT item) { return (GetMenuState(menu, item, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    auto label = [&](UINT item = MainWindow::kSysCheck) {
        wchar_t buf[128] = {};
        GetMenuStringW(menu, item, buf, 128, MF_BYCOMMAND);
        return std::wstring(buf);
    };
    EXPECT_EQ(label(), L"&Contr\u00F4ler les fichiers du mat\u00E9riel\u2026");
    EXPECT_EQ(label(MainWindow::kSysRoutes), L"Contr\u00F4ler les &lignes\u2026");
    EXPECT_TRUE(grayed(MainWindow::kSysCheck) && grayed(MainWindow::kSysRoutes));
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysCheck, 0);
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysRoutes, 0);
    EXPECT_FALSE(IsWindowVisible(results.hwnd())) << "nothing runs before step 5";

    f.simulatorBox().setText(*env_.simulatorFolder);
    f.display().stepButton(StepButton::RunAll).onClick();
    EXPECT_FALSE(grayed(MainWindow::kSysCheck) || grayed(MainWindow::kSysRoutes));
    bool stepsDisabled = false, gaugeShown = false;
    f.display().gauge().onChange = [&] {
        stepsDisabled = !f.display().buttonEnabled(StepButton::RunAll) && !f.display().buttonEnabled(StepButton::Consists);
        gaugeShown = styleVisible(f.display().gauge().hwnd());
    };
    SendMessageW(f.control(MainWindow::IdEnglish), BM_CLICK, 0, 0);
    EXPECT_EQ(label(), L"Check stoc&k files\u2026");
    // The check follows the analysis: a changed box or option greys it until the steps run again.
    SendMessageW(f.control(MainWindow::IdStoreCheck), BM_CLICK, 0, 0);
    EXPECT_TRUE(grayed(MainWindow::kSysCheck) && grayed(MainWindow::kSysRoutes));
    SendMessageW(f.control(MainWindow::IdStoreCheck), BM_CLICK, 0, 0);
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysActivities, 0);
    EXPECT_TRUE(grayed(MainWindow::kSysCheck) && grayed(MainWindow::kSysRoutes));
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysActivities, 0);
    EXPECT_FALSE(grayed(MainWindow::kSysCheck) || grayed(MainWindow::kSysRoutes));
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysCheck, 0);
    EXPECT_TRUE(stepsDisabled && gaugeShown);
    EXPECT_TRUE(f.display().buttonEnabled(StepButton::RunAll));
    EXPECT_FALSE(styleVisible(f.display().gauge().hwnd()));
    EXPECT_TRUE(IsWindowVisible(results.hwnd()));
    EXPECT_EQ(textOf(results.hwnd()), L"Stock check");
    const auto& lines = results.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"     shape a1.s -> A\\a1.s"), lines.end());

    EXPECT_EQ(label(MainWindow::kSysRoutes), L"Check &routes\u2026");
    stepsDisabled = gaugeShown = false;
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, MainWindow::kSysRoutes, 0);
    EXPECT_TRUE(stepsDisabled && gaugeShown);
    EXPECT_TRUE(f.display().buttonEnabled(StepButton::RunAll));
    EXPECT_FALSE(styleVisible(f.display().gauge().hwnd()));
    EXPECT_EQ(textOf(results.hwnd()), L"Route check");
    EXPECT_NE(std::find(results.lines().begin(), results.lines().end(), L" - one.con"), results.lines().end())
        << "no route plays the consist";
    f.setResultsWindow(nullptr);
    DestroyWindow(results.hwnd());
}

TEST_F(MainWindowTest, FolderBoxesLoseTrailingBackslashesAndDriveSteps12) {
    MainWindow& f = start();
    const std::wstring msts = *env_.simulatorFolder;
    EXPECT_TRUE(f.display().stepButton(StepButton::Consists).enabled());
    f.simulatorBox().setText(msts + L"\\\\");
    EXPECT_EQ(f.simulatorBox().content(), msts);
    EXPECT_TRUE(f.display().stepButton(StepButton::Stock).enabled());
    f.simulatorBox().setText(L"");
    EXPECT_FALSE(f.display().stepButton(StepButton::Consists).enabled());
    EXPECT_FALSE(f.display().stepButton(StepButton::Stock).enabled());
    f.simulatorBox().setText(L"\\\\\\");
    EXPECT_EQ(f.simulatorBox().content(), L"");
    f.simulatorBox().setText(msts);
    // Only the simulator folder is tested, whatever storeBox holds.
    f.storeBox().setText(L"Z:\\no\\such\\folder\\");
    EXPECT_EQ(f.storeBox().content(), L"Z:\\no\\such\\folder");
    EXPECT_TRUE(f.display().stepButton(StepButton::Consists).enabled());
}

TEST_F(MainWindowTest, MissingRegistryFoldersShowTheirTexts) {
    env_.simulatorFolder.reset();
    env_.trainStoreFolder.reset();
    MainWindow& f = start();
    EXPECT_EQ(f.simulatorBox().content(), L"< ERREUR : MSTS ne semble pas install\u00E9 sur cette machine. >");
    EXPECT_EQ(f.storeBox().content(), L"Train Store non trouv\u00E9");
    EXPECT_FALSE(f.display().stepButton(StepButton::Consists).enabled());
    EXPECT_FALSE(f.storeBox().enabled());
}

TEST_F(MainWindowTest, TrainStoreBoxFollowsCheckBox) {
    env_.trainStoreFolder = L"C:\\Store";
    MainWindow& f = start();
    HWND cb = f.control(MainWindow::IdStoreCheck);
    EXPECT_FALSE(f.storeBox().enabled());
    SendMessageW(cb, BM_CLICK, 0, 0);
    EXPECT_TRUE(f.storeBox().enabled());
    EXPECT_TRUE(f.includeTrainStore());
    SendMessageW(cb, BM_CLICK, 0, 0);
    EXPECT_FALSE(f.storeBox().enabled());
    EXPECT_EQ(f.storeBox().content(), L"C:\\Store");
}

TEST_F(MainWindowTest, LocalizeRoundTripRestoresEveryCaption) {
    MainWindow& f = start();
    auto snapshot = [&] {
        std::vector<std::wstring> s;
        for (auto b : {StepButton::Consists, StepButton::Stock, StepButton::References, StepButton::Orphans, StepButton::Missing,
                       StepButton::RunAll})
            s.push_back(f.display().stepButton(b).caption());
        for (int id : {MainWindow::IdConsistsReport, MainWindow::IdStockReport, MainWindow::IdOrphansReport, MainWindow::IdMissingReport, MainWindow::IdHelp,
                       MainWindow::IdExit})
            s.push_back(textOf(f.control(id)));
        for (int i = 0; i < 3; ++i) s.push_back(textOf(f.groupBox(i)));
        for (int i = 0; i < 8; ++i) s.push_back(textOf(f.label(i)));
        return s;
    };
    const auto french = snapshot();
    EXPECT_EQ(textOf(f.control(MainWindow::IdMissingReport)), L"Man&quants");
    EXPECT_EQ(textOf(f.groupBox(0)), L" Dossiers \u00E0 analyser ");
    SendMessageW(f.control(MainWindow::IdEnglish), BM_CLICK, 0, 0);
    EXPECT_EQ(currentLanguageId(), 1);
    const auto english = snapshot();
    EXPECT_EQ(textOf(f.groupBox(1)), L" Run ");
    EXPECT_EQ(textOf(f.label(5)), L"orphans");
    for (size_t i = 0; i < french.size(); ++i) {
        const bool fixed = french[i] == L".con" || french[i] == L".eng" || french[i] == L".wag";
        EXPECT_EQ(fixed, french[i] == english[i]) << i;
    }
    SendMessageW(f.control(MainWindow::IdFrench), BM_CLICK, 0, 0);
    EXPECT_EQ(snapshot(), french);
    // localize itself leaves the language alone.
    f.localize(1);
    EXPECT_EQ(currentLanguageId(), 0);
}

TEST_F(MainWindowTest, RunAllFillsCountersAndRestoresTheBottomRow) {
    const std::wstring msts = *env_.simulatorFolder;
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a1.eng");
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a2.wag");
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\B\\b1.wag");
    tmp_.writeUtf16(L"msts\\TRAINS\\CONSISTS\\one.con",
                    twtest::consistText(L"one", {{'E', L"a1", L"A"}, {'W', L"gone", L"C"}}));
    MainWindow& f = start();
    bool gaugeSeen = false;
    f.simulatorBox().setText(msts);
    f.display().counter(Counter::References).onChange = [&] { gaugeSeen |= styleVisible(f.display().gauge().hwnd()); };
    f.display().stepButton(StepButton::RunAll).onClick();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(f.display().counterValue(Counter::Consists), 1);
    EXPECT_EQ(f.display().counterValue(Counter::Engines), 1);
    EXPECT_EQ(f.display().counterValue(Counter::Wagons), 2);
    EXPECT_EQ(f.display().counterValue(Counter::Stock), 3);
    EXPECT_EQ(f.display().counterValue(Counter::References), 2);
    EXPECT_EQ(f.display().counterValue(Counter::Orphans), 2);
    EXPECT_EQ(f.display().counterValue(Counter::Used), 1);
    EXPECT_EQ(f.display().counterValue(Counter::Missing), 1);
    EXPECT_EQ(f.display().counterColour(Counter::Orphans), colours::Red);
    EXPECT_EQ(f.display().counterColour(Counter::Used), colours::Lime);
    EXPECT_EQ(f.display().counterColour(Counter::Consists), colours::Yellow);
    EXPECT_TRUE(gaugeSeen);
    EXPECT_FALSE(styleVisible(f.display().gauge().hwnd()));
    EXPECT_TRUE(styleVisible(f.control(MainWindow::IdHelp)));
    EXPECT_TRUE(styleVisible(f.control(MainWindow::IdStockReport)));
    EXPECT_TRUE(IsWindowEnabled(f.control(MainWindow::IdOrphansReport)));

    // The orphans report goes to the results window, titled in the interface language.
    ResultsWindow results;
    ASSERT_TRUE(results.createWindow(f.hwnd()));
    f.setResultsWindow(&results);
    SendMessageW(f.control(MainWindow::IdOrphansReport), BM_CLICK, 0, 0);
    EXPECT_EQ(textOf(results.hwnd()), L"Orphelins");
    EXPECT_TRUE(IsWindowVisible(results.hwnd()));
    f.setResultsWindow(nullptr);
    DestroyWindow(results.hwnd());
}

TEST_F(MainWindowTest, CloseDuringRunAllEndsTheRunningStepStartsNoOtherAndReportsAFailedSave) {
    for (int i = 0; i < 3; ++i)
        tmp_.writeUtf16(L"msts\\TRAINS\\CONSISTS\\c" + std::to_wstring(i) + L".con", twtest::consistText(L"c", {}));
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\e.eng");
    for (bool writable : {true, false}) {
        SCOPED_TRACE(writable ? "settings writable" : "settings held by another program");
        writeSettings("[Init]\r\nWarning=0\r\nLanguage=1\r\n");
        boxes_.clear();
        MainWindow& f = start();
        HWND h = f.hwnd();
        // Another program holding the file makes the write at close fail.
        HANDLE held = writable ? INVALID_HANDLE_VALUE
                               : CreateFileW(env_.settingsPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        bool aliveAtEndOfStep1 = false;
        f.display().counter(Counter::Consists).onChange = [&] {
            if (f.display().counterValue(Counter::Consists) == 3) aliveAtEndOfStep1 = IsWindow(h) && f.closePending();
        };
        PostMessageW(h, WM_CLOSE, 0, 0);   // handled by the first step's first look at the queue
        f.display().stepButton(StepButton::RunAll).onClick();
        drain();
        // Step 1 ran to its end with the window still there; Run all started no other step.
        EXPECT_TRUE(aliveAtEndOfStep1);
        EXPECT_EQ(f.display().counterColour(Counter::Consists), colours::Yellow);
        EXPECT_EQ(f.display().counterValue(Counter::Engines), 0);
        EXPECT_EQ(f.display().counterColour(Counter::Stock), colours::Olive);
        EXPECT_FALSE(IsWindow(h));
        if (writable) {
            EXPECT_TRUE(boxes_.empty());
            EXPECT_NE(readSettings().find("Language=1"), std::string::npos);
        } else {
            EXPECT_EQ(boxes_, std::vector<std::wstring>{L"Unable to write to " + env_.settingsPath + L"."});
            CloseHandle(held);
        }
        form_.reset();
    }
}

TEST_F(MainWindowTest, FailedFirstActivationShowsItsErrorAfterwardsAndIsDoneAgainAtTheNextActivation) {
    env_.showWarning = [this](MainWindow&) {
        if (++warnings_ == 1) throw AppError(L"Unable to write to X");
    };
    form_ = std::make_unique<MainWindow>(env_);
    ASSERT_TRUE(form_->createWindow());
    ShowWindow(form_->hwnd(), SW_SHOWNORMAL);   // activates: the first activation fails
    SetActiveWindow(form_->hwnd());
    EXPECT_EQ(warnings_, 1);
    EXPECT_TRUE(boxes_.empty()) << "no box inside the activation";
    processPendingMessages();
    EXPECT_EQ(boxes_, std::vector<std::wstring>{L"Unable to write to X."});
    SendMessageW(form_->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(warnings_, 2) << "the first activation is done at the next one";
    SendMessageW(form_->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(warnings_, 2) << "and only once";
}

TEST_F(MainWindowTest, LabelsAfterEnglishThenFrenchLookAsAtAFrenchStart) {
    MainWindow& f = start();
    auto settle = [] {
        for (int i = 0; i < 5; ++i) {
            processPendingMessages();
            Sleep(20);
        }
    };
    // "root Train Simulator", "eng/wag utilis\u00E9s dans rames", "eng/wag non trouv\u00E9s"
    auto labels = [&] {
        std::vector<std::vector<std::uint32_t>> seen;
        for (int i : {0, 4, 7}) {
            RECT r{};
            GetWindowRect(f.label(i), &r);
            seen.push_back(twtest::screenPixels(r));
        }
        return seen;
    };
    settle();
    const auto frenchStart = labels();
    SendMessageW(f.control(MainWindow::IdEnglish), BM_CLICK, 0, 0);
    settle();
    SendMessageW(f.control(MainWindow::IdFrench), BM_CLICK, 0, 0);
    settle();
    EXPECT_TRUE(labels() == frenchStart);
}

TEST_F(MainWindowTest, TypedFolderPathKeepsItsBackslashUntilTheUserIsDone) {
    MainWindow& f = start();
    const std::wstring msts = *env_.simulatorFolder;
    HWND edit = f.simulatorBox().editHandle();
    SetFocus(edit);
    f.simulatorBox().setText(L"");
    auto type = [&](const std::wstring& keys) {
        for (wchar_t c : keys) SendMessageW(edit, WM_CHAR, c, 1);
    };
    type(msts + L"\\");
    EXPECT_EQ(f.simulatorBox().content(), msts + L"\\") << "kept as typed";
    EXPECT_TRUE(f.display().stepButton(StepButton::Consists).enabled()) << "tested without the backslash";
    EXPECT_EQ(f.simulatorFolder(), msts);
    type(L"TRAINS\\");
    EXPECT_EQ(f.simulatorBox().content(), msts + L"\\TRAINS\\");
    EXPECT_FALSE(f.display().stepButton(StepButton::Consists).enabled());
    tmp_.makeDir(L"msts\\TRAINS");
    type(L"\\");
    EXPECT_TRUE(f.display().stepButton(StepButton::Stock).enabled());
    // Enter drops them and leaves the caret at the end.
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    processPendingMessages();
    EXPECT_EQ(f.simulatorBox().content(), msts + L"\\TRAINS");
    type(L"\\x\\");
    EXPECT_EQ(f.simulatorBox().content(), msts + L"\\TRAINS\\x\\");
    // So does leaving the box.
    SetFocus(f.control(MainWindow::IdHelp));
    EXPECT_EQ(f.simulatorBox().content(), msts + L"\\TRAINS\\x");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MainWindowTest, ExitButtonClosesWithoutRunningAStep) {
    MainWindow& f = start();
    HWND h = f.hwnd();
    SendMessageW(f.control(MainWindow::IdExit), BM_CLICK, 0, 0);
    drain();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(f.display().counterValue(Counter::Consists), 0);
}

TEST_F(MainWindowTest, StockStepShowsTheFolderCounterInPlaceOfTheStockReport) {
    for (int i = 0; i < 5; ++i) tmp_.touch(L"msts\\TRAINS\\TRAINSET\\F" + std::to_wstring(i) + L"\\x.wag");
    MainWindow& f = start();
    HWND dir = f.display().counter(Counter::Folders).hwnd(), mat = f.control(MainWindow::IdStockReport);
    // What the user sees at the stock report button's place.
    RECT r{};
    GetWindowRect(mat, &r);
    const POINT place{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    std::vector<int> seen;
    bool counterSeen = true;
    f.display().counter(Counter::Folders).onChange = [&] {
        seen.push_back(f.display().counterValue(Counter::Folders));
        counterSeen &= WindowFromPoint(place) == dir;
    };
    f.display().stepButton(StepButton::Stock).onClick();
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(counterSeen);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 10); // each folder once per scan: engines, then wagons
    // At the end the stock report button covers the counter again, enabled.
    EXPECT_EQ(WindowFromPoint(place), mat);
    EXPECT_TRUE(IsWindowEnabled(mat));
}

TEST_F(MainWindowTest, StepActionsDuringAStepAreIgnored) {
    for (int i = 0; i < 10; ++i) tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\e" + std::to_wstring(i) + L".eng");
    tmp_.writeUtf16(L"msts\\TRAINS\\CONSISTS\\one.con", twtest::consistText(L"one", {{'E', L"e1", L"A"}}));
    MainWindow& f = start();
    bool once = false;
    f.display().counter(Counter::Engines).onChange = [&] {
        if (once) return;
        once = true;
        // As clicks arriving through the step's message pump would.
        f.display().stepButton(StepButton::Consists).onClick();
        f.display().stepButton(StepButton::RunAll).onClick();
    };
    f.display().stepButton(StepButton::Stock).onClick();
    EXPECT_TRUE(once);
    EXPECT_EQ(f.display().counterValue(Counter::Engines), 10);
    EXPECT_EQ(f.display().counterValue(Counter::Consists), 0); // step 1 never ran
    EXPECT_EQ(f.display().counterColour(Counter::Consists), colours::Olive);
    // Afterwards the same action works.
    f.display().stepButton(StepButton::Consists).onClick();
    EXPECT_EQ(f.display().counterValue(Counter::Consists), 1);
}

TEST_F(MainWindowTest, HelpButtonBringsTheHelpWindowBackCentredOnItsFirstTab) {
    MainWindow& f = start();
    HelpWindow help;
    ASSERT_TRUE(help.createWindow(false));
    f.setHelpWindow(&help);
    SendMessageW(f.control(MainWindow::IdHelp), BM_CLICK, 0, 0);
    processPendingMessages();
    EXPECT_TRUE(IsWindowVisible(help.hwnd()));
    RECT first{};
    GetWindowRect(help.hwnd(), &first);
    // The user moves it, turns a page and goes back to the main window, which stays usable.
    SetWindowPos(help.hwnd(), nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    help.selectPage(3);
    SetActiveWindow(f.hwnd());
    processPendingMessages();
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()));
    SendMessageW(f.control(MainWindow::IdHelp), BM_CLICK, 0, 0);
    processPendingMessages();
    RECT again{};
    GetWindowRect(help.hwnd(), &again);
    EXPECT_EQ(again.left, first.left);
    EXPECT_EQ(again.top, first.top);
    EXPECT_EQ(help.activePage(), 0);
    EXPECT_EQ(GetForegroundWindow(), help.hwnd());
    f.setHelpWindow(nullptr);
    DestroyWindow(help.hwnd());
}

TEST_F(MainWindowTest, FocusStartsInTheFolderBoxReturnsOnActivationAndEnterPressesPictureButtons) {
    MainWindow& f = start();
    EXPECT_EQ(GetFocus(), f.simulatorBox().editHandle()) << "typing goes to the first control of the keyboard order";

    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetFocus(f.control(MainWindow::IdHelp));
    SetActiveWindow(other);
    processPendingMessages();
    SetActiveWindow(f.hwnd());
    processPendingMessages();
    EXPECT_EQ(GetFocus(), f.control(MainWindow::IdHelp)) << "the control left focused gets it back";
    DestroyWindow(other);

    // Every button has the raised look of the English one, enabled or not.
    const auto look = twtest::buttonFrame(f.control(MainWindow::IdEnglish));
    f.display().setReportEnabled(ReportButton::Orphans, true);
    for (int id : {MainWindow::IdConsistsReport, MainWindow::IdStockReport, MainWindow::IdOrphansReport, MainWindow::IdMissingReport, MainWindow::IdExit})
        EXPECT_EQ(twtest::buttonFrame(f.control(id)), look) << id;

    // A language switch hides the clicked button: the one shown in its place takes the focus.
    SendMessageW(f.control(MainWindow::IdEnglish), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(f.control(MainWindow::IdEnglish), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), f.control(MainWindow::IdFrench));

    // Enter on a focused picture button presses it, as on any push button.
    HelpWindow help;
    ASSERT_TRUE(help.createWindow(false));
    f.setHelpWindow(&help);
    auto enter = [](HWND target) {
        PostMessageW(target, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC0000001);
        processPendingMessages();
    };
    enter(f.control(MainWindow::IdFrench));
    EXPECT_EQ(GetFocus(), f.control(MainWindow::IdEnglish)) << "Enter switches back";
    SetFocus(f.control(MainWindow::IdHelp));
    enter(f.control(MainWindow::IdHelp));
    EXPECT_TRUE(IsWindowVisible(help.hwnd()));
    SetFocus(help.closeButton());
    enter(help.closeButton());
    EXPECT_FALSE(IsWindowVisible(help.hwnd()));
    f.setHelpWindow(nullptr);
    DestroyWindow(help.hwnd());

    SetActiveWindow(f.hwnd());
    SetFocus(f.control(MainWindow::IdExit));
    HWND h = f.hwnd();
    enter(f.control(MainWindow::IdExit));
    drain();
    EXPECT_FALSE(IsWindow(h)) << "Enter on the exit button closes the program";
}

TEST_F(MainWindowTest, TabKeyFollowsTheKeyboardOrderAndAltKeysReachTheirButtons) {
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a.eng");
    tmp_.writeUtf16(L"msts\\TRAINS\\CONSISTS\\one.con", twtest::consistText(L"one", {{'E', L"a", L"A"}}));
    MainWindow& f = start();
    SetFocus(f.simulatorBox().editHandle());
    auto press = [&](UINT msg, WPARAM key, LPARAM lp) {
        PostMessageW(GetFocus(), msg, key, lp);
        processPendingMessages();
    };
    // Disabled and hidden controls are skipped: storeBox (box unchecked), steps 3 to 5,
    // the report buttons, and B_Francais while French is on.
    const std::vector<HWND> expected = {
        f.control(MainWindow::IdStoreCheck),    f.display().stepButton(StepButton::Consists).hwnd(),
        f.display().stepButton(StepButton::Stock).hwnd(), f.control(MainWindow::IdExit),
        f.control(MainWindow::IdHelp),   f.control(MainWindow::IdEnglish),
        f.simulatorBox().editHandle()};
    std::vector<HWND> visited;
    for (size_t i = 0; i < expected.size(); ++i) {
        press(WM_KEYDOWN, VK_TAB, 1);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, expected);

    // "Anal&yse tout": Alt+Y runs everything from wherever the focus is.
    press(WM_SYSCHAR, L'y', 1 | (1 << 29));
    EXPECT_EQ(f.display().counterValue(Counter::Consists), 1);
    EXPECT_EQ(f.display().counterValue(Counter::Engines), 1);
    EXPECT_EQ(f.display().counterColour(Counter::Missing), colours::Yellow);
}


TEST_F(MainWindowTest, StartsInTheFirstOpenRailsFolderOnlyWithoutTheSimulatorKey) {
    env_.openRailsProfiles = {{L"Main", tmp_.makeDir(L"or")}, {L"Other", *env_.simulatorFolder}};
    EXPECT_EQ(start().simulatorBox().content(), *env_.simulatorFolder) << "the key's folder";
    closeWindow();
    env_.simulatorFolder.reset();
    MainWindow& f = start();
    EXPECT_EQ(f.simulatorBox().content(), tmp_ / L"or");
    EXPECT_TRUE(f.display().stepButton(StepButton::Consists).enabled());
}

TEST_F(MainWindowTest, OpenRailsFoldersSubmenuPutsItsFolderInTheBoxExceptDuringAStep) {
    EXPECT_EQ(GetSubMenu(GetSystemMenu(start().hwnd(), FALSE), 0), nullptr) << "no profiles, no submenu";
    closeWindow();
    env_.openRailsProfiles = {{L"R&D", tmp_.makeDir(L"a&b")}, {L"Other", tmp_.makeDir(L"msts\\TRAINS\\TRAINSET")}};
    MainWindow& f = start();
    HMENU menu = GetSystemMenu(f.hwnd(), FALSE);
    int at = 0;
    while (GetMenuItemID(menu, at) != MainWindow::kSysActivities) ++at;
    HMENU sub = GetSubMenu(menu, at - 1);
    ASSERT_NE(sub, nullptr) << "just above the activities item";
    wchar_t buf[MAX_PATH];
    auto label = [&](HMENU m, UINT at) { return std::wstring(buf, GetMenuStringW(m, at, buf, MAX_PATH, MF_BYPOSITION)); };
    EXPECT_EQ(label(menu, at - 1), L"Dossiers d'&Open Rails");
    EXPECT_EQ(label(sub, 0), L"R&&D \u2014 " + tmp_ / L"a&&b");
    SendMessageW(f.control(MainWindow::IdEnglish), BM_CLICK, 0, 0);
    EXPECT_EQ(label(menu, at - 1), L"&Open Rails folders");

    const UINT second = GetMenuItemID(sub, 1);
    f.display().counter(Counter::Engines).onChange = [&] {
        SendMessageW(f.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
        EXPECT_TRUE(GetMenuState(menu, at - 1, MF_BYPOSITION) & MF_GRAYED);
        SendMessageW(f.hwnd(), WM_SYSCOMMAND, second, 0);
        EXPECT_EQ(f.simulatorBox().content(), *env_.simulatorFolder) << "not during a step";
    };
    tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a.eng");
    f.display().stepButton(StepButton::Stock).onClick();
    SendMessageW(f.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    EXPECT_FALSE(GetMenuState(menu, at - 1, MF_BYPOSITION) & MF_GRAYED);
    // As the system sends it for its own submenu, or as a plain menu command.
    SendMessageW(f.hwnd(), WM_SYSCOMMAND, second, 0);
    EXPECT_EQ(f.simulatorBox().content(), tmp_ / L"msts\\TRAINS\\TRAINSET");
    f.simulatorBox().setText(tmp_ / L"none");
    SendMessageW(f.hwnd(), WM_COMMAND, GetMenuItemID(sub, 0), 0);
    EXPECT_EQ(f.simulatorBox().content(), tmp_ / L"a&b");
    EXPECT_TRUE(f.display().stepButton(StepButton::Consists).enabled()) << "the usual folder test";
}

TEST_F(MainWindowTest, AStepGoesOnWhileTheSystemMenuIsOpenAndAfterItsFirstEscape) {
    for (int i = 0; i < 300; ++i) tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\e" + std::to_wstring(i) + L".eng");
    MainWindow& f = start();
    // Were the step held by the menu, this would close it after 5 s and the counts stay 0.
    const UINT_PTR failsafe = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    int withPopup = 0, afterEscape = 0;
    f.display().counter(Counter::Engines).onChange = [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetCurrentThreadId(), &gui);
        if (!(gui.flags & GUI_INMENUMODE)) return;
        Sleep(1); // a slow disk: each file takes a while
        bool popup = false; // a menu window (the system's class #32768) of this thread shown
        EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM shown) {
            wchar_t name[8] = {};
            *reinterpret_cast<bool*>(shown) |= GetClassNameW(h, name, 8) && name == std::wstring(L"#32768") && IsWindowVisible(h);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&popup));
        if (popup ? ++withPopup == 10 : ++afterEscape == 10)
            PostMessageW(f.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    PostMessageW(f.hwnd(), WM_SYSCOMMAND, SC_KEYMENU, L' '); // Alt+Space
    f.display().stepButton(StepButton::Stock).onClick();
    KillTimer(nullptr, failsafe);
    EXPECT_GE(withPopup, 10);
    EXPECT_GE(afterEscape, 10) << "the menu loop still runs after the first Escape";
    EXPECT_EQ(f.display().counterValue(Counter::Engines), 300);
}
