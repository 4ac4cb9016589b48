#pragma once
// What the analysis shows while it runs: the step buttons, the counters, the
// gauge and the report buttons, with the repaint throttling that keeps a step
// fast while they climb visibly, and the running of a step itself.
#include "analysis/AnalysisView.h"
#include "ui/MainLayout.h"
#include "platform/WorkFiber.h"
#include "widgets/BarGauge.h"
#include "widgets/DigitCounter.h"
#include "widgets/LedButton.h"

#include <array>
#include <chrono>
#include <functional>

namespace tw {

// The main window owns one and places its controls from the layout rows.
class AnalysisDisplay : public AnalysisView {
public:
    // The painted controls it owns, created where their rows place them.
    HWND createStepButton(StepButton which, const ControlRow& row, HWND parent, HFONT font,
                          std::function<void()> onClick);
    HWND createCounter(Counter which, const ControlRow& row, HWND parent);
    HWND createGauge(const ControlRow& row, HWND parent);
    // The report buttons (in ReportButton order) and the Help button, which the window owns.
    void attachButtons(const std::array<HWND, 4>& reports, HWND help) {
        reports_ = reports;
        helpButton_ = help;
    }

    LedButton& stepButton(StepButton b) { return steps_[static_cast<int>(b)]; }
    DigitCounter& counter(Counter c) { return counters_[static_cast<int>(c)]; }
    BarGauge& gauge() { return gauge_; }
    Colour counterColour(Counter c) const;

    // Runs a step's work: on a fiber of its own when it is the outermost (so
    // that a menu opened meanwhile does not hold it), the counters' paints
    // held meanwhile. Steps nest (a box shown during one lets another be
    // clicked); ended runs once the outermost has ended, however it ends.
    void runStep(const std::function<void()>& work, const std::function<void()>& ended);
    bool stepRunning() const { return stepDepth_ > 0; }
    // From the owner's WM_ENTERIDLE for a menu: the step goes on meanwhile.
    void runWhileMenuIdle(HWND owner) { stepWork_.runWhileMenuIdle(owner); }
    // Paints the counters and the gauge if they changed: now, or if the last
    // paint is old enough.
    void paintStepWidgets(bool now);
    // Handles the waiting messages, if the queue was not looked at just before.
    void letMessagesRun();

    // AnalysisView
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
    void showMessage(const std::wstring& text, MessageBoxKind kind) override;
    void processPendingMessages() override;

private:
    bool beginStep();
    bool endStep();
    void holdStepPaints(bool held);

    WorkFiber stepWork_;
    std::array<LedButton, 6> steps_;
    std::array<DigitCounter, 9> counters_;
    BarGauge gauge_;
    std::array<HWND, 4> reports_{};
    HWND helpButton_ = nullptr;
    int stepDepth_ = 0;
    std::chrono::steady_clock::time_point lastStepPaint_{};
    std::chrono::steady_clock::time_point lastPump_{};
};

} // namespace tw
