#pragma once
// Bevelled container panel. Its children's notifications and colour requests
// go on to the panel's own parent, so a dialog can host controls inside it.
#include "widgets/PaintedControl.h"

namespace tw {

// What a panel is created with.
struct BevelPanelArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 185, height = 75;
    int id = 0;
    Colour colour = clBlack;         // inside the bevel
};

class BevelPanel : public PaintedControl {
public:
    BevelPanel();
    bool create(const BevelPanelArgs& args);

    Bevel& bevel() { return bevel_; }
    void setBevel(const BevelValues& v) { bevel_.assign(v); }

    // Client rectangle inset by the bevel: where children belong.
    RECT innerRect() const;
    void render(Image& img) override;

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(int id, int code, HWND control) override;
    void onResized() override { scheduleRepaint(); }

private:
    void scheduleRepaint();
    Bevel bevel_;
    Colour color_ = clBlack;
    int inset_ = 0;
};

} // namespace tw
