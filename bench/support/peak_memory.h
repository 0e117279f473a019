// The process's peak commit in megabytes (link psapi), for benchmarks that report memory.
#pragma once
#include <windows.h>
#include <psapi.h>

inline double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage / 1048576.0;
}
