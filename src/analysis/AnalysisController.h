#pragma once
// The state and the step rules of one analysis: the nine working sets, the
// counters and their colour states, the availability of each step, and the
// five steps. It reads its inputs and drives its view through two small
// interfaces, so it runs the same behind the main window, the command-line
// tool and the tests.
#include "analysis/ActivityFiles.h"
#include "analysis/AnalysisView.h"
#include "analysis/MissingStock.h"
#include "analysis/RouteCheck.h"
#include "analysis/StockCheck.h"
#include "analysis/StockSet.h"
#include "scan/FolderScanner.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// Where the consists and the stock lie below a simulator or Train Store folder.
inline constexpr wchar_t kConsistsBelow[] = L"\\TRAINS\\CONSISTS";
inline constexpr wchar_t kTrainsetBelow[] = L"\\TRAINS\\TRAINSET";

// Message texts of the steps (French in both interface languages).
std::wstring missingRootMessage(const std::wstring& root, bool trainStoreRoot);
std::wstring unreadableRootMessage(const std::wstring& root, bool trainStoreRoot);
std::wstring consistNotFoundMessage(const std::wstring& path);
std::wstring activityDecodingMessage(const std::wstring& path);
// The warning at the end of a step that could not list some folders: each
// named, at most ten, then how many more; in the interface language.
std::wstring unreadableFoldersMessage(const std::vector<std::wstring>& folders, int languageId);

// Where each of the five steps stands: done means it ended normally (a step 3
// that stopped on a vanished consist included: allConsistsRead says so).
enum class StepState { NotRun, Running, Done, Stopped };

class AnalysisController {
public:
    AnalysisController(AnalysisView& view, AnalysisInputs& inputs, FolderScanner& scanner);
    AnalysisController(const AnalysisController&) = delete;
    AnalysisController& operator=(const AnalysisController&) = delete;

    // Step and Run all handlers. One asked for while a step runs (through the
    // message pump) is ignored: the scanner and the sets are shared.
    void onConsists();
    void onStock();
    void onReferences();
    void onOrphans();
    void onMissing();
    void onRunAll();
    // The handler of that step button (Run all included).
    void onStep(StepButton step);
    // The stock check, once step 5 has run: the step buttons are disabled and
    // the gauge runs over the stock files meanwhile.
    void onCheck();
    bool checkAvailable() const;
    // The route check, on the same terms: the gauge runs over the route files and consists.
    void onRoutes();
    void resetAnalyses();

    bool busy() const { return busy_; }
    // One of the five steps (not Run all).
    StepState stepState(StepButton step) const { return states_[static_cast<std::size_t>(step)]; }
    // Run all starts no further step (the window is closing); the running one ends as usual.
    void stopRunAll() { runAllStopped_ = true; }

    const StockSet& consists() const { return consists_; }
    const StockSet& stock() const { return stock_; }
    const StockSet& engines() const { return engines_; }
    const StockSet& wagons() const { return wagons_; }
    const StockSet& stockFolders() const { return stockFolders_; }
    const StockSet& references() const { return references_; }
    const StockSet& orphans() const { return orphans_; }
    const StockSet& used() const { return used_; }
    const MissingStock& missing() const { return missing_; }

    // Whether the references come from a step 3 that read activities, and the
    // activity files it read (paths relative to their root, in reading order).
    bool activitiesRead() const { return activitiesRead_; }
    const std::vector<std::wstring>& activityFiles() const { return activityFiles_; }

    // What the analysis was made of: the folders step 2 listed (the store's
    // empty when it was not included) and whether step 3 read activities. The
    // check works on these, and only while the inputs still say the same.
    struct Scope {
        std::wstring simulator, store;
        bool includeStore = false, activities = false;
        bool operator==(const Scope&) const = default;
    };
    const Scope& analysedScope() const { return analysed_; }

