#include "ui/MainWindow.h"

#include "config/Settings.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "report/ReportBuilder.h"
#include "report/ResultsWindow.h"
#include "ui/HelpWindow.h"
#include "text/LanguageTable.h"
#include "widgets/PictureButton.h"
#include "ui/WarningDialog.h"

namespace tw {

namespace {

constexpr wchar_t kCaption[] = L"Trackwend (Beta 0.04)";
constexpr wchar_t kMissingSimulator[] = L"< ERREUR : MSTS ne semble pas install\u00E9 sur cette machine. >";
constexpr wchar_t kMissingTrainStore[] = L"Train Store non trouv\u00E9";
} // namespace

MainWindow::MainWindow(Environment env) : env_(std::move(env)), controller_(*this, *this, scanner_) {
    // The pump runs per file while a scan works, so the counters repaint and
    // clicks are handled during a step.
    scanner_.pump = [this] { letMessagesRun(); };
    scanner_.tick = [this] { paintStepWidgets(false); };
    // A walk begins with listing its root, which for a large trainset folder
    // takes the system a while: what the step has reset is shown first.
    scanner_.onStart = [this](FolderScanner&) { paintStepWidgets(true); };
    scanner_.maxDepth = 1;
}

MainWindow::~MainWindow() { destroy(); }

POINT MainWindow::centredPosition(const RECT& workArea, int width, int height) {
    const int h = workArea.bottom - workArea.top;
    const int w = workArea.right - workArea.left;
    return POINT{(w - width) / 2, (h - height) / 2};
}

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
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void MainWindow::setReadActivities(bool read) {
    readActivities_ = read;
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE))
        CheckMenuItem(menu, kSysActivities, MF_BYCOMMAND | (read ? MF_CHECKED : MF_UNCHECKED));
}

// Only the option changes: the next step 3 takes it when it starts.
void MainWindow::onActivitiesMenu() { setReadActivities(!readActivities_); }

// Once step 5 has run, and never while a step runs.
bool MainWindow::checkCommandEnabled() const { return stepDepth_ == 0 && controller_.checkAvailable(); }

void MainWindow::updateCheckMenuItem() {
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE))
        EnableMenuItem(menu, kSysCheck, MF_BYCOMMAND | (checkCommandEnabled() ? MF_ENABLED : MF_GRAYED));
}

// The check runs as a step does (a close asked for meanwhile waits for its
// end), then its report opens in the results window like the others.
void MainWindow::onCheckMenu() {
    if (!checkCommandEnabled()) return;
    runStep(&AnalysisController::onCheck);
    if (closePending_ || !results_ || !controller_.checkResult()) return;
    buildCheckReport(*controller_.checkResult(), includeTrainStore(), *results_, controller_.activitiesRead(),
                     controller_.unreadableFolders().size());
    results_->showReport();
}

