#pragma once
// Plain-text output to a printer: the layout (cut, line height, page breaks,
// tabs) runs against any HDC, so it can be checked on a memory bitmap.
#include <windows.h>
#include <string>

namespace tw {

// Where laid-out text goes: a printer job, or a test's page of memory.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual HDC dc() = 0;
    virtual void startPage() = 0;
    virtual void endPage() = 0;
    virtual void drawText(int x, int y, const std::wstring& text) = 0;
};

// Lays text out on pages of width x height device pixels.
class TextLayout {
public:
    TextLayout(PageSink& sink, int width, int height);
    void begin();                       // starts the first page
    void write(const std::wstring& text);
    void finish();                      // ends the current page
    int pages() const noexcept { return pages_; }
    int x() const noexcept { return x_; }
    int y() const noexcept { return y_; }

private:
    void newLine();
    void newPage();
    PageSink& sink_;
    int width_, height_;
    int x_ = 0, y_ = 0, lineHeight_ = 0, charHeight_ = 0, avgWidth_ = 0;
    int pages_ = 0;
    bool pageOpen_ = false;
};

// One print job on the default printer, open while the object lives.
class PrinterDevice {
public:
    PrinterDevice();                    // throws AppError
    ~PrinterDevice();                   // ends the page and the job
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;
    void write(const std::wstring& text);
    void close();

    // Tests replace the default printer lookup (empty name: none selected).
    using NameLookup = bool (*)(std::wstring& name);
    static void setPrinterNameLookup(NameLookup lookup);
    static bool printing() noexcept;

private:
    class JobSink;
    JobSink* sink_ = nullptr;
    TextLayout* layout_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HDC dc_ = nullptr;
    bool closed_ = false;
};

} // namespace tw
