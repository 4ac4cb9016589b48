#include "report/ResultsWindow.h"
#include "report/PrinterDevice.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "support/DialogTestSupport.h"
#include "support/MessageBoxRecorder.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using namespace tw;
using twtest::TempFolder;

namespace {

void fill(ResultsWindow& w, const std::wstring& caption, size_t lines) {
    w.setCaption(caption);
    w.clear();
    for (size_t i = 0; i < lines; ++i) w.appendLine(L"line " + std::to_wstring(i));
}
} // namespace

TEST(ResultsWindow, EstimateAndPrintEnabling) {
    ResultsWindow w;
    ASSERT_TRUE(w.createWindow());
    w.setButtonCaptions(L"&Close", L"&Print [] pages", L"&Save");
    EXPECT_FALSE(w.saveEnabled());
    const std::pair<size_t, int> cases[] = {{0, 1}, {59, 1}, {60, 2}, {1199, 20}, {1200, 21}};
    for (auto [lines, estimate] : cases) {
        fill(w, L"Orphans", lines);
        EXPECT_EQ(w.printCaption(), L"&Print [" + std::to_wstring(estimate) + L"] pages") << lines;
        EXPECT_EQ(w.printEnabled(), estimate < 21) << lines;
        EXPECT_TRUE(w.saveEnabled());
    }
    // A language switch leaves "[]" until the memo changes again.
    w.setButtonCaptions(L"&Fermer", L"&Imprimer [] pages", L"&Enregistrer");
    EXPECT_EQ(w.printCaption(), L"&Imprimer [] pages");
    w.appendLine(L"x");
    EXPECT_EQ(w.printCaption(), L"&Imprimer [21] pages");
}

TEST(ResultsWindow, SaveWritesBytesAndDisables) {
    TempFolder tmp;
    ResultsWindow w;
    ASSERT_TRUE(w.createWindow());
    w.setSaveFolder(tmp.path());
    for (const std::wstring caption : {L"Rames", L"Consists", L"Missing Stock"}) {
        w.setCaption(caption);
        w.clear();
        w.appendLine(L"caf\u00e9");
        w.appendLine(L"b");
        w.onSave();
        EXPECT_FALSE(w.saveEnabled());
        auto bytes = readWholeFile(tmp.path() + L"\\MSTS_" + caption + L".txt");
        const std::vector<unsigned char> expected{'c', 'a', 'f', 233, 13, 10, 'b', 13, 10};
        EXPECT_EQ(bytes, expected) << std::string(caption.begin(), caption.end());
    }
}

TEST(ResultsWindow, SaveIntoMissingFolderFailsAndKeepsSaveEnabled) {
    TempFolder tmp;
    ResultsWindow w;
    ASSERT_TRUE(w.createWindow());
    w.setSaveFolder(tmp.path() + L"\\no such folder");
    fill(w, L"Orphans", 3);
    EXPECT_THROW(w.onSave(), AppError);
    EXPECT_TRUE(w.saveEnabled());
}

