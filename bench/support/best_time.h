// The clock of the benchmarks: seconds from the performance counter, and the best of several
// runs of a piece of work (the machine is shared; the fastest run is the least disturbed).
#pragma once
#include <windows.h>
#include <functional>

inline double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

inline double BestTime(const std::function<void()>& work, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = Seconds();
        work();
        const double elapsed = Seconds() - start;
        if (elapsed < best) best = elapsed;
    }
    return best;
}
