#pragma once
// The results window: one report as plain text, with save, print and close.
// Lines are kept in a vector and the edit control is refreshed in one go, so
// a report of tens of thousands of lines fills quickly.
#include "platform/Handle.h"
#include "platform/Window.h"
#include "report/ReportFile.h"
#include "report/ReportTarget.h"
#include "widgets/PictureButton.h"
#include <functional>
#include <string>
#include <vector>

namespace tw {

class ResultsWindow : public Window, public ReportTarget {
public:
    enum { IdMemo = 100, IdPrint = 101, IdSave = 102, IdClose = 103 };

    ResultsWindow();
    ~ResultsWindow() override;

    // Creates the window hidden (onCreate).
    bool createWindow(HWND owner = nullptr);

    void setCaption(const std::wstring& caption) override;
    void clear() override;
    void appendLine(const std::wstring& line) override;
    void showReport();
    void setButtonCaptions(const std::wstring& close, const std::wstring& printTemplate, const std::wstring& save);

    void onSave();
    void onPrint();

    const std::vector<std::wstring>& lines() const noexcept { return lines_; }
    std::wstring caption() const;
    std::wstring printCaption() const;
    bool saveEnabled() const;
    bool printEnabled() const;
    HWND memo() const noexcept { return memo_; }
    HWND button(int id) const;
    void setSaveFolder(const std::wstring& folder) { saveFolder_ = folder; }
    // Writes a saved report's bytes: 0, or the system's error when the file
    // cannot be created (tests stand in for a folder that refuses).
    std::function<unsigned long(const std::wstring& path, const std::string& bytes)> writeFile = writeReportBytes;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(int id, int code, HWND control) override;
    void onClose() override;
    HWND firstFocus() const override;

private:
    void MemoChange();
    // Brings the control text up to date with the lines.
    void syncMemo();
    HWND memo_ = nullptr, print_ = nullptr, save_ = nullptr, close_ = nullptr, context_ = nullptr;
    UniqueFont memoFont_;
    PictureButton saveButton_, printButton_, closeButton_;
    std::vector<std::wstring> lines_;
    bool memoStale_ = false;
    bool placed_ = false;
    int lastEstimate_ = -1;
    std::wstring confirmText_;
    std::wstring saveFolder_;
};

} // namespace tw
