// Run all through the live main window: the window is created in this
// process, pointed at the installation, and its Run all button clicked. Prints
// the time of the run, the largest gap between two repaints of the counters,
// and the longest a counter's new value waited before it was painted.
//   bench-gui SIMULATOR_FOLDER
// Output: "runall SECONDS" and "maxgap MILLISECONDS" lines, then the counters.
#include "BenchClock.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "ui/MainWindow.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
using bench::now;

using bench::cpu;

// Each counter's own window procedure, the moments any of them painted, and
// since when each counter has shown a value older than its own.
std::vector<std::pair<HWND, WNDPROC>> original;
std::vector<double> paints;
std::vector<double> staleSince;
double longestWait = 0, longestWaitAt = 0;

LRESULT CALLBACK countPaints(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    for (size_t i = 0; i < original.size(); ++i) {
        if (original[i].first != h) continue;
        if (msg == WM_PAINT) {
            const double t = now();
            paints.push_back(t);
            if (staleSince[i] > 0 && t - staleSince[i] > longestWait) {
                longestWait = t - staleSince[i];
                longestWaitAt = staleSince[i];
            }
            staleSince[i] = 0;
        }
        return ::CallWindowProcW(original[i].second, h, msg, wp, lp);
    }
    return ::DefWindowProcW(h, msg, wp, lp);
}

std::wstring tempSettingsPath() {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"trackwend-bench-gui.INI";
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-gui SIMULATOR_FOLDER\n");
        return 2;
    }
    std::vector<std::wstring> boxes;
    tw::setMessageBoxHandler([&](const std::wstring& text, tw::MessageKind, tw::MessageButtons) {
        boxes.push_back(text);
        return tw::kResultOk;
    });
    tw::MainWindow::Environment env;
    env.settingsPath = tempSettingsPath();
    ::DeleteFileW(env.settingsPath.c_str());
    env.simulatorFolder = argv[1];
    env.showWarning = [](tw::MainWindow&) {};

    tw::MainWindow form(env);
    if (!form.createWindow()) {
        std::fprintf(stderr, "bench-gui: the main window could not be created\n");
        return 1;
    }
    ::ShowWindow(form.hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(form.hwnd());
    tw::processPendingMessages();
    form.simulatorBox().setText(argv[1]);
    tw::processPendingMessages();

    using tw::Counter;
    const Counter all[] = {Counter::Consists, Counter::Engines, Counter::Wagons, Counter::Stock, Counter::References,
                           Counter::Orphans, Counter::Used, Counter::Missing, Counter::Folders};
    for (Counter c : all) {
        HWND h = form.display().counter(c).hwnd();
        original.emplace_back(h, reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)));
        ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countPaints));
    }
    paints.reserve(1 << 20);
    staleSince.assign(original.size(), 0);
    for (size_t i = 0; i < original.size(); ++i) {
        form.display().counter(all[i]).onChange = [i] {
            if (staleSince[i] == 0) staleSince[i] = now();
        };
    }

    if (std::getenv("BENCH_PUMP_COST")) {
        // What letting pending messages run costs when none are waiting.
        const double p0 = now();
        for (int i = 0; i < 100000; ++i) tw::processPendingMessages();
        std::fprintf(stderr, "empty pump %.2f us\n", (now() - p0) * 10);
        const double q0 = now();
        for (int i = 0; i < 100000; ++i) ::GetQueueStatus(QS_ALLINPUT);
        std::fprintf(stderr, "GetQueueStatus %.2f us\n", (now() - q0) * 10);
        const double w0 = now();
        for (int i = 0; i < 100000; ++i) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
        std::fprintf(stderr, "MsgWait %.2f us\n", (now() - w0) * 10);
        const double i0 = now();
        for (int i = 0; i < 100000; ++i) ::GetInputState();
        std::fprintf(stderr, "GetInputState %.2f us\n", (now() - i0) * 10);
    }
    const double start = now();
    if (std::getenv("BENCH_STEPS")) {
        // The five steps one by one, to see which one the window slows down.
        const tw::StepButton steps[] = {tw::StepButton::Consists, tw::StepButton::Stock, tw::StepButton::References,
                                        tw::StepButton::Orphans, tw::StepButton::Missing};
        double t = start, p = cpu();
        for (tw::StepButton b : steps) {
            form.display().stepButton(b).onClick();
            const double e = now(), q = cpu();
            std::fprintf(stderr, "step %d %.3f (cpu %.3f)\n", static_cast<int>(b) + 1, e - t, q - p);
            t = e;
            p = q;
        }
    } else {
        form.display().stepButton(tw::StepButton::RunAll).onClick();
    }
    const double end = now();

    double gap = 0, last = start, gapAt = 0;
    for (double t : paints) {
        if (t - last > gap) gap = t - last, gapAt = last - start;
        last = t;
    }
    if (end - last > gap) gap = end - last, gapAt = last - start;
    std::fprintf(stderr, "largest gap %.1f ms after %.3f s, longest wait %.1f ms after %.3f s\n", gap * 1000,
                 gapAt, longestWait * 1000, longestWaitAt - start);
    std::printf("runall %.3f\nmaxgap %.0f\nmaxwait %.0f\npaints %zu\n", end - start, gap * 1000,
                longestWait * 1000, paints.size());
    for (Counter c : all) std::printf("%d ", form.display().counterValue(c));
    std::printf("\n");
    for (const auto& b : boxes) std::fprintf(stderr, "box: %ls\n", b.c_str());

    for (const auto& [hwnd, proc] : original) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    ::DestroyWindow(form.hwnd());
    ::DeleteFileW(env.settingsPath.c_str());
    return form.display().counter(Counter::Missing).palette().high() == tw::colours::Yellow ? 0 : 1;
}
