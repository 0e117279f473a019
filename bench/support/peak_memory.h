// The process's memory figures (link psapi), for benchmarks that report memory.
#pragma once
#include <windows.h>
#include <psapi.h>

inline PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// The peak commit in megabytes.
inline double PeakMegabytes() { return MemoryCounters().PeakPagefileUsage / 1048576.0; }

// Resident memory in bytes, now or at its peak so far (Wine keeps no peak of committed memory).
inline SIZE_T ResidentBytes(bool peak) {
    const PROCESS_MEMORY_COUNTERS counters = MemoryCounters();
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}
