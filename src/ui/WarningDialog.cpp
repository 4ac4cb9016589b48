#include "ui/WarningDialog.h"

#include "platform/Errors.h"
#include "ui/HelpWindow.h"
#include "widgets/OffscreenImage.h"
#include "widgets/PictureButton.h"

#include <windowsx.h>

#include <algorithm>
#include <new>

namespace tw {

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 0x80);
constexpr COLORREF kMaroon = RGB(0x80, 0, 0);
constexpr COLORREF kText = CLR_INVALID;  // window-text colour
constexpr COLORREF kPaleYellow = RGB(0xFF, 0xFF, 0x80);
constexpr int kBorder = 2;   // the frame the dialog draws around its client area

// Each panel's strip, within the dialog (the panels fill the client area).
constexpr RECT kFrenchStrip{8, 240, 8 + 449, 240 + 41};
constexpr RECT kEnglishStrip{4, 238, 4 + 449, 238 + 41};

enum class Face { CheckBox, UkFlag, FrFlag, Yes, No };

struct ControlSpec {
    int id;
    const wchar_t* text;
    int x, y, w, h;
    Face face;
};

const ControlSpec kFrenchControls[] = {
    {WarningDialog::IdFrenchNoWarning, L"Ne plus montrer cet avertissement au lancement", 8, 208, 425, 17, Face::CheckBox},
    {WarningDialog::IdEnglish, L"&English", kFrenchStrip.left + 8, kFrenchStrip.top + 8, 81, 27, Face::UkFlag},
    {WarningDialog::IdFrenchYes, L"&Oui", kFrenchStrip.left + 280, kFrenchStrip.top + 8, 75, 25, Face::Yes},
    {WarningDialog::IdFrenchNo, L"&Non", kFrenchStrip.left + 366, kFrenchStrip.top + 8, 75, 25, Face::No},
};

const ControlSpec kEnglishControls[] = {
    {WarningDialog::IdEnglishNoWarning, L"Do not show this warning at next startup", 8, 198, 425, 17, Face::CheckBox},
    {WarningDialog::IdFrench, L"&Fran\u00E7ais", kEnglishStrip.left + 8, kEnglishStrip.top + 8, 81, 27, Face::FrFlag},
    {WarningDialog::IdYes, L"&Yes", kEnglishStrip.left + 280, kEnglishStrip.top + 8, 75, 25, Face::Yes},
    {WarningDialog::IdNo, L"&No", kEnglishStrip.left + 366, kEnglishStrip.top + 8, 75, 25, Face::No},
};

// The language buttons show their flag, the answers a check mark or a cross.
std::unique_ptr<PictureButton> pictureButton(Face face) {
    switch (face) {
    case Face::UkFlag: return std::make_unique<PictureButton>(flagPicture(FlagPicture::UnitedKingdom), PictureSide::Left, 5);
    case Face::FrFlag: return std::make_unique<PictureButton>(flagPicture(FlagPicture::France), PictureSide::Left, 5);
    case Face::Yes: return std::make_unique<PictureButton>(buttonPicture(ButtonPicture::Yes));
    case Face::No: return std::make_unique<PictureButton>(buttonPicture(ButtonPicture::No));
    case Face::CheckBox: break;
    }
    return nullptr;
}

struct LabelSpec {
    int x, y;              // within the panel (strip labels: within the dialog's panel too)
    std::wstring text;
    enum Style { Normal, Bold, Title } style;
    COLORREF color;
};

// Label texts of each panel, in panel order; the last one is the strip's.
const std::vector<LabelSpec>& frenchLabels() {
    static const std::vector<LabelSpec> labels = {
        {8, 8, L"Avertissement", LabelSpec::Title, kText},
        {8, 32,
         L"Ce programme est une version BETA\r\nLes r\u00E9sultats obtenus ne sont donc pas garantis, en particulier si "
         L"votre configuration\r\nn'est pas standard.",
         LabelSpec::Normal, kText},
        {8, 80, HelpWindow::warningPageText(1), LabelSpec::Normal, kText},
        {8, 176, HelpWindow::warningPageText(2), LabelSpec::Bold, kText},
        {24, 224,
         L"Si vous cochez cette case, le programme enregistrera un fichier INI dans son r\u00E9pertoire.",
         LabelSpec::Normal, kNavy},
        {100, 8,
         L"Cliquez sur 'Oui' pour accepter ces \r\nconditions et lancer le programme.", LabelSpec::Normal, kText},
    };
    return labels;
}

