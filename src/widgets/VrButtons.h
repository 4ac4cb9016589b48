#pragma once
// Push button with a small square LED beside its caption; the LED shows Active.
#include "widgets/VrControls.h"
#include <string>

namespace tw {

enum class TVrImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };

// What an LED button is created with; the caption is set apart, as it follows
// the interface language.
struct LedButtonArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 125, height = 25;
    int id = 0;
    TVrImageTextLayout layout = TVrImageTextLayout::ImageLeft;   // where the LED stands
    TVrPalette palette{};            // the LED's off and on colours
    HFONT font = nullptr;            // not owned; nullptr: the program's widget font
    bool tabStop = false;
    bool enabled = true;
    std::function<void()> onClick{};
};

class TVrPowerButton : public TVrControl {
public:
    TVrPowerButton();
    bool create(const LedButtonArgs& args);

    bool Active() const { return active_; }
    void setActive(bool v);
    TVrPalette& Palette() { return palette_; }
    const std::wstring& Caption() const { return caption_; }
    void setCaption(const std::wstring& v);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
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
    void computeLayout();
    SIZE measureCaption() const;
    HFONT font() const { return font_ ? font_ : defaultWidgetFont(); }
    void toggleAndClick();

    bool active_ = false, enabled_ = true, tabStop_ = false;
    bool focused_ = false, tracking_ = false, pressed_ = false, spaceDown_ = false;
    TVrImageTextLayout layout_ = TVrImageTextLayout::ImageLeft;
    TVrPalette palette_;
    std::wstring caption_;
    HFONT font_ = nullptr;
    RECT ledRect_{}, captionRect_{};
};

} // namespace tw
