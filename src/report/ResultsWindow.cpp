#include "report/ResultsWindow.h"
#include "report/PrinterDevice.h"
#include "report/ReportFile.h"
#include "platform/Files.h"
#include "platform/Errors.h"
#include "platform/MessageBox.h"
#include "platform/FileDialog.h"
#include "widgets/PictureButton.h"
#include <commctrl.h>
#include <algorithm>
#include <cwchar>

namespace tw {

namespace {
std::wstring windowText(HWND h) {
    int n = GetWindowTextLengthW(h);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}
// Client 578 x 436 with a dialog frame.
SIZE frameSize() {
    RECT r{0, 0, 578, 436};
    AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_POPUP, FALSE, WS_EX_DLGMODALFRAME);
    return {r.right - r.left, r.bottom - r.top};
}
// The multi-line edit asks for every key: it would keep Tab for itself and
// turn Escape into a close of its parent. Both go to the dialog handling:
// Tab and Shift+Tab move on in the keyboard order, and Escape does not save
// while the memo has the focus.
LRESULT CALLBACK memoProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_GETDLGCODE) {
        LRESULT code = DefSubclassProc(h, msg, wp, lp);
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m && (wp == VK_ESCAPE || wp == VK_TAB) && (m->message == WM_KEYDOWN || m->message == WM_CHAR))
            code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
        return code;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, memoProc, 0);
    return DefSubclassProc(h, msg, wp, lp);
}
// The strip holding the buttons: the bottom 34 pixels of the client area.
constexpr int kStripTop = 436 - 34;
// (count div 60) + 1
int pageEstimate(size_t lineCount) noexcept { return static_cast<int>(lineCount / 60) + 1; }
// Text up to and including the first "[", the number, then from the first "]" on.
std::wstring withEstimate(const std::wstring& caption, int estimate) {
    size_t open = caption.find(L'[');
    size_t close = caption.find(L']');
    if (open == std::wstring::npos || close == std::wstring::npos || close < open) return caption;
    return caption.substr(0, open + 1) + std::to_wstring(estimate) + caption.substr(close);
}
} // namespace

ResultsWindow::ResultsWindow() : closeButton_(buttonPicture(ButtonPicture::Close)) {}

ResultsWindow::~ResultsWindow() { destroy(); }

bool ResultsWindow::createWindow(HWND owner) {
    SIZE s = frameSize();
    if (!create({.className = L"TwResultsWindow",
                 .title = L"R\u00e9sultats",
                 .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                 .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                 .width = s.cx, .height = s.cy,
                 .parent = owner,
                 .background = GetSysColorBrush(COLOR_BTNFACE),
                 .restoreFocus = true}))
        return false;
    HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // Keyboard order follows creation order: save, print, close, memo.
    // All three are picture buttons (save and print without a picture), so they share one look.
    save_ = saveButton_.create({.parent = hwnd(), .x = 379, .y = kStripTop + 5, .id = IdSave, .caption = L"&Save",
                                .font = gui, .style = WS_VISIBLE | WS_DISABLED});
    print_ = printButton_.create({.parent = hwnd(), .x = 240, .y = kStripTop + 5, .width = 129, .id = IdPrint,
                                  .caption = L"&Print [] pages", .font = gui});
    close_ = closeButton_.create({.parent = hwnd(), .x = 496, .y = kStripTop + 5, .id = IdClose,
                                  .caption = L"&Close", .font = gui});
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = ANSI_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Courier New");
    memoFont_.reset(CreateFontIndirectW(&lf));
    memo_ = createChild(hwnd(), {.className = L"EDIT",
                                 .style = WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL |
                                          ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL,
                                 .exStyle = WS_EX_CLIENTEDGE,
                                 .width = 577, .height = 401, .id = IdMemo, .font = memoFont_.get()});
    context_ = createChild(hwnd(), {.style = WS_VISIBLE, .x = 8, .y = kStripTop + 16, .width = 200, .height = 14,
                                    .font = gui});
    SendMessageW(memo_, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(memo_, memoProc, 0, 0);
    // onCreate: the confirmation stays French in both languages.
    confirmText_ = L"Impression de $ pages (environ)\r\nsur l'imprimante par d\u00e9faut.\r\nConfirmation ?";
    return true;
}

HWND ResultsWindow::button(int id) const {
    switch (id) {
    case IdPrint: return print_;
    case IdSave: return save_;
    case IdClose: return close_;
    default: return memo_;
    }
}

void ResultsWindow::setCaption(const std::wstring& caption) { SetWindowTextW(hwnd(), caption.c_str()); }
std::wstring ResultsWindow::caption() const { return windowText(hwnd()); }
std::wstring ResultsWindow::printCaption() const { return windowText(print_); }
bool ResultsWindow::saveEnabled() const { return IsWindowEnabled(save_) != FALSE; }
bool ResultsWindow::printEnabled() const { return IsWindowEnabled(print_) != FALSE; }

void ResultsWindow::clear() {
    lines_.clear();
    memoStale_ = true;
    MemoChange();
}

void ResultsWindow::appendLine(const std::wstring& line) {
    // A line break inside the text makes several memo lines, as in the control.
    size_t start = 0;
    for (;;) {
        size_t end = line.find(L'\n', start);
        std::wstring part = line.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!part.empty() && part.back() == L'\r') part.pop_back();
        lines_.push_back(part);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    memoStale_ = true;
    MemoChange();
}

void ResultsWindow::syncMemo() {
    if (!memoStale_ || !memo_) return;
    std::wstring text;
    size_t total = 0;
    for (const auto& l : lines_) total += l.size() + 2;
    text.reserve(total);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += L"\r\n";
        text += lines_[i];
    }
    SetWindowTextW(memo_, text.c_str());
    memoStale_ = false;
}