TEST(ResultsWindow, ShowReportCentresOnceThenKeepsPosition) {
    ResultsWindow w;
    ASSERT_TRUE(w.createWindow());
    fill(w, L"Orphans", 70);
    w.showReport();
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    EXPECT_EQ(GetWindowTextLengthW(w.memo()) > 0, true);
    EXPECT_EQ(SendMessageW(w.memo(), EM_GETLINECOUNT, 0, 0), 70);
    SetWindowPos(w.hwnd(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(w.hwnd(), SW_HIDE);
    fill(w, L"Missing", 5);
    w.showReport();
    RECT r;
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(SendMessageW(w.memo(), EM_GETLINECOUNT, 0, 0), 5);
}

namespace {
bool noPrinter(std::wstring&) { return false; }
bool badPrinter(std::wstring& name) { name = L"No Such Printer 42"; return true; }
}

TEST(ResultsWindow, PrintConfirmationCancelAndPrinterErrors) {
    twtest::MessageBoxRecorder rec(kResultCancel);
    ResultsWindow w;
    ASSERT_TRUE(w.createWindow());
    fill(w, L"Orphans", 130);
    PrinterDevice::setPrinterNameLookup(noPrinter);
    rec.answer = kResultCancel;
    EXPECT_NO_THROW(w.onPrint());   // cancelled: the printer is never asked
    ASSERT_EQ(rec.texts.size(), 1u);
    EXPECT_EQ(rec.texts[0], L"Impression de 3 pages (environ)\r\nsur l'imprimante par d\u00e9faut.\r\nConfirmation ?");
    rec.answer = kResultOk;
    try { w.onPrint(); FAIL(); } catch (const AppError& e) {
        EXPECT_EQ(e.message(), L"There is no default printer currently selected");
    }
    PrinterDevice::setPrinterNameLookup(badPrinter);
    try { w.onPrint(); FAIL(); } catch (const AppError& e) {
        EXPECT_EQ(e.message(), L"Printer selected is not valid");
    }
    PrinterDevice::setPrinterNameLookup(nullptr);
    EXPECT_FALSE(PrinterDevice::printing());
}

namespace {
// A shown results window with a report, saving into a temporary folder, its
// general error boxes recorded.
class ShownResults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.createWindow());
        w.setButtonCaptions(L"&Close", L"&Print [] pages", L"&Save");
        w.setSaveFolder(tmp.path());
        fill(w, L"Orphans", 4);
        w.showReport();
        processPendingMessages();
    }
    void TearDown() override {
        w.destroy();
        processPendingMessages();
    }
    // A key as the keyboard sends it to the focused control, through the
    // program's own message handling.
    void press(UINT vk) {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, vk, 1);
        PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
        processPendingMessages();
    }
    std::wstring saved() const { return tmp / L"MSTS_Orphans.txt"; }

    TempFolder tmp;
    twtest::MessageBoxRecorder rec{kResultCancel};
    ResultsWindow w;
};
} // namespace

TEST_F(ShownResults, EscapeSavesFromAButtonButNotFromTheMemo) {
    ASSERT_EQ(GetFocus(), w.button(ResultsWindow::IdSave));
    SetFocus(w.button(ResultsWindow::IdPrint));
    press(VK_ESCAPE);
    EXPECT_TRUE(fileExists(saved()));
    EXPECT_FALSE(w.saveEnabled());
    DeleteFileW(saved().c_str());

    fill(w, L"Orphans", 4);
    SetFocus(w.memo());
    press(VK_ESCAPE);
    EXPECT_FALSE(fileExists(saved()));
    EXPECT_TRUE(w.saveEnabled());
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    EXPECT_TRUE(rec.texts.empty());

    // Enter on the focused save button saves as well.
    SetFocus(w.button(ResultsWindow::IdSave));
    press(VK_RETURN);
    EXPECT_TRUE(fileExists(saved()));
    EXPECT_FALSE(w.saveEnabled());
}

