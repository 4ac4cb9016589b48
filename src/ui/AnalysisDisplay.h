#pragma once
// What the analysis shows while it runs: the step buttons, the counters, the
// gauge and the report buttons, with the repaint throttling that keeps a step
// fast while they climb visibly.
#include "analysis/AnalysisView.h"
#include "platform/WorkFiber.h"
#include "widgets/BarGauge.h"
#include "widgets/DigitCounter.h"
#include "widgets/LedButton.h"

#include <array>
#include <chrono>

namespace tw {

class AnalysisDisplay : public AnalysisView {
public:
    LedButton& stepButton(StepButton b) { return steps_[static_cast<int>(b)]; }
    DigitCounter& counter(Counter c) { return counters_[static_cast<int>(c)]; }
    BarGauge& gauge() { return gauge_; }

    void setButtonEnabled(StepButton b, bool enabled) override;
    bool buttonEnabled(StepButton b) const override;
    void setButtonActive(StepButton b, bool active) override;
    bool buttonActive(StepButton b) const override;
    void setButtonLedColour(StepButton b, Colour c) override;
    void setReportEnabled(ReportButton b, bool enabled) override;
    void setReportVisible(ReportButton b, bool visible) override;
    void setGaugeMin(int v) override;
    void setGaugeMax(int v) override;
    void setGaugePosition(int v) override;
    void setGaugeVisible(bool visible) override;
    void setHelpVisible(bool visible) override;
    void setCounterValue(Counter c, int value) override;
    int counterValue(Counter c) const override;
    void setCounterColour(Counter c, Colour colour) override;
    Colour counterColour(Counter c) const;
    void showMessage(const std::wstring& text, MessageBoxKind kind) override;
    void processPendingMessages() override;

protected:
    // The report buttons (in ReportButton order) and the Help button, once created.
    void setButtons(const std::array<HWND, 4>& reports, HWND help) {
        reports_ = reports;
        helpButton_ = help;
    }
    // A step begins and ends; steps nest (a box shown during one lets
    // another be clicked). True for the outermost.
    bool beginStep();
    bool endStep();
    bool stepRunning() const { return stepDepth_ > 0; }
    // Paints the counters and the gauge if they changed: now, or if the last
    // paint is old enough.
    void paintStepWidgets(bool now);
    // Handles the waiting messages, if the queue was not looked at just before.
    void letMessagesRun();

    // The outermost step runs as this work, so that menus opened meanwhile do not hold it.
    WorkFiber stepWork_;
    std::array<LedButton, 6> steps_;
    std::array<DigitCounter, 9> counters_;
    BarGauge gauge_;

private:
    void holdStepPaints(bool held);

    std::array<HWND, 4> reports_{};
    HWND helpButton_ = nullptr;
    int stepDepth_ = 0;
    std::chrono::steady_clock::time_point lastStepPaint_{};
    std::chrono::steady_clock::time_point lastPump_{};
};

} // namespace tw
