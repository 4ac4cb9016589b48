#pragma once
// The analysis view without a screen: it keeps every element's state in
// memory and hands message boxes to a callback. The command-line tool runs the
// controller on it.
#include "analysis/AnalysisView.h"

#include <array>
#include <functional>
#include <string>

namespace tw {

class HeadlessView : public AnalysisView {
public:
    struct ButtonState {
        bool enabled = false;
        bool active = false;
        Colour led = colours::Fuchsia;
    };
    struct ReportState {
        bool enabled = false;
        bool visible = true;
    };
    struct CounterState {
        int value = 0;
        Colour colour = colours::Olive;
    };

    // The design state of the main window: steps 1 and 2 enabled, the rest disabled.
    HeadlessView();

    std::function<void(const std::wstring&, MessageBoxKind)> onMessage;
    std::function<void()> onPump;

    void setButtonEnabled(StepButton b, bool enabled) override { buttons[idx(b)].enabled = enabled; }
    bool buttonEnabled(StepButton b) const override { return buttons[idx(b)].enabled; }
    void setButtonActive(StepButton b, bool active) override { buttons[idx(b)].active = active; }
    bool buttonActive(StepButton b) const override { return buttons[idx(b)].active; }
    void setButtonLedColour(StepButton b, Colour c) override { buttons[idx(b)].led = c; }

    void setReportEnabled(ReportButton b, bool enabled) override { reports[idx(b)].enabled = enabled; }
    void setReportVisible(ReportButton b, bool visible) override { reports[idx(b)].visible = visible; }

    // Same bound rules as the gauge widget.
    void setGaugeMin(int v) override;
    void setGaugeMax(int v) override;
    void setGaugePosition(int v) override;
    void setGaugeVisible(bool visible) override { gaugeVisible = visible; }
    void setHelpVisible(bool visible) override { helpVisible = visible; }

    // Same clamp as the five-digit counters (0..99999).
    void setCounterValue(Counter c, int value) override;
    int counterValue(Counter c) const override { return counters[idx(c)].value; }
    void setCounterColour(Counter c, Colour colour) override { counters[idx(c)].colour = colour; }
    Colour counterColour(Counter c) const { return counters[idx(c)].colour; }

    void showMessage(const std::wstring& text, MessageBoxKind kind) override {
        if (onMessage) onMessage(text, kind);
    }
    void processPendingMessages() override {
        if (onPump) onPump();
    }

    std::array<ButtonState, 6> buttons{};
    std::array<ReportState, 4> reports{};
    std::array<CounterState, 9> counters{};
    int gaugeMin = 0, gaugeMax = 100, gaugePosition = 0;
    bool gaugeVisible = false, helpVisible = true;

    const ButtonState& button(StepButton b) const { return buttons[idx(b)]; }
    const ReportState& report(ReportButton b) const { return reports[idx(b)]; }
    const CounterState& counter(Counter c) const { return counters[idx(c)]; }

private:
    template <typename E> static std::size_t idx(E e) { return static_cast<std::size_t>(e); }
};

} // namespace tw
