#include "analysis/HeadlessView.h"

#include <algorithm>

namespace tw {

HeadlessView::HeadlessView() {
    buttons[static_cast<std::size_t>(StepButton::Consists)].enabled = true;
    buttons[static_cast<std::size_t>(StepButton::Stock)].enabled = true;
    buttons[static_cast<std::size_t>(StepButton::RunAll)].enabled = true;
    counters[static_cast<std::size_t>(Counter::Folders)].colour = 0xFFFFFF;
}

void HeadlessView::setGaugeMin(int v) {
    if (v >= gaugeMax) return;
    gaugeMin = v;
    gaugePosition = std::max(gaugePosition, gaugeMin);
}

void HeadlessView::setGaugeMax(int v) {
    if (v <= gaugeMin) return;
    gaugeMax = v;
    gaugePosition = std::min(gaugePosition, gaugeMax);
}

void HeadlessView::setGaugePosition(int v) { gaugePosition = std::clamp(v, gaugeMin, gaugeMax); }

void HeadlessView::setCounterValue(Counter c, int value) { counters[idx(c)].value = std::clamp(value, 0, 99999); }

} // namespace tw
