#include "analysis/AnalysisController.h"

#include "analysis/ConsistReader.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "platform/Text.h"
#include "text/LanguageTable.h"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

namespace tw {

namespace {

std::vector<std::wstring> splitPath(const std::wstring& p) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t sep = p.find(L'\\', start);
        parts.push_back(p.substr(start, sep == std::wstring::npos ? std::wstring::npos : sep - start));
        if (sep == std::wstring::npos) break;
        start = sep + 1;
    }
    return parts;
}

bool samePart(const std::wstring& a, const std::wstring& b) { return compareFileSystemNoCase(a, b) == 0; }

std::wstring checkFolderLine(bool trainStoreRoot) {
    return trainStoreRoot ? L"Verifiez le dossier de stockage de TrainStore" : L"Verifiez le dossier principal de MSTS";
}
} // namespace

std::wstring missingRootMessage(const std::wstring& root, bool trainStoreRoot) {
    return L"Le dossier " + root + L" n'a pas pu etre localise" + L"\r\n" + checkFolderLine(trainStoreRoot);
}

std::wstring unreadableRootMessage(const std::wstring& root, bool trainStoreRoot) {
    return L"Le dossier " + root + L" n'a pas pu etre lu" + L"\r\n" + checkFolderLine(trainStoreRoot);
}

std::wstring consistNotFoundMessage(const std::wstring& path) {
    return L"Erreur : impossible de localiser le fichier " + path;
}

std::wstring activityDecodingMessage(const std::wstring& path) {
    return std::wstring(kMsgUnicodeDecoding) + L"\r\n" + path;
}

std::wstring unreadableFoldersMessage(const std::vector<std::wstring>& folders, int languageId) {
    constexpr std::size_t kNamed = 10;
    std::wstring message = text(TextKey::UnreadableFoldersWarning, languageId);
    for (std::size_t i = 0; i < folders.size() && i < kNamed; ++i) message += L"\r\n" + folders[i];
    if (folders.size() > kNamed)
        message += L"\r\n" + formatOne(text(TextKey::UnreadableFoldersMore, languageId), std::to_wstring(folders.size() - kNamed));
    return message;
}


std::wstring relativeToRoot(const std::wstring& path, const std::wstring& rootWithBackslash) {
    // The scanner builds its paths from the root as written: the rest is the answer
    // the part-by-part walk below would give, without a comparison per part.
    if (!rootWithBackslash.empty() && rootWithBackslash.back() == L'\\' && path.size() > rootWithBackslash.size() &&
        path.compare(0, rootWithBackslash.size(), rootWithBackslash) == 0)
        return path.substr(rootWithBackslash.size());
    std::vector<std::wstring> target = splitPath(path);
    std::vector<std::wstring> base = splitPath(rootWithBackslash);
    if (!base.empty() && base.back().empty()) base.pop_back();
    if (target.empty() || base.empty() || !samePart(target[0], base[0])) return path; // another drive
    size_t common = 0;
    while (common < base.size() && common + 1 < target.size() && samePart(base[common], target[common])) ++common;
    std::wstring out;
    for (size_t i = common; i < base.size(); ++i) out += L"..\\";
    for (size_t i = common; i < target.size(); ++i) {
        out += target[i];
        if (i + 1 < target.size()) out += L"\\";
    }
    return out;
}

AnalysisController::AnalysisController(AnalysisView& view, AnalysisInputs& inputs, FolderScanner& scanner)
    : view_(view), inputs_(inputs), scanner_(scanner) {}

constexpr AnalysisController::Step AnalysisController::kSteps[5] = {
    {&AnalysisController::stepConsists, StepButton::Consists, ReportButton::Consists,
     &AnalysisController::unreadableByConsists_},
    {&AnalysisController::stepStock, StepButton::Stock, ReportButton::Stock, &AnalysisController::unreadableByStock_},
    {&AnalysisController::stepReferences, StepButton::References, std::nullopt, &AnalysisController::unreadableByReading_},
    {&AnalysisController::stepOrphans, StepButton::Orphans, ReportButton::Orphans},
    {&AnalysisController::stepMissing, StepButton::Missing, ReportButton::Missing},
};

