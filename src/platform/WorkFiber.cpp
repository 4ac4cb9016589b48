#include "platform/WorkFiber.h"

#include "platform/Handle.h"
#include "platform/MessagePump.h"

#include <utility>

namespace tw {

void WorkFiber::run(const std::function<void()>& work) {
    if (fiber_) {
        work();
        return;
    }
    // A thread some other code made a fiber is left to that code.
    void* starter = IsThreadAFiber() ? nullptr : ConvertThreadToFiber(nullptr);
    if (!starter) {
        work();
        return;
    }
    fiber_ = CreateFiber(0, &WorkFiber::fiberMain, this);
    if (!fiber_) {
        ConvertFiberToThread();
        work();
        return;
    }
    starter_ = starter;
    work_ = &work;
    done_ = false;
    {
        ScopeGuard release([&] {
            DeleteFiber(fiber_);
            fiber_ = nullptr;
            ConvertFiberToThread();
        });
        while (!done_) {
            switchTo(true);
            if (!done_) processPendingMessages();
        }
    }
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void CALLBACK WorkFiber::fiberMain(void* self) {
    auto& me = *static_cast<WorkFiber*>(self);
    try {
        (*me.work_)();
    } catch (...) {
        me.failure_ = std::current_exception();
    }
    me.done_ = true;
    // A fiber's function must not return (the thread would end with it).
    for (;;) me.switchTo(false);
}

// Only this class switches between the two fibers: it knows which one runs.
void WorkFiber::switchTo(bool work) {
    onWork_ = work;
    SwitchToFiber(work ? fiber_ : starter_);
}

bool WorkFiber::yield() {
    if (!fiber_ || done_ || !onWork_) return false;
    switchTo(false);
    return true;
}

void WorkFiber::runWhileMenuIdle(HWND owner) {
    if (!fiber_ || done_ || besideMenu_ || onWork_) return;
    besideMenu_ = true;
    // The high word: the kinds of message in the queue now, whether seen before or not.
    while (!done_ && HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) switchTo(true);
    besideMenu_ = false;
    if (!done_) PostMessageW(owner, WM_NULL, 0, 0);
}

void WorkFiber::closeMenu() {
    if (!fiber_ || !onWork_) return;
    while (besideMenu_) {
        EndMenu();
        switchTo(false);
    }
}

} // namespace tw