TEST_F(ShownResults, TabAndShiftTabRunThroughTheButtonsAndTheText) {
    std::vector<HWND> visited;
    BYTE keys[256] = {};
    for (BYTE shift : {0, 0, 0, 0, 0x80, 0x80}) {   // four Tabs, then two Shift+Tabs
        keys[VK_SHIFT] = shift;
        SetKeyboardState(keys);
        visited.push_back((press(VK_TAB), GetFocus()));
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(visited, (std::vector<HWND>{w.button(ResultsWindow::IdPrint), w.button(ResultsWindow::IdClose), w.memo(),
                                          w.button(ResultsWindow::IdSave), w.memo(), w.button(ResultsWindow::IdClose)}));
    SetFocus(w.memo());   // no button framed as focused: one raised look, the close button's
    for (int id : {ResultsWindow::IdSave, ResultsWindow::IdPrint})
        EXPECT_EQ(twtest::buttonFrame(w.button(id)), twtest::buttonFrame(w.button(ResultsWindow::IdClose)));
}

TEST_F(ShownResults, FileThatCannotBeCreatedShowsTheErrorAndKeepsSaveEnabled) {
    // A folder already holding the name: the system refuses to create the file.
    CreateDirectoryW(saved().c_str(), nullptr);
    SendMessageW(w.button(ResultsWindow::IdSave), BM_CLICK, 0, 0);
    processPendingMessages();   // the error box comes after the click
    ASSERT_EQ(rec.texts.size(), 1u);
    const std::wstring prefix = L"Cannot create file \"" + saved() + L"\". ";
    EXPECT_EQ(rec.texts[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(rec.texts[0].size(), prefix.size() + 1);
    EXPECT_EQ(rec.texts[0].back(), L'.');
    EXPECT_TRUE(w.saveEnabled());
    EXPECT_TRUE(directoryExists(saved()));

    // A parent that is a file, not a folder.
    rec.texts.clear();
    const std::wstring parent = tmp.touch(L"plain");
    w.setSaveFolder(parent);
    SendMessageW(w.button(ResultsWindow::IdSave), BM_CLICK, 0, 0);
    processPendingMessages();   // the error box comes after the click
    ASSERT_EQ(rec.texts.size(), 1u);
    EXPECT_EQ(rec.texts[0].rfind(L"Cannot create file \"" + parent + L"\\MSTS_Orphans.txt\". ", 0), 0u);
    EXPECT_TRUE(w.saveEnabled());
}

TEST_F(ShownResults, ActivationGivesTheFocusBackOrToTheFirstEnabledControl) {
    // Another top-level window of the program takes the activation, then gives it back.
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    auto awayAndBack = [&] {
        SetActiveWindow(other);
        processPendingMessages();
        SetActiveWindow(w.hwnd());
        processPendingMessages();
    };
    SetFocus(w.button(ResultsWindow::IdClose));
    awayAndBack();
    EXPECT_EQ(GetFocus(), w.button(ResultsWindow::IdClose)) << "the control left focused gets it back";

    // Saving disables the focused save button: on the next activation print takes the focus,
    // so Enter there asks for the print confirmation.
    SetFocus(w.button(ResultsWindow::IdSave));
    press(VK_RETURN);
    ASSERT_FALSE(w.saveEnabled());
    awayAndBack();
    EXPECT_EQ(GetFocus(), w.button(ResultsWindow::IdPrint));

    // Closed from its close button, the window shows the next report with that button focused.
    SetFocus(w.button(ResultsWindow::IdClose));
    press(VK_RETURN);
    ASSERT_FALSE(IsWindowVisible(w.hwnd()));
    SetActiveWindow(other);
    processPendingMessages();
    fill(w, L"Orphans", 2);
    w.showReport();
    processPendingMessages();
    EXPECT_EQ(GetFocus(), w.button(ResultsWindow::IdClose));
    DestroyWindow(other);
}

TEST_F(ShownResults, ButtonStripIsTheBottom34Pixels) {
    auto top = [&](HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        POINT p{r.left, r.top};
        ScreenToClient(w.hwnd(), &p);
        return p.y;
    };
    for (int id : {ResultsWindow::IdPrint, ResultsWindow::IdSave, ResultsWindow::IdClose}) EXPECT_EQ(top(w.button(id)), 436 - 34 + 5);
    // The close button is drawn by the window, with its picture.
    EXPECT_EQ(GetWindowLongW(w.button(ResultsWindow::IdClose), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ShownResults, RefusedFolderOffersTheSaveAsDialogAndSavesTheSameBytesThere) {
    // Under Wine as root no folder refuses a file: the refusal comes from the writing seam.
    w.writeFile = [this](const std::wstring& path, const std::string& bytes) {
        return path == saved() ? static_cast<unsigned long>(ERROR_ACCESS_DENIED) : writeReportBytes(path, bytes);
    };
    const std::wstring chosen = tmp / L"chosen.txt";
    for (bool accept : {false, true}) {
        wchar_t offered[MAX_PATH] = {};
        twtest::postAction([&] {   // the dialog opens with its file name box focused
            GetWindowTextW(GetFocus(), offered, MAX_PATH);
            if (accept) SetWindowTextW(GetFocus(), chosen.c_str());
            PostMessageW(GetActiveWindow(), WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
        });
        SendMessageW(w.button(ResultsWindow::IdSave), BM_CLICK, 0, 0);
        processPendingMessages();
        EXPECT_STREQ(offered, L"MSTS_Orphans.txt");
        EXPECT_TRUE(rec.texts.empty());
        EXPECT_EQ(w.saveEnabled(), !accept);
        EXPECT_EQ(fileExists(chosen), accept);
    }
    const std::string expected = reportFileBytes(w.lines());
    EXPECT_EQ(readWholeFile(chosen), std::vector<unsigned char>(expected.begin(), expected.end()));
}
