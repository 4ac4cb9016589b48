// The route check run as a step: step buttons held, the gauge over the files.
#include "analysis/AnalysisController.h"

namespace tw {

// Available exactly when the stock check is: once step 5 has run, never while a step runs.
void AnalysisController::onRoutes() {
    if (checkAvailable()) runAlone({.body = &AnalysisController::stepRoutes, .holdsStepButtons = true});
}

bool AnalysisController::stepRoutes() {
    routeResult_.reset();
    std::size_t shownCount = 0;
    routeResult_ = checkRoutes({analysedScope().simulator, stock_, used_, &consistsRead_}, [&](std::size_t index, std::size_t count) {
        if (count != shownCount) {
            shownCount = count;
            startGauge(count);
        }
        view_.setGaugePosition(static_cast<int>(index));
        view_.processPendingMessages();
    });
    return true;
}

} // namespace tw
