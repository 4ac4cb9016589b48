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

// The captions that follow the interface language: French, English.
UniqueFont makeFont(int height, bool bold) {
    return UniqueFont(CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
}

} // namespace

TForm1::TForm1(Environment env) : env_(std::move(env)), controller_(*this, *this, ScruteDossier) {
    // The pump runs per file while a scan works, so the counters repaint and
    // clicks are handled during a step.
    ScruteDossier.pump = [this] { letMessagesRun(); };
    ScruteDossier.tick = [this] { paintStepWidgets(false); };
    // A walk begins with listing its root, which for a large trainset folder
    // takes the system a while: what the step has reset is shown first.
    ScruteDossier.OnExecute = [this](TScruteDossier&) { paintStepWidgets(true); };
    ScruteDossier.MaxPenetration = 1;
}

TForm1::~TForm1() { destroy(); }

POINT TForm1::centredPosition(const RECT& workArea, int width, int height) {
    const int h = workArea.bottom - workArea.top;
    const int w = workArea.right - workArea.left;
    return POINT{(w - width) / 2, (h - height) / 2};
}

bool TForm1::createWindow() {
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
    FormCreate();
    return true;
}

// The option lives in the system menu, so the window's fixed panel keeps its
// layout. The system's separator above Close then stands above the new item,
// and one of its own parts it from Close.
void TForm1::addActivitiesMenuItem() {
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (!menu) return;
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING | MF_UNCHECKED, kSysActivities,
                text(TextKey::ActivitiesMenuItem, 0).c_str());
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING | MF_GRAYED, kSysCheck, text(TextKey::CheckMenuItem, 0).c_str());
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void TForm1::setReadActivities(bool read) {
    readActivities_ = read;
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE))
        CheckMenuItem(menu, kSysActivities, MF_BYCOMMAND | (read ? MF_CHECKED : MF_UNCHECKED));
}

// Only the option changes: the next step 3 takes it when it starts.
void TForm1::M_ActivitiesClick() { setReadActivities(!readActivities_); }

// Once step 5 has run, and never while a step runs.
bool TForm1::checkCommandEnabled() const { return stepDepth_ == 0 && controller_.checkAvailable(); }

void TForm1::updateCheckMenuItem() {
    if (HMENU menu = GetSystemMenu(hwnd(), FALSE))
        EnableMenuItem(menu, kSysCheck, MF_BYCOMMAND | (checkCommandEnabled() ? MF_ENABLED : MF_GRAYED));
}

// The check runs as a step does (a close asked for meanwhile waits for its
// end), then its report opens in the results window like the others.
void TForm1::M_CheckClick() {
    if (!checkCommandEnabled()) return;
    runStep(&AnalysisController::B_CheckClick);
    if (closePending_ || !results_ || !controller_.checkResult()) return;
    buildCheckReport(*controller_.checkResult(), includeTrainStore(), *results_, controller_.activitiesRead(),
                     controller_.unreadableFolders().size());
    results_->showReport();
}

HWND TForm1::createLabel(int x, int y, HFONT font, const wchar_t* text) {
    HWND h = createChild(hwnd(), {.text = text,
                                  .style = WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX,
                                  .x = x, .y = y, .width = 10, .height = 10,
                                  .font = font});
    setLabelText(h, text);
    return h;
}

