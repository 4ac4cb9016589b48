// The main window's report buttons write into one results window, which is
// then saved under the report's title in the interface language.
#include "config/Settings.h"
#include "text/LanguageTable.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "report/ReportBuilder.h"
#include "report/ResultsWindow.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempFolder.h"
#include "ui/MainWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>

using namespace tw;

namespace {

class ReportButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setCurrentLanguageId(0);
        // A small installation: two engines/wagons used, one orphan, one missing file, one missing folder.
        tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a1.eng");
        tmp_.touch(L"msts\\TRAINS\\TRAINSET\\A\\a2.wag");
        tmp_.touch(L"msts\\TRAINS\\TRAINSET\\B\\b1.wag");
        tmp_.writeUtf16(L"msts\\TRAINS\\CONSISTS\\one.con",
                        twtest::consistText(L"one", {{'E', L"a1", L"A"}, {'W', L"b1", L"B"}, {'W', L"gone", L"A"},
                                                     {'W', L"x", L"C"}}));
        MainWindow::Environment env;
        env.settingsPath = tmp_ / L"trackwend.INI";
        env.simulatorFolder = tmp_ / L"msts";
        env.showWarning = [](MainWindow&) {};
        form_ = std::make_unique<MainWindow>(env);
        ASSERT_TRUE(form_->createWindow());
        ASSERT_TRUE(results_.createWindow(form_->hwnd()));
        results_.setSaveFolder(tmp_.makeDir(L"out"));
        form_->setResultsWindow(&results_);
        ShowWindow(form_->hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(form_->hwnd());
        processPendingMessages();
        form_->display().stepButton(StepButton::RunAll).onClick();
        processPendingMessages();
        ASSERT_TRUE(boxes_.empty());
    }
    void TearDown() override {
        form_->setResultsWindow(nullptr);
        results_.destroy();
        if (form_ && IsWindow(form_->hwnd())) DestroyWindow(form_->hwnd());
        form_.reset();
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            if (m.message != WM_QUIT) DispatchMessageW(&m);
        setCurrentLanguageId(0);
    }
    void click(int id) {
        SendMessageW(form_->control(id), BM_CLICK, 0, 0);
        processPendingMessages();
    }
    std::wstring memoText() const {
        std::wstring s(static_cast<size_t>(GetWindowTextLengthW(results_.memo())) + 1, L'\0');
        s.resize(static_cast<size_t>(GetWindowTextW(results_.memo(), s.data(), static_cast<int>(s.size()))));
        return s;
    }
    POINT position() const {
        RECT r;
        GetWindowRect(results_.hwnd(), &r);
        return {r.left, r.top};
    }

    twtest::TempFolder tmp_;
    std::unique_ptr<MainWindow> form_;
    ResultsWindow results_;
    twtest::MessageBoxRecorder recorder_;
    std::vector<std::wstring>& boxes_ = recorder_.texts;
};

} // namespace

TEST_F(ReportButtonsTest, EachButtonFillsTheOneWindowWhichKeepsItsPlace) {
    struct Case { int id; std::wstring caption, countLine, firstItem; };
    const Case cases[] = {
        {MainWindow::IdConsistsReport, L"Rames", L"1 Rames", L" - one.con"},
        {MainWindow::IdStockReport, L"Mat\u00e9riel", L"3 Mat\u00e9riel", L" - A\\a1.eng"},
        {MainWindow::IdOrphansReport, L"Orphelins", L"1 Orphelins", L" - A\\a2.wag"},
        {MainWindow::IdMissingReport, L"Manquants", L"2 Manquants", L" - Dossier manquant : C\\X.WAG"},
    };
    HWND window = results_.hwnd();
    bool first = true;
    POINT moved{33, 44};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.countLine.substr(2, 4));
        SendMessageW(form_->control(c.id), BM_CLICK, 0, 0);
        // Activated by the report itself (later display events may move it under Xvfb).
        EXPECT_EQ(GetActiveWindow(), window);
        processPendingMessages();
        EXPECT_EQ(results_.hwnd(), window);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(results_.caption(), c.caption);
        const auto& lines = results_.lines();
        ASSERT_GE(lines.size(), 7u);
        EXPECT_EQ(lines[2], c.countLine);
        EXPECT_EQ(lines[lines.size() - 1], std::wstring(33, L'-'));
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.firstItem), lines.end());
        // The control shows exactly the lines, one text line each.
        EXPECT_EQ(static_cast<size_t>(SendMessageW(results_.memo(), EM_GETLINECOUNT, 0, 0)), lines.size());
        std::wstring joined;
        for (size_t i = 0; i < lines.size(); ++i) joined += (i ? L"\r\n" : L"") + lines[i];
        EXPECT_EQ(memoText(), joined);
        EXPECT_TRUE(results_.saveEnabled());
        if (first) {
            // First showing: centred on the whole screen, save holds the focus.
            RECT r;
            GetWindowRect(window, &r);
            EXPECT_EQ(r.left, std::max(0L, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2));
            EXPECT_EQ(r.top, std::max(0L, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2));
            EXPECT_EQ(GetFocus(), results_.button(ResultsWindow::IdSave));
            first = false;
        } else {
            EXPECT_EQ(position().x, moved.x);
            EXPECT_EQ(position().y, moved.y);
        }
        // The user moves it, then closes it with the close button.
        moved.x += 7;
        moved.y += 5;
        SetWindowPos(window, nullptr, moved.x, moved.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(results_.button(ResultsWindow::IdClose), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowVisible(window));
        EXPECT_EQ(results_.caption(), c.caption);   // hiding keeps the content
    }
    // The hidden references report reaches the same window too.
    form_->onReferencesReport();
    EXPECT_EQ(results_.caption(), L"Debug Liste");
    EXPECT_EQ(results_.lines()[2], L"4 Debug Liste");
    EXPECT_EQ(position().x, moved.x);
    EXPECT_EQ(position().y, moved.y);
}

TEST_F(ReportButtonsTest, SavedFileIsNamedAfterTheTitleInEachLanguage) {
    const std::wstring out = tmp_ / L"out";
    click(MainWindow::IdConsistsReport);
    SendMessageW(results_.button(ResultsWindow::IdSave), BM_CLICK, 0, 0);
    EXPECT_FALSE(results_.saveEnabled());
    ASSERT_TRUE(fileExists(out + L"\\MSTS_Rames.txt"));

    click(MainWindow::IdEnglish);
    // The captions are replaced; the estimate comes back with the next report.
    EXPECT_EQ(results_.printCaption(), L"&Print [] pages");
    click(MainWindow::IdConsistsReport);
    EXPECT_EQ(results_.printCaption(), L"&Print [1] pages");
    SendMessageW(results_.button(ResultsWindow::IdSave), BM_CLICK, 0, 0);
    const auto english = readWholeFile(out + L"\\MSTS_Consists.txt");
    const auto french = readWholeFile(out + L"\\MSTS_Rames.txt");
    const std::string englishText(english.begin(), english.end()), frenchText(french.begin(), french.end());
    EXPECT_NE(englishText.find("\r\n1 Consists\r\n"), std::string::npos);
    EXPECT_NE(frenchText.find("\r\n1 Rames\r\n"), std::string::npos);
    EXPECT_NE(englishText.find("List of Consist Files:\r\n - one.con\r\n"), std::string::npos);

    click(MainWindow::IdMissingReport);
    SendMessageW(results_.button(ResultsWindow::IdSave), BM_CLICK, 0, 0);
    EXPECT_TRUE(fileExists(out + L"\\MSTS_Missing Stock.txt"));
    EXPECT_TRUE(boxes_.empty());
}
