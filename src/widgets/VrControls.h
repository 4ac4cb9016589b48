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
    // Synchronous repaint (skipped while loading or before creation).
    void repaint();

protected:
    explicit TVrControl(bool windowed) : windowed_(windowed) {}
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void onLoaded() {}
    virtual void onResized() {}
    // Called before each paint; may adjust the window's size.
    virtual void beforePaint() {}
    int w_ = 0, h_ = 0;

private:
    bool windowed_;
    bool loading_ = false;
    Image image_;
};

} // namespace tw
