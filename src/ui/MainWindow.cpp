#include "ui/MainWindow.h"

#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "report/ReportBuilder.h"
#include "report/ResultsWindow.h"
#include "report/RouteReport.h"
#include "text/LanguageTable.h"
#include "ui/HelpWindow.h"
#include "ui/MainLayout.h"
#include "ui/StartupFlow.h"

namespace tw {

namespace {

constexpr wchar_t kCaption[] = L"Trackwend (Beta 0.04)";
constexpr wchar_t kMissingSimulator[] = L"< ERREUR : MSTS ne semble pas install\u00E9 sur cette machine. >";
constexpr wchar_t kMissingTrainStore[] = L"Train Store non trouv\u00E9";

} // namespace

MainWindow::MainWindow(Environment env) : env_(std::move(env)), controller_(display_, *this, scanner_) {
    // The pump runs per file while a scan works, so the counters repaint and
    // clicks are handled during a step.
    scanner_.pump = [this] { display_.letMessagesRun(); };
    scanner_.tick = [this] { display_.paintStepWidgets(false); };
    // A walk begins with listing its root, which for a large trainset folder
    // takes the system a while: what the step has reset is shown first.
    scanner_.onStart = [this](const std::wstring&) { display_.paintStepWidgets(true); };
}

MainWindow::~MainWindow() { destroy(); }

bool MainWindow::createWindow() {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (!create({.className = L"TwMainWindow",
                 .title = kCaption,
                 .style = style,
                 .exStyle = WS_EX_CONTROLPARENT,
                 .x = CW_USEDEFAULT, .y = CW_USEDEFAULT, .width = kWidth, .height = kHeight,
                 .background = GetSysColorBrush(COLOR_BTNFACE),
                 .restoreFocus = true}))
        return false;
    HICON icon = LoadIconW(moduleInstance(), MAKEINTRESOURCEW(1));
    if (icon) SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    createControls();
    addActivitiesMenuItem();
    onCreate();
    return true;
}

// The option lives in the system menu, so the window's fixed panel keeps its
// layout. The system's separator above Close then stands above the new item,
// and one of its own parts it from Close.
void MainWindow::addActivitiesMenuItem() {
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (!menu) return;
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING | MF_UNCHECKED, kSysActivities,
                text(TextKey::ActivitiesMenuItem, 0).c_str());
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING | MF_GRAYED, kSysCheck, text(TextKey::CheckMenuItem, 0).c_str());
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING | MF_GRAYED, kSysRoutes, text(TextKey::RouteMenuItem, 0).c_str());
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
    openRailsMenu_.attach(menu, kSysActivities, env_.openRailsProfiles, 0);
}

void MainWindow::setReadActivities(bool read) {
    readActivities_ = read;
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE))
        CheckMenuItem(menu, kSysActivities, MF_BYCOMMAND | (read ? MF_CHECKED : MF_UNCHECKED));
}

// Not during a step: the step reads the folder as it was when it began.
void MainWindow::onOpenRailsMenu(const std::wstring& folder) {
    if (!display_.stepRunning()) simulatorBox_.setText(folder);
}

// Only the option changes: the next step 3 takes it when it starts, and the
// check waits for it.
void MainWindow::onActivitiesMenu() {
    setReadActivities(!readActivities_);
    updateCheckMenuItem();
}

// Once step 5 has run on what the boxes and the option still say, and never while a step runs.
bool MainWindow::checkCommandEnabled() const { return !display_.stepRunning() && controller_.checkAvailable(); }

// The route check's command follows the stock check's.
void MainWindow::updateCheckMenuItem() {
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE))
        for (UINT item : {kSysCheck, kSysRoutes})
            EnableMenuItem(menu, item, MF_BYCOMMAND | (checkCommandEnabled() ? MF_ENABLED : MF_GRAYED));
}

