#include "ui/HelpWindow.h"

#include "widgets/PictureButton.h"
#include "widgets/OffscreenImage.h"

#include <commctrl.h>

#include <initializer_list>

namespace tw {

namespace {

constexpr COLORREF kMemoColour = RGB(0xFC, 0xFF, 0xD7);
constexpr COLORREF kPanelColour = RGB(0xFD, 0xF5, 0xEE);
constexpr COLORREF kPaleYellow = RGB(0xFF, 0xFF, 0x80);
constexpr int kBottomStrip = 34;
constexpr int kPanelBorder = 5;
constexpr int kPageHeight = 193;

std::wstring joinLines(std::initializer_list<const wchar_t*> lines) {
    std::wstring text;
    for (const wchar_t* l : lines) {
        text += l;
        text += L"\r\n";
    }
    return text;
}

const wchar_t* const kTabCaptions[HelpWindow::kPageCount] = {
    L"A Propos", L"Utilisation", L"Fonctionnement", L"Avertissement", L"English", L"Versions History"};

} // namespace

// One tab page: a plain or lowered panel with painted labels, or a memo.
class HelpWindow::Page : public Window {
public:
    struct Label {
        int x, y;
        std::wstring text;
        HFONT font;
    };
    COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
    bool lowered = false;
    std::vector<Label> labels;
    HWND memo = nullptr;
    UniqueBrush memoBrush{::CreateSolidBrush(kMemoColour)};

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            // The read-only memos keep their pale background.
            HDC dc = reinterpret_cast<HDC>(wp);
            ::SetBkColor(dc, kMemoColour);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(memoBrush.get());
        }
        case WM_SIZE:
            if (memo) ::MoveWindow(memo, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
            return 0;
        }
        return Window::handleMessage(msg, wp, lp);
    }

    void paintContent(HDC dc, const RECT& client) override {
        paintThroughImage(image_, dc, client, [this](Image& img) { render(img); });
    }

