#pragma once
// A window is a C++ object: one static window procedure forwards to the
// object's handleMessage. No exception ever crosses the procedure: an escaping
// error is shown by the general error box once the message is done, and the
// message gets its default answer.
// A derived class whose messages use its own members destroys its window in
// its own destructor, while those members still exist.
#include <windows.h>
#include <string>

namespace tw {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const noexcept { return hwnd_; }

    // Registers the class (once per name) and creates the window.
    bool create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, HMENU idOrMenu = nullptr, UINT classStyle = CS_DBLCLKS,
                HBRUSH background = nullptr, HCURSOR cursor = nullptr);

    void destroy();

protected:
    // Default: DefWindowProc. Overrides call Window::handleMessage for what they do not handle.
    virtual LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Called after WM_NCDESTROY, when the handle is gone.
    virtual void onDestroyed() {}

private:
    static LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

// Module instance of the running program.
HINSTANCE moduleInstance();

} // namespace tw
