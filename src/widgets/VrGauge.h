#pragma once
// Bar gauge of evenly spaced ticks, lit from one end in proportion to Position.
#include "widgets/VrControls.h"

namespace tw {

enum class TVrOrientation { voVertical, voHorizontal };
enum class TVrProgressStyle { psBottomLeft, psTopRight };

class TVrGauge : public TVrControl {
public:
    TVrGauge();
    bool create(HWND parent, int x, int y, int width = 30, int height = 170, int id = 0) {
        return createControl(parent, x, y, width, height, id);
    }

    int MinValue() const { return min_; }
    void setMinValue(int v);
    int MaxValue() const { return max_; }
    void setMaxValue(int v);
    int Position() const { return position_; }
    void setPosition(int v);
    TVrPalette& Palette() { return palette_; }
    void setPalette(const TVrPalette& p) { palette_.assign(p); }
    TVrBevel& Bevel() { return bevel_; }
    void setBevel(const BevelValues& v) { bevel_.assign(v); }
    TVrOrientation Orientation() const { return orientation_; }
    void setOrientation(TVrOrientation v);
    int TickHeight() const { return tickHeight_; }
    void setTickHeight(int v);
    int Spacing() const { return spacing_; }
    void setSpacing(int v);
    bool SolidFill() const { return solidFill_; }
    void setSolidFill(bool v);
    TVrProgressStyle Style() const { return style_; }
    void setStyle(TVrProgressStyle v);
    bool ActiveClick() const { return activeClick_; }
    void setActiveClick(bool v) { activeClick_ = v; }
    int Step() const { return step_; }
    void setStep(int v) { step_ = v; }
    Colour Color() const { return color_; }
    void setColor(Colour v);
    std::function<void()> OnChange, OnMinValue, OnMaxValue;

    int tickCount() const;
    int litTicks() const;
    // Sets the extent along the gauge so the ticks fill the tick area exactly.
    void snapSize();
    void render(Image& img) override;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void beforePaint() override { snapSize(); }
    void onLoaded() override { ticksValid_ = false; }

private:
    void rebuild() { ticksValid_ = false; }
    int litOf(int ticks) const;
    void buildTicks(int areaW, int areaH);
    bool vertical() const { return orientation_ == TVrOrientation::voVertical; }

    int min_ = 0, max_ = 100, position_ = 0, tickHeight_ = 1, spacing_ = 1, step_ = 10;
    TVrPalette palette_;
    TVrBevel bevel_;
    TVrOrientation orientation_ = TVrOrientation::voVertical;
    TVrProgressStyle style_ = TVrProgressStyle::psBottomLeft;
    bool solidFill_ = false, activeClick_ = false;
    Colour color_ = clBlack;
    Image lit_, unlit_;
    bool ticksValid_ = false;
    int inset_ = 0;
    SIZE builtFor_{};
};

} // namespace tw