    // The last stock check's result, until a step 1 or 2 starts again.
    const std::optional<StockCheckResult>& checkResult() const { return checkResult_; }
    // The last route check's result, likewise.
    const std::optional<RouteCheckResult>& routeResult() const { return routeResult_; }
    // The folders that steps 1 to 3, as last run, met but could not list
    // (access refused...): the sets miss what they hold.
    std::vector<std::wstring> unreadableFolders() const;
    // A counter's whole value: the view's five digits stop at 99,999, the sets do not.
    std::size_t count(Counter c) const { return counts_[static_cast<std::size_t>(c)]; }
    // Whether the last step 3 read every consist (false when it stopped on one that was gone, or has not run).
    bool allConsistsRead() const { return allConsistsRead_; }

private:
    // What frames one step besides its own work (see runStep).
    struct Step {
        bool (AnalysisController::*body)();   // false when the step stopped short
        std::optional<StepButton> button{};   // lit while the step runs
        std::optional<ReportButton> report{}; // offered at a normal end
        std::vector<std::wstring> AnalysisController::*unreadable = nullptr; // named at a normal end
        bool holdsStepButtons = false;        // every step button disabled while it runs
    };
    static const Step kSteps[5]; // in StepButton order
    void runAlone(const Step& step);
    void runStep(const Step& step);
    bool runAllSteps();

    bool stepConsists();
    bool stepStock();
    bool stepReferences();
    void readActivityFiles(const std::vector<ActivityFile>& files, std::size_t firstGaugeIndex);
    bool addReferences(const std::vector<unsigned char>& bytes, std::wstring& text,
                       const std::wstring* consistOfSimulator = nullptr);
    bool stepOrphans();
    bool stepMissing();
    bool stepCheck();
    bool stepRoutes();

    // Both false, with the step stopped and the user told, when the root is
    // missing or could not be listed.
    bool rootFound(const std::wstring& root, bool trainStoreRoot);
    // Files are taken from each trainset folder and the one below it (a
    // stock's SOUND or CABVIEW folders hold none).
    static constexpr int kScanDepth = 1;
    void addScannedFile(const std::wstring& root, const std::wstring& path, std::wstring_view name);
    bool scan(const std::wstring& root, bool trainStoreRoot, const wchar_t* masks, bool recurse,
              std::vector<std::wstring>& unreadable);
    void warnUnreadable(const std::vector<std::wstring>& folders);
    bool stopOnRoot(const std::wstring& message);
    void showRootColour(StepButton b, std::initializer_list<Counter> counters, Colour colour);
    void markDone(StepButton step);
    void setStep3Availability();
    void setCounter(Counter c, std::size_t value);
    void resetCounter(Counter c, Colour colour);
    void startGauge(std::size_t count);
    void endGaugeIfShown() noexcept;

    AnalysisView& view_;
    AnalysisInputs& inputs_;
    FolderScanner& scanner_;
    bool busy_ = false;
    std::array<StepState, 5> states_{}; // in StepButton order
    bool runAllStopped_ = false;
    bool gaugeShown_ = false;
    bool allConsistsRead_ = false;
    std::array<std::size_t, 9> counts_{};

    Scope currentScope() const;

    bool activitiesRead_ = false;
    Scope analysed_;
    std::vector<std::wstring> activityFiles_;
    std::optional<StockCheckResult> checkResult_;
    std::optional<RouteCheckResult> routeResult_;
    // Per step, so that running a step again replaces only its own.
    std::vector<std::wstring> unreadableByConsists_, unreadableByStock_, unreadableByReading_;
    StockSet consists_, stock_, engines_, wagons_, stockFolders_, references_, orphans_, used_;
    MissingStock missing_;
    ConsistsRead consistsRead_; // step 3's, for the route check
};

// FOLDER\FILE.EXT: the path made relative to the root folder (ending in "\").
std::wstring relativeToRoot(const std::wstring& path, const std::wstring& rootWithBackslash);

} // namespace tw
