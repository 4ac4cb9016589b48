#pragma once
// Base of the owner-drawn widgets: a child window whose whole look is rendered
// into an off-screen image by render() and copied to the screen in one BitBlt.
#include "platform/Window.h"
#include "widgets/VrClasses.h"

namespace tw {

class TVrControl : public Window {
public:
    // Windowless widgets never take the focus or keyboard input.
    bool createControl(HWND parent, int x, int y, int width, int height, int id = 0, DWORD extraStyle = 0,
                       DWORD exStyle = 0);
    // Renders the widget's present state into img (sized to the client area).
    virtual void render(Image& img) = 0;

    int width() const;
    int height() const;
    void setBounds(int x, int y, int width, int height);
    // Resizes in place, keeping the position within the parent.
    void setSize(int width, int height);
    // While loading, setters store values without repainting.
    void setLoading(bool loading);
    bool loading() const { return loading_; }
    // Synchronous repaint (skipped while loading or before creation). While
    // painting is held it only notes that the screen is stale.
    void repaint();
    // Holding painting lets a burst of changes reach the screen as one paint:
    // paintIfStale() then paints once if anything changed meanwhile.
    void setPaintHeld(bool held) { paintHeld_ = held; }
    void paintIfStale();

protected:
    explicit TVrControl(bool windowed) : windowed_(windowed) {}
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void onLoaded() {}
    virtual void onResized() {}
    // Called before each paint; may adjust the window's size.
    virtual void beforePaint() {}
    int w_ = 0, h_ = 0;

private:
    // WM_PAINT and WM_PRINTCLIENT: the present state, through the image.
    void paintTo(HDC dc);
    bool windowed_;
    bool loading_ = false;
    bool paintHeld_ = false;
    bool stale_ = false;
    Image image_;
};

} // namespace tw
