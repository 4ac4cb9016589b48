#pragma once
// LED counter drawn with seven-segment digits from a built-in strip.
#include "widgets/VrControls.h"

namespace tw {

enum class TVrNumStyle { ns13x24, ns11x20, ns7x13, ns12x17, ns5x7 };
enum class TVrNumAlignment { naLeftJustify, naCenter, naRightJustify };

// Built-in 13-cell strip: black background, silver (takes High), gray (takes Low).
// Generated once per style; callers must not modify it.
const Image& builtInDigitStrip(TVrNumStyle style);
SIZE digitCellSize(TVrNumStyle style);

// What a counter is created with.
struct DigitCounterArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 100, height = 26;
    int id = 0;
    TVrNumStyle style = TVrNumStyle::ns13x24;
    int digits = 4;
    int max = 9999;
    TVrPalette palette{};            // unlit and lit segments
};

class TVrNum : public TVrControl {
public:
    TVrNum();
    bool create(const DigitCounterArgs& args);

    void setDigits(int v);
    int Value() const { return value_; }
    void setValue(int v);
    void setSpacing(int v);
    void setStyle(TVrNumStyle v);
    void setLeadingZero(bool v) { setAndRepaint(leadingZero_, v); }
    TVrPalette& Palette() { return palette_; }
    void setPalette(const TVrPalette& p) { palette_.assign(p); }
    void setAlignment(TVrNumAlignment v) { setAndRepaint(alignment_, v); }
    int Max() const { return max_; }
    void setMax(int v);
    int Min() const { return min_; }
    void setMin(int v);
    void setZeroBlank(bool v) { setAndRepaint(zeroBlank_, v); }
    void setAutoSize(bool v);
    void setColor(Colour v) { setAndRepaint(color_, v); }
    std::function<void()> OnChange;

    void render(Image& img) override;

protected:
    void onSystemColours() override;

private:
    template <typename T> void setAndRepaint(T& f, T v) {
        if (f == v) return;
        f = v;
        repaint();
    }
    // Reloads the strip from the built-in image and recolours it.
    void recolour();
    void applyAutoSize();

    int digits_ = 4, value_ = 0, spacing_ = 2, max_ = 9999, min_ = 0;
    TVrNumStyle style_ = TVrNumStyle::ns13x24;
    bool leadingZero_ = false, zeroBlank_ = false, autoSize_ = false;
    TVrNumAlignment alignment_ = TVrNumAlignment::naCenter;
    TVrPalette palette_;
    Colour color_ = clBlack;
    Image strip_;
    int cellW_ = 0, cellH_ = 0;
};

} // namespace tw