HWND MainWindow::createLabel(int x, int y, HFONT font, const wchar_t* text) {
    HWND h = createChild(hwnd(), {.text = text,
                                  .style = WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX,
                                  .x = x, .y = y, .width = 10, .height = 10,
                                  .font = font});
    setLabelText(h, text);
    return h;
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

void MainWindow::createControls() {
    font_ = makeFont(-11, false, FF_SWISS);
    boldFont_ = makeFont(-11, true, FF_SWISS);
    counterLabelBold_ = makeFont(-13, true, FF_SWISS);
    counterLabel_ = makeFont(-13, false, FF_SWISS);
    HWND w = hwnd();
    // The report buttons and the spare one are picture buttons without a
    // picture: every button of the window has the same raised look.
    auto button = [&](PictureButton& b, int id, int x, int y, int cx, int cy, DWORD extra) {
        return b.create(w, id, L"", x, y, cx, cy, font_.get(), WS_CLIPSIBLINGS | extra);
    };
    auto pictureButton = [&](PictureButton& b, int id, const wchar_t* caption, int x, int cx) {
        return b.create(w, id, caption, x, 280, cx, 33, font_.get(), WS_VISIBLE | WS_CLIPSIBLINGS);
    };

    // Created in keyboard order; the group frames go to the bottom afterwards.
    // The folders group at (8, 8).
    simulatorBox_.create(w, 8 + 128, 8 + 16, 313, 21, IdSimulatorBox);
    simulatorBox_.setFont(font_.get());
    storeBox_.create(w, 8 + 128, 8 + 46, 313, 21, IdStoreBox);
    storeBox_.setFont(font_.get());
    storeBox_.setInitialFolder(L"C:\\");
    storeCheck_ = createChild(w, {.className = L"BUTTON", .text = L"Train Store",
                            .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX,
                            .x = 8 + 40, .y = 8 + 48, .width = 81, .height = 17,
                            .id = IdStoreCheck, .font = font_.get()});
    simulatorBox_.onChange = [this] { onFolderChanged(simulatorBox_); };
    storeBox_.onChange = [this] { onFolderChanged(storeBox_); };
    simulatorBox_.onEditEnd = [this] { dropTrailingBackslashes(simulatorBox_); };
    storeBox_.onEditEnd = [this] { dropTrailingBackslashes(storeBox_); };

    // Steps, in the run group at (8, 96).
    void (AnalysisController::*handlers[6])() = {&AnalysisController::onConsists,
                                                 &AnalysisController::onStock, &AnalysisController::onReferences,
                                                 &AnalysisController::onOrphans,      &AnalysisController::onMissing,
                                                 &AnalysisController::onRunAll};
    for (int i = 0; i < 6; ++i) {
        LedButton& b = steps_[i];
        auto h = handlers[i];
        auto onClick = [this, h] { runStep(h); };
        if (i < 5) {
            b.setEnabled(i < 2);
            b.create({.parent = w, .x = 8 + 8, .y = 96 + 16 + 32 * i, .width = 193, .height = 25, .id = 200 + i,
                      .layout = ImageTextLayout::ImageRight, .palette = {clPurple, clFuchsia},
                      .font = font_.get(), .tabStop = true, .onClick = onClick});
        } else {
            b.create({.parent = w, .x = 464, .y = 8, .width = 81, .height = 81, .id = 200 + i,
                      .layout = ImageTextLayout::ImageBottom, .palette = {clMaroon, clRed},
                      .font = font_.get(), .onClick = onClick});
        }
    }

    exitHandle_ = pictureButton(exitButton_, IdExit, L"", 464, 81);
    helpHandle_ = pictureButton(helpButton_, IdHelp, L"", 112, 97);
    consistsReport_ = button(reportButtons_[0], IdConsistsReport, 464 + 8, 96 + 16, 65, 25, WS_VISIBLE | WS_DISABLED);
    stockReport_ = button(reportButtons_[1], IdStockReport, 464 + 8, 96 + 48, 65, 25, WS_VISIBLE | WS_DISABLED);
    referencesReport_ = button(reportButtons_[2], IdReferencesReport, 464 + 8, 96 + 80, 65, 25, 0);
    orphansReport_ = button(reportButtons_[3], IdOrphansReport, 464 + 8, 96 + 96, 65, 41, WS_VISIBLE | WS_DISABLED);
    missingReport_ = button(reportButtons_[4], IdMissingReport, 464 + 8, 96 + 144, 65, 25, WS_VISIBLE | WS_DISABLED);
    englishHandle_ = pictureButton(englishButton_, IdEnglish, L"&English", 8, 97);
    frenchHandle_ = pictureButton(frenchButton_, IdFrench, L"&Fran\u00E7ais", 8, 97);
    configHandle_ = button(configButton_, IdConfig, 216, 280, 97, 33, 0);

    // Counters: the folders counter goes below the stock report button, since it is created after it.
    struct Place { int x, y; };
    const Place places[9] = {{208, 19}, {208, 51}, {296, 51}, {392, 51}, {208, 83},
                             {208, 115}, {336, 115}, {208, 147}, {16, 51}};
    for (int i = 0; i < 9; ++i) {
        DigitCounter& n = counters_[i];
        const bool dir = i == static_cast<int>(Counter::Folders);
        const int ox = dir ? 464 : 8, oy = 96;
        n.create({.parent = w, .x = ox + places[i].x, .y = oy + places[i].y, .width = 49, .height = 18,
                  .id = 300 + i, .style = DigitStyle::Size7x13, .digits = 5, .max = 99999,
                  .palette = dir ? Palette(clNavy, clWhite) : Palette(clBlack, clOlive)});
    }

    // The gauge's own bevel: a raised ring outlined in black, then a lowered
    // two-pixel ring around the black tick area.
    gauge_.create({.parent = w, .x = 112, .y = 280, .width = 345, .height = 33, .id = 320,
                   .orientation = GaugeOrientation::Horizontal, .palette = {clGreen, clLime}});
    ShowWindow(gauge_.hwnd(), SW_HIDE);

    labels_[0] = createLabel(8 + 8, 8 + 20, font_.get(), L"");
    labels_[1] = createLabel(8 + 256, 96 + 20, counterLabelBold_.get(), L".con");
    labels_[2] = createLabel(8 + 256, 96 + 52, counterLabelBold_.get(), L".eng");
    labels_[3] = createLabel(8 + 344, 96 + 52, counterLabelBold_.get(), L".wag");
    labels_[4] = createLabel(8 + 264, 96 + 84, counterLabel_.get(), L"");
    labels_[5] = createLabel(8 + 264, 96 + 116, counterLabelBold_.get(), L"");
    labels_[6] = createLabel(8 + 391, 96 + 116, counterLabelBold_.get(), L"");
    labels_[7] = createLabel(8 + 264, 96 + 148, counterLabel_.get(), L"");

    const RECT frames[3] = {{8, 8, 449, 81}, {8, 96, 449, 177}, {464, 96, 81, 177}};
    for (int i = 0; i < 3; ++i) {
        groups_[i] = createChild(w, {.className = L"BUTTON", .style = WS_VISIBLE | BS_GROUPBOX,
                                     .x = frames[i].left, .y = frames[i].top,
                                     .width = frames[i].right, .height = frames[i].bottom,
                                     .font = boldFont_.get()});
        SetWindowPos(groups_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void MainWindow::onCreate() {
    RECT work = env_.workArea;
    if (work.right <= work.left || work.bottom <= work.top) SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const POINT p = centredPosition(work, kWidth, kHeight);
    SetWindowPos(hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const std::wstring sim = env_.simulatorFolder ? *env_.simulatorFolder : kMissingSimulator;
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
    bool showWarning = true;
    const StartupSettings s = readStartupSettings(SettingsFile(env_.settingsPath));
    showWarning = s.showWarning;
    if (s.language) setCurrentLanguageId(*s.language);
    if (s.readActivities) setReadActivities(*s.readActivities);
    if (currentLanguageId() == 1) onEnglish();
    else onFrench();
    if (showWarning) {
        if (env_.showWarning) {
            env_.showWarning(*this);
        } else {
            WarningDialog::Callbacks cb;
            cb.mainShowsFrench = [this] { return IsWindowVisible(frenchHandle_) != FALSE; };
            cb.mainFrenchClick = [this] { onFrench(); };
            cb.mainEnglishClick = [this] { onEnglish(); };
            const std::wstring path = env_.settingsPath;
            cb.writeNoWarning = [path](int language) {
                const SettingsFile file(path);
                file.writeWarning(false);
                file.writeLanguage(language);
            };
            WarningDialog dialog(std::move(cb));
            if (dialog.createWindow()) dialog.showModal();
        }
    }
    firstActivationDone_ = true;
}

void MainWindow::onCloseQuery() {
    // The same test as at start-up: a folder of that name is no settings file.
    if (fileExists(env_.settingsPath)) {
        const SettingsFile file(env_.settingsPath);
        file.writeLanguage(currentLanguageId());
        file.writeActivities(readActivities_);
    }
}

void MainWindow::onDestroy() {
    // The working sets live inside the controller and are released with the window object.
}

void MainWindow::localize(int language) {
    const int lang = language == 1 ? 1 : 0;
    auto t = [lang](TextKey k) { return text(k, lang); };
    const TextKey stepKeys[5] = {TextKey::Step1Caption, TextKey::Step2Caption, TextKey::Step3Caption,
                                 TextKey::Step4Caption, TextKey::Step5Caption};
    for (int i = 0; i < 5; ++i) steps_[i].setCaption(t(stepKeys[i]));
    const HWND reports[4] = {consistsReport_, stockReport_, orphansReport_, missingReport_};
    const TextKey reportKeys[4] = {TextKey::ReportButtonConsists, TextKey::ReportButtonStock,
                                   TextKey::ReportButtonOrphans, TextKey::ReportButtonMissing};
    for (int i = 0; i < 4; ++i) SetWindowTextW(reports[i], t(reportKeys[i]).c_str());
    SetWindowTextW(helpHandle_, t(TextKey::HelpButtonCaption).c_str());
    SetWindowTextW(exitHandle_, t(TextKey::ExitButtonCaption).c_str());
    steps_[5].setCaption(t(TextKey::RunAllCaption));
    const TextKey groupKeys[3] = {TextKey::FoldersGroupCaption, TextKey::RunGroupCaption, TextKey::ResultsGroupCaption};
    for (int i = 0; i < 3; ++i) SetWindowTextW(groups_[i], t(groupKeys[i]).c_str());
    setLabelText(labels_[0], t(TextKey::SimulatorFolderLabel));
    setLabelText(labels_[4], t(TextKey::ReferencesLabel));
    setLabelText(labels_[7], t(TextKey::MissingLabel));
    setLabelText(labels_[5], t(TextKey::OrphansLabel));
    setLabelText(labels_[6], t(TextKey::UsedLabel));
    // The button shown in place of a focused one takes its focus, so that
    // the keyboard still has a control (and Enter switches back).
    const HWND hidden = language == 1 ? englishHandle_ : frenchHandle_;
    const HWND shown = language == 1 ? frenchHandle_ : englishHandle_;
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
    }
    assignReportTexts(language);
    if (results_)
        results_->setButtonCaptions(text(TextKey::CloseButtonCaption, lang), text(TextKey::PrintButtonTemplate, lang),
                                    text(TextKey::SaveButtonCaption, lang));
    if (help_) help_->setCloseCaption(t(TextKey::HelpCloseButtonCaption));
}

void MainWindow::buildAndShow(ReportKind kind, const StockSet& items, Counter count) {
    if (!results_) return;
    buildReport(kind, items.items(), counterValue(count), includeTrainStore(), *results_, controller_.activitiesRead(),
                controller_.unreadableFolders().size());
    results_->showReport();
}

void MainWindow::onConsistsReport() { buildAndShow(ReportKind::Consists, controller_.consists(), Counter::Consists); }
void MainWindow::onStockReport() { buildAndShow(ReportKind::Stock, controller_.stock(), Counter::Stock); }
void MainWindow::onOrphansReport() { buildAndShow(ReportKind::Orphans, controller_.orphans(), Counter::Orphans); }
void MainWindow::onMissingReport() { buildAndShow(ReportKind::Missing, controller_.missing(), Counter::Missing); }
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
    const bool ok = folderExists(withoutTrailingBackslashes(simulatorBox_.content()));
    steps_[0].setEnabled(ok);
    steps_[1].setEnabled(steps_[0].enabled());
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

void MainWindow::onStoreBoxClick() { storeBox_.setEnabled(SendMessageW(storeCheck_, BM_GETCHECK, 0, 0) == BST_CHECKED); }

void MainWindow::onHelp() {
    if (help_) help_->showAndActivate();
}

void MainWindow::runStep(void (AnalysisController::*step)()) {
    if (stepDepth_ == 0) {
        holdStepPaints(true);
        lastPump_ = {};
    }
    ++stepDepth_;
    // However the step ends, a close asked for during it takes effect once its loop has ended.
    ScopeGuard ended([this] {
        --stepDepth_;
        if (stepDepth_ > 0) return;
        holdStepPaints(false);
        updateCheckMenuItem();
        if (closePending_) DestroyWindow(hwnd());
    });
    (controller_.*step)();
}

void MainWindow::closeRequested() {
    if (closePending_) return;
    // A settings file that cannot be written is reported; the window still
    // closes, and not before a running step has ended.
    guardMessage([this] { onCloseQuery(); });
    if (controller_.busy() || stepDepth_ > 0) {
        closePending_ = true;
        controller_.stopRunAll();   // the running step ends, no further one starts
        return;
    }
    DestroyWindow(hwnd());
}

HWND MainWindow::control(int id) const {
    switch (id) {
    case IdStoreCheck: return storeCheck_;
    case IdConsistsReport: return consistsReport_;
    case IdStockReport: return stockReport_;
    case IdReferencesReport: return referencesReport_;
    case IdOrphansReport: return orphansReport_;
    case IdMissingReport: return missingReport_;
    case IdEnglish: return englishHandle_;
    case IdFrench: return frenchHandle_;
    case IdHelp: return helpHandle_;
    case IdConfig: return configHandle_;
    case IdExit: return exitHandle_;
    case IdSimulatorBox: return simulatorBox_.hwnd();
    case IdStoreBox: return storeBox_.hwnd();
    default: return nullptr;
    }
}

void MainWindow::onCommand(int id, int code) {
    if (code != BN_CLICKED) return;
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
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
            pressFocusedPictureButton(hwnd());   // Enter on a focused picture button
            return 0;
        }
        onCommand(LOWORD(wp), HIWORD(wp));
        return 0;
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
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(lp)) updateCheckMenuItem(); // the system menu
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
    case WM_CLOSE:
        closeRequested();
        return 0;
    case WM_DESTROY:
        onDestroy();
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return Window::handleMessage(msg, wp, lp);
}

// --- AnalysisView ---------------------------------------------------------

void MainWindow::setButtonEnabled(StepButton b, bool enabled) { stepButton(b).setEnabled(enabled); }
bool MainWindow::buttonEnabled(StepButton b) const { return steps_[static_cast<int>(b)].enabled(); }
void MainWindow::setButtonActive(StepButton b, bool active) { stepButton(b).setActive(active); }
bool MainWindow::buttonActive(StepButton b) const { return steps_[static_cast<int>(b)].active(); }
void MainWindow::setButtonLedColour(StepButton b, Colour c) { stepButton(b).palette().setHigh(c); }

HWND MainWindow::reportButton(ReportButton b) const {
    switch (b) {
    case ReportButton::Consists: return consistsReport_;
    case ReportButton::Stock: return stockReport_;
    case ReportButton::Orphans: return orphansReport_;
    case ReportButton::Missing: return missingReport_;
    }
    return nullptr;
}

void MainWindow::setReportEnabled(ReportButton b, bool enabled) { EnableWindow(reportButton(b), enabled); }
void MainWindow::setReportVisible(ReportButton b, bool visible) {
    ShowWindow(reportButton(b), visible ? SW_SHOWNA : SW_HIDE);
}

// A step changes the counters and the gauge thousands of times a second, and
// a paint costs more than the work behind a change: during a step they are
// painted at most every 20 ms, and at once whenever the step shows a box or
// ends, so they still climb visibly and end on their last value.
void MainWindow::holdStepPaints(bool held) {
    for (auto& c : counters_) c.setPaintHeld(held);
    gauge_.setPaintHeld(held);
    if (!held) paintStepWidgets(true);
}

void MainWindow::paintStepWidgets(bool now) {
    const auto t = std::chrono::steady_clock::now();
    if (!now && t - lastStepPaint_ < std::chrono::milliseconds(20)) return;
    lastStepPaint_ = t;
    for (auto& c : counters_) c.paintIfStale();
    gauge_.paintIfStale();
}

void MainWindow::setGaugeMin(int v) {
    gauge_.setMinValue(v);
    paintStepWidgets(false);
}
void MainWindow::setGaugeMax(int v) {
    gauge_.setMaxValue(v);
    paintStepWidgets(false);
}
void MainWindow::setGaugePosition(int v) {
    gauge_.setPosition(v);
    paintStepWidgets(false);
}
void MainWindow::setGaugeVisible(bool visible) { ShowWindow(gauge_.hwnd(), visible ? SW_SHOWNA : SW_HIDE); }
void MainWindow::setHelpVisible(bool visible) { ShowWindow(helpHandle_, visible ? SW_SHOWNA : SW_HIDE); }

void MainWindow::setCounterValue(Counter c, int value) {
    counter(c).setValue(value);
    paintStepWidgets(false);
}
int MainWindow::counterValue(Counter c) const { return counters_[static_cast<int>(c)].value(); }
void MainWindow::setCounterColour(Counter c, Colour colour) {
    counter(c).palette().setHigh(colour);
    paintStepWidgets(false);
}
Colour MainWindow::counterColour(Counter c) const {
    return const_cast<DigitCounter&>(counters_[static_cast<int>(c)]).palette().high();
}

void MainWindow::showMessage(const std::wstring& text, MessageBoxKind kind) {
    const MessageKind k = kind == MessageBoxKind::Warning ? MessageKind::Warning
                          : kind == MessageBoxKind::Error ? MessageKind::Error
                                                          : MessageKind::Plain;
    paintStepWidgets(true);
    showMessageBox(text, k, MessageButtons::Ok);
}

void MainWindow::processPendingMessages() { letMessagesRun(); }

// A look at the message queue costs a round trip to the window system (some
// 50 microseconds under Wine), more than listing a file: a step asks for one
// per file, and the queue is looked at when it last was more than 5 ms ago.
// Clicks, repaints and the close box are still handled within a few
// milliseconds, and the first request of each step always looks.
void MainWindow::letMessagesRun() {
    paintStepWidgets(false);
    const auto t = std::chrono::steady_clock::now();
    if (stepDepth_ > 0 && t - lastPump_ < std::chrono::milliseconds(5)) return;
    tw::processPendingMessages();
    lastPump_ = std::chrono::steady_clock::now();
}

// --- AnalysisInputs -------------------------------------------------------

std::wstring MainWindow::simulatorFolder() const { return withoutTrailingBackslashes(simulatorBox_.content()); }
std::wstring MainWindow::trainStoreFolder() const { return withoutTrailingBackslashes(storeBox_.content()); }
bool MainWindow::includeTrainStore() const { return SendMessageW(storeCheck_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
int MainWindow::languageId() const { return currentLanguageId(); }

} // namespace tw