private:
    // The page's face and labels, in an image of the page's size.
    void render(Image& img) const {
        img.fill(colour);
        HDC dc = img.dc();
        RECT rc{0, 0, img.width(), img.height()};
        if (lowered) ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        for (const Label& l : labels) {
            SelectGuard sel(dc, l.font);
            RECT r{l.x, l.y, l.x, l.y};
            ::DrawTextW(dc, l.text.c_str(), static_cast<int>(l.text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
            ::DrawTextW(dc, l.text.c_str(), static_cast<int>(l.text.size()), &r, DT_NOPREFIX);
        }
    }

    Image image_;
};

const std::wstring& HelpWindow::aboutText() {
    static const std::wstring t =
        L"Trackwend\r\nRecherche des fichiers de mat\u00E9riel roulant\r\nnon appel\u00E9s par un consist (rame)\r\n"
        L"Vesrsion BETA 0.03 - juillet 2004\r\nCommentaires et suggestions : contact@trackwend.org";
    return t;
}

const std::wstring& HelpWindow::usageText() {
    static const std::wstring t = joinLines({
        L"Si Train Store est install\u00E9 sur votre machine, le programme peut, \u00E0 votre ",
        L"choix, utiliser uniquement le r\u00E9pertoire MSTS ou \u00E9tendre ses recherches au ",
        L"r\u00E9pertoire de stockage Train Store (valider la case \u00E0 cocher ",
        L"correspondante avant de lancer l'analyse).",
        L"",
        L"Lancer l'analyse, composant par composant, ou en utilisant le bouton ",
        L"'Analyser tout'",
        L"",
        L"Visualiser les r\u00E9sultats avec les boutons d'affichage correspondants",
        L"(Penser \u00E0 sauver et ou imprimer les resultats si cela est souhait\u00E9)",
        L"",
        L"",
    });
    return t;
}

const std::wstring& HelpWindow::howItWorksText() {
    static const std::wstring t = joinLines({
        L"Le programme n'analyse que le contenu des fichiers 'Consists'.",
        L"",
        L"Toutes les autres analyses sont bas\u00E9es exclusivement sur les noms de ",
        L"fichiers.",
        L"",
        L"Le programme donnera des r\u00E9sultats erratiques si la sructure de votre base ",
        L"de donn\u00E9es MSTS n'est pas raisonnablement correcte.",
        L"Veuillez la v\u00E9rifier avant utilisation \u00E0 l'aide d'un autre utilitaire (Route Riter, ",
        L"ConBuilder, Shape Viewer  etc.)",
        L"",
        L"Ce programme ne modifie aucun fichier MSTS ou TrainStore",
        L"",
        L"",
    });
    return t;
}

const std::wstring& HelpWindow::historyText() {
    static const std::wstring t = joinLines({
        L"Beta 0.04",
        L"- le contenu du dossier DEFAULT est exclu des analyses",
        L"- the DEFAULT Folder is now excluded from analysis",
        L"",
        L"- les noms de dossier/fichier contenant des parenth\u00E8ses sont ",
        L"correctement ",
        L"trait\u00E9s",
        L"- file & folder names containing parenthesis are appropriately processed",
        L"",
        L"- ajout\u00E9 un compteur de dossiers, pour que le programme n'apparaisse ",
        L"pas fig\u00E9 pendant la recherche des fichiers.",
        L"- added a folder counter, so the software does not looks frozen during file ",
        L"search",
        L"",
        L"- analyse des rames libres : c'est pour bient\u00F4t",
        L"- processing of loose consists: likely for the next release",
        L"",
        L"Beta 0.03 : ",
        L"- les fichiers r\u00E9sultats sont d\u00E9sormais enregistr\u00E9s correctement",
        L"- corrected saving of Result Files (file names incorrect in previous ",
        L"release) ",
        L"",
        L"Beta 0.02 :",
        L"- version bilingue / bilingual version (Anglais / French)",
        L"",
        L"Beta 0.01 :",
        L"Premi\u00E8re diffusion / Initial Realease (in French only)",
    });
    return t;
}

const std::wstring& HelpWindow::warningPageText(int label) {
    static const std::wstring texts[3] = {
        L"Ce programm est une version BETA\r\nLes r\u00E9sultats obtenus ne sont donc pas garantis, en particulier si "
        L"votre configuration\r\n n'est pas standard.",
        L"Dans cette version, le programme n'inscrit aucune information de lui m\u00EAme sur le disque dur. \r\nIl ne "
        L"devrait donc causer aucun dommage \u00E0 votre installation.\r\n\r\nSi vous souhaitez sauvegarder le "
        L"r\u00E9sultat des analyses, vous devez le demander \r\nexplicitement dans la fen\u00EAtre de visualisation des "
        L"r\u00E9sultats. Ces r\u00E9sultats seront alors \r\nsauvgard\u00E9s sous forme de fichiers texte (.TXT) dans le "
        L"r\u00E9pertoire dans lequel le programme\r\nest install\u00E9.",
        L"Je suis convaicu que ce programme ne peut pas causer de dommages sur \r\nvotre installation. Cependant vous l "
        L"'utilisez sous votre propre responsabilit\u00E9.",
    };
    return texts[label < 0 || label > 2 ? 0 : label];
}

HelpWindow::HelpWindow()
    : font_(makeFont(-11, false)), memoFont_(makeFont(-13, false)), boldFont_(makeFont(-11, true)),
      closeButton_(buttonPicture(ButtonPicture::Close)) {}

HelpWindow::~HelpWindow() { destroy(); }

bool HelpWindow::createWindow(bool visible) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    int w = r.right - r.left, h = r.bottom - r.top;
    POINT at = centredIn(workArea(), w, h);
    if (!create({.className = L"TwHelpWindow",
                 .title = L"Aide",
                 .style = style,
                 .exStyle = exStyle,
                 .x = at.x, .y = at.y, .width = w, .height = h,
                 .background = ::GetSysColorBrush(COLOR_BTNFACE)}))
        return false;
    createControls();
    onActivate();
    if (visible) ::ShowWindow(hwnd(), SW_SHOW);
    return true;
}