// The busy flag is up for the whole of what the user asked for.
void AnalysisController::runAlone(const Step& step) {
    if (busy_) return;
    busy_ = true;
    ScopeGuard idle([this] { busy_ = false; });
    runStep(step);
}

// Every step's set-up and wind-down. However it ends (a normal end, a stop on
// a root, a file error, an exception), the gauge goes, the help button comes
// back and held step buttons return as they were; only a normal end puts its
// button out, offers its report, lets the window catch up and names the
// folders it could not list.
void AnalysisController::runStep(const Step& step) {
    constexpr int kStepButtons = static_cast<int>(StepButton::RunAll) + 1;
    std::array<bool, kStepButtons> enabled{};
    for (int i = 0; step.holdsStepButtons && i < kStepButtons; ++i) {
        enabled[i] = view_.buttonEnabled(StepButton(i));
        view_.setButtonEnabled(StepButton(i), false);
    }
    // Run all and the checks are no step of their own.
    StepState* state = step.button && *step.button != StepButton::RunAll ? &states_[static_cast<std::size_t>(*step.button)]
                                                                         : nullptr;
    if (state) *state = StepState::Running;
    ScopeGuard putBack([&] {
        endGaugeIfShown();
        for (int i = 0; step.holdsStepButtons && i < kStepButtons; ++i) view_.setButtonEnabled(StepButton(i), enabled[i]);
        if (state && *state == StepState::Running) *state = StepState::Stopped;
    });
    if (step.button) view_.setButtonActive(*step.button, true);
    if (!(this->*step.body)() || !step.button) return;
    if (state) *state = StepState::Done;
    endGaugeIfShown();
    view_.setButtonActive(*step.button, false);
    if (step.report) view_.setReportEnabled(*step.report, true);
    view_.processPendingMessages();
    if (step.unreadable) warnUnreadable(this->*step.unreadable);
}

void AnalysisController::onConsists() { runAlone(kSteps[0]); }
void AnalysisController::onStock() { runAlone(kSteps[1]); }
void AnalysisController::onReferences() { runAlone(kSteps[2]); }
void AnalysisController::onOrphans() { runAlone(kSteps[3]); }
void AnalysisController::onMissing() { runAlone(kSteps[4]); }

void AnalysisController::onStep(StepButton step) {
    static_assert(
        [] {
            for (int i = 0; i < 5; ++i)
                if (kSteps[i].button != StepButton(i)) return false;
            return true;
        }(),
        "the steps stand in StepButton order");
    if (step == StepButton::RunAll) onRunAll();
    else runAlone(kSteps[static_cast<std::size_t>(step)]);
}

void AnalysisController::onRunAll() {
    if (busy_) return;
    // Run all ends unlit however its steps end.
    ScopeGuard unlit([this] { view_.setButtonActive(StepButton::RunAll, false); });
    runAlone({.body = &AnalysisController::runAllSteps});
}

bool AnalysisController::runAllSteps() {
    runAllStopped_ = false;
    for (const Step& step : kSteps)
        if (!runAllStopped_ && view_.buttonEnabled(*step.button)) runStep(step);
    return true;
}

void AnalysisController::onCheck() {
    if (checkAvailable()) runAlone({.body = &AnalysisController::stepCheck, .holdsStepButtons = true});
}

// After the folder, the Train Store box or the activities option changed,
// the sets no longer say what the inputs name: no check until the steps run again.
bool AnalysisController::checkAvailable() const {
    return !busy_ && stepState(StepButton::Missing) == StepState::Done && currentScope() == analysed_;
}

