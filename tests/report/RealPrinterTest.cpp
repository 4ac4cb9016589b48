// Printing on the real default printer: tools/test starts a private CUPS
// server whose default queue turns every job into a PDF (tools/printer.sh).
// The PDFs are read back with the system's pdfinfo and pdftotext.
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "support/MessageBoxRecorder.h"
#include "platform/MessagePump.h"
#include "platform/Text.h"
#include "report/PrinterDevice.h"
#include "report/ReportBuilder.h"
#include "report/ResultsWindow.h"
#include "text/LanguageTable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <set>
#include <sstream>

using namespace tw;

namespace {

std::wstring env(const wchar_t* name) {
    const wchar_t* v = _wgetenv(name);
    return v ? v : L"";
}

std::set<std::wstring> pdfsIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring n = fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && n.size() > 4 &&
            _wcsicmp(n.c_str() + n.size() - 4, L".pdf") == 0)
            names.insert(n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

std::string readText(const std::wstring& path) {
    if (!fileExists(path)) return {};
    auto bytes = readWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// What a job's pages went through, kept after the device is gone.
struct JobStats {
    int started = 0, ended = 0, drawn = 0;
    int failAtDraw = -1;
    int pageHeight = 0, lineHeight = 0;
};

// Counts the job's pages on their way to the printer, and can make the
// drawing of one line fail.
struct PageCounter : PageSink {
    std::unique_ptr<PageSink> job;
    std::shared_ptr<JobStats> stats;
    PageCounter(std::unique_ptr<PageSink> j, std::shared_ptr<JobStats> s) : job(std::move(j)), stats(std::move(s)) {
        TEXTMETRICW tm{};
        GetTextMetricsW(job->dc(), &tm);
        stats->pageHeight = GetDeviceCaps(job->dc(), VERTRES);
        stats->lineHeight = tm.tmHeight + 2;
    }
    HDC dc() override { return job->dc(); }
    void startPage() override { ++stats->started; job->startPage(); }
    void endPage() override { ++stats->ended; job->endPage(); }
    void drawText(int x, int y, const std::wstring& t) override {
        if (stats->drawn++ == stats->failAtDraw) throw AppError(L"Printer error");
        job->drawText(x, y, t);
    }
};

class RealPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        pdfDir_ = env(L"TW_PDF_DIR_WIN");
        unixDir_ = env(L"TW_PDF_DIR");
        ASSERT_FALSE(pdfDir_.empty() || unixDir_.empty())
            << "no PDF printer: run the tests through tools/test, which starts one (tools/printer.sh)";
        before_ = pdfsIn(pdfDir_);
        assignReportTexts(1);
        PrinterDevice::setSinkWrapper([this](std::unique_ptr<PageSink> job) -> std::unique_ptr<PageSink> {
            auto stats = std::make_shared<JobStats>();
            stats->failAtDraw = failAtDraw_;
            counters_.push_back(stats);
            return std::make_unique<PageCounter>(std::move(job), stats);
        });
        ASSERT_TRUE(w_.createWindow());
        w_.setButtonCaptions(L"&Close", L"&Print [] pages", L"&Save");
    }
    void TearDown() override {
        PrinterDevice::setSinkWrapper(nullptr);
        PrinterDevice::setJobCalls({});
        assignReportTexts(0);
        w_.destroy();
    }

    // Waits for one new, complete PDF and returns its name.
    std::wstring awaitPdf() {
        for (int i = 0; i < 600; ++i) {
            for (const auto& n : pdfsIn(pdfDir_)) {
                if (before_.count(n)) continue;
                std::string body = readText(pdfDir_ + L"\\" + n);
                if (body.size() > 8 && body.find("%%EOF", body.size() - 8) != std::string::npos) {
                    before_.insert(n);
                    return n;
                }
            }
            Sleep(100);
        }
        return {};
    }

    // Runs pdfinfo and pdftotext on the PDF (Linux programs, started through
    // a script in the PDF folder) and returns the page count and the text.
    std::pair<int, std::string> readPdf(const std::wstring& name) {
        const std::string pdf = toUtf8(unixDir_ + L"/" + name);
        const std::string dir = toUtf8(unixDir_);
        DeleteFileW((pdfDir_ + L"\\check.done").c_str());
        {
            std::ofstream sh(std::filesystem::path(pdfDir_ + L"\\check.sh"), std::ios::binary);
            sh << "cd '" << dir << "' || exit 1\n"
               << "pdfinfo '" << pdf << "' > info.txt 2>&1\n"
               << "pdftotext '" << pdf << "' text.txt > /dev/null 2>&1\n"
               << "touch check.done\n";
        }
        std::wstring cmd = L"/bin/sh " + unixDir_ + L"/check.sh";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ADD_FAILURE() << "cannot start /bin/sh: " << GetLastError();
            return {0, {}};
        }
        if (pi.hProcess) CloseHandle(pi.hProcess);
        if (pi.hThread) CloseHandle(pi.hThread);
        // A Linux process gives no handle to wait on: its last act is the marker.
        for (int i = 0; i < 300 && !fileExists(pdfDir_ + L"\\check.done"); ++i) Sleep(100);
        EXPECT_TRUE(fileExists(pdfDir_ + L"\\check.done")) << "pdfinfo/pdftotext did not finish";
        const std::string info = readText(pdfDir_ + L"\\info.txt");
        int pages = 0;
        const size_t at = info.find("Pages:");
        if (at != std::string::npos) pages = std::atoi(info.c_str() + at + 6);
        EXPECT_GT(pages, 0) << info;
        return {pages, readText(pdfDir_ + L"\\text.txt")};
    }

    void report(size_t items) {
        std::vector<std::wstring> names;
        for (size_t i = 0; i < items; ++i) names.push_back(L"FOLDER" + std::to_wstring(i % 7) + L"\\wagon" +
                                                          std::to_wstring(1000 + i) + L".wag");
        buildReport(ReportKind::Orphans, names, static_cast<int>(items), false, w_);
        w_.showReport();
    }

    ResultsWindow w_;
    std::wstring pdfDir_, unixDir_;
    std::set<std::wstring> before_;
    twtest::MessageBoxRecorder recorder_;
    std::vector<std::wstring>& boxes_ = recorder_.texts;
    std::vector<std::shared_ptr<JobStats>> counters_;
    int failAtDraw_ = -1;
};

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Pages of pdftotext output (form feed between pages), each as its non-blank lines.
std::vector<std::vector<std::string>> pagesOf(const std::string& text) {
    std::vector<std::vector<std::string>> pages(1);
    std::string line;
    for (char c : text) {
        if (c == '\n' || c == '\f') {
            if (!trimmed(line).empty()) pages.back().push_back(trimmed(line));
            line.clear();
            if (c == '\f') pages.emplace_back();
        } else {
            line += c;
        }
    }
    if (!trimmed(line).empty()) pages.back().push_back(trimmed(line));
    if (pages.back().empty()) pages.pop_back();   // the form feed after the last page
    return pages;
}

} // namespace