const std::vector<LabelSpec>& englishLabels() {
    static const std::vector<LabelSpec> labels = {
        {8, 6, L"Warning!", LabelSpec::Title, kText},
        {8, 46,
         L"This is a BETA version\r\nThersfore, accuracy of results is not guaranted. Problems are more likely "
         L"encountered\r\nif your configuration is not standard.",
         LabelSpec::Normal, kText},
        {8, 94,
         L"This version of the software does not save any file automatically on your hard disk.\r\nIn order to save "
         L"the results you have to click on the 'Save' button in the result windows\r\nThis will generate text files "
         L"(.TXT) in the program's folder.",
         LabelSpec::Normal, kText},
        {8, 144, L"This sofware does not modifiy/move/delete any MSTS and/or TrainStore file",
         LabelSpec::Bold, kMaroon},
        {8, 166,
         L"I am entirely convinced that this software will not damage your configuration.\r\nHowever. you are using "
         L"this software at your own risks.",
         LabelSpec::Bold, kText},
        {24, 214, L"Checking this box will generate an INI file in the program's folder.",
         LabelSpec::Normal, kNavy},
        {120, 8,
         L"Click  'Yes' to acknowledge this\r\nwarning and use the software", LabelSpec::Normal, kText},
    };
    return labels;
}

} // namespace

WarningDialog::WarningDialog(Callbacks callbacks)
    : callbacks_(std::move(callbacks)), font_(makeFont(-11, false)), bold_(makeFont(-11, true)),
      title_(makeFont(-16, true)), yellowBrush_(::CreateSolidBrush(kPaleYellow)) {
    if (!callbacks_.requestTermination) callbacks_.requestTermination = [] { ::PostQuitMessage(0); };
}

WarningDialog::~WarningDialog() { destroy(); }

bool WarningDialog::createWindow() {
    const int w = kClientWidth + 2 * kBorder, h = kClientHeight + 2 * kBorder;
    POINT at = centredIn(workArea(), w, h);
    if (!create({.className = L"TwWarningDialog",
                 .title = L"Avertissement",
                 .style = WS_POPUP | WS_CLIPCHILDREN,
                 .exStyle = WS_EX_CONTROLPARENT,
                 .x = at.x, .y = at.y, .width = w, .height = h,
                 .background = yellowBrush_.get(),
                 .restoreFocus = true}))
        return false;
    createPanel(frenchPanel_, true);
    createPanel(englishPanel_, false);
    showPanel(true);
    return true;
}

