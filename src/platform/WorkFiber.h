#pragma once
// Long work on the user-interface thread, run on a fiber of its own. Each time
// the work lets messages run it hands the thread back to the fiber that
// started it, whose loop handles them. A menu's modal loop met there (the
// system menu opened with Alt+Space) would otherwise hold the work until the
// menu loop ends, which may be long after the menu looks closed: from the
// menu's idle message the work goes on while no message waits.
// The fibers switch only where no window procedure of the work is unfinished,
// so every window procedure returns on the fiber that called it, in order, as
// the system's callbacks require.
#include <windows.h>

#include <exception>
#include <functional>

namespace tw {

class WorkFiber {
public:
    WorkFiber() = default;
    WorkFiber(const WorkFiber&) = delete;
    WorkFiber& operator=(const WorkFiber&) = delete;

    // Runs work to its end on a fiber, handling the thread's messages each
    // time it yields; in place when work already runs or no fiber can be
    // made. Rethrows what work throws.
    void run(const std::function<void()>& work);
    // From the work: lets the starting fiber handle the waiting messages.
    // False anywhere else (the caller then handles them itself).
    bool yield();
    // From the owner's WM_ENTERIDLE for a menu: runs the work while no
    // message waits. The menu loop then waits for a message newer than the
    // last look at the queue, ours: one is posted to owner to wake it.
    void runWhileMenuIdle(HWND owner);
    // From the work, before it waits on the user (a message box): ends the
    // menu it runs beside and waits until the menu loop is over.
    void closeMenu();
    bool running() const { return fiber_ != nullptr; }

private:
    static void CALLBACK fiberMain(void* self);
    void switchTo(bool work);

    void* fiber_ = nullptr;    // the work's, while it runs
    void* starter_ = nullptr;  // the fiber that runs the message loops
    const std::function<void()>* work_ = nullptr;
    std::exception_ptr failure_;
    bool done_ = false;
    bool onWork_ = false;      // the work's fiber is the one running
    bool besideMenu_ = false;  // the work was resumed from a menu's idle message
};

} // namespace tw