// Labels size themselves to their text, before it is drawn: a longer text
// drawn into the old, narrower label would leave its new part blank.
void TForm1::setLabelText(HWND label, const std::wstring& text) {
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

void TForm1::createControls() {
    font_ = makeFont(11, false);
    boldFont_ = makeFont(11, true);
    label10Bold_ = makeFont(13, true);
    label10_ = makeFont(13, false);
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
    // GroupBox1 at (8, 8)
    eMsts_.create(w, 8 + 128, 8 + 16, 313, 21, IdE_MSTS);
    eMsts_.setFont(font_.get());
    eTs_.create(w, 8 + 128, 8 + 46, 313, 21, IdE_TS);
    eTs_.setFont(font_.get());
    eTs_.setInitialDir(L"C:\\");
    cbTs_ = createChild(w, {.className = L"BUTTON", .text = L"Train Store",
                            .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX,
                            .x = 8 + 40, .y = 8 + 48, .width = 81, .height = 17,
                            .id = IdCB_TS, .font = font_.get()});
    eMsts_.OnChange = [this] { E_MSTSChange(eMsts_); };
    eTs_.OnChange = [this] { E_MSTSChange(eTs_); };
    eMsts_.OnEditEnd = [this] { dropTrailingBackslashes(eMsts_); };
    eTs_.OnEditEnd = [this] { dropTrailingBackslashes(eTs_); };

    // Steps, in GroupBox2 at (8, 96).
    void (AnalysisController::*handlers[6])() = {&AnalysisController::B_ConsistsClick,
                                                 &AnalysisController::B_MaterielClick, &AnalysisController::B_LstClick,
                                                 &AnalysisController::B_OrpClick,      &AnalysisController::B_ManClick,
                                                 &AnalysisController::B_GoClick};
    for (int i = 0; i < 6; ++i) {
        TVrPowerButton& b = steps_[i];
        auto h = handlers[i];
        auto onClick = [this, h] { runStep(h); };
        if (i < 5) {
            b.setEnabled(i < 2);
            b.create({.parent = w, .x = 8 + 8, .y = 96 + 16 + 32 * i, .width = 193, .height = 25, .id = 200 + i,
                      .layout = TVrImageTextLayout::ImageRight, .palette = {clPurple, clFuchsia},
                      .font = font_.get(), .tabStop = true, .onClick = onClick});
        } else {
            b.create({.parent = w, .x = 464, .y = 8, .width = 81, .height = 81, .id = 200 + i,
                      .layout = TVrImageTextLayout::ImageBottom, .palette = {clMaroon, clRed},
                      .font = font_.get(), .onClick = onClick});
        }
    }

    bExit_ = pictureButton(exitButton_, IdB_Exit, L"", 464, 81);
    bAide_ = pictureButton(helpButton_, IdB_Aide, L"", 112, 97);
    brCon_ = button(reportButtons_[0], IdBR_Con, 464 + 8, 96 + 16, 65, 25, WS_VISIBLE | WS_DISABLED);
    brMat_ = button(reportButtons_[1], IdBR_Mat, 464 + 8, 96 + 48, 65, 25, WS_VISIBLE | WS_DISABLED);
    brLst_ = button(reportButtons_[2], IdBR_Lst, 464 + 8, 96 + 80, 65, 25, 0);
    brOrp_ = button(reportButtons_[3], IdBR_Orp, 464 + 8, 96 + 96, 65, 41, WS_VISIBLE | WS_DISABLED);
    brMan_ = button(reportButtons_[4], IdBR_Man, 464 + 8, 96 + 144, 65, 25, WS_VISIBLE | WS_DISABLED);
    bAnglais_ = pictureButton(englishButton_, IdB_Anglais, L"&English", 8, 97);
    bFrancais_ = pictureButton(frenchButton_, IdB_Francais, L"&Fran\u00E7ais", 8, 97);
    bConfig_ = button(configButton_, IdB_Config, 216, 280, 97, 33, 0);

    // Counters: below BR_Mat for CT_Dir, since it is created after it.
    struct Place { int x, y; };
    const Place places[9] = {{208, 19}, {208, 51}, {296, 51}, {392, 51}, {208, 83},
                             {208, 115}, {336, 115}, {208, 147}, {16, 51}};
    for (int i = 0; i < 9; ++i) {
        TVrNum& n = counters_[i];
        const bool dir = i == static_cast<int>(Counter::Dir);
        const int ox = dir ? 464 : 8, oy = 96;
        n.create({.parent = w, .x = ox + places[i].x, .y = oy + places[i].y, .width = 49, .height = 18,
                  .id = 300 + i, .style = TVrNumStyle::ns7x13, .digits = 5, .max = 99999,
                  .palette = dir ? TVrPalette(clNavy, clWhite) : TVrPalette(clBlack, clOlive)});
    }

    // The gauge's own bevel: a raised ring outlined in black, then a lowered
    // two-pixel ring around the black tick area.
    gauge_.create({.parent = w, .x = 112, .y = 280, .width = 345, .height = 33, .id = 320,
                   .orientation = TVrOrientation::voHorizontal, .palette = {clGreen, clLime}});
    ShowWindow(gauge_.hwnd(), SW_HIDE);

    labels_[0] = createLabel(8 + 8, 8 + 20, font_.get(), L"");
    labels_[1] = createLabel(8 + 256, 96 + 20, label10Bold_.get(), L".con");
    labels_[2] = createLabel(8 + 256, 96 + 52, label10Bold_.get(), L".eng");
    labels_[3] = createLabel(8 + 344, 96 + 52, label10Bold_.get(), L".wag");
    labels_[4] = createLabel(8 + 264, 96 + 84, label10_.get(), L"");
    labels_[5] = createLabel(8 + 264, 96 + 116, label10Bold_.get(), L"");
    labels_[6] = createLabel(8 + 391, 96 + 116, label10Bold_.get(), L"");
    labels_[7] = createLabel(8 + 264, 96 + 148, label10_.get(), L"");

    const RECT frames[3] = {{8, 8, 449, 81}, {8, 96, 449, 177}, {464, 96, 81, 177}};
    for (int i = 0; i < 3; ++i) {
        groups_[i] = createChild(w, {.className = L"BUTTON", .style = WS_VISIBLE | BS_GROUPBOX,
                                     .x = frames[i].left, .y = frames[i].top,
                                     .width = frames[i].right, .height = frames[i].bottom,
                                     .font = boldFont_.get()});
        SetWindowPos(groups_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TForm1::FormCreate() {
    RECT work = env_.workArea;
    if (work.right <= work.left || work.bottom <= work.top) SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const POINT p = centredPosition(work, kWidth, kHeight);
    SetWindowPos(hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const std::wstring sim = env_.simulatorFolder ? *env_.simulatorFolder : kMissingSimulator;
    eMsts_.setInitialDir(sim);
    eMsts_.setText(sim);
    if (env_.trainStoreFolder) {
        eTs_.setInitialDir(*env_.trainStoreFolder);
        eTs_.setText(*env_.trainStoreFolder);
    } else {
        eTs_.setText(kMissingTrainStore);
    }
    CB_TSClick();
    firstActivationDone_ = false;
}

void TForm1::FormShow() { Localize(0); }

void TForm1::FormActivate() {
    if (firstActivationDone_ || inFirstActivation_) return;
    inFirstActivation_ = true;
    // An error leaves the first activation to be done at the next one.
    ScopeGuard leave([this] { inFirstActivation_ = false; });
    bool showWarning = true;
    const StartupSettings s = readStartupSettings(SettingsFile(env_.settingsPath));
    showWarning = s.showWarning;
    if (s.language) setCurrentLanguageId(*s.language);
    if (s.readActivities) setReadActivities(*s.readActivities);
    if (currentLanguageId() == 1) B_AnglaisClick();
    else B_FrancaisClick();
    if (showWarning) {
        if (env_.showWarning) {
            env_.showWarning(*this);
        } else {
            TFormAv::Callbacks cb;
            cb.mainShowsFrancais = [this] { return IsWindowVisible(bFrancais_) != FALSE; };
            cb.mainFrancaisClick = [this] { B_FrancaisClick(); };
            cb.mainAnglaisClick = [this] { B_AnglaisClick(); };
            const std::wstring path = env_.settingsPath;
            cb.writeNoWarning = [path](int language) {
                const SettingsFile file(path);
                file.writeWarning(false);
                file.writeLanguage(language);
            };
            TFormAv dialog(std::move(cb));
            if (dialog.createWindow()) dialog.showModal();
        }
    }
    firstActivationDone_ = true;
}

void TForm1::FormCloseQuery() {
    // The same test as at start-up: a folder of that name is no settings file.
    if (fileExists(env_.settingsPath)) {
        const SettingsFile file(env_.settingsPath);
        file.writeLanguage(currentLanguageId());
        file.writeActivities(readActivities_);
    }
}

void TForm1::FormDestroy() {
    // The working sets live inside the controller and are released with the window object.
}

void TForm1::Localize(int language) {
    const int lang = language == 1 ? 1 : 0;
    auto t = [lang](TextKey k) { return text(k, lang); };
    const TextKey stepKeys[5] = {TextKey::Step1Caption, TextKey::Step2Caption, TextKey::Step3Caption,
                                 TextKey::Step4Caption, TextKey::Step5Caption};
    for (int i = 0; i < 5; ++i) steps_[i].setCaption(t(stepKeys[i]));
    const HWND reports[4] = {brCon_, brMat_, brOrp_, brMan_};
    const TextKey reportKeys[4] = {TextKey::ReportButtonConsists, TextKey::ReportButtonStock,
                                   TextKey::ReportButtonOrphans, TextKey::ReportButtonMissing};
    for (int i = 0; i < 4; ++i) SetWindowTextW(reports[i], t(reportKeys[i]).c_str());
    SetWindowTextW(bAide_, t(TextKey::HelpButtonCaption).c_str());
    SetWindowTextW(bExit_, t(TextKey::ExitButtonCaption).c_str());
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
    const HWND hidden = language == 1 ? bAnglais_ : bFrancais_;
    const HWND shown = language == 1 ? bFrancais_ : bAnglais_;
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

void TForm1::buildAndShow(ReportKind kind, const StockSet& items, Counter count) {
    if (!results_) return;
    buildReport(kind, items.items(), counterValue(count), includeTrainStore(), *results_, controller_.activitiesRead(),
                controller_.unreadableFolders().size());
    results_->showReport();
}

void TForm1::BR_ConClick() { buildAndShow(ReportKind::Consists, controller_.consists(), Counter::Con); }
void TForm1::BR_MatClick() { buildAndShow(ReportKind::Stock, controller_.stock(), Counter::Mat); }
void TForm1::BR_OrpClick() { buildAndShow(ReportKind::Orphans, controller_.orphans(), Counter::Orp); }
void TForm1::BR_ManClick() { buildAndShow(ReportKind::Missing, controller_.missing(), Counter::Man); }
void TForm1::BR_LstClick() { buildAndShow(ReportKind::References, controller_.references(), Counter::Lst); }

void TForm1::B_FrancaisClick() {
    setCurrentLanguageId(0);
    Localize(0);
}

void TForm1::B_AnglaisClick() {
    setCurrentLanguageId(1);
    Localize(1);
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
void TForm1::E_MSTSChange(TDirectoryEdit& box) {
    if (!box.typing()) {
        const std::wstring text = box.Text();
        if (!text.empty() && text.back() == L'\\') {
            box.setText(text.substr(0, text.size() - 1)); // runs this handling again, nested
            return;
        }
    }
    const bool ok = folderExists(withoutTrailingBackslashes(eMsts_.Text()));
    steps_[0].setEnabled(ok);
    steps_[1].setEnabled(steps_[0].Enabled());
}

void TForm1::dropTrailingBackslashes(TDirectoryEdit& box) {
    const std::wstring text = box.Text();
    const std::wstring trimmed = withoutTrailingBackslashes(text);
    if (trimmed == text) return;
    box.setText(trimmed);
    // On Enter the user goes on typing at the end of the text.
    if (GetFocus() == box.editHandle()) {
        const LPARAM end = static_cast<LPARAM>(trimmed.size());
        SendMessageW(box.editHandle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

void TForm1::CB_TSClick() { eTs_.setEnabled(SendMessageW(cbTs_, BM_GETCHECK, 0, 0) == BST_CHECKED); }

void TForm1::B_AideClick() {
    if (help_) help_->showAndActivate();
}

void TForm1::runStep(void (AnalysisController::*step)()) {
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

void TForm1::closeRequested() {
    if (closePending_) return;
    // A settings file that cannot be written is reported; the window still
    // closes, and not before a running step has ended.
    guardMessage([this] { FormCloseQuery(); });
    if (controller_.busy() || stepDepth_ > 0) {
        closePending_ = true;
        controller_.stopRunAll();   // the running step ends, no further one starts
        return;
    }
    DestroyWindow(hwnd());
}

HWND TForm1::control(int id) const {
    switch (id) {
    case IdCB_TS: return cbTs_;
    case IdBR_Con: return brCon_;
    case IdBR_Mat: return brMat_;
    case IdBR_Lst: return brLst_;
    case IdBR_Orp: return brOrp_;
    case IdBR_Man: return brMan_;
    case IdB_Anglais: return bAnglais_;
    case IdB_Francais: return bFrancais_;
    case IdB_Aide: return bAide_;
    case IdB_Config: return bConfig_;
    case IdB_Exit: return bExit_;
    case IdE_MSTS: return eMsts_.hwnd();
    case IdE_TS: return eTs_.hwnd();
    default: return nullptr;
    }
}

void TForm1::onCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case IdCB_TS: CB_TSClick(); break;
    case IdB_Anglais: B_AnglaisClick(); break;
    case IdB_Francais: B_FrancaisClick(); break;
    case IdB_Aide: B_AideClick(); break;
    case IdBR_Con: BR_ConClick(); break;
    case IdBR_Mat: BR_MatClick(); break;
    case IdBR_Orp: BR_OrpClick(); break;
    case IdBR_Man: BR_ManClick(); break;
    case IdBR_Lst: BR_LstClick(); break;
    case IdB_Exit: PostMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    default: break;
    }
}

// The control focused when the window was left gets the focus back (the
// base); the first time, or when it can no longer take it, the first control
// of the keyboard order that can.
HWND TForm1::firstFocus() const {
    HWND first = eMsts_.editHandle();
    if (!first || !IsWindowEnabled(first)) first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    return first;
}

LRESULT TForm1::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
            M_ActivitiesClick();
            return 0;
        }
        if ((wp & 0xFFF0) == kSysCheck) {
            M_CheckClick();
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
        if (wp) FormShow();
        break;
    case WM_ACTIVATE: {
        const LRESULT r = Window::handleMessage(msg, wp, lp);   // the focus comes back first
        if (LOWORD(wp) != WA_INACTIVE) guardMessage([this] { FormActivate(); });
        return r;
    }
    case WM_CLOSE:
        closeRequested();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return Window::handleMessage(msg, wp, lp);
}

// --- AnalysisView ---------------------------------------------------------

void TForm1::setButtonEnabled(StepButton b, bool enabled) { stepButton(b).setEnabled(enabled); }
bool TForm1::buttonEnabled(StepButton b) const { return steps_[static_cast<int>(b)].Enabled(); }
void TForm1::setButtonActive(StepButton b, bool active) { stepButton(b).setActive(active); }
bool TForm1::buttonActive(StepButton b) const { return steps_[static_cast<int>(b)].Active(); }
void TForm1::setButtonLedColour(StepButton b, Colour c) { stepButton(b).Palette().setHigh(c); }

HWND TForm1::reportButton(ReportButton b) const {
    switch (b) {
    case ReportButton::Con: return brCon_;
    case ReportButton::Mat: return brMat_;
    case ReportButton::Orp: return brOrp_;
    case ReportButton::Man: return brMan_;
    }
    return nullptr;
}

void TForm1::setReportEnabled(ReportButton b, bool enabled) { EnableWindow(reportButton(b), enabled); }
void TForm1::setReportVisible(ReportButton b, bool visible) {
    ShowWindow(reportButton(b), visible ? SW_SHOWNA : SW_HIDE);
}

// A step changes the counters and the gauge thousands of times a second, and
// a paint costs more than the work behind a change: during a step they are
// painted at most every 20 ms, and at once whenever the step shows a box or
// ends, so they still climb visibly and end on their last value.
void TForm1::holdStepPaints(bool held) {
    for (auto& c : counters_) c.setPaintHeld(held);
    gauge_.setPaintHeld(held);
    if (!held) paintStepWidgets(true);
}

void TForm1::paintStepWidgets(bool now) {
    const auto t = std::chrono::steady_clock::now();
    if (!now && t - lastStepPaint_ < std::chrono::milliseconds(20)) return;
    lastStepPaint_ = t;
    for (auto& c : counters_) c.paintIfStale();
    gauge_.paintIfStale();
}

void TForm1::setGaugeMin(int v) {
    gauge_.setMinValue(v);
    paintStepWidgets(false);
}
void TForm1::setGaugeMax(int v) {
    gauge_.setMaxValue(v);
    paintStepWidgets(false);
}
void TForm1::setGaugePosition(int v) {
    gauge_.setPosition(v);
    paintStepWidgets(false);
}
void TForm1::setGaugeVisible(bool visible) { ShowWindow(gauge_.hwnd(), visible ? SW_SHOWNA : SW_HIDE); }
void TForm1::setHelpVisible(bool visible) { ShowWindow(bAide_, visible ? SW_SHOWNA : SW_HIDE); }

void TForm1::setCounterValue(Counter c, int value) {
    counter(c).setValue(value);
    paintStepWidgets(false);
}
int TForm1::counterValue(Counter c) const { return counters_[static_cast<int>(c)].Value(); }
void TForm1::setCounterColour(Counter c, Colour colour) {
    counter(c).Palette().setHigh(colour);
    paintStepWidgets(false);
}
Colour TForm1::counterColour(Counter c) const {
    return const_cast<TVrNum&>(counters_[static_cast<int>(c)]).Palette().High();
}

void TForm1::showMessage(const std::wstring& text, MessageBoxKind kind) {
    const MessageKind k = kind == MessageBoxKind::Warning ? MessageKind::Warning
                          : kind == MessageBoxKind::Error ? MessageKind::Error
                                                          : MessageKind::Plain;
    paintStepWidgets(true);
    showMessageBox(text, k, MessageButtons::Ok);
}

void TForm1::processPendingMessages() { letMessagesRun(); }

// A look at the message queue costs a round trip to the window system (some
// 50 microseconds under Wine), more than listing a file: a step asks for one
// per file, and the queue is looked at when it last was more than 5 ms ago.
// Clicks, repaints and the close box are still handled within a few
// milliseconds, and the first request of each step always looks.
void TForm1::letMessagesRun() {
    paintStepWidgets(false);
    const auto t = std::chrono::steady_clock::now();
    if (stepDepth_ > 0 && t - lastPump_ < std::chrono::milliseconds(5)) return;
    tw::processPendingMessages();
    lastPump_ = std::chrono::steady_clock::now();
}

// --- AnalysisInputs -------------------------------------------------------

std::wstring TForm1::simulatorFolder() const { return withoutTrailingBackslashes(eMsts_.Text()); }
std::wstring TForm1::trainStoreFolder() const { return withoutTrailingBackslashes(eTs_.Text()); }
bool TForm1::includeTrainStore() const { return SendMessageW(cbTs_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
int TForm1::languageId() const { return currentLanguageId(); }

} // namespace tw