AnalysisController::Scope AnalysisController::currentScope() const {
    const bool store = inputs_.includeTrainStore();
    return {inputs_.simulatorFolder(), store ? inputs_.trainStoreFolder() : std::wstring(), store,
            inputs_.includeActivities()};
}

void AnalysisController::resetAnalyses() {
    checkResult_.reset();
    routeResult_.reset();
    for (StepButton b : {StepButton::References, StepButton::Orphans, StepButton::Missing}) {
        states_[static_cast<std::size_t>(b)] = StepState::NotRun;
        view_.setButtonEnabled(b, false);
    }
    view_.setReportEnabled(ReportButton::Orphans, false);
    view_.setReportEnabled(ReportButton::Missing, false);
    for (Counter c : {Counter::References, Counter::Orphans, Counter::Used, Counter::Missing})
        resetCounter(c, colours::Olive);
}

// The count is kept whole; the view shows what its display can.
void AnalysisController::setCounter(Counter c, std::size_t value) {
    counts_[static_cast<std::size_t>(c)] = value;
    view_.setCounterValue(c, static_cast<int>(std::min<std::size_t>(value, INT_MAX)));
}

void AnalysisController::resetCounter(Counter c, Colour colour) {
    setCounter(c, 0);
    view_.setCounterColour(c, colour);
}

bool AnalysisController::rootFound(const std::wstring& root, bool trainStoreRoot) {
    return directoryExists(extendedPath(root)) || stopOnRoot(missingRootMessage(root, trainStoreRoot));
}

// A root that exists but could not be listed would pass for an empty one, and
// every stock item for an orphan: the step stops as for a missing root.
bool AnalysisController::scan(const std::wstring& root, bool trainStoreRoot, const wchar_t* masks, bool recurse,
                              std::vector<std::wstring>& unreadable) {
    std::wstring rootWithBackslash = root;
    if (rootWithBackslash.empty() || rootWithBackslash.back() != L'\\') rootWithBackslash += L'\\';
    const ScanOutcome outcome = scanner_.run({
        .root = root,
        .masks = masks,
        .recurse = recurse,
        .maxDepth = kScanDepth,
        .onFile = [&](const std::wstring& path, std::wstring_view name) { addScannedFile(rootWithBackslash, path, name); },
        .onFolder = [this](const std::wstring&) { setCounter(Counter::Folders, count(Counter::Folders) + 1); },
    });
    // The wagons scans list again what the engines scans could not: each folder once.
    for (const std::wstring& folder : outcome.unreadableFolders)
        if (std::find(unreadable.begin(), unreadable.end(), folder) == unreadable.end()) unreadable.push_back(folder);
    return !outcome.rootUnreadable || stopOnRoot(unreadableRootMessage(root, trainStoreRoot));
}

std::vector<std::wstring> AnalysisController::unreadableFolders() const {
    std::vector<std::wstring> all = unreadableByConsists_;
    all.insert(all.end(), unreadableByStock_.begin(), unreadableByStock_.end());
    all.insert(all.end(), unreadableByReading_.begin(), unreadableByReading_.end());
    return all;
}

// A folder that cannot be listed would pass for an empty one, its stock for
// missing: the step goes on with the rest and says so at its end.
void AnalysisController::warnUnreadable(const std::vector<std::wstring>& folders) {
    if (!folders.empty()) view_.showMessage(unreadableFoldersMessage(folders, inputs_.languageId()), MessageBoxKind::Warning);
}

bool AnalysisController::stopOnRoot(const std::wstring& message) {
    view_.showMessage(message, MessageBoxKind::Warning);
    view_.setButtonEnabled(StepButton::Consists, false);
    view_.setButtonEnabled(StepButton::Stock, false);
    return false;
}

// The counters and the button's LED take the colour of the root being scanned.
void AnalysisController::showRootColour(StepButton b, std::initializer_list<Counter> counters, Colour colour) {
    for (Counter c : counters) view_.setCounterColour(c, colour);
    view_.setButtonLedColour(b, colour);
}

