#pragma once
// Push button with a small square LED beside its caption; the LED shows Active.
#include "widgets/PaintedControl.h"
#include <string>

namespace tw {

enum class ImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };

// What an LED button is created with; the caption is set apart, as it follows
// the interface language.
struct LedButtonArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 125, height = 25;
    int id = 0;
    ImageTextLayout layout = ImageTextLayout::ImageLeft;   // where the LED stands
    Palette palette{};            // the LED's off and on colours
    HFONT font = nullptr;            // not owned; nullptr: the program's widget font
    bool tabStop = false;
    bool enabled = true;
    std::function<void()> onClick{};
};

class LedButton : public PaintedControl {
public:
    LedButton();
    bool create(const LedButtonArgs& args);

    bool active() const { return active_; }
    void setActive(bool v);
    Palette& palette() { return palette_; }
    const std::wstring& caption() const { return caption_; }
    void setCaption(const std::wstring& v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    std::function<void()> onClick;

    // The accelerator character of caption (upper case), or 0.
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
    ImageTextLayout layout_ = ImageTextLayout::ImageLeft;
    Palette palette_;
    std::wstring caption_;
    HFONT font_ = nullptr;
    RECT ledRect_{}, captionRect_{};
};

} // namespace tw
