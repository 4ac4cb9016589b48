#pragma once
// Runs a whole analysis (Run all) without windows and renders the result as
// a counter table or as one JSON object.
#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "cli/CliOptions.h"

#include <string>
#include <vector>

namespace tw {

struct CliResult {
    bool completed = false;             // step 5 completed
    std::vector<std::wstring> messages; // as the boxes would show them
};

class CliRunner : public AnalysisInputs {
public:
    explicit CliRunner(const CliOptions& options);

    CliResult run();

    // The nine counters as an aligned table / the whole result as JSON (UTF-8).
    std::string table() const;
    std::string json(const CliResult& result) const;

    const AnalysisController& controller() const { return controller_; }
    const HeadlessView& view() const { return view_; }

    std::wstring simulatorFolder() const override { return simulator_; }
    std::wstring trainStoreFolder() const override { return store_; }
    bool includeTrainStore() const override { return includeStore_; }
    int languageId() const override { return language_; }

private:
    std::wstring simulator_, store_;
    bool includeStore_ = false;
    int language_ = 0;
    HeadlessView view_;
    TScruteDossier scanner_;
    AnalysisController controller_;
    CliResult* current_ = nullptr;
};

// One message per line: its inner line breaks become a blank.
std::wstring messageOnOneLine(const std::wstring& text);

} // namespace tw
