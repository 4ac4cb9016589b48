#pragma once
// Bar gauge of evenly spaced ticks, lit from one end in proportion to Position.
#include "widgets/PaintedControl.h"

namespace tw {

enum class GaugeOrientation { Vertical, Horizontal };
enum class GaugeFillStart { FromBottomLeft, FromTopRight };

// What a gauge is created with.
struct BarGaugeArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 30, height = 170;
    int id = 0;
    GaugeOrientation orientation = GaugeOrientation::Vertical;
    Palette palette{};            // unlit and lit ticks
};

class BarGauge : public PaintedControl {
public:
    BarGauge();
    bool create(const BarGaugeArgs& args);

    void setMinValue(int v);
    int maxValue() const { return max_; }
    void setMaxValue(int v);
    int position() const { return position_; }
    void setPosition(int v);
    Bevel& bevel() { return bevel_; }
    void setBevel(const BevelValues& v) { bevel_.assign(v); }
    // Swaps width and height.
    void setOrientation(GaugeOrientation v);
    int tickHeight() const { return tickHeight_; }
    void setTickHeight(int v);
    void setSolidFill(bool v);
    void setStyle(GaugeFillStart v);
    std::function<void()> onChange, OnMinValue, OnMaxValue;

    int tickCount() const;
    int litTicks() const;
    // Sets the extent along the gauge so the ticks fill the tick area exactly.
    void snapSize();
    void render(Image& img) override;

protected:
    void beforePaint() override { snapSize(); }
    void onSystemColours() override {
        rebuild();
        repaint();
    }

private:
    void rebuild() { ticksValid_ = false; }
    int litOf(int ticks) const;
    void buildTicks(int areaW, int areaH);
    bool vertical() const { return orientation_ == GaugeOrientation::Vertical; }

    int min_ = 0, max_ = 100, position_ = 0, tickHeight_ = 1;
    Palette palette_;
    Bevel bevel_;
    GaugeOrientation orientation_ = GaugeOrientation::Vertical;
    GaugeFillStart style_ = GaugeFillStart::FromBottomLeft;
    bool solidFill_ = false;
    Image lit_, unlit_;
    bool ticksValid_ = false;
    int inset_ = 0;
    SIZE builtFor_{};
};

} // namespace tw
