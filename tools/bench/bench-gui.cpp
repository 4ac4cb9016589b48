// Run all through the live main window: the window is created in this
// process, pointed at the installation, and its Run all button clicked. Prints
// the time of the run and the largest gap between two repaints of the counters.
//   bench-gui SIMULATOR_FOLDER
// Output: "runall SECONDS" and "maxgap MILLISECONDS" lines, then the counters.
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "ui/MainWindow.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
double now() {
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart) ::QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Each counter's own window procedure, and the moments any of them painted.
std::vector<std::pair<HWND, WNDPROC>> original;
std::vector<double> paints;

LRESULT CALLBACK countPaints(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) paints.push_back(now());
    for (const auto& [hwnd, proc] : original)
        if (hwnd == h) return ::CallWindowProcW(proc, h, msg, wp, lp);
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
    tw::TForm1::Environment env;
    env.settingsPath = tempSettingsPath();
    ::DeleteFileW(env.settingsPath.c_str());
    env.simulatorFolder = argv[1];
    env.showWarning = [](tw::TForm1&) {};

    tw::TForm1 form(env);
    if (!form.createWindow()) {
        std::fprintf(stderr, "bench-gui: the main window could not be created\n");
        return 1;
    }
    ::ShowWindow(form.hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(form.hwnd());
    tw::processPendingMessages();
    form.E_MSTS().setText(argv[1]);
    tw::processPendingMessages();

    using tw::Counter;
    const Counter all[] = {Counter::Con, Counter::Eng, Counter::Wag, Counter::Mat, Counter::Lst,
                           Counter::Orp, Counter::Per, Counter::Man, Counter::Dir};
    for (Counter c : all) {
        HWND h = form.counter(c).hwnd();
        original.emplace_back(h, reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)));
        ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countPaints));
    }
    paints.reserve(1 << 20);

    const double start = now();
    form.stepButton(tw::StepButton::Go).OnClick();
    const double end = now();

    double gap = 0, last = start;
    for (double t : paints) {
        gap = std::max(gap, t - last);
        last = t;
    }
    gap = std::max(gap, end - last);
    std::printf("runall %.3f\nmaxgap %.0f\npaints %zu\n", end - start, gap * 1000, paints.size());
    for (Counter c : all) std::printf("%d ", form.counterValue(c));
    std::printf("\n");
    for (const auto& b : boxes) std::fprintf(stderr, "box: %ls\n", b.c_str());

    for (const auto& [hwnd, proc] : original) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    ::DestroyWindow(form.hwnd());
    ::DeleteFileW(env.settingsPath.c_str());
    return form.counter(Counter::Man).Palette().High() == tw::colours::Yellow ? 0 : 1;
}