// The check runs as a step does (a close asked for meanwhile waits for its
// end), then its report opens in the results window like the others.
void MainWindow::onCheckMenu() {
    if (!checkCommandEnabled()) return;
    runStep([this] { controller_.onCheck(); });
    if (closePending_ || !results_ || !controller_.checkResult()) return;
    buildCheckReport(*controller_.checkResult(), controller_.analysedScope().includeStore, *results_,
                     controller_.activitiesRead(),
                     controller_.unreadableFolders().size());
    results_->showReport();
}

void MainWindow::onRoutesMenu() {
    if (!checkCommandEnabled()) return;
    runStep([this] { controller_.onRoutes(); });
    if (closePending_ || !results_ || !controller_.routeResult()) return;
    buildRouteReport(*controller_.routeResult(), includeTrainStore(), *results_, controller_.activitiesRead(),
                     controller_.unreadableFolders().size());
    results_->showReport();
}

void MainWindow::createControls() {
    font_ = makeFont(-11, false, FF_SWISS);
    boldFont_ = makeFont(-11, true, FF_SWISS);
    counterLabelBold_ = makeFont(-13, true, FF_SWISS);
    counterLabel_ = makeFont(-13, false, FF_SWISS);
    const HFONT fonts[] = {font_.get(), boldFont_.get(), counterLabel_.get(), counterLabelBold_.get()};
    size_t labels = 0, groups = 0;
    for (const ControlRow& row : mainLayout()) {
        HWND h = createControl(row, fonts[static_cast<int>(row.font)]);
        handles_.push_back(h);
        if (row.kind == ControlKind::Label) labels_[labels++] = h;
        if (row.kind == ControlKind::GroupBox) {
            groups_[groups++] = h;
            SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    display_.attachButtons(
        {control(IdConsistsReport), control(IdStockReport), control(IdOrphansReport), control(IdMissingReport)},
        control(IdHelp));
}

// Labels size themselves to their text, before it is drawn: a longer text
// drawn into the old, narrower label would leave its new part blank.
void MainWindow::setLabelText(HWND label, const std::wstring& text) {
    SIZE sz{0, 0};
    {
        WindowDc dc(label);
        SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &sz);
    }
    SetWindowPos(label, nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(label, text.c_str());
    InvalidateRect(label, nullptr, TRUE);
}

PictureButton* MainWindow::pictureButton(int id) {
    switch (id) {
    case IdExit: return &exitButton_;
    case IdHelp: return &helpButton_;
    case IdEnglish: return &englishButton_;
    case IdFrench: return &frenchButton_;
    case IdConfig: return &configButton_;
    case IdConsistsReport: return &reportButtons_[0];
    case IdStockReport: return &reportButtons_[1];
    case IdReferencesReport: return &reportButtons_[2];
    case IdOrphansReport: return &reportButtons_[3];
    case IdMissingReport: return &reportButtons_[4];
    default: return nullptr;
    }
}

// One row as a control of the main window, with its font; the widgets
// that draw themselves take their look from their kind.
HWND MainWindow::createControl(const ControlRow& row, HFONT font) {
    HWND w = hwnd();
    switch (row.kind) {
    case ControlKind::FolderBox: {
        FolderEdit& box = row.id == IdSimulatorBox ? simulatorBox_ : storeBox_;
        box.create({.parent = w, .x = row.x, .y = row.y, .width = row.width, .height = row.height, .id = row.id,
                    .font = font,
                    // The Train Store box's chooser starts at C:\ until a folder is known.
                    .initialFolder = row.id == IdStoreBox ? L"C:\\" : L"",
                    .onChange = [this, &box] { onFolderChanged(box); },
                    .onEditEnd = [this, &box] { dropTrailingBackslashes(box); }});
        return box.hwnd();
    }
    case ControlKind::StepButton:
    case ControlKind::RunAllButton: {
        const StepButton step = StepButton(row.id - IdFirstStep);
        return display_.createStepButton(step, row, w, font,
                                         [this, step] { runStep([this, step] { controller_.onStep(step); }); });
    }
    // The report buttons and the spare one are picture buttons without a
    // picture: every button of the window has the same raised look.
    case ControlKind::Button: {
        PictureButton* button = pictureButton(row.id);
        return button ? button->create({.parent = w, .x = row.x, .y = row.y, .width = row.width, .height = row.height,
                                        .id = row.id, .caption = row.text, .font = font, .style = row.style})
                      : nullptr;
    }
    case ControlKind::Counter:
    case ControlKind::FolderCounter: return display_.createCounter(Counter(row.id - IdFirstCounter), row, w);
    case ControlKind::Gauge: return display_.createGauge(row, w);
    case ControlKind::CheckBox:
    case ControlKind::Label:
    case ControlKind::GroupBox: {
        HWND h = createChild(w, {.className = row.kind == ControlKind::Label ? L"STATIC" : L"BUTTON",
                                 .text = row.text, .style = row.style, .x = row.x, .y = row.y,
                                 .width = row.width, .height = row.height, .id = row.id, .font = font});
        if (row.kind == ControlKind::Label) setLabelText(h, row.text);
        return h;
    }
    }
    return nullptr;
}

HWND MainWindow::control(int id) const {
    const auto rows = mainLayout();
    for (size_t i = 0; i < handles_.size(); ++i)
        if (rows[i].id == id) return handles_[i];
    return nullptr;
}

void MainWindow::onCreate() {
    RECT work = env_.workArea;
    if (work.right <= work.left || work.bottom <= work.top) work = workArea();
    const POINT p = centredIn(work, kWidth, kHeight);
    SetWindowPos(hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Without the simulator's key, a user of Open Rails alone starts in the first profile's folder.
    const std::wstring sim = env_.simulatorFolder              ? *env_.simulatorFolder
                             : !env_.openRailsProfiles.empty() ? env_.openRailsProfiles.front().folder
                                                               : std::wstring(kMissingSimulator);
    simulatorBox_.setInitialFolder(sim);
    simulatorBox_.setText(sim);
    if (env_.trainStoreFolder) {
        storeBox_.setInitialFolder(*env_.trainStoreFolder);
        storeBox_.setText(*env_.trainStoreFolder);
    } else {
        storeBox_.setText(kMissingTrainStore);
    }
    onStoreBoxClick();
    firstActivationDone_ = false;
}

void MainWindow::onShow() { localize(0); }

void MainWindow::onActivate() {
    if (firstActivationDone_ || inFirstActivation_) return;
    inFirstActivation_ = true;
    // An error leaves the first activation to be done at the next one.
    ScopeGuard leave([this] { inFirstActivation_ = false; });
    applyStartupSettings(*this, env_.settingsPath, env_.showWarning);
    firstActivationDone_ = true;
}

void MainWindow::saveSettingsOnClose() { saveSettingsAtClose(env_.settingsPath, currentLanguageId(), readActivities_); }

void MainWindow::localize(int language) {
    const int lang = language == 1 ? 1 : 0;
    auto t = [lang](TextKey k) { return text(k, lang); };
    const auto rows = mainLayout();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].caption) continue;
        const std::wstring caption = t(*rows[i].caption);
        switch (rows[i].kind) {
        case ControlKind::StepButton:
        case ControlKind::RunAllButton: display_.stepButton(StepButton(rows[i].id - IdFirstStep)).setCaption(caption); break;
        case ControlKind::Label: setLabelText(handles_[i], caption); break;
        default: SetWindowTextW(handles_[i], caption.c_str()); break;
        }
    }
    // The button shown in place of a focused one takes its focus, so that
    // the keyboard still has a control (and Enter switches back).
    const HWND hidden = control(language == 1 ? IdEnglish : IdFrench);
    const HWND shown = control(language == 1 ? IdFrench : IdEnglish);
    const bool hadFocus = GetFocus() == hidden;
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(shown, SW_SHOWNA);
    if (hadFocus) SetFocus(shown);
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE)) {
        const std::wstring item = t(TextKey::ActivitiesMenuItem);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(item.c_str());
        SetMenuItemInfoW(menu, kSysActivities, FALSE, &info);
        const std::wstring check = t(TextKey::CheckMenuItem);
        info.dwTypeData = const_cast<wchar_t*>(check.c_str());
        SetMenuItemInfoW(menu, kSysCheck, FALSE, &info);
        const std::wstring routes = text(TextKey::RouteMenuItem, lang);
        info.dwTypeData = const_cast<wchar_t*>(routes.c_str());
        SetMenuItemInfoW(menu, kSysRoutes, FALSE, &info);
        openRailsMenu_.relabel(menu, lang);
    }
    assignReportTexts(language);
    if (results_)
        results_->setButtonCaptions(text(TextKey::CloseButtonCaption, lang), text(TextKey::PrintButtonTemplate, lang),
                                    text(TextKey::SaveButtonCaption, lang));
    if (help_) help_->setCloseCaption(t(TextKey::HelpCloseButtonCaption));
}