void HelpWindow::createControls() {
    // The tabs fill the client area above the bottom strip, less a 5-pixel border.
    int tabW = kClientWidth - 2 * kPanelBorder, tabH = kClientHeight - kBottomStrip - 2 * kPanelBorder;
    tab_ = createChild(hwnd(), {.className = WC_TABCONTROLW,
                                .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                .exStyle = WS_EX_CONTROLPARENT,
                                .x = kPanelBorder, .y = kPanelBorder, .width = tabW, .height = tabH,
                                .font = font_.get()});
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabCaptions[i]);
        ::SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    // Each page offers 455 x 193: the tab row takes the height the tab
    // control has left above that, whatever the font makes of it.
    auto displayArea = [&] {
        RECT r{0, 0, tabW, tabH};
        ::SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return r;
    };
    RECT display = displayArea();
    RECT tabRect{};
    const int excess = display.bottom - display.top - kPageHeight;
    if (excess != 0 && ::SendMessageW(tab_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tabRect))) {
        const int rowHeight = tabRect.bottom - tabRect.top + excess;
        ::SendMessageW(tab_, TCM_SETITEMSIZE, 0, MAKELPARAM(0, rowHeight));
        display = displayArea();
    }
    display.top = display.bottom - kPageHeight;

    for (int i = 0; i < kPageCount; ++i) {
        auto page = std::make_unique<Page>();
        page->create({.className = L"TwHelpPage",
                      .style = WS_CHILD | WS_CLIPCHILDREN,
                      .exStyle = WS_EX_CONTROLPARENT,
                      .x = display.left, .y = display.top,
                      .width = display.right - display.left, .height = display.bottom - display.top,
                      .parent = tab_});
        pages_.push_back(std::move(page));
    }
    auto makeMemo = [&](Page& page, const std::wstring& text, bool scroll) {
        RECT pr;
        ::GetClientRect(page.hwnd(), &pr);
        page.memo = createChild(page.hwnd(), {.className = L"EDIT",
                                               .text = text,
                                               .style = static_cast<DWORD>(WS_VISIBLE | ES_MULTILINE |
                                                                           ES_READONLY | (scroll ? WS_VSCROLL : 0)),
                                               .exStyle = WS_EX_CLIENTEDGE,
                                               .width = pr.right, .height = pr.bottom,
                                               .font = memoFont_.get()});
    };
    Page& about = *pages_[0];
    about.colour = kPanelColour;
    about.lowered = true;
    about.labels.push_back({8, 8, aboutText(), font_.get()});
    makeMemo(*pages_[1], usageText(), false);
    makeMemo(*pages_[2], howItWorksText(), false);
    Page& warning = *pages_[3];
    warning.colour = kPaleYellow;
    warning.lowered = true;
    warning.labels.push_back({8, 8, warningPageText(0), font_.get()});
    warning.labels.push_back({6, 50, warningPageText(1), font_.get()});
    warning.labels.push_back({3, 147, warningPageText(2), boldFont_.get()});
    Page& english = *pages_[4];
    english.colour = kPanelColour;
    english.lowered = true;
    english.labels.push_back({72, 80, L"Sorry Folks, English Version not yet available for Help.", memoFont_.get()});
    makeMemo(*pages_[5], historyText(), true);

    // The bottom strip holds the close button.
    close_ = closeButton_.create({.parent = hwnd(), .x = 392, .y = kClientHeight - kBottomStrip, .id = kCloseId,
                                  .caption = L"&Fermer", .font = font_.get()});
    showPage(0);
}

void HelpWindow::showPage(int index) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
        ::ShowWindow(pages_[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
}

int HelpWindow::activePage() const {
    return tab_ ? static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) : -1;
}

void HelpWindow::selectPage(int index) {
    if (!tab_ || index < 0 || index >= kPageCount) return;
    ::SendMessageW(tab_, TCM_SETCURSEL, index, 0);
    showPage(index);
}

HWND HelpWindow::pageWindow(int index) const {
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[index]->hwnd() : nullptr;
}

HWND HelpWindow::memo(int index) const {
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[index]->memo : nullptr;
}

std::wstring HelpWindow::tabCaption(int index) const {
    wchar_t buf[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 64;
    if (!tab_ || !::SendMessageW(tab_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return {};
    return buf;
}

void HelpWindow::setCloseCaption(const std::wstring& text) {
    if (close_) ::SetWindowTextW(close_, text.c_str());
}

void HelpWindow::showAndActivate() {
    if (!hwnd()) return;
    bool alreadyActive = ::GetActiveWindow() == hwnd();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    ::BringWindowToTop(hwnd());
    ::SetActiveWindow(hwnd());
    // No activation message comes when it already had the focus.
    if (alreadyActive) onActivate();
}

void HelpWindow::onActivate() {
    RECT wr;
    ::GetWindowRect(hwnd(), &wr);
    POINT at = centredIn(workArea(), wr.right - wr.left, wr.bottom - wr.top);
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    selectPage(0);
}

void HelpWindow::onClose() { ::ShowWindow(hwnd(), SW_HIDE); }

void HelpWindow::onCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && id == kCloseId)
        onClose();
    else if (code == BN_CLICKED && id == IDOK)
        pressFocusedPictureButton(hwnd());
    else
        Window::onCommand(id, code, control);
}

LRESULT HelpWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) {
            // Only a move from another window of this program counts, not a
            // return from another application.
            HWND previous = reinterpret_cast<HWND>(lp);
            DWORD pid = 0;
            if (previous) ::GetWindowThreadProcessId(previous, &pid);
            if (previous && pid == ::GetCurrentProcessId()) onActivate();
        }
        break;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->hwndFrom == tab_ && hdr->code == TCN_SELCHANGE) {
            showPage(activePage());
            return 0;
        }
        break;
    }
    }
    return Window::handleMessage(msg, wp, lp);
}

} // namespace tw
