#pragma once
// Plain-text output to a printer: the layout (cut, line height, page breaks,
// tabs) runs against any HDC, so it can be checked on a memory bitmap.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

#include "platform/Handle.h"

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

// Lays text out on pages of width x height device pixels, in the font
// selected into the sink's DC.
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
    void drawRun(std::wstring run);
    PageSink& sink_;
    int width_, height_;
    int x_ = 0, y_ = 0, lineHeight_ = 0, charHeight_ = 0, avgWidth_ = 0;
    int pages_ = 0;
    bool pageOpen_ = false;
};

// One print job on the default printer, open while the object lives.
class PrinterDevice {
public:
    // Throws AppError; a user who cancels the printer's own prompt (the file
    // name of a print-to-file printer) leaves a device that is cancelled().
    PrinterDevice();
    ~PrinterDevice();                   // abandons a job that was not closed
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;
    // No job was started: nothing is to be printed or shown.
    bool cancelled() const noexcept { return cancelled_; }
    // A failed write abandons the job (nothing of it is printed) and throws.
    void write(const std::wstring& text);
    // Ends the last page and the job; throws AppError "Printer error" when the
    // job cannot be ended, after abandoning it when its last page failed.
    void close();
    int pages() const noexcept;

    // Tests replace the default printer lookup (false: none selected).
    using NameLookup = bool (*)(std::wstring& name);
    static void setPrinterNameLookup(NameLookup lookup);
    // Tests wrap the job's pages, for instance to make one of them fail.
    using SinkWrapper = std::function<std::unique_ptr<PageSink>(std::unique_ptr<PageSink> job)>;
    static void setSinkWrapper(SinkWrapper wrapper);
    // The system calls that start, end and abandon a job; tests replace them
    // to see which ends a job, or to make one fail.
    struct JobCalls {
        int(WINAPI* startDoc)(HDC, const DOCINFOW*) = ::StartDocW;
        int(WINAPI* endDoc)(HDC) = ::EndDoc;
        int(WINAPI* abortDoc)(HDC) = ::AbortDoc;
    };
    static void setJobCalls(const JobCalls& calls);
    static bool printing() noexcept;

private:
    void abandon() noexcept;
    UniqueDc dc_;
    UniqueFont font_;
    std::unique_ptr<SelectGuard> fontSelection_;
    std::unique_ptr<PageSink> sink_;
    std::unique_ptr<TextLayout> layout_;
    bool closed_ = false;
    bool cancelled_ = false;
};

} // namespace tw
