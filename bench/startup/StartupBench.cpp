// Starts a program and measures the time until its window is visible: the
// wizard on a setup image against the minimal one-window program, in turns,
// in the same run. The wizard must also start other programs (the
// setup-type program, taskkill, runtime packages); the floor is what no
// start-up could beat: the minimal window plus starting each of those
// programs and waiting for its end, measured on the same image in the same
// round. The last line is "ratio <wizard / floor> to the floor". The floor
// starts console programs (taskkill) in the bench's console; the wizard
// gives them a console window of their own, a process that runs beside it.
// That cost is reported after all rounds, for comparison only.
// Usage: StartupBench <folder of MinimalWindow.exe> <image folder with Paldrix.exe> [runs]
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchClock.h"

namespace {

double Now() { return bench::MillisecondsNow(); }

HWND VisibleWindowOf(DWORD processId, const char* caption) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, caption)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// A program the measured one started, as it can be started again.
struct ChildProgram {
    std::string image;
    std::string commandLine;
};

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// The command line from the process's own parameters; empty when they
// cannot be read (yet).
std::string CommandLineOf(HANDLE process) {
    static const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    SIZE_T read = 0;
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0 ||
        basic.PebBaseAddress == nullptr ||
        !ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), &read) ||
        peb.ProcessParameters == nullptr ||
        !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters),
                           &read) ||
        parameters.CommandLine.Length == 0) {
        return {};
    }
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process, parameters.CommandLine.Buffer, wide.data(),
                           parameters.CommandLine.Length, &read)) {
        return {};
    }
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                     0, nullptr, nullptr);
    std::string line(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), line.data(), length,
                        nullptr, nullptr);
    return line;
}

// Watches the processes a program starts through a job and its completion
// port, on a thread of its own so that the window watch is not delayed.
class ChildWatch {
  public:
    ChildWatch()
        : job_(CreateJobObjectA(nullptr, nullptr)),
          port_(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1)) {
        JOBOBJECT_ASSOCIATE_COMPLETION_PORT association{job_, port_};
        SetInformationJobObject(job_, JobObjectAssociateCompletionPortInformation, &association,
                                sizeof(association));
        watcher_ = std::thread([this] { Watch(); });
    }
    ~ChildWatch() {
        PostQueuedCompletionStatus(port_, kStop, 0, nullptr);
        watcher_.join();
        for (auto& [id, child] : children_) CloseHandle(child.process);
        CloseHandle(port_);
        CloseHandle(job_);
    }
    ChildWatch(const ChildWatch&) = delete;
    ChildWatch& operator=(const ChildWatch&) = delete;

    HANDLE Job() const { return job_; }
    void Ignore(DWORD processId) { ignored_ = processId; }

    // Waits until every process of the job has ended, then lists what was
    // started besides the watched program, in start order.
    std::vector<ChildProgram> Collect() {
        WaitForSingleObject(allEnded_, 20000);
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::pair<int, ChildProgram>> ordered;
        for (auto& [id, child] : children_) {
            char image[MAX_PATH * 2] = {};
            DWORD length = sizeof(image);
            if (child.process == nullptr ||
                !QueryFullProcessImageNameA(child.process, 0, image, &length)) {
                continue;
            }
            std::string line =
                child.commandLine.empty() ? "\"" + std::string(image) + "\"" : child.commandLine;
            ordered.push_back({child.order, {image, line}});
        }
        std::sort(ordered.begin(), ordered.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<ChildProgram> programs;
        for (auto& entry : ordered) programs.push_back(entry.second);
        return programs;
    }

  private:
    static constexpr DWORD kStop = 0xFFFF;
    struct Child {
        HANDLE process = nullptr;
        std::string commandLine;
        int order = 0;
    };

    void Watch() {
        for (;;) {
            DWORD message = 0;
            ULONG_PTR key = 0;
            LPOVERLAPPED detail = nullptr;
            if (!GetQueuedCompletionStatus(port_, &message, &key, &detail, INFINITE)) continue;
            if (message == kStop) return;
            const auto processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(detail));
            if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) SetEvent(allEnded_);
            if (message != JOB_OBJECT_MSG_NEW_PROCESS || processId == ignored_) continue;
            Child child;
            child.order = static_cast<int>(children_.size());
            child.process =
                OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
            // The parameters appear once the new process has started up.
            for (int attempt = 0; child.process != nullptr && attempt < 200; ++attempt) {
                child.commandLine = CommandLineOf(child.process);
                if (!child.commandLine.empty() ||
                    WaitForSingleObject(child.process, 0) == WAIT_OBJECT_0) {
                    break;
                }
                Sleep(1);
            }
            std::lock_guard<std::mutex> lock(mutex_);
            children_[processId] = child;
        }
    }

    HANDLE job_;
    HANDLE port_;
    HANDLE allEnded_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD ignored_ = 0;
    std::mutex mutex_;
    std::map<DWORD, Child> children_;
    std::thread watcher_;
};

// Milliseconds from the process start to its window being visible; negative
// when it did not appear within 60 seconds. With `children`, also what the
// program started on its way.
// Standard handles for the programs started: console output (taskkill's)
// would only clutter the figures.
void QuietOutput(STARTUPINFOA& startup) {
    static HANDLE nul = [] {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
    }();
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
}

