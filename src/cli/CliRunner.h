#pragma once
// Runs a whole analysis (Run all, then the stock check when asked) without windows and renders the result as
// a counter table or as one JSON object.
#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "cli/CliOptions.h"

#include <functional>
#include <string>
#include <vector>

namespace tw {

struct CliResult {
    bool completed = false;             // step 5 completed, after a step 3 that read every consist
    std::vector<std::wstring> messages; // as the boxes would show them
};

class CliRunner : public AnalysisInputs {
public:
    explicit CliRunner(const CliOptions& options);

    CliResult run();

    // The nine counters as an aligned table / the whole result as JSON (UTF-8).
    std::string table() const;
    std::string json(const CliResult& result) const;

    // Whether the window's button for that report would be enabled now, and the
    // report's lines as the results window would hold them (today's date).
    bool reportAvailable(ReportKind kind) const;
    std::vector<std::wstring> reportFor(ReportKind kind) const;

    const AnalysisController& controller() const { return controller_; }
    const HeadlessView& view() const { return view_; }
    HeadlessView& view() { return view_; }

    std::wstring simulatorFolder() const override { return simulator_; }
    std::wstring trainStoreFolder() const override { return store_; }
    bool includeTrainStore() const override { return includeStore_; }
    int languageId() const override { return language_; }
    bool includeActivities() const override { return readActivities_; }

private:
    std::wstring simulator_, store_;
    bool includeStore_ = false;
    int language_ = 0;
    bool readActivities_ = false;
    bool check_ = false;
    bool routes_ = false;
    std::vector<std::wstring> notes_; // said first among the messages
    HeadlessView view_;
    FolderScanner scanner_;
    AnalysisController controller_;
    CliResult* current_ = nullptr;
};

// The whole tool: parses the arguments, completes them from the registry and
// the settings file, runs the analysis and writes its output through the two
// callables (bytes for standard output and standard error). Returns the exit
// status: 0 when step 5 completed, 1 when a step stopped early or could not
// read a folder, a report could not be given or saved, or anything else failed
// (one line on standard error), 2 for a usage error.
struct CliStreams {
    std::function<void(const std::string&)> out, err;
};
int runCli(const std::vector<std::wstring>& args, const CliSources& sources, const CliStreams& streams);

// One message per line: its inner line breaks become a blank.
std::wstring messageOnOneLine(const std::wstring& text);

// Inside a catch block: the one line that tells what the caught error was.
std::wstring currentFailureLine();

} // namespace tw
