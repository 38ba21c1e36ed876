// Runs each kind of wait of the wizard against a stand-in program that runs
// for a few seconds, with a page window open, and prints for each the share
// of a core its main thread used and the longest time its window took to
// answer. A reference in the same run polls the process list every 10 ms,
// as the wizard once did for the setup-type program.
// Usage: WaitBench <folder of Dravik.exe and WaitProbe.exe>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "bench/BenchClock.h"
#include "platform/Win32Platform.h"
#include "ui/Form.h"
#include "wizard/base/StartPrograms.h"

namespace {

double Milliseconds() { return bench::MillisecondsNow(); }

double ThreadCpuMilliseconds(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Asks the window every 20 ms, from another thread, and keeps the longest
// time it took to answer.
class AnswerWatch {
  public:
    explicit AnswerWatch(HWND window) : window_(window), thread_([this] { Watch(); }) {}
    ~AnswerWatch() {
        stop_ = true;
        thread_.join();
    }
    double Longest() const { return longest_.load(); }

  private:
    void Watch() {
        while (!stop_) {
            const double start = Milliseconds();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            const double took = Milliseconds() - start;
            if (took > longest_.load()) longest_ = took;
            Sleep(20);
        }
    }

    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};

struct Figures {
    double wall = 0, cpu = 0, longestAnswer = 0;
};

// Each wait runs twice: alone, for the CPU share (the questions of the
// watch would cost the thread time of their own), then watched, for the
// answer time.
Figures Measure(HWND window, const std::function<void()>& start,
                const std::function<void()>& wait) {
    HANDLE self = GetCurrentThread();
    Figures figures;
    start();
    const double cpuBefore = ThreadCpuMilliseconds(self);
    const double begin = Milliseconds();
    wait();
    figures.wall = Milliseconds() - begin;
    figures.cpu = ThreadCpuMilliseconds(self) - cpuBefore;
    start();
    AnswerWatch watch(window);
    wait();
    figures.longestAnswer = watch.Longest();
    return figures;
}

void Print(const char* what, const Figures& f) {
    std::printf(
        "%-52s %6.0f ms waited, main thread %5.2f %% of a core, window answered within %5.1f ms\n",
        what, f.wall, f.wall > 0 ? 100.0 * f.cpu / f.wall : 0.0, f.longestAnswer);
}

void StartProbe(const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = "\"" + folder + "\\WaitProbe.exe\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        std::fprintf(stderr, "WaitProbe.exe did not start\n");
        std::exit(1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: WaitBench <folder of Dravik.exe and WaitProbe.exe>\n");
        return 2;
    }
    const std::string folder = argv[1];
    platform::Win32Platform win32;
    platform::ScopedPlatform installed(win32);
    ui::Form& page = ui::ShowModeless(std::make_unique<ui::Form>("Wartemessung", 6000, 3000));
    HWND window = FindWindowA(nullptr, "Wartemessung");
    if (window == nullptr) {
        std::fprintf(stderr, "the page window did not appear\n");
        return 1;
    }

    const auto nothing = [] {};
    const auto probe = [&folder] {
        StartProbe(folder);
        Sleep(200);
    };
    const Figures helper = Measure(window, nothing, [] { RunSetupTypeHelper(); });
    Print("setup-type program, its process handle:", helper);
    const Figures byName = Measure(window, probe, [] { WaitForProcessEnd("WaitProbe.exe"); });
    Print("installer by name, process list every 2000 ms:", byName);
    const Figures reference = Measure(window, probe, [&] {
        while (IsProcessRunning("WaitProbe.exe")) win32.WaitPumpingEvents(10);
    });
    Print("reference: process list every 10 ms:", reference);

    page.Unload();
    const double worst = std::max(helper.cpu / helper.wall, byName.cpu / byName.wall);
    std::printf("share %.2f %% at most, %.0f times less than the 10 ms poll\n", 100.0 * worst,
                worst > 0 ? (reference.cpu / reference.wall) / worst : 0.0);
    return 0;
}
