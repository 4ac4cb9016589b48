#include "widgets/BarGauge.h"

namespace tw {

namespace {
constexpr int kSpacing = 1;   // unlit pixels between two ticks
}

BarGauge::BarGauge() : PaintedControl(false) {
    w_ = 30;
    h_ = 170;
    BevelValues b;
    b.InnerWidth = 2;
    b.InnerColor = clBlack;
    bevel_.assign(b);
    palette_.onChange = [this] {
        rebuild();
        repaint();
    };
    inset_ = bevel_.inset();
    bevel_.onChange = [this] {
        // Keep the tick area's size under the new inset.
        const int d = bevel_.inset() - inset_;
        inset_ = bevel_.inset();
        if (d != 0) setSize(w_ + 2 * d, h_ + 2 * d);
        rebuild();
        repaint();
    };
}

bool BarGauge::create(const BarGaugeArgs& a) {
    orientation_ = a.orientation;
    palette_.assign(a.palette);
    return createControl(a.parent, a.x, a.y, a.width, a.height, a.id);
}

void BarGauge::setPosition(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == position_) return;
    position_ = v;
    repaint();
    if (onChange) onChange();
    if (position_ == min_ && OnMinValue) OnMinValue();
    if (position_ == max_ && OnMaxValue) OnMaxValue();
}

void BarGauge::setMaxValue(int v) {
    if (v == max_ || v <= min_) return;
    max_ = v;
    if (position_ > max_) setPosition(max_);
    else repaint();
}

void BarGauge::setMinValue(int v) {
    if (v == min_ || v >= max_) return;
    min_ = v;
    if (position_ < min_) setPosition(min_);
    else repaint();
}

void BarGauge::setOrientation(GaugeOrientation v) {
    if (v == orientation_) return;
    orientation_ = v;
    setSize(h_, w_);
    rebuild();
    repaint();
}

void BarGauge::setTickHeight(int v) {
    if (v <= 0 || v == tickHeight_) return;
    tickHeight_ = v;
    rebuild();
    repaint();
}

void BarGauge::setSolidFill(bool v) {
    if (v == solidFill_) return;
    solidFill_ = v;
    rebuild();
    repaint();
}

void BarGauge::setStyle(GaugeFillStart v) {
    if (v == style_) return;
    style_ = v;
    repaint();
}

int BarGauge::tickCount() const {
    const int step = tickHeight_ + kSpacing;
    const int len = (vertical() ? h_ : w_) - 2 * bevel_.inset();
    const int n = (len + kSpacing) / step;
    return n < 0 ? 0 : n;
}

int BarGauge::litTicks() const { return litOf(tickCount()); }

int BarGauge::litOf(int ticks) const {
    // Whole percents, computed wide so extreme ranges cannot overflow.
    const long long range = static_cast<long long>(max_) - min_;
    const long long percent = range <= 0 ? 0 : 100LL * (static_cast<long long>(position_) - min_) / range;
    return static_cast<int>(ticks * percent / 100);
}

void BarGauge::snapSize() {
    const int step = tickHeight_ + kSpacing;
    const int n = tickCount();
    const int extent = 2 * bevel_.inset() + n * step - kSpacing;
    if (n <= 0 || extent == (vertical() ? h_ : w_)) return;
    setSize(vertical() ? w_ : extent, vertical() ? extent : h_);
}

void BarGauge::buildTicks(int areaW, int areaH) {
    const int tw = vertical() ? areaW : tickHeight_, th = vertical() ? tickHeight_ : areaH;
    lit_.resize(tw, th);
    unlit_.resize(tw, th);
    lit_.fill(palette_.high());
    if (tickHeight_ < 2 || solidFill_) {
        unlit_.fill(palette_.low());
    } else {
        for (int y = 0; y < th; ++y)
            for (int x = 0; x < tw; ++x) unlit_.setPixel(x, y, ((x & 1) == (y & 1)) ? palette_.low() : clBlack);
    }
    ticksValid_ = true;
}

void BarGauge::render(Image& img) {
    const int inset = bevel_.inset();
    RECT a{inset, inset, img.width() - inset, img.height() - inset};
    const int aw = a.right - a.left, ah = a.bottom - a.top;
    if (!ticksValid_ || builtFor_.cx != img.width() || builtFor_.cy != img.height()) {
        buildTicks(aw > 0 ? aw : 0, ah > 0 ? ah : 0);
        builtFor_ = {img.width(), img.height()};
    }
    img.fill(clBlack);
    RECT r{0, 0, img.width(), img.height()};
    bevel_.draw(img, r);
    const int step = tickHeight_ + kSpacing;
    if (aw <= 0 || ah <= 0) return;
    const int n = ((vertical() ? ah : aw) + kSpacing) / step;
    const int lit = litOf(n);
    // Index 0 is the tick at the origin edge.
    const bool fromStart = vertical() ? style_ == GaugeFillStart::FromTopRight : style_ == GaugeFillStart::FromBottomLeft;
    for (int i = 0; i < n; ++i) {
        const Image& tick = i < lit ? lit_ : unlit_;
        int pos;
        if (vertical()) {
            pos = fromStart ? a.top + i * step : a.bottom - tickHeight_ - i * step;
            img.blit(tick, 0, 0, tick.width(), tick.height(), a.left, pos);
        } else {
            pos = fromStart ? a.left + i * step : a.right - tickHeight_ - i * step;
            img.blit(tick, 0, 0, tick.width(), tick.height(), pos, a.top);
        }
    }
}

} // namespace tw
