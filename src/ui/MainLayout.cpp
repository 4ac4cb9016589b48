#include "ui/MainLayout.h"

#include "ui/MainWindow.h"

namespace tw {

namespace {

using K = ControlKind;
using F = FontRole;
using T = TextKey;
using W = MainWindow;

constexpr DWORD kShown = WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kGreyed = WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED;
constexpr DWORD kLabel = WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kGroup = WS_VISIBLE | BS_GROUPBOX;
constexpr std::nullopt_t kFixed = std::nullopt;

// Three groups: the folders at (8, 8), the run at (8, 96), the results at
// (464, 96); the buttons along the bottom at y 280.
const ControlRow kRows[] = {
    {K::FolderBox, W::IdSimulatorBox, 136, 24, 313, 21, 0, F::Normal, L"", kFixed},
    {K::FolderBox, W::IdStoreBox, 136, 54, 313, 21, 0, F::Normal, L"", kFixed},
    {K::CheckBox, W::IdStoreCheck, 48, 56, 81, 17, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX,
     F::Normal, L"Train Store", kFixed},
    {K::StepButton, W::IdFirstStep + 0, 16, 112, 193, 25, 0, F::Normal, L"", T::Step1Caption},
    {K::StepButton, W::IdFirstStep + 1, 16, 144, 193, 25, 0, F::Normal, L"", T::Step2Caption},
    {K::StepButton, W::IdFirstStep + 2, 16, 176, 193, 25, 0, F::Normal, L"", T::Step3Caption},
    {K::StepButton, W::IdFirstStep + 3, 16, 208, 193, 25, 0, F::Normal, L"", T::Step4Caption},
    {K::StepButton, W::IdFirstStep + 4, 16, 240, 193, 25, 0, F::Normal, L"", T::Step5Caption},
    {K::RunAllButton, W::IdFirstStep + 5, 464, 8, 81, 81, 0, F::Normal, L"", T::RunAllCaption},
    {K::Button, W::IdExit, 464, 280, 81, 33, kShown, F::Normal, L"", T::ExitButtonCaption},
    {K::Button, W::IdHelp, 112, 280, 97, 33, kShown, F::Normal, L"", T::HelpButtonCaption},
    {K::Button, W::IdConsistsReport, 472, 112, 65, 25, kGreyed, F::Normal, L"", T::ReportButtonConsists},
    {K::Button, W::IdStockReport, 472, 144, 65, 25, kGreyed, F::Normal, L"", T::ReportButtonStock},
    {K::Button, W::IdReferencesReport, 472, 176, 65, 25, WS_CLIPSIBLINGS, F::Normal, L"", kFixed},
    {K::Button, W::IdOrphansReport, 472, 192, 65, 41, kGreyed, F::Normal, L"", T::ReportButtonOrphans},
    {K::Button, W::IdMissingReport, 472, 240, 65, 25, kGreyed, F::Normal, L"", T::ReportButtonMissing},
    {K::Button, W::IdEnglish, 8, 280, 97, 33, kShown, F::Normal, L"&English", kFixed},
    {K::Button, W::IdFrench, 8, 280, 97, 33, kShown, F::Normal, L"&Fran\u00E7ais", kFixed},
    {K::Button, W::IdConfig, 216, 280, 97, 33, WS_CLIPSIBLINGS, F::Normal, L"", kFixed},
    // In Counter order; the folders counter goes below the stock report
    // button, since it is created after it.
    {K::Counter, W::IdFirstCounter + 0, 216, 115, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 1, 216, 147, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 2, 304, 147, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 3, 400, 147, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 4, 216, 179, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 5, 216, 211, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 6, 344, 211, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Counter, W::IdFirstCounter + 7, 216, 243, 49, 18, 0, F::Normal, L"", kFixed},
    {K::FolderCounter, W::IdFirstCounter + 8, 480, 147, 49, 18, 0, F::Normal, L"", kFixed},
    {K::Gauge, W::IdGauge, 112, 280, 345, 33, 0, F::Normal, L"", kFixed},
    // The labels, in the order of MainWindow::label.
    {K::Label, 0, 16, 28, 10, 10, kLabel, F::Normal, L"", T::SimulatorFolderLabel},
    {K::Label, 0, 264, 116, 10, 10, kLabel, F::CounterLabelBold, L".con", kFixed},
    {K::Label, 0, 264, 148, 10, 10, kLabel, F::CounterLabelBold, L".eng", kFixed},
    {K::Label, 0, 352, 148, 10, 10, kLabel, F::CounterLabelBold, L".wag", kFixed},
    {K::Label, 0, 272, 180, 10, 10, kLabel, F::CounterLabel, L"", T::ReferencesLabel},
    {K::Label, 0, 272, 212, 10, 10, kLabel, F::CounterLabelBold, L"", T::OrphansLabel},
    {K::Label, 0, 399, 212, 10, 10, kLabel, F::CounterLabelBold, L"", T::UsedLabel},
    {K::Label, 0, 272, 244, 10, 10, kLabel, F::CounterLabel, L"", T::MissingLabel},
    {K::GroupBox, 0, 8, 8, 449, 81, kGroup, F::Bold, L"", T::FoldersGroupCaption},
    {K::GroupBox, 0, 8, 96, 449, 177, kGroup, F::Bold, L"", T::RunGroupCaption},
    {K::GroupBox, 0, 464, 96, 81, 177, kGroup, F::Bold, L"", T::ResultsGroupCaption},
};

} // namespace

std::span<const ControlRow> mainLayout() { return kRows; }

} // namespace tw
