#pragma once
// A window is a C++ object: one static window procedure forwards to the
// object's handleMessage. No exception ever crosses the procedure: an escaping
// error is shown by the general error box once the message is done, and the
// message gets its default answer.
// A derived class whose messages use its own members destroys its window in
// its own destructor, while those members still exist.
#include <windows.h>
#include <functional>
#include <string>

namespace tw {

// What a window is created with. The class fields count only when the class
// is registered, the first time a window of that name is created.
struct WindowArgs {
    const wchar_t* className = L"";
    std::wstring title{};
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    int id = 0;                      // a child's control id
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = nullptr;
    HCURSOR cursor = nullptr;        // nullptr: the arrow
    // The control focused when the window was left gets the focus back when
    // the window is activated again (see Window::restoreFocus).
    bool restoreFocus = false;
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const noexcept { return hwnd_; }

    // Registers the class (once per name) and creates the window.
    bool create(const WindowArgs& args);

    void destroy();

protected:
    // Default: the base's own handling below, then DefWindowProc. Overrides
    // call Window::handleMessage for what they do not handle:
    // - WM_COMMAND goes to onCommand, WM_CLOSE to onClose;
    // - WM_PAINT and WM_PRINTCLIENT go to paintContent;
    // - WM_DRAWITEM goes back to the control that draws itself (OwnerDrawn);
    // - WM_ACTIVATE restores the focus, for windows created with restoreFocus.
    virtual LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // A menu item, accelerator or child control's notification. Default:
    // DefWindowProc's handling.
    virtual void onCommand(int id, int code, HWND control);
    // The window is asked to close. Default: DefWindowProc's, which destroys it.
    virtual void onClose();
    // Draws the whole client area into dc, for the screen (between BeginPaint
    // and EndPaint) and for a print request alike. Default: nothing beyond the
    // class background.
    virtual void paintContent(HDC dc, const RECT& client);
    // The default window procedure for the message being handled; a handler
    // that runs it and then fails has the message answered with its result.
    LRESULT defaultProcedure(UINT msg, WPARAM wp, LPARAM lp);
    // Called after WM_NCDESTROY, when the handle is gone.
    virtual void onDestroyed() {}

    // Focuses the control that had the focus when the window was last left;
    // the first time, or when it can no longer take it, firstFocus().
    void restoreFocus();
    // Where the focus goes when no remembered control can take it (nullptr:
    // where the system put it).
    virtual HWND firstFocus() const { return nullptr; }

private:
    static LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    bool restoresFocus_ = false;
    HWND lastFocus_ = nullptr;   // the control focused when the window was last left
    // The message being handled (nested ones have their own): whether the
    // default procedure ran for it, and its answer.
    struct Dispatch {
        bool defaultDone = false;
        LRESULT defaultResult = 0;
    };
    Dispatch* dispatch_ = nullptr;
};

// A standard control as a child: created, given its id and its font.
struct ChildArgs {
    const wchar_t* className = L"STATIC";
    std::wstring text{};
    DWORD style = 0;                 // WS_CHILD is always added
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    HFONT font = nullptr;            // nullptr: the control's own
};
HWND createChild(HWND parent, const ChildArgs& args);

// A control that draws itself. Its parent's WM_DRAWITEM comes back to it
// (Window does that by default), so no parent compares handles to know who
// draws what. The control must have an owner-draw style (BS_OWNERDRAW,
// SS_OWNERDRAW); the system then sends WM_DRAWITEM for WM_PAINT and for
// WM_PRINTCLIENT alike.
class OwnerDrawn {
public:
    using Draw = std::function<void(const DRAWITEMSTRUCT&)>;
    OwnerDrawn() = default;
    OwnerDrawn(const OwnerDrawn&) = delete;
    OwnerDrawn& operator=(const OwnerDrawn&) = delete;
    ~OwnerDrawn();

    bool attach(HWND control, Draw draw);
    HWND hwnd() const noexcept { return hwnd_; }

    // Hands a parent's WM_DRAWITEM to the control that draws it; false when
    // no OwnerDrawn draws that control.
    static bool reflect(const DRAWITEMSTRUCT& item);

private:
    static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self);
    HWND hwnd_ = nullptr;
    Draw draw_;
};

// Module instance of the running program.
HINSTANCE moduleInstance();

// Where a window of that outer size stands centred in an area of that size:
// the halves truncated toward zero, not clamped (the area's own corner is
// not added).
POINT centredIn(const RECT& area, int width, int height);
// The primary screen's work area (the screen less the taskbar).
RECT workArea();
// Moves the window to the centre of the screen, never past its top-left corner.
void centreOnScreen(HWND window);

} // namespace tw
