#pragma once
// Base of the owner-drawn widgets: a child window whose whole look is rendered
// into an off-screen image by render() and copied to the screen in one BitBlt.
#include "platform/Window.h"
#include "widgets/Palette.h"

namespace tw {

class PaintedControl : public Window {
public:
    // Renders the widget's present state into img (sized to the client area).
    virtual void render(Image& img) = 0;

    int width() const { return w_; }
    int height() const { return h_; }
    void setBounds(int x, int y, int width, int height);
    // Holding painting lets a burst of changes reach the screen as one paint:
    // paintIfStale() then paints once if anything changed meanwhile.
    void setPaintHeld(bool held) { paintHeld_ = held; }
    void paintIfStale();

protected:
    explicit PaintedControl(bool windowed) : windowed_(windowed) {}
    // Windowless widgets never take the focus or keyboard input.
    bool createControl(HWND parent, int x, int y, int width, int height, int id, DWORD extraStyle = 0,
                       DWORD exStyle = 0);
    // Resizes in place, keeping the position within the parent.
    void setSize(int width, int height);
    // Synchronous repaint (skipped before creation). While painting is held
    // it only notes that the screen is stale.
    void repaint();
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void paintContent(HDC dc, const RECT& client) override;
    virtual void onResized() {}
    // Called before each paint begins; may adjust the window's size.
    virtual void beforePaint() {}
    // The system colours changed: what was resolved from them is stale.
    virtual void onSystemColours() {}
    int w_ = 0, h_ = 0;

private:
    bool windowed_;
    bool paintHeld_ = false;
    bool stale_ = false;
    Image image_;
};

} // namespace tw
