// The one clock of the benchmarks: the performance counter, in milliseconds.
#pragma once

#include <windows.h>

namespace bench {

inline double MillisecondsNow() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