void ResultsWindow::MemoChange() {
    EnableWindow(save_, TRUE);
    int estimate = pageEstimate(lines_.size());
    // The caption only changes with the estimate: skip the rewrite otherwise.
    if (estimate != lastEstimate_) {
        SetWindowTextW(print_, withEstimate(printCaption(), estimate).c_str());
        EnableWindow(print_, estimate < 21);
        lastEstimate_ = estimate;
    }
}

void ResultsWindow::setButtonCaptions(const std::wstring& close, const std::wstring& printTemplate,
                                 const std::wstring& save) {
    SetWindowTextW(close_, close.c_str());
    SetWindowTextW(print_, printTemplate.c_str());
    SetWindowTextW(save_, save.c_str());
    lastEstimate_ = -1;
}

void ResultsWindow::showReport() {
    syncMemo();
    if (!placed_) {
        centreOnScreen(hwnd());
        placed_ = true;
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetActiveWindow(hwnd());
    // Already active, the window got no activation: the same focus rule.
    HWND focus = GetFocus();
    if (!focus || !IsChild(hwnd(), focus)) restoreFocus();
}

// On activation the control that held the focus when the window was left gets
// it back; when there is none (first showing, or the focused save button was
// disabled) the first enabled control in keyboard order takes it.
HWND ResultsWindow::firstFocus() const {
    for (HWND h : {save_, print_, close_, memo_})
        if (IsWindowEnabled(h)) return h;
    return nullptr;
}

void ResultsWindow::onSave() {
    const std::string bytes = reportFileBytes(lines_);
    const std::wstring path = reportFilePath(saveFolder_.empty() ? executableFolder() : saveFolder_, caption());
    unsigned long error = writeFile(path, bytes);
    // The executable's folder is not the user's to write (Program Files, a
    // read-only share): the user says where the same file goes instead. A
    // folder that bears the file's name is refused the same way; it keeps its
    // message, as the folder itself can be written.
    if (error == ERROR_ACCESS_DENIED && !directoryExists(path)) {
        const std::wstring usualName = path.substr(path.find_last_of(L'\\') + 1);
        const std::optional<std::wstring> chosen = chooseTextFileToSave(hwnd(), usualName);
        if (!chosen) return;
        error = writeFile(*chosen, bytes);
        if (error) throw cannotCreateFile(*chosen, error);
    } else if (error) {
        throw cannotCreateFile(path, error);
    }
    EnableWindow(save_, FALSE);
}

void ResultsWindow::onPrint() {
    int estimate = pageEstimate(lines_.size());
    std::wstring text = confirmText_;
    size_t d = text.find(L'$');
    if (d != std::wstring::npos) text.replace(d, 1, std::to_wstring(estimate));
    if (showMessageBox(text, MessageKind::Confirm, MessageButtons::OkCancel) != kResultOk) return;
    PrinterDevice device;   // abandons the job when a write throws
    if (device.cancelled()) return;
    for (size_t i = 0; i < lines_.size(); ++i) device.write(lines_[i] + L"\n");
    device.close();
}

void ResultsWindow::onCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED) {
        Window::onCommand(id, code, control);
        return;
    }
    switch (id) {
    case IDOK: {   // Enter: the focused button is the default one
        HWND focus = GetFocus();
        if (focus == save_ || focus == print_ || focus == close_) onCommand(GetDlgCtrlID(focus), code, focus);
        break;
    }
    case IDCANCEL:   // Escape from the dialog manager: save is the cancel button
        if (IsWindowEnabled(save_) && GetFocus() != memo_) onSave();
        break;
    case IdSave: onSave(); break;
    case IdPrint: onPrint(); break;
    case IdClose: ShowWindow(hwnd(), SW_HIDE); break;
    default: break;
    }
}

void ResultsWindow::onClose() { ShowWindow(hwnd(), SW_HIDE); }

LRESULT ResultsWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A read-only edit would take the button face: the memo keeps the window colour.
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == memo_) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return Window::handleMessage(msg, wp, lp);
}

} // namespace tw