// A step's work is complete: its counters turn to the done colour.
void AnalysisController::markDone(StepButton step) {
    states_[static_cast<std::size_t>(step)] = StepState::Done;
    switch (step) {
    case StepButton::Consists: view_.setCounterColour(Counter::Consists, colours::Yellow); break;
    case StepButton::Stock:
        for (Counter c : {Counter::Stock, Counter::Engines, Counter::Wagons}) view_.setCounterColour(c, colours::Yellow);
        break;
    case StepButton::References: view_.setCounterColour(Counter::References, colours::Yellow); break;
    case StepButton::Missing: view_.setCounterColour(Counter::Missing, colours::Yellow); break;
    case StepButton::Orphans: // its counters keep the orphan and used colours
    case StepButton::RunAll: break;
    }
}

void AnalysisController::setStep3Availability() {
    const bool ready = stepState(StepButton::Consists) == StepState::Done && stepState(StepButton::Stock) == StepState::Done;
    view_.setButtonEnabled(StepButton::References, ready);
}

void AnalysisController::startGauge(std::size_t count) {
    view_.setGaugeMin(0);
    view_.setGaugeMax(static_cast<int>(count) - 1);
    view_.setGaugeVisible(true);
    view_.setHelpVisible(false);
    gaugeShown_ = true;
}

// However a step ends, the gauge it showed goes and the help button comes back.
void AnalysisController::endGaugeIfShown() noexcept {
    if (!gaugeShown_) return;
    gaugeShown_ = false;
    view_.setGaugeVisible(false);
    view_.setHelpVisible(true);
}

bool AnalysisController::stepConsists() {
    consists_.clear();
    resetAnalyses();
    resetCounter(Counter::Consists, colours::Fuchsia);
    view_.setButtonLedColour(StepButton::Consists, colours::Fuchsia);
    unreadableByConsists_.clear();

    const std::wstring root = inputs_.simulatorFolder() + kConsistsBelow;
    if (!rootFound(root, false) || !scan(root, false, L"*.CON", false, unreadableByConsists_)) return false;

    if (inputs_.includeTrainStore()) {
        showRootColour(StepButton::Consists, {Counter::Consists}, colours::Aqua);
        const std::wstring rootTS = inputs_.trainStoreFolder() + kConsistsBelow;
        if (!rootFound(rootTS, true) || !scan(rootTS, true, L"*.CON", false, unreadableByConsists_)) return false;
    }

    markDone(StepButton::Consists);
    setStep3Availability();
    return true;
}

bool AnalysisController::stepStock() {
    view_.setReportVisible(ReportButton::Stock, false);
    setCounter(Counter::Folders, 0);
    engines_.clear();
    wagons_.clear();
    stock_.clear();
    stockFolders_.clear();
    resetAnalyses();
    for (Counter c : {Counter::Engines, Counter::Wagons, Counter::Stock}) setCounter(c, 0);
    showRootColour(StepButton::Stock, {Counter::Engines, Counter::Wagons, Counter::Stock}, colours::Fuchsia);
    unreadableByStock_.clear();

    // The wagons scans walk the trees the engines scans walked: they take each
    // folder's listing from these listings instead of the disk, so a folder is
    // listed once per step 2 and both scans still raise every event. A change
    // on disk during the step shows in both scans or in neither, as the engines
    // scan found the folder; the listings go at the end of the step, so the
    // next step 2 lists the disk afresh.
    ListingCache listings;
    scanner_.listings = &listings;
    ScopeGuard lent([this] { scanner_.listings = nullptr; });

    const std::wstring root = inputs_.simulatorFolder() + kTrainsetBelow;
    analysed_.simulator = inputs_.simulatorFolder();
    analysed_.includeStore = inputs_.includeTrainStore();
    analysed_.store = analysed_.includeStore ? inputs_.trainStoreFolder() : std::wstring();
    if (!rootFound(root, false) || !scan(root, false, L"*.ENG", true, unreadableByStock_)) return false;

    std::wstring rootTS;
    if (inputs_.includeTrainStore()) {
        showRootColour(StepButton::Stock, {Counter::Stock, Counter::Engines, Counter::Wagons}, colours::Aqua);
        rootTS = inputs_.trainStoreFolder() + kTrainsetBelow;
        if (!rootFound(rootTS, true) || !scan(rootTS, true, L"*.ENG", true, unreadableByStock_)) return false;
    }

    if (!scan(root, false, L"*.WAG", true, unreadableByStock_)) return false;
    // The box is read again here; a store root never formed above (box checked
    // meanwhile) is not scanned, rather than walking from the drive's root.
    if (inputs_.includeTrainStore() && !rootTS.empty() && !scan(rootTS, true, L"*.WAG", true, unreadableByStock_))
        return false;

    engines_.clear();
    wagons_.clear();
    markDone(StepButton::Stock);
    setStep3Availability();
    view_.setReportVisible(ReportButton::Stock, true);
    return true;
}