void MainWindow::buildAndShow(ReportKind kind, const StockSet& items, Counter count) {
    buildAndShow(kind, items.items(), count);
}

void MainWindow::buildAndShow(ReportKind kind, const std::vector<std::wstring>& items, Counter count) {
    if (!results_) return;
    buildReport(kind, items, display_.counterValue(count), includeTrainStore(), *results_, controller_.activitiesRead(),
                controller_.unreadableFolders().size());
    results_->showReport();
}

void MainWindow::onConsistsReport() { buildAndShow(ReportKind::Consists, controller_.consists(), Counter::Consists); }
void MainWindow::onStockReport() { buildAndShow(ReportKind::Stock, controller_.stock(), Counter::Stock); }
void MainWindow::onOrphansReport() { buildAndShow(ReportKind::Orphans, controller_.orphans(), Counter::Orphans); }
void MainWindow::onMissingReport() { buildAndShow(ReportKind::Missing, missingReportItems(controller_.missing()), Counter::Missing); }
void MainWindow::onReferencesReport() { buildAndShow(ReportKind::References, controller_.references(), Counter::References); }

void MainWindow::onFrench() {
    setCurrentLanguageId(0);
    localize(0);
}

void MainWindow::onEnglish() {
    setCurrentLanguageId(1);
    localize(1);
}

