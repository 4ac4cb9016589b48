#pragma once
// Bevelled container panel. Its children's notifications and colour requests
// go on to the panel's own parent, so a dialog can host controls inside it.
#include "widgets/VrControls.h"

namespace tw {

class TVrBlotter : public TVrControl {
public:
    TVrBlotter();
    bool create(HWND parent, int x, int y, int width = 185, int height = 75, int id = 0) {
        return createControl(parent, x, y, width, height, id, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    }

    TVrBevel& Bevel() { return bevel_; }
    void setBevel(const BevelValues& v) { bevel_.assign(v); }
    Colour Color() const { return color_; }
    void setColor(Colour v);
    // Tiled instead of the Color fill when not empty; the image is copied.
    void setBackImage(const Image& img);
    bool FullRepaint() const { return fullRepaint_; }
    void setFullRepaint(bool v) { fullRepaint_ = v; }
    bool Locked() const { return locked_; }
    void setLocked(bool v) { locked_ = v; }

    // Client rectangle inset by the bevel: where children belong.
    RECT innerRect() const;
    void render(Image& img) override;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void scheduleRepaint();
    TVrBevel bevel_;
    Colour color_ = clBlack;
    Image back_;
    bool fullRepaint_ = true, locked_ = false;
    int inset_ = 0;
};

} // namespace tw
