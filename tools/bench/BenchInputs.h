#pragma once
// The inputs of a benchmark's analysis: one simulator folder, no Train Store.
#include "analysis/AnalysisController.h"
#include "analysis/AnalysisView.h"
#include "analysis/HeadlessView.h"
#include "scan/FolderScanner.h"

#include <string>

namespace bench {

class SimulatorOnly : public tw::AnalysisInputs {
public:
    explicit SimulatorOnly(std::wstring root) : root_(std::move(root)) {}
    std::wstring simulatorFolder() const override { return root_; }
    std::wstring trainStoreFolder() const override { return {}; }
    bool includeTrainStore() const override { return false; }
    int languageId() const override { return 0; }

private:
    std::wstring root_;
};

// One installation after an untimed Run all, headless, ready for a check.
struct AnalysedInstallation {
    tw::HeadlessView view;
    tw::FolderScanner scanner;
    SimulatorOnly inputs;
    tw::AnalysisController controller{view, inputs, scanner};
    explicit AnalysedInstallation(const std::wstring& root) : inputs(root) {
        view.setButtonEnabled(tw::StepButton::Consists, true);
        view.setButtonEnabled(tw::StepButton::Stock, true);
        controller.onRunAll();
    }
};

} // namespace bench