TEST_F(RealPrinter, ReportOfSeveralPagesPrintsEveryLineInOrderAsOneJob) {
    report(150);   // 160 lines: estimate 3
    // A second print asked for while the first one spools is refused, and the
    // first goes on.
    PostMessageW(w_.hwnd(), WM_COMMAND, MAKEWPARAM(ResultsWindow::IdPrint, BN_CLICKED),
                 reinterpret_cast<LPARAM>(w_.button(ResultsWindow::IdPrint)));
    SendMessageW(w_.button(ResultsWindow::IdPrint), BM_CLICK, 0, 0);
    const std::wstring confirm = L"Impression de 3 pages (environ)\r\nsur l'imprimante par d\u00e9faut.\r\nConfirmation ?";
    ASSERT_EQ(boxes_.size(), 3u);
    EXPECT_EQ(boxes_[0], confirm);
    EXPECT_EQ(boxes_[1], confirm);
    EXPECT_EQ(boxes_[2], L"Printing in progress.");
    ASSERT_EQ(counters_.size(), 1u);
    const JobStats& job = *counters_[0];
    EXPECT_EQ(job.started, job.ended);
    EXPECT_FALSE(PrinterDevice::printing());

    const std::wstring pdf = awaitPdf();
    ASSERT_FALSE(pdf.empty()) << "no PDF from the printer";
    auto [pageCount, text] = readPdf(pdf);
    EXPECT_EQ(pageCount, job.started);
    EXPECT_GE(pageCount, 2);

    // Every line of the report, in order; blank ones leave no text.
    std::vector<std::string> expected;
    for (const auto& l : w_.lines())
        if (!trimmed(toUtf8(l)).empty()) expected.push_back(trimmed(toUtf8(l)));
    const auto pages = pagesOf(text);
    std::vector<std::string> printed;
    for (const auto& p : pages) printed.insert(printed.end(), p.begin(), p.end());
    EXPECT_EQ(printed, expected);

    // Every full page holds as many lines as the page-break rule allows: a line
    // of height h goes on while the position stays within height - 2h.
    const int h = job.lineHeight;
    const int perPage = (job.pageHeight - 2 * h) / h + 1;
    size_t reportLine = 0;
    for (size_t p = 0; p + 1 < pages.size(); ++p) {
        // Blank report lines take a line on the page without leaving text.
        size_t textLines = 0;
        for (int i = 0; i < perPage && reportLine < w_.lines().size(); ++i, ++reportLine)
            if (!trimmed(toUtf8(w_.lines()[reportLine])).empty()) ++textLines;
        EXPECT_EQ(pages[p].size(), textLines) << "page " << p + 1;
    }
    // The same window prints again once the first job is done.
    boxes_.clear();
    SendMessageW(w_.button(ResultsWindow::IdPrint), BM_CLICK, 0, 0);
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_FALSE(awaitPdf().empty());
}

