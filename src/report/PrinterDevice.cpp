#include "report/PrinterDevice.h"
#include <winspool.h>
#include "platform/Errors.h"
#include "platform/MessagePump.h"
#include <algorithm>
#include <cwchar>

namespace tw {

TextLayout::TextLayout(PageSink& sink, int width, int height) : sink_(sink), width_(width), height_(height) {
    TEXTMETRICW tm{};
    GetTextMetricsW(sink_.dc(), &tm);
    charHeight_ = tm.tmHeight;
    avgWidth_ = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
}

void TextLayout::begin() { newPage(); }

void TextLayout::newPage() {
    if (pageOpen_) {
        pageOpen_ = false;
        sink_.endPage();
    }
    sink_.startPage();
    pageOpen_ = true;
    ++pages_;
    x_ = y_ = lineHeight_ = 0;
}

void TextLayout::newLine() {
    const bool empty = lineHeight_ == 0;
    const int h = empty ? charHeight_ : lineHeight_;
    x_ = 0;
    y_ += h;
    lineHeight_ = 0;
    // A line with text needs room for two more of its height; an empty one
    // breaks only past the bottom.
    if (empty ? y_ > height_ : y_ > height_ - 2 * h) newPage();
}

void TextLayout::drawRun(std::wstring run) {
    while (!run.empty()) {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(sink_.dc(), run.c_str(), static_cast<int>(run.size()), width_ - x_, &fit, nullptr,
                              &size);
        if (fit <= 0 && x_ == 0) fit = 1;   // a glyph wider than the page still goes out, so we always advance
        if (fit <= 0) {
            newLine();
            continue;
        }
        const std::wstring part = run.substr(0, static_cast<size_t>(fit));
        GetTextExtentPoint32W(sink_.dc(), part.c_str(), fit, &size);
        sink_.drawText(x_, y_, part);
        x_ += size.cx;
        lineHeight_ = std::max<int>(lineHeight_, size.cy + 2);
        run.erase(0, static_cast<size_t>(fit));
        if (!run.empty()) newLine();   // cut by characters: the rest goes on the next line
    }
}

void TextLayout::write(const std::wstring& text) {
    std::wstring run;
    for (wchar_t c : text) {
        switch (c) {
        case L'\r': break;
        case L'\n':
            drawRun(std::move(run)); run.clear();
            newLine();
            break;
        case L'\f':
            drawRun(std::move(run)); run.clear();
            newPage();
            break;
        case L'\t': {
            drawRun(std::move(run)); run.clear();
            const int tab = 8 * avgWidth_;
            const int next = (x_ / tab + 1) * tab;
            if (next > width_) newLine(); else x_ = next;
            break;
        }
        default: run.push_back(c);
        }
    }
    drawRun(std::move(run));
}

void TextLayout::finish() {
    if (!pageOpen_) return;
    pageOpen_ = false;
    sink_.endPage();
}

namespace {
bool defaultLookup(std::wstring& name) {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return false;
    name.assign(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return false;
    name.resize(wcslen(name.c_str()));
    return !name.empty();
}
PrinterDevice::NameLookup g_lookup = defaultLookup;
PrinterDevice::SinkWrapper g_wrapper;
PrinterDevice::JobCalls g_calls;
bool g_printing = false;

class JobSink : public PageSink {
public:
    explicit JobSink(HDC dc) : dc_(dc) {}
    HDC dc() override { return dc_; }
    void startPage() override {
        if (StartPage(dc_) <= 0) throw AppError(L"Printer error");
    }
    void endPage() override {
        if (EndPage(dc_) <= 0) throw AppError(L"Printer error");
        processPendingMessages();   // keep the windows alive while pages spool
    }
    void drawText(int x, int y, const std::wstring& t) override {
        TextOutW(dc_, x, y, t.c_str(), static_cast<int>(t.size()));
    }
private:
    HDC dc_;
};
} // namespace

void PrinterDevice::setPrinterNameLookup(NameLookup lookup) { g_lookup = lookup ? lookup : defaultLookup; }
void PrinterDevice::setSinkWrapper(SinkWrapper wrapper) { g_wrapper = std::move(wrapper); }
void PrinterDevice::setJobCalls(const JobCalls& calls) { g_calls = calls; }
bool PrinterDevice::printing() noexcept { return g_printing; }
int PrinterDevice::pages() const noexcept { return layout_ ? layout_->pages() : 0; }

PrinterDevice::PrinterDevice() {
    if (g_printing) throw AppError(L"Printing in progress");
    std::wstring name;
    if (!g_lookup(name)) throw AppError(L"There is no default printer currently selected");
    dc_.reset(CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr));
    if (!dc_) throw AppError(L"Printer selected is not valid");
    // The printer's own default font is not ours: always select it.
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, GetDeviceCaps(dc_.get(), LOGPIXELSY), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"MS Sans Serif");
    font_.reset(CreateFontIndirectW(&lf));
    fontSelection_ = std::make_unique<SelectGuard>(dc_.get(), font_.get());
    DOCINFOW di{};
    di.cbSize = sizeof di;
    di.lpszDocName = L"";   // no document name; some spoolers refuse a null one
    if (g_calls.startDoc(dc_.get(), &di) <= 0) {
        // A printer that asks for a file name (to PDF, to XPS) reports the
        // user's cancel this way: no job, and nothing to say.
        if (GetLastError() == ERROR_CANCELLED) {
            cancelled_ = closed_ = true;
            return;
        }
        throw AppError(L"Printer selected is not valid");
    }
    g_printing = true;
    // From here on the job is open: whatever fails abandons it and clears the
    // flag, or every later print would be refused as in progress.
    try {
        sink_ = std::make_unique<JobSink>(dc_.get());
        if (g_wrapper) sink_ = g_wrapper(std::move(sink_));
        layout_ = std::make_unique<TextLayout>(*sink_, GetDeviceCaps(dc_.get(), HORZRES),
                                               GetDeviceCaps(dc_.get(), VERTRES));
        layout_->begin();
    } catch (...) {
        abandon();
        throw;
    }
}

void PrinterDevice::write(const std::wstring& text) {
    if (closed_) return;
    try {
        layout_->write(text);
    } catch (...) {
        abandon();
        throw;
    }
}

// A job that failed half-way is abandoned, not ended: ending it would print
// the pages begun before the failure as if they were the report.
void PrinterDevice::abandon() noexcept {
    if (closed_) return;
    closed_ = true;
    g_calls.abortDoc(dc_.get());
    g_printing = false;
}

void PrinterDevice::close() {
    if (closed_) return;
    try {
        layout_->finish();
    } catch (...) {
        abandon();
        throw;
    }
    closed_ = true;
    g_printing = false;
    if (g_calls.endDoc(dc_.get()) <= 0) throw AppError(L"Printer error");
}

PrinterDevice::~PrinterDevice() { abandon(); }

} // namespace tw
