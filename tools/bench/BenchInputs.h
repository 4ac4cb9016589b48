#pragma once
// The inputs of a benchmark's analysis: one simulator folder, no Train Store.
#include "analysis/AnalysisView.h"

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

} // namespace bench
