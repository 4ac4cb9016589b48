#pragma once
// Push button with a small square LED beside its caption; the LED shows Active.
#include "widgets/VrControls.h"
#include <string>

namespace tw {

enum class TVrImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };

class TVrPowerButton : public TVrControl {
public:
    TVrPowerButton();
    bool create(HWND parent, int x, int y, int width = 125, int height = 25, int id = 0);

    bool Active() const { return active_; }
    void setActive(bool v) { setAndRepaint(active_, v); }
    int LedWidth() const { return ledW_; }
    void setLedWidth(int v) { setAndLayout(ledW_, v < 1 ? 1 : v); }
    int LedHeight() const { return ledH_; }
    void setLedHeight(int v) { setAndLayout(ledH_, v < 1 ? 1 : v); }
    TVrImageTextLayout Layout() const { return layout_; }
    void setLayout(TVrImageTextLayout v) { setAndLayout(layout_, v); }
    int Margin() const { return margin_; }
    void setMargin(int v) { setAndLayout(margin_, v); }
    int Spacing() const { return spacing_; }
    void setSpacing(int v) { setAndLayout(spacing_, v); }
    TVrPalette& Palette() { return palette_; }
    void setPalette(const TVrPalette& p) { palette_.assign(p); }
    Colour FocusColor() const { return focusColor_; }
    void setFocusColor(Colour v) { setAndRepaint(focusColor_, v); }
    Colour OutlineColor() const { return outlineColor_; }
    void setOutlineColor(Colour v) { setAndRepaint(outlineColor_, v); }
    int OutlineWidth() const { return outlineWidth_; }
    void setOutlineWidth(int v) { setAndLayout(outlineWidth_, v < 0 ? 0 : v > 255 ? 255 : v); }
    Colour HighlightColor() const { return highlightColor_; }
    void setHighlightColor(Colour v) { setAndRepaint(highlightColor_, v); }
    Colour ShadowColor() const { return shadowColor_; }
    void setShadowColor(Colour v) { setAndRepaint(shadowColor_, v); }
    int BevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int v) { setAndLayout(bevelWidth_, v < 0 ? 0 : v > 255 ? 255 : v); }
    const std::wstring& Caption() const { return caption_; }
    void setCaption(const std::wstring& v);
    Colour Color() const { return color_; }
    void setColor(Colour v) { setAndRepaint(color_, v); }
    Colour FontColor() const { return fontColor_; }
    void setFontColor(Colour v) { setAndRepaint(fontColor_, v); }
    // The font is not owned; nullptr means the program's widget font.
    void setFont(HFONT f);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool v);
    std::function<void()> OnClick;

    // The accelerator character of Caption (upper case), or 0.
    wchar_t accelerator() const;
    bool focused() const { return focused_; }
    bool pressedLook() const { return pressed_; }
    RECT ledRect() const { return ledRect_; }
    RECT captionRect() const { return captionRect_; }

    void render(Image& img) override;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onResized() override { computeLayout(); }

private:
    template <typename T> void setAndRepaint(T& f, T v) {
        if (f == v) return;
        f = v;
        repaint();
    }
    template <typename T> void setAndLayout(T& f, T v) {
        if (f == v) return;
        f = v;
        computeLayout();
        repaint();
    }
    void computeLayout();
    SIZE measureCaption() const;
    HFONT font() const { return font_ ? font_ : defaultWidgetFont(); }
    void toggleAndClick();

    bool active_ = false, enabled_ = true, tabStop_ = false;
    bool focused_ = false, tracking_ = false, pressed_ = false, spaceDown_ = false;
    int ledW_ = 12, ledH_ = 12, margin_ = -1, spacing_ = 5, outlineWidth_ = 1, bevelWidth_ = 2;
    TVrImageTextLayout layout_ = TVrImageTextLayout::ImageLeft;
    TVrPalette palette_;
    Colour focusColor_ = clBlue, outlineColor_ = clBlack, highlightColor_ = clBtnHighlight,
           shadowColor_ = clBtnShadow, color_ = clBtnFace, fontColor_ = clBtnText;
    std::wstring caption_;
    HFONT font_ = nullptr;
    RECT ledRect_{}, captionRect_{};
};

} // namespace tw
