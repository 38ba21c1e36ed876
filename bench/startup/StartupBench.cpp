// Starts a program and measures the time until its window is visible:
// the wizard on a setup image against the minimal one-window program, in
// turns, in the same run. Prints the figures and their ratio.
// Usage: StartupBench <folder of MinimalWindow.exe> <image folder with Paldrix.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND VisibleWindowOf(DWORD processId, const char* caption) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, caption)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Milliseconds from the process start to its window being visible; negative
// when it did not appear within 60 seconds.
double TimeToWindow(const std::string& program, const std::string& folder, const char* caption) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    const double start = Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    while (Now() - start < 60000) {
        if (VisibleWindowOf(process.dwProcessId, caption) != nullptr) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBench <bench folder> <image folder> [runs]\n");
        return 2;
    }
    const std::string benchFolder = argv[1];
    const std::string image = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    const std::string minimal = benchFolder + "\\MinimalWindow.exe";
    const std::string wizard = image + "\\Paldrix.exe";
    const char* wizardTitle = "ZEVRIN Tolvane Setup-Assistent";

    // One start of each first, so that neither pays for a cold cache.
    TimeToWindow(minimal, benchFolder, "Minimal Window");
    TimeToWindow(wizard, image, wizardTitle);

    std::vector<double> minimalTimes, wizardTimes;
    for (int run = 0; run < runs; ++run) {
        const double m = TimeToWindow(minimal, benchFolder, "Minimal Window");
        const double w = TimeToWindow(wizard, image, wizardTitle);
        if (m < 0 || w < 0) {
            std::fprintf(stderr, "run %d: a window did not appear\n", run + 1);
            return 1;
        }
        minimalTimes.push_back(m);
        wizardTimes.push_back(w);
        std::printf("run %d: minimal window %7.1f ms, Welcome window %7.1f ms\n", run + 1, m, w);
    }
    const double m = Median(minimalTimes);
    const double w = Median(wizardTimes);
    std::printf(
        "median: minimal window %.1f ms, Welcome window %.1f ms, ratio %.2f (aim: under 1.5)\n", m,
        w, w / m);
    return 0;
}
