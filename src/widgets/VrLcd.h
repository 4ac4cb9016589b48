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

class TVrNum : public TVrControl {
public:
    TVrNum();
    bool create(HWND parent, int x, int y, int id = 0) { return createControl(parent, x, y, w_, h_, id); }

    int Digits() const { return digits_; }
    void setDigits(int v);
    int Value() const { return value_; }
    void setValue(int v);
    int Spacing() const { return spacing_; }
    void setSpacing(int v);
    TVrNumStyle Style() const { return style_; }
    void setStyle(TVrNumStyle v);
    bool LeadingZero() const { return leadingZero_; }
    void setLeadingZero(bool v) { setAndRepaint(leadingZero_, v); }
    TVrPalette& Palette() { return palette_; }
    void setPalette(const TVrPalette& p) { palette_.assign(p); }
    TVrNumAlignment Alignment() const { return alignment_; }
    void setAlignment(TVrNumAlignment v) { setAndRepaint(alignment_, v); }
    int Max() const { return max_; }
    void setMax(int v);
    int Min() const { return min_; }
    void setMin(int v);
    bool ZeroBlank() const { return zeroBlank_; }
    void setZeroBlank(bool v) { setAndRepaint(zeroBlank_, v); }
    bool Transparent() const { return transparent_; }
    void setTransparent(bool v) { setAndRepaint(transparent_, v); }
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    Colour Color() const { return color_; }
    void setColor(Colour v) { setAndRepaint(color_, v); }
    std::function<void()> OnChange;

    void render(Image& img) override;
    // Reloads the strip from the built-in image and recolours it.
    void recolour();

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    template <typename T> void setAndRepaint(T& f, T v) {
        if (f == v) return;
        f = v;
        repaint();
    }
    void applyAutoSize();

    int digits_ = 4, value_ = 0, spacing_ = 2, max_ = 9999, min_ = 0;
    TVrNumStyle style_ = TVrNumStyle::ns13x24;
    bool leadingZero_ = false, zeroBlank_ = false, transparent_ = false, autoSize_ = false;
    TVrNumAlignment alignment_ = TVrNumAlignment::naCenter;
    TVrPalette palette_;
    Colour color_ = clBlack;
    Image strip_;
    int cellW_ = 0, cellH_ = 0;
};

} // namespace tw
