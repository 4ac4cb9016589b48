// Step 3 alone, without and with activities, against step 3 on a twin whose
// activities are extra consists: the runs alternate and the best of each is
// kept, so a busy machine weighs on all three alike.
//   bench-activities ROUTES_FOLDER TWIN_FOLDER [REPS]
#include "BenchClock.h"
#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "scan/FolderScanner.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {
using bench::now;

struct Inputs : tw::AnalysisInputs {
    std::wstring root;
    bool activities = false;
    std::wstring simulatorFolder() const override { return root; }
    std::wstring trainStoreFolder() const override { return {}; }
    bool includeTrainStore() const override { return false; }
    int languageId() const override { return 0; }
    bool includeActivities() const override { return activities; }
};

// One installation with steps 1 and 2 done, ready for step 3.
struct Analysis {
    tw::HeadlessView view;
    tw::FolderScanner scanner;
    Inputs inputs;
    tw::AnalysisController controller{view, inputs, scanner};
    explicit Analysis(const std::wstring& root) {
        inputs.root = root;
        controller.onConsists();
        controller.onStock();
    }
    double step3(bool activities) {
        inputs.activities = activities;
        const double t0 = now();
        controller.onReferences();
        return now() - t0;
    }
};
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench-activities ROUTES_FOLDER TWIN_FOLDER [REPS]\n");
        return 2;
    }
    const int reps = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
    Analysis routes(argv[1]), twin(argv[2]);
    double off = 1e9, on = 1e9, asConsists = 1e9;
    for (int i = 0; i < reps; ++i) {
        off = std::min(off, routes.step3(false));
        on = std::min(on, routes.step3(true));
        asConsists = std::min(asConsists, twin.step3(false));
    }
    std::printf("step 3: off %.3fs  on %.3fs (%zu activities)  twin %.3fs (%zu consists)\n", off, on,
                routes.controller.activityFiles().size(), asConsists, twin.controller.consists().size());
    std::printf("activities cost %.3fs, as many consists cost %.3fs\n", on - off, asConsists - off);
    return 0;
}