double TimeToWindow(const std::string& program, const std::string& folder, const char* caption,
                    std::vector<ChildProgram>* children = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    QuietOutput(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    std::unique_ptr<ChildWatch> watch;
    if (children != nullptr) watch = std::make_unique<ChildWatch>();
    const double start = Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                        watch ? CREATE_SUSPENDED : 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return -1;
    }
    if (watch) {
        // Joined before it runs, so that every program it starts is seen.
        watch->Ignore(process.dwProcessId);
        AssignProcessToJobObject(watch->Job(), process.hProcess);
        ResumeThread(process.hThread);
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
    if (watch) *children = watch->Collect();
    return elapsed;
}

// How a program is started again: as the floor starts it, in the bench's
// own console and hidden; or as a windowed program such as the wizard starts
// a console program: with a console window of its own, minimised without the
// focus. That window is a process of its own.
enum class StartedAs { BenchConsole, OwnConsole };

// Milliseconds from starting a program to its end; negative when it did
// not start or did not end within 60 seconds.
double TimeToEnd(const ChildProgram& child, const std::string& folder,
                 StartedAs how = StartedAs::BenchConsole) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    DWORD flags = 0;
    if (how == StartedAs::OwnConsole) {
        startup.wShowWindow = SW_SHOWMINNOACTIVE;
        flags = CREATE_NEW_CONSOLE;
    } else {
        QuietOutput(startup);
    }
    PROCESS_INFORMATION process{};
    std::string commandLine = child.commandLine;
    const double start = Now();
    if (!CreateProcessA(child.image.c_str(), commandLine.data(), nullptr, nullptr,
                        how == StartedAs::BenchConsole, flags, nullptr, folder.c_str(), &startup,
                        &process)) {
        return -1;
    }
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    const double elapsed = Now() - start;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ended ? elapsed : -1;
}

// Whether the program file is a console program, from its PE header.
bool IsConsoleProgram(const std::string& image) {
    HANDLE file = CreateFileA(image.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char header[4096] = {};
    DWORD read = 0;
    ReadFile(file, header, sizeof(header), &read, nullptr);
    CloseHandle(file);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(header);
    if (read < sizeof(IMAGE_DOS_HEADER) || dos->e_magic != IMAGE_DOS_SIGNATURE ||
        dos->e_lfanew < 0 || static_cast<DWORD>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS) > read) {
        return false;
    }
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(header + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE &&
           nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// For comparison only, after all rounds so that the figures above are taken
// as always: the console programs the wizard started, each started again in
// a console window of its own as the wizard starts them, and the floor with
// those times in place of the bench-console ones.
void ReportOwnConsoleFloor(const std::vector<ChildProgram>& children, const std::string& image,
                           int runs, double floor, double welcome,
                           const std::map<std::string, std::vector<double>>& childTimes) {
    double changed = floor;
    for (const ChildProgram& child : children) {
        if (!IsConsoleProgram(child.image)) continue;
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            times.push_back(TimeToEnd(child, image, StartedAs::OwnConsole));
        }
        const std::string name = FileName(child.image);
        if (*std::min_element(times.begin(), times.end()) < 0) {
            std::printf("%s did not run to its end in a console of its own\n", name.c_str());
            return;
        }
        std::printf(
            "started %s in a console window of its own, as the wizard starts it: "
            "median %.1f ms\n",
            name.c_str(), Median(times));
        changed += Median(times) - Median(childTimes.at(name));
    }
    std::printf("for comparison only: floor with those %.1f ms, ratio %.2f to it\n", changed,
                welcome / changed);
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

    // One start of each first, so that none pays for a cold cache, and so
    // that the runtime packages a first run installs are in place.
    // Both run in a job of their own, so that both pay for it alike.
    std::vector<ChildProgram> children, none;
    TimeToWindow(minimal, benchFolder, "Minimal Window", &none);
    TimeToWindow(wizard, image, wizardTitle, &children);
    for (const ChildProgram& child : children) TimeToEnd(child, image);

    std::vector<double> minimalTimes, wizardTimes, floorTimes;
    std::map<std::string, std::vector<double>> childTimes;
    for (int run = 0; run < runs; ++run) {
        const double m = TimeToWindow(minimal, benchFolder, "Minimal Window", &none);
        const double w = TimeToWindow(wizard, image, wizardTitle, &children);
        if (m < 0 || w < 0) {
            std::fprintf(stderr, "run %d: a window did not appear\n", run + 1);
            return 1;
        }
        double started = 0;
        std::string names;
        for (const ChildProgram& child : children) {
            const double c = TimeToEnd(child, image);
            if (c < 0) {
                std::fprintf(stderr, "run %d: %s did not run to its end\n", run + 1,
                             child.commandLine.c_str());
                return 1;
            }
            started += c;
            childTimes[FileName(child.image)].push_back(c);
            names += " " + FileName(child.image);
        }
        minimalTimes.push_back(m);
        wizardTimes.push_back(w);
        floorTimes.push_back(m + started);
        std::printf(
            "run %d: minimal window %7.1f ms, Welcome window %7.1f ms, floor %7.1f ms "
            "(started:%s)\n",
            run + 1, m, w, m + started, names.c_str());
    }
    const double m = Median(minimalTimes);
    const double w = Median(wizardTimes);
    const double f = Median(floorTimes);
    for (const auto& [name, times] : childTimes) {
        std::printf("started %s: %zu times in %d runs, median %.1f ms from start to end\n",
                    name.c_str(), times.size(), runs, Median(times));
    }
    std::printf("median: minimal window %.1f ms, Welcome window %.1f ms, ratio %.2f to it\n", m, w,
                w / m);
    ReportOwnConsoleFloor(children, image, runs, f, w, childTimes);
    std::printf("median floor (minimal window and the programs started) %.1f ms\n", f);
    std::printf("ratio %.2f to the floor\n", w / f);
    return 0;
}
