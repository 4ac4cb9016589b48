#pragma once
// What the instrument-panel widgets share: named colours, the Low/High palette,
// the multi-ring bevel and the ring primitive every frame is drawn with.
#include "widgets/OffscreenImage.h"
#include <functional>
#include <type_traits>

namespace tw {

constexpr Colour clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr Colour clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                 clBtnText = 0xFF000012, clBtnHighlight = 0xFF000014, clWindow = 0xFF000005,
                 clWindowText = 0xFF000008;

// Owned sub-object: tells its owner about changes unless updates are batched.
class ChangeNotifier {
public:
    std::function<void()> onChange;

protected:
    void beginUpdate() { ++updates_; }
    void endUpdate() {
        if (updates_ > 0 && --updates_ == 0) changed();
    }
    void changed() {
        if (updates_ == 0 && onChange) onChange();
    }
    template <typename T> void set(T& field, T value) {
        if (field == value) return;
        field = value;
        changed();
    }

private:
    int updates_ = 0;
};

class Palette : public ChangeNotifier {
public:
    Palette() = default;
    Palette(Colour low, Colour high) : low_(low), high_(high) {}
    Colour low() const { return low_; }
    Colour high() const { return high_; }
    void setHigh(Colour c) { set(high_, c); }
    // Copies both values and notifies once, even when nothing differs.
    void assign(const Palette& other);
    Colour colour(int level) const { return level > 0 ? high_ : low_; }

private:
    Colour low_ = clGreen, high_ = clLime;
};

enum class BevelStyle { None, Lowered, Raised };
enum class BevelOutline { None, Outer, Inner };

struct BevelValues {
    int BorderWidth = 0;
    Colour BorderColor = clBtnFace;
    Colour InnerShadow = clBtnShadow, InnerHighlight = clBtnHighlight;
    int InnerWidth = 1;
    BevelStyle InnerStyle = BevelStyle::Lowered;
    BevelOutline InnerOutline = BevelOutline::None;
    int InnerSpace = 1;
    Colour InnerColor = clBtnFace;
    Colour OuterShadow = clBtnShadow, OuterHighlight = clBtnHighlight;
    int OuterWidth = 1;
    BevelStyle OuterStyle = BevelStyle::Raised;
    BevelOutline OuterOutline = BevelOutline::Outer;
    int OuterSpace = 0;
    Colour OuterColor = clBtnFace;
    bool Visible = true;
    bool operator==(const BevelValues&) const = default;
};

class Bevel : public ChangeNotifier {
public:
    const BevelValues& values() const { return v_; }
    // Stores one field through a member pointer; notifies when it differs.
    // Widths are 1 and up, border and spaces 0 and up.
    template <typename T> void setValue(T BevelValues::*field, T value) {
        if constexpr (std::is_same_v<T, int>) {
            const int lowest = (field == &BevelValues::InnerWidth || field == &BevelValues::OuterWidth) ? 1 : 0;
            if (value < lowest) value = lowest;
        }
        set(v_.*field, value);
    }
    // Copies every value and notifies once.
    void assign(const BevelValues& values);
    int inset() const;
    // Draws the rings on r and leaves r shrunk to the inner area.
    void draw(Image& img, RECT& r) const;

private:
    BevelValues v_;
};

// n nested rings, outermost first; r is left shrunk by n.
void drawRings(Image& img, RECT& r, Colour first, Colour second, int n);

} // namespace tw
