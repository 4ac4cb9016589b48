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
    if (pageOpen_) sink_.endPage();
    sink_.startPage();
    pageOpen_ = true;
    ++pages_;
    x_ = y_ = lineHeight_ = 0;
}

void TextLayout::newLine() {
    int h = lineHeight_ > 0 ? lineHeight_ : charHeight_;
    x_ = 0;
    y_ += h;
    lineHeight_ = 0;
    if (y_ > height_ - 2 * h) newPage();
}

void TextLayout::write(const std::wstring& text) {
    size_t i = 0;
    std::wstring run;
    auto flush = [&] {
        while (!run.empty()) {
            int room = width_ - x_;
            int fit = 0;
            SIZE size{};
            GetTextExtentExPointW(sink_.dc(), run.c_str(), (int)run.size(), room, &fit, nullptr, &size);
            if (fit <= 0 && x_ == 0) fit = 1;   // a glyph wider than the page still goes out, so we always advance
            if (fit <= 0) { newLine(); continue; }
            std::wstring part = run.substr(0, fit);
            GetTextExtentPoint32W(sink_.dc(), part.c_str(), (int)part.size(), &size);
            sink_.drawText(x_, y_, part);
            x_ += size.cx;
            lineHeight_ = std::max<int>(lineHeight_, size.cy + 2);
            run.erase(0, fit);
            if (!run.empty()) newLine();
        }
    };
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r') continue;
        if (c == L'\n' || c == L'\f' || c == L'\t') {
            flush();
            if (c == L'\n') newLine();
            else if (c == L'\f') newPage();
            else {
                int tab = 8 * avgWidth_;
                int next = (x_ / tab + 1) * tab;
                if (next > width_) newLine(); else x_ = next;
            }
            continue;
        }
        run.push_back(c);
    }
    flush();
}

void TextLayout::finish() {
    if (pageOpen_) sink_.endPage();
    pageOpen_ = false;
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
bool g_printing = false;
} // namespace

class PrinterDevice::JobSink : public PageSink {
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
    void drawText(int x, int y, const std::wstring& t) override { TextOutW(dc_, x, y, t.c_str(), (int)t.size()); }
private:
    HDC dc_;
};

void PrinterDevice::setPrinterNameLookup(NameLookup lookup) { g_lookup = lookup ? lookup : defaultLookup; }
bool PrinterDevice::printing() noexcept { return g_printing; }

PrinterDevice::PrinterDevice() {
    if (g_printing) throw AppError(L"Printing in progress");
    std::wstring name;
    if (!g_lookup(name)) throw AppError(L"There is no default printer currently selected");
    dc_ = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!dc_) throw AppError(L"Printer selected is not valid");
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"MS Sans Serif");
    font_ = CreateFontIndirectW(&lf);
    oldFont_ = SelectObject(dc_, font_);
    DOCINFOW di{};
    di.cbSize = sizeof di;
    di.lpszDocName = L"";
    if (StartDocW(dc_, &di) <= 0) {
        SelectObject(dc_, oldFont_); DeleteObject(font_); DeleteDC(dc_);
        throw AppError(L"Printer selected is not valid");
    }
    g_printing = true;
    sink_ = new JobSink(dc_);
    layout_ = new TextLayout(*sink_, GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES));
    try { layout_->begin(); } catch (...) { close(); throw; }
}

void PrinterDevice::write(const std::wstring& text) { layout_->write(text); }

void PrinterDevice::close() {
    if (closed_) return;
    closed_ = true;
    try { layout_->finish(); } catch (...) {}
    EndDoc(dc_);
    delete layout_; delete sink_;
    SelectObject(dc_, oldFont_);
    DeleteObject(font_);
    DeleteDC(dc_);
    g_printing = false;
}

PrinterDevice::~PrinterDevice() { close(); }

} // namespace tw