namespace {
// The job calls, counting how jobs end; a start fails as a printer's own prompt makes it.
int jobsEnded = 0, jobsAbandoned = 0, endFailures = 0;
DWORD startError = 0;
int WINAPI startDoc(HDC dc, const DOCINFOW* info) {
    SetLastError(startError);
    return startError ? SP_ERROR : StartDocW(dc, info);
}
int WINAPI endDoc(HDC dc) {
    ++jobsEnded;
    const int r = EndDoc(dc);
    return endFailures-- > 0 ? SP_ERROR : r;
}
int WINAPI abortDoc(HDC dc) { return ++jobsAbandoned, AbortDoc(dc); }
} // namespace

TEST_F(RealPrinter, CancelledPromptPrintsNothingAFailedJobIsAbandonedAFailedEndIsAnError) {
    PrinterDevice::setJobCalls({startDoc, endDoc, abortDoc});
    report(150);
    startError = ERROR_CANCELLED;
    w_.onPrint();
    EXPECT_EQ(boxes_.size(), 1u) << "the confirmation only";
    EXPECT_TRUE(counters_.empty());

    startError = 0;
    failAtDraw_ = 100;   // on the second page
    EXPECT_THROW(w_.onPrint(), AppError);
    EXPECT_EQ(jobsAbandoned, 1) << "nothing of a failed job is printed";
    EXPECT_EQ(jobsEnded, 0);

    failAtDraw_ = -1;
    endFailures = 1;
    try {
        w_.onPrint();
        ADD_FAILURE() << "a job whose end fails is no success";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), L"Printer error");
    }
    EXPECT_EQ(jobsEnded, 1);
    EXPECT_FALSE(PrinterDevice::printing());
    awaitPdf();   // that job did reach the queue: not to be taken for a later test's
}

TEST_F(RealPrinter, FailureWhileTheJobStartsLeavesTheNextPrintPossible) {
    report(10);
    PrinterDevice::setSinkWrapper([](std::unique_ptr<PageSink>) -> std::unique_ptr<PageSink> { throw std::bad_alloc(); });
    EXPECT_THROW(w_.onPrint(), std::bad_alloc);
    EXPECT_FALSE(PrinterDevice::printing()) << "else every later print is refused as in progress";
}

// Run by noDefaultPrinter.sh with the queue removed (a process reads the
// printer list when it starts).
TEST(DISABLED_NoDefaultPrinter, PrintShowsTheMessageAfterTheConfirmation) {
    twtest::MessageBoxRecorder recorder;
    const std::vector<std::wstring>& boxes = recorder.texts;
    ResultsWindow w;
    ASSERT_TRUE(w.createWindow());
    w.setCaption(L"Orphans");
    w.clear();
    for (int i = 0; i < 70; ++i) w.appendLine(L"line " + std::to_wstring(i));
    SendMessageW(w.button(ResultsWindow::IdPrint), BM_CLICK, 0, 0);
    processPendingMessages();   // the error box comes after the click
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].substr(0, 31), L"Impression de 2 pages (environ)");
    EXPECT_EQ(boxes[1], L"There is no default printer currently selected.");
    EXPECT_FALSE(PrinterDevice::printing());
    w.destroy();
}
