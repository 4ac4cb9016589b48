#pragma once
// LED counter drawn with seven-segment digits from a built-in strip.
#include "widgets/PaintedControl.h"

namespace tw {

enum class DigitStyle { Size13x24, Size11x20, Size7x13, Size12x17, Size5x7 };
enum class DigitAlignment { Left, Centre, Right };

// Built-in 13-cell strip: black background, silver (takes High), gray (takes Low).
// Generated once per style; callers must not modify it.
const Image& builtInDigitStrip(DigitStyle style);
SIZE digitCellSize(DigitStyle style);

// What a counter is created with.
struct DigitCounterArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 100, height = 26;
    int id = 0;
    DigitStyle style = DigitStyle::Size13x24;
    int digits = 4;
    int max = 9999;
    Palette palette{};            // unlit and lit segments
};

class DigitCounter : public PaintedControl {
public:
    DigitCounter();
    bool create(const DigitCounterArgs& args);

    void setDigits(int v);
    int value() const { return value_; }
    void setValue(int v);
    void setSpacing(int v);
    void setStyle(DigitStyle v);
    void setLeadingZero(bool v) { setAndRepaint(leadingZero_, v); }
    Palette& palette() { return palette_; }
    void setPalette(const Palette& p) { palette_.assign(p); }
    void setAlignment(DigitAlignment v) { setAndRepaint(alignment_, v); }
    int max() const { return max_; }
    void setMax(int v);
    int min() const { return min_; }
    void setMin(int v);
    void setZeroBlank(bool v) { setAndRepaint(zeroBlank_, v); }
    void setAutoSize(bool v);
    void setColor(Colour v) { setAndRepaint(color_, v); }
    std::function<void()> onChange;

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
    DigitStyle style_ = DigitStyle::Size13x24;
    bool leadingZero_ = false, zeroBlank_ = false, autoSize_ = false;
    DigitAlignment alignment_ = DigitAlignment::Centre;
    Palette palette_;
    Colour color_ = clBlack;
    Image strip_;
    int cellW_ = 0, cellH_ = 0;
};

} // namespace tw
