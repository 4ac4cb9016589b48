#pragma once
// Bar gauge of evenly spaced ticks, lit from one end in proportion to Position.
#include "widgets/VrControls.h"

namespace tw {

enum class TVrOrientation { voVertical, voHorizontal };
enum class TVrProgressStyle { psBottomLeft, psTopRight };

// What a gauge is created with.
struct BarGaugeArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 30, height = 170;
    int id = 0;
    TVrOrientation orientation = TVrOrientation::voVertical;
    TVrPalette palette{};            // unlit and lit ticks
};

class TVrGauge : public TVrControl {
public:
    TVrGauge();
    bool create(const BarGaugeArgs& args);

    void setMinValue(int v);
    int MaxValue() const { return max_; }
    void setMaxValue(int v);
    int Position() const { return position_; }
    void setPosition(int v);
    TVrBevel& Bevel() { return bevel_; }
    void setBevel(const BevelValues& v) { bevel_.assign(v); }
    // Swaps width and height.
    void setOrientation(TVrOrientation v);
    int TickHeight() const { return tickHeight_; }
    void setTickHeight(int v);
    void setSolidFill(bool v);
    void setStyle(TVrProgressStyle v);
    std::function<void()> OnChange, OnMinValue, OnMaxValue;

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
    bool vertical() const { return orientation_ == TVrOrientation::voVertical; }

    int min_ = 0, max_ = 100, position_ = 0, tickHeight_ = 1;
    TVrPalette palette_;
    TVrBevel bevel_;
    TVrOrientation orientation_ = TVrOrientation::voVertical;
    TVrProgressStyle style_ = TVrProgressStyle::psBottomLeft;
    bool solidFill_ = false;
    Image lit_, unlit_;
    bool ticksValid_ = false;
    int inset_ = 0;
    SIZE builtFor_{};
};

} // namespace tw
