#pragma once
// Clocks shared by the benchmark programs.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace bench {

// Wall-clock time in seconds.
inline double now() {
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart) ::QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Processor time of this process so far (user and kernel), in seconds: on a
// busy machine it tells the program's own work from the waiting.
inline double cpu() {
    FILETIME c, e, k, u;
    ::GetProcessTimes(::GetCurrentProcess(), &c, &e, &k, &u);
    auto s = [](const FILETIME& f) {
        return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
    };
    return s(k) + s(u);
}

// The shortest of BENCH_REPS runs of f (default 3), in seconds.
template <typename F> double best(F f) {
    const char* reps = std::getenv("BENCH_REPS");
    double shortest = 1e30;
    for (int i = 0, n = reps ? std::max(1, std::atoi(reps)) : 3; i < n; ++i) {
        const double t0 = now();
        f();
        shortest = std::min(shortest, now() - t0);
    }
    return shortest;
}

} // namespace bench
