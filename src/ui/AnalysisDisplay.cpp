#include "ui/AnalysisDisplay.h"

#include "platform/MessageBox.h"
#include "platform/Handle.h"
#include "platform/MessagePump.h"

namespace tw {

HWND AnalysisDisplay::createStepButton(StepButton which, const ControlRow& row, HWND parent, HFONT font,
                                       std::function<void()> onClick) {
    LedButton& button = stepButton(which);
    const bool runAll = which == StepButton::RunAll;
    // Steps 1 and 2 start available; the rest wait for the steps before them.
    if (!runAll) button.setEnabled(which == StepButton::Consists || which == StepButton::Stock);
    button.create({.parent = parent, .x = row.x, .y = row.y, .width = row.width, .height = row.height, .id = row.id,
                   .layout = runAll ? ImageTextLayout::ImageBottom : ImageTextLayout::ImageRight,
                   .palette = runAll ? Palette(clMaroon, clRed) : Palette(clPurple, clFuchsia),
                   .font = font, .tabStop = !runAll, .onClick = std::move(onClick)});
    return button.hwnd();
}

HWND AnalysisDisplay::createCounter(Counter which, const ControlRow& row, HWND parent) {
    DigitCounter& n = counter(which);
    n.create({.parent = parent, .x = row.x, .y = row.y, .width = row.width, .height = row.height, .id = row.id,
              .style = DigitStyle::Size7x13, .digits = 5, .max = 99999,
              .palette = which == Counter::Folders ? Palette(clNavy, clWhite) : Palette(clBlack, clOlive)});
    return n.hwnd();
}

HWND AnalysisDisplay::createGauge(const ControlRow& row, HWND parent) {
    gauge_.create({.parent = parent, .x = row.x, .y = row.y, .width = row.width, .height = row.height, .id = row.id,
                   .orientation = GaugeOrientation::Horizontal, .palette = {clGreen, clLime}});
    ShowWindow(gauge_.hwnd(), SW_HIDE); // shown while a step runs
    return gauge_.hwnd();
}

void AnalysisDisplay::runStep(const std::function<void()>& work, const std::function<void()>& ended) {
    stepWork_.run([&] {
        beginStep();
        ScopeGuard end([&] {
            if (endStep() && ended) ended();
        });
        work();
    });
}

void AnalysisDisplay::setButtonEnabled(StepButton b, bool enabled) { stepButton(b).setEnabled(enabled); }
bool AnalysisDisplay::buttonEnabled(StepButton b) const { return steps_[static_cast<int>(b)].enabled(); }
void AnalysisDisplay::setButtonActive(StepButton b, bool active) { stepButton(b).setActive(active); }
bool AnalysisDisplay::buttonActive(StepButton b) const { return steps_[static_cast<int>(b)].active(); }
void AnalysisDisplay::setButtonLedColour(StepButton b, Colour c) { stepButton(b).palette().setHigh(c); }

void AnalysisDisplay::setReportEnabled(ReportButton b, bool enabled) {
    EnableWindow(reports_[static_cast<int>(b)], enabled);
}
void AnalysisDisplay::setReportVisible(ReportButton b, bool visible) {
    ShowWindow(reports_[static_cast<int>(b)], visible ? SW_SHOWNA : SW_HIDE);
}

bool AnalysisDisplay::beginStep() {
    if (stepDepth_++ > 0) return false;
    holdStepPaints(true);
    lastPump_ = {};
    return true;
}

bool AnalysisDisplay::endStep() {
    if (--stepDepth_ > 0) return false;
    holdStepPaints(false);
    return true;
}

// A step changes the counters and the gauge thousands of times a second, and
// a paint costs more than the work behind a change: during a step they are
// painted at most every 20 ms, and at once whenever the step shows a box or
// ends, so they still climb visibly and end on their last value.
void AnalysisDisplay::holdStepPaints(bool held) {
    for (auto& c : counters_) c.setPaintHeld(held);
    gauge_.setPaintHeld(held);
    if (!held) paintStepWidgets(true);
}

void AnalysisDisplay::paintStepWidgets(bool now) {
    const auto t = std::chrono::steady_clock::now();
    if (!now && t - lastStepPaint_ < std::chrono::milliseconds(20)) return;
    lastStepPaint_ = t;
    for (auto& c : counters_) c.paintIfStale();
    gauge_.paintIfStale();
}

void AnalysisDisplay::setGaugeMin(int v) {
    gauge_.setMinValue(v);
    paintStepWidgets(false);
}
void AnalysisDisplay::setGaugeMax(int v) {
    gauge_.setMaxValue(v);
    paintStepWidgets(false);
}
void AnalysisDisplay::setGaugePosition(int v) {
    gauge_.setPosition(v);
    paintStepWidgets(false);
}
void AnalysisDisplay::setGaugeVisible(bool visible) { ShowWindow(gauge_.hwnd(), visible ? SW_SHOWNA : SW_HIDE); }
void AnalysisDisplay::setHelpVisible(bool visible) { ShowWindow(helpButton_, visible ? SW_SHOWNA : SW_HIDE); }

void AnalysisDisplay::setCounterValue(Counter c, int value) {
    counter(c).setValue(value);
    paintStepWidgets(false);
}
int AnalysisDisplay::counterValue(Counter c) const { return counters_[static_cast<int>(c)].value(); }
void AnalysisDisplay::setCounterColour(Counter c, Colour colour) {
    counter(c).palette().setHigh(colour);
    paintStepWidgets(false);
}
Colour AnalysisDisplay::counterColour(Counter c) const {
    return const_cast<DigitCounter&>(counters_[static_cast<int>(c)]).palette().high();
}

void AnalysisDisplay::showMessage(const std::wstring& text, MessageBoxKind kind) {
    const MessageKind k = kind == MessageBoxKind::Warning ? MessageKind::Warning
                          : kind == MessageBoxKind::Error ? MessageKind::Error
                                                          : MessageKind::Plain;
    paintStepWidgets(true);
    stepWork_.closeMenu(); // the box and a menu would both take the keyboard
    showMessageBox(text, k, MessageButtons::Ok);
}

void AnalysisDisplay::processPendingMessages() { letMessagesRun(); }

// A look at the message queue costs a round trip to the window system (some
// 50 microseconds under Wine), more than listing a file: a step asks for one
// per file, and the queue is looked at when it last was more than 5 ms ago.
// Clicks, repaints and the close box are still handled within a few
// milliseconds, and the first request of each step always looks.
void AnalysisDisplay::letMessagesRun() {
    paintStepWidgets(false);
    const auto t = std::chrono::steady_clock::now();
    if (stepDepth_ > 0 && t - lastPump_ < std::chrono::milliseconds(5)) return;
    // The outermost step hands the thread to the loop that started it; a step
    // nested in a box's loop, or run without a fiber, handles them here.
    if (stepDepth_ != 1 || !stepWork_.yield()) tw::processPendingMessages();
    lastPump_ = std::chrono::steady_clock::now();
}

} // namespace tw