// A consist or a stock file the walk found below the root (which ends in "\").
void AnalysisController::addScannedFile(const std::wstring& root, const std::wstring& path, std::wstring_view name) {
    const auto dot = name.find_last_of(L'.');
    const std::wstring ext = dot == std::wstring::npos ? std::wstring() : asciiLower(name.substr(dot));

    const std::wstring relative = relativeToRoot(path, root);
    const auto slash = relative.find(L'\\');
    const std::wstring top = slash == std::wstring::npos ? std::wstring() : relative.substr(0, slash + 1);
    if (asciiUpper(top) == L"DEFAULT\\") return;

    if (ext == L".con") {
        consists_.add(std::wstring(name));
        setCounter(Counter::Consists, consists_.size());
    } else if (ext == L".eng" || ext == L".wag") {
        StockSet& kind = ext == L".eng" ? engines_ : wagons_;
        kind.add(relative);
        setCounter(ext == L".eng" ? Counter::Engines : Counter::Wagons, kind.size());
        stock_.add(relative);
        setCounter(Counter::Stock, stock_.size());
        stockFolders_.add(top);
    }
}

bool AnalysisController::stepOrphans() {
    orphans_.clear();
    resetCounter(Counter::Orphans, colours::Red);
    used_.clear();
    resetCounter(Counter::Used, colours::Lime);
    startGauge(stock_.size());

    int index = 0;
    for (const std::wstring& item : stock_) {
        view_.setGaugePosition(index++);
        if (references_.contains(item)) {
            used_.add(item);
            setCounter(Counter::Used, used_.size());
        } else {
            orphans_.add(item);
            setCounter(Counter::Orphans, orphans_.size());
        }
    }

    return true;
}

bool AnalysisController::stepMissing() {
    missing_.clear(inputs_.languageId());
    resetCounter(Counter::Missing, colours::Fuchsia);
    startGauge(references_.size());

    int index = 0;
    for (const std::wstring& ref : references_) {
        view_.setGaugePosition(index++);
        if (stock_.contains(ref)) continue;
        const auto slash = ref.find(L'\\');
        const std::wstring top = slash == std::wstring::npos ? ref : ref.substr(0, slash + 1);
        missing_.add(stockFolders_.contains(top) ? MissingKind::File : MissingKind::Folder, ref);
        setCounter(Counter::Missing, missing_.size());
    }

    markDone(StepButton::Missing);
    return true;
}

bool AnalysisController::stepCheck() {
    checkResult_.reset();
    startGauge(stock_.size());
    checkResult_ = checkStock({analysed_.simulator, analysed_.store, used_, orphans_, stock_, missing_},
                              [this](std::size_t index) {
                                  view_.setGaugePosition(static_cast<int>(index));
                                  view_.processPendingMessages();
                              });
    return true;
}

} // namespace tw