namespace {
std::wstring withoutTrailingBackslashes(std::wstring text) {
    while (!text.empty() && text.back() == L'\\') text.pop_back();
    return text;
}
} // namespace

// While the user types, the text stays as typed (a "\\" typed at the end is
// the start of the next folder name); the folder test and the steps use it
// without its trailing backslashes, and the box drops them once the user is
// done with it, or when the program or the browse button sets the text.
void MainWindow::onFolderChanged(FolderEdit& box) {
    if (!box.typing()) {
        const std::wstring text = box.content();
        if (!text.empty() && text.back() == L'\\') {
            box.setText(text.substr(0, text.size() - 1)); // runs this handling again, nested
            return;
        }
    }
    const bool ok = directoryExists(withoutTrailingBackslashes(simulatorBox_.content()));
    display_.setButtonEnabled(StepButton::Consists, ok);
    display_.setButtonEnabled(StepButton::Stock, ok);
}

void MainWindow::dropTrailingBackslashes(FolderEdit& box) {
    const std::wstring text = box.content();
    const std::wstring trimmed = withoutTrailingBackslashes(text);
    if (trimmed == text) return;
    box.setText(trimmed);
    // On Enter the user goes on typing at the end of the text.
    if (GetFocus() == box.editHandle()) {
        const LPARAM end = static_cast<LPARAM>(trimmed.size());
        SendMessageW(box.editHandle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

void MainWindow::onStoreBoxClick() {
    storeBox_.setEnabled(includeTrainStore());
    updateCheckMenuItem(); // the check follows the analysis, not the box
}

void MainWindow::onHelp() {
    if (help_) help_->showAndActivate();
}

void MainWindow::runStep(const std::function<void()>& step) {
    // However the step ends, a close asked for during it takes effect once its
    // loop has ended, back on the fiber of the window's message loop.
    ScopeGuard close([this] {
        if (closePending_ && !display_.stepRunning()) DestroyWindow(hwnd());
    });
    display_.runStep(step, [this] { updateCheckMenuItem(); });
}

void MainWindow::onClose() {
    if (closePending_) return;
    // A settings file that cannot be written is reported; the window still
    // closes, and not before a running step has ended.
    guardMessage([this] { saveSettingsOnClose(); });
    if (controller_.busy() || display_.stepRunning()) {
        closePending_ = true;
        controller_.stopRunAll();   // the running step ends, no further one starts
        return;
    }
    DestroyWindow(hwnd());
}

void MainWindow::onCommand(int id, int code, HWND control) {
    if (id == IDOK && code == BN_CLICKED) {
        pressFocusedPictureButton(hwnd());   // Enter on a focused picture button
        return;
    }
    if (code != BN_CLICKED) return;
    if (const auto folder = control ? std::nullopt : openRailsMenu_.folderOf(static_cast<UINT>(id))) {
        onOpenRailsMenu(*folder);
        return;
    }
    switch (id) {
    case IdStoreCheck: onStoreBoxClick(); break;
    case IdEnglish: onEnglish(); break;
    case IdFrench: onFrench(); break;
    case IdHelp: onHelp(); break;
    case IdConsistsReport: onConsistsReport(); break;
    case IdStockReport: onStockReport(); break;
    case IdOrphansReport: onOrphansReport(); break;
    case IdMissingReport: onMissingReport(); break;
    case IdReferencesReport: onReferencesReport(); break;
    case IdExit: PostMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    default: break;
    }
}

// The control focused when the window was left gets the focus back (the
// base); the first time, or when it can no longer take it, the first control
// of the keyboard order that can.
HWND MainWindow::firstFocus() const {
    HWND first = simulatorBox_.editHandle();
    if (!first || !IsWindowEnabled(first)) first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    return first;
}

LRESULT MainWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Labels, the check box and the group frames sit on the button face.
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == kSysActivities) {
            onActivitiesMenu();
            return 0;
        }
        if ((wp & 0xFFF0) == kSysCheck) {
            onCheckMenu();
            return 0;
        }
        if ((wp & 0xFFF0) == kSysRoutes) {
            onRoutesMenu();
            return 0;
        }
        if (const auto folder = openRailsMenu_.folderOf(static_cast<UINT>(wp & 0xFFF0))) {
            onOpenRailsMenu(*folder);
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(lp)) { // the system menu
            updateCheckMenuItem();
            openRailsMenu_.setEnabled(GetSystemMenu(hwnd(), FALSE), !display_.stepRunning());
        }
        break;
    case WM_ENTERIDLE:
        // A step goes on while the user has the system menu open.
        if (wp == MSGF_MENU) {
            display_.runWhileMenuIdle(hwnd());
            return 0;
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        mm->ptMinTrackSize = mm->ptMaxTrackSize = POINT{kWidth, kHeight};
        return 0;
    }
    case WM_SHOWWINDOW:
        if (wp) onShow();
        break;
    case WM_ACTIVATE: {
        const LRESULT r = Window::handleMessage(msg, wp, lp);   // the focus comes back first
        if (LOWORD(wp) != WA_INACTIVE) guardMessage([this] { onActivate(); });
        return r;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return Window::handleMessage(msg, wp, lp);
}

// --- AnalysisInputs -------------------------------------------------------

std::wstring MainWindow::simulatorFolder() const { return withoutTrailingBackslashes(simulatorBox_.content()); }
std::wstring MainWindow::trainStoreFolder() const { return withoutTrailingBackslashes(storeBox_.content()); }
bool MainWindow::includeTrainStore() const {
    return SendMessageW(control(IdStoreCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
int MainWindow::languageId() const { return currentLanguageId(); }

} // namespace tw