void WarningDialog::createPanel(BevelPanel& panel, bool french) {
    // The panel's own bevel: a black outline, a raised and a lowered ring in
    // lime and green, then a black ring.
    panel.create({.parent = hwnd(), .width = kClientWidth, .height = kClientHeight, .colour = kPaleYellow});
    ::ShowWindow(panel.hwnd(), SW_HIDE);

    const auto& labels = french ? frenchLabels() : englishLabels();
    const RECT strip = french ? kFrenchStrip : kEnglishStrip;
    // Labels are plain statics sized to their text; the strip's own label (the
    // last one) is painted by the strip.
    for (size_t i = 0; i + 1 < labels.size(); ++i) {
        const LabelSpec& l = labels[i];
        HFONT f = l.style == LabelSpec::Title ? title_.get() : l.style == LabelSpec::Bold ? bold_.get() : font_.get();
        RECT r{0, 0, 0, 0};
        {
            WindowDc dc(hwnd());
            SelectGuard sel(dc.get(), f);
            ::DrawTextW(dc.get(), l.text.c_str(), static_cast<int>(l.text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
        }
        HWND h = createChild(panel.hwnd(), {.text = l.text,
                                            .style = WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                                            .x = l.x, .y = l.y, .width = r.right + 1, .height = r.bottom,
                                            .font = f});
        labelColours_.emplace_back(h, l.color == kText ? ::GetSysColor(COLOR_WINDOWTEXT) : l.color);
    }
    for (const auto& c : french ? kFrenchControls : kEnglishControls) {
        if (c.face == Face::CheckBox) {
            createChild(panel.hwnd(), {.className = L"BUTTON", .text = c.text,
                                       .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX,
                                       .x = c.x, .y = c.y, .width = c.w, .height = c.h, .id = c.id,
                                       .font = font_.get()});
            continue;
        }
        PictureButtonArgs args{.parent = panel.hwnd(), .x = c.x, .y = c.y, .width = c.w, .height = c.h, .id = c.id,
                               .caption = c.text, .font = font_.get(), .style = WS_VISIBLE | WS_CLIPSIBLINGS};
        if (c.face == Face::Yes) args.defaultFrame = [this] { return defaultFramed_; };
        buttons_.emplace_back(pictureButton(c.face))->create(args);
    }
    // The strip lies beneath its buttons.
    HWND s = createChild(panel.hwnd(), {.style = WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW,
                                        .x = strip.left, .y = strip.top,
                                        .width = strip.right - strip.left, .height = strip.bottom - strip.top,
                                        .id = french ? IdFrenchStrip : IdEnglishStrip});
    ::SetWindowPos(s, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    (french ? frenchStrip_ : englishStrip_).attach(s, [this, french](const DRAWITEMSTRUCT& item) {
        paintThroughImage(stripImage_, item.hDC, item.rcItem, [&](Image& img) { renderStrip(french, img); });
    });
}

void WarningDialog::renderStrip(bool french, Image& img) const {
    img.fill(kPaleYellow);
    HDC dc = img.dc();
    RECT r{0, 0, img.width(), img.height()};
    ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    const LabelSpec& l = (french ? frenchLabels() : englishLabels()).back();
    SelectGuard sel(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    RECT tr{l.x, l.y, l.x, l.y};
    ::DrawTextW(dc, l.text.c_str(), static_cast<int>(l.text.size()), &tr, DT_CALCRECT | DT_NOPREFIX);
    ::DrawTextW(dc, l.text.c_str(), static_cast<int>(l.text.size()), &tr, DT_NOPREFIX);
}

HWND WarningDialog::control(int id) const {
    if (!hwnd()) return nullptr;
    HWND h = ::GetDlgItem(frenchPanel_.hwnd(), id);
    return h ? h : ::GetDlgItem(englishPanel_.hwnd(), id);
}

bool WarningDialog::englishPanelVisible() const { return hwnd() && !french_; }

void WarningDialog::showPanel(bool french) {
    french_ = french;
    // Hide the leaving panel first, so the focus never rests on a hidden control.
    ::ShowWindow((french ? englishPanel_ : frenchPanel_).hwnd(), SW_HIDE);
    ::ShowWindow((french ? frenchPanel_ : englishPanel_).hwnd(), SW_SHOW);
}

// Enter presses the focused button; only when no button has the focus does it
// press the default one, which alone then shows the default frame.
bool WarningDialog::focusOnButton() const {
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(hwnd(), focus)) return false;
    const int id = ::GetDlgCtrlID(focus);
    return id == IdEnglish || id == IdFrenchYes || id == IdFrenchNo || id == IdFrench || id == IdYes || id == IdNo;
}

int WarningDialog::defaultButtonId() const { return french_ ? IdFrenchYes : IdYes; }
int WarningDialog::cancelButtonId() const { return french_ ? IdFrenchNo : IdNo; }

void WarningDialog::onActivate() {
    RECT wr;
    ::GetWindowRect(hwnd(), &wr);
    POINT at = centredIn(workArea(), wr.right - wr.left, wr.bottom - wr.top);
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (callbacks_.interfaceIsEnglish && callbacks_.interfaceIsEnglish())
        onEnglish();
    else
        onFrench();
}

void WarningDialog::onFrench() {
    ::SendMessageW(control(IdFrenchNoWarning), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageW(control(IdEnglishNoWarning), BM_SETCHECK, BST_UNCHECKED, 0);
    showPanel(true);
    ::SetFocus(control(IdFrenchNo));
}

void WarningDialog::onEnglish() {
    ::SendMessageW(control(IdFrenchNoWarning), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageW(control(IdEnglishNoWarning), BM_SETCHECK, BST_UNCHECKED, 0);
    showPanel(false);
    ::SetFocus(control(IdNo));
}

void WarningDialog::accept(bool french) {
    HWND box = control(french ? IdFrenchNoWarning : IdEnglishNoWarning);
    // A settings file that cannot be written (the executable's folder is
    // read-only) is said at once, and the program starts as if the box had
    // not been ticked: the warning comes again next time.
    if (::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED && callbacks_.writeNoWarning)
        guardAction([&] { callbacks_.writeNoWarning(french ? 0 : 1); });
    const auto& switchLanguage = french ? callbacks_.mainFrenchClick : callbacks_.mainEnglishClick;
    if (switchLanguage) switchLanguage();
    close();
}

void WarningDialog::refuse() {
    callbacks_.requestTermination();
    close();
}

void WarningDialog::close() { closed_ = true; }

void WarningDialog::clickButton(int id) {
    // Through the window procedure, so an error of the action meets the general handler.
    ::SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control(id)));
}

bool WarningDialog::handleDialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(msg.hwnd == hwnd() || ::IsChild(hwnd(), msg.hwnd))) return false;
    if (msg.wParam == VK_RETURN) {
        // Enter presses the focused button, or else the panel's default (yes) button.
        HWND focus = ::GetFocus();
        clickButton(focusOnButton() && ::IsWindowVisible(focus) ? ::GetDlgCtrlID(focus) : defaultButtonId());
        return true;
    }
    if (msg.wParam == VK_ESCAPE) {
        clickButton(cancelButtonId());
        return true;
    }
    return false;
}

void WarningDialog::showModal() {
    if (!hwnd()) return;
    closed_ = false;
    activated_ = false;
    // Every other window of the program is disabled while the dialog is up.
    struct Search {
        HWND dialog;
        std::vector<HWND> found;
        bool failed = false;
    } search{hwnd(), {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            // No exception may cross the system's enumeration.
            auto* s = reinterpret_cast<Search*>(lp);
            if (h == s->dialog || !::IsWindowEnabled(h)) return TRUE;
            try {
                s->found.push_back(h);
                return TRUE;
            } catch (...) {
                s->failed = true;
                return FALSE;
            }
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.failed) throw std::bad_alloc();
    const std::vector<HWND>& disabled = search.found;
    for (HWND h : disabled) ::EnableWindow(h, FALSE);
    // However the modal showing ends, the other windows come back.
    ScopeGuard restore([this, &disabled] {
        for (HWND h : disabled)
            if (::IsWindow(h)) ::EnableWindow(h, TRUE);
        ::ShowWindow(hwnd(), SW_HIDE);
        showQueuedErrors();   // an error of the dialog's last message is not lost with its loop
    });

    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    ::SetActiveWindow(hwnd());
    if (!activated_) {
        activated_ = true;
        onActivate();
    }

    MSG msg;
    while (!closed_) {
        BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) {
            // Termination requested: leave the quit for the program's own loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (r < 0) break;
        if (handleDialogKey(msg)) continue;
        if (::IsDialogMessageW(hwnd(), &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

}

void WarningDialog::paintBorder() {
    WindowDc dc(hwnd(), true);
    if (!dc) return;
    RECT r;
    ::GetWindowRect(hwnd(), &r);
    ::OffsetRect(&r, -r.left, -r.top);
    ::DrawEdge(dc.get(), &r, EDGE_RAISED, BF_RECT);
}

LRESULT WarningDialog::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCALCSIZE:
        // The 2-pixel frame around the client area is drawn by the dialog itself.
        ::InflateRect(wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp),
                      -kBorder, -kBorder);
        return 0;
    case WM_NCPAINT:
        paintBorder();
        return 0;
    case WM_NCACTIVATE:
        paintBorder();
        return TRUE;
    case WM_ACTIVATE:
        // The first activation sets the panel and its focus; later ones give
        // the focus back (the base).
        if (LOWORD(wp) != WA_INACTIVE && !activated_) {
            activated_ = true;
            onActivate();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wp);
        COLORREF colour = kNavy;  // the check boxes
        for (const auto& [h, c] : labelColours_)
            if (h == reinterpret_cast<HWND>(lp)) colour = c;
        ::SetTextColor(dc, colour);
        ::SetBkColor(dc, kPaleYellow);
        return reinterpret_cast<LRESULT>(yellowBrush_.get());
    }
    case DM_GETDEFID:
        return MAKELRESULT(defaultButtonId(), DC_HASDEFID);
    case WM_DRAWITEM: {
        // A button that gains or loses the focus changes which button Enter
        // presses: the default button is drawn again, with its frame or without,
        // once the focus has settled. Each control then draws itself (the base).
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlType != ODT_BUTTON) break;
        const bool enterPressesDefault = !focusOnButton();
        if (item->itemAction == ODA_FOCUS || enterPressesDefault != defaultFramed_)
            ::InvalidateRect(control(defaultButtonId()), nullptr, FALSE);
        if (item->CtlID == IdFrenchYes || item->CtlID == IdYes) defaultFramed_ = enterPressesDefault;
        break;
    }
    }
    return Window::handleMessage(msg, wp, lp);
}

void WarningDialog::onCommand(int id, int code, HWND control) {
    if (code != BN_CLICKED) {
        Window::onCommand(id, code, control);
        return;
    }
    // An answer counts only from the panel shown.
    switch (id) {
    case IdEnglish: onEnglish(); break;
    case IdFrench: onFrench(); break;
    case IdFrenchYes: if (french_) accept(true); break;
    case IdYes: if (!french_) accept(false); break;
    case IdFrenchNo: if (french_) refuse(); break;
    case IdNo: if (!french_) refuse(); break;
    case IDOK: clickButton(defaultButtonId()); break;
    case IDCANCEL: clickButton(cancelButtonId()); break;
    default: Window::onCommand(id, code, control); break;
    }
}

// No frame to close it from; Alt+F4 refuses like the no button.
void WarningDialog::onClose() { clickButton(cancelButtonId()); }

} // namespace tw
