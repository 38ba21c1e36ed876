// Starts a program and measures the time until its window is visible: the
// wizard on a setup image against the minimal one-window program and against
// the floor, in turns, in the same run. On its way to the Welcome window the
// wizard starts other programs (taskkill, the setup-type program twice); the
// floor is the minimal program starting those same programs with the same
// calls, in the same order, waiting where the wizard waits, before it shows
// its window (MinimalWindow.cpp). No start-up could beat it. The bench checks
// in every round that the floor started what the wizard started. The last
// line is "ratio <wizard / floor> to the floor".
// Usage: StartupBench <folder of MinimalWindow.exe> <image folder with Paldrix.exe> [runs]
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchClock.h"

namespace {

double Now() { return bench::MillisecondsNow(); }

std::string Utf8(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
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

// A program the measured one started.
struct ChildProgram {
    std::wstring image;
    std::wstring commandLine;
    bool operator==(const ChildProgram&) const = default;
};

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

bool BasicInformation(HANDLE process, PROCESS_BASIC_INFORMATION& basic) {
    static const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    return query != nullptr &&
           query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) == 0;
}

// The command line from the process's own parameters; empty when they
// cannot be read (yet).
std::wstring CommandLineOf(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    SIZE_T read = 0;
    if (!BasicInformation(process, basic) || basic.PebBaseAddress == nullptr ||
        !ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), &read) ||
        peb.ProcessParameters == nullptr ||
        !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters),
                           &read) ||
        parameters.CommandLine.Length == 0) {
        return {};
    }
    // Until the new process has set them up, the parameters hold offsets
    // from their own start instead of addresses.
    auto buffer = reinterpret_cast<ULONG_PTR>(parameters.CommandLine.Buffer);
    const auto block = reinterpret_cast<ULONG_PTR>(peb.ProcessParameters);
    if (buffer < block) buffer += block;
    std::wstring line(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(buffer), line.data(),
                           parameters.CommandLine.Length, &read) ||
        line.find(L'\0') != std::wstring::npos) {
        return {};
    }
    return line;
}

// Watches the programs that one program starts itself (not what those start
// in turn, such as a console window's host) through a job and its completion
// port, on a thread of its own so that the window watch is not delayed.
class ChildWatch {
  public:
    ChildWatch()
        : job_(CreateJobObjectW(nullptr, nullptr)),
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

    // Joined before it runs, so that every program it starts is seen.
    void Join(const PROCESS_INFORMATION& process) {
        parent_ = process.dwProcessId;
        AssignProcessToJobObject(job_, process.hProcess);
    }

    // Waits until every process of the job has ended, then lists what the
    // watched program started, in start order.
    std::vector<ChildProgram> Collect() {
        WaitForSingleObject(allEnded_, 20000);
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::pair<int, ChildProgram>> ordered;
        for (auto& [id, child] : children_) {
            wchar_t image[MAX_PATH * 2] = {};
            DWORD length = MAX_PATH * 2;
            if (!QueryFullProcessImageNameW(child.process, 0, image, &length)) continue;
            std::wstring line = child.commandLine.empty()
                                    ? L"\"" + std::wstring(image, length) + L"\""
                                    : child.commandLine;
            ordered.push_back({child.order, {std::wstring(image, length), line}});
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
        std::wstring commandLine;
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
            if (message == JOB_OBJECT_MSG_NEW_PROCESS && processId != parent_) Note(processId);
        }
    }

    void Note(DWORD processId) {
        Child child;
        child.process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
        PROCESS_BASIC_INFORMATION basic{};
        if (child.process == nullptr || !BasicInformation(child.process, basic) ||
            basic.InheritedFromUniqueProcessId != parent_) {
            if (child.process != nullptr) CloseHandle(child.process);
            return;
        }
        // The parameters appear once the new process has started up.
        for (int attempt = 0; attempt < 200; ++attempt) {
            child.commandLine = CommandLineOf(child.process);
            if (!child.commandLine.empty() ||
                WaitForSingleObject(child.process, 0) == WAIT_OBJECT_0) {
                break;
            }
            Sleep(1);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        child.order = static_cast<int>(children_.size());
        children_[processId] = child;
    }

    HANDLE job_;
    HANDLE port_;
    HANDLE allEnded_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD parent_ = 0;
    std::mutex mutex_;
    std::map<DWORD, Child> children_;
    std::thread watcher_;
};

// Standard handles for the measured program: console output would only
// clutter the figures.
void QuietOutput(STARTUPINFOA& startup) {
    static HANDLE nul = [] {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
    }();
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
}

// Milliseconds from the process start to its window being visible; negative
// when it did not appear within 60 seconds. Also what the program started
// on its way (each measured program runs in a job of its own, so that all
// pay for it alike). A `plan` makes the minimal window the floor.
double TimeToWindow(const std::string& program, const std::string& folder, const char* caption,
                    std::vector<ChildProgram>& children, const std::wstring& plan = {}) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    QuietOutput(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    ChildWatch watch;
    // Only the floor sees the plan, and the bench starts one program at a time.
    SetEnvironmentVariableW(L"STARTUP_FLOOR", plan.empty() ? nullptr : plan.c_str());
    const double start = Now();
    const BOOL started =
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                       nullptr, folder.c_str(), &startup, &process);
    SetEnvironmentVariableW(L"STARTUP_FLOOR", nullptr);
    if (!started) return -1;
    watch.Join(process);
    ResumeThread(process.hThread);
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
    children = watch.Collect();
    return elapsed;
}

// Whether the program file is a console program, from its PE header.
bool IsConsoleProgram(const std::wstring& image) {
    HANDLE file = CreateFileW(image.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
std::wstring FileName(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

// The floor's plan (MinimalWindow.cpp) from what the wizard started: the
// wizard starts console programs (taskkill) as plain command lines in a
// console window of their own without waiting, and every other program on
// its way to the first page through the shell, hidden, waiting for it.
std::wstring FloorPlan(const std::vector<ChildProgram>& children) {
    std::wstring plan;
    for (const ChildProgram& child : children) {
        plan += IsConsoleProgram(child.image)
                    ? L"start|" + child.image + L"|" + child.commandLine + L"\n"
                    : L"run|" + FolderOf(child.image) + L"|" + FileName(child.image) + L"\n";
    }
    return plan;
}

// The programs by name and how they are started; with `exactly`, by file
// and command line.
std::string Describe(const std::vector<ChildProgram>& children, bool exactly = false) {
    std::string text;
    for (const ChildProgram& child : children) {
        text += text.empty() ? "" : ", ";
        text += exactly ? Utf8(child.image) + " [" + Utf8(child.commandLine) + "]"
                        : Utf8(FileName(child.image));
        text += IsConsoleProgram(child.image) ? " (own console, minimised, not waited for)"
                                              : " (through the shell, hidden, waited for)";
    }
    return text.empty() ? "nothing" : text;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The three programs measured: the minimal window bare and as the floor
// (with the plan), and the wizard.
struct Measured {
    std::string benchFolder, image, minimal, wizard;
    std::vector<ChildProgram> planned;
    std::wstring plan;
};
constexpr const char* kWizardTitle = "ZEVRIN Tolvane Setup-Assistent";
constexpr const char* kMinimalTitle = "Minimal Window";

struct RoundTimes {
    double minimal = -1, floor = -1, wizard = -1;
};

// One round: the minimal window, then the wizard and the floor, which take
// turns at going first. nullopt, with the reason said, when a window did not
// appear or the floor did not start what the wizard started.
std::optional<RoundTimes> MeasureRound(const Measured& measured, int run) {
    RoundTimes times;
    std::vector<ChildProgram> byMinimal, byWizard, byFloor;
    times.minimal = TimeToWindow(measured.minimal, measured.benchFolder, kMinimalTitle, byMinimal);
    for (int turn = 0; turn < 2; ++turn) {
        if ((turn + run) % 2 == 0) {
            times.wizard = TimeToWindow(measured.wizard, measured.image, kWizardTitle, byWizard);
        } else {
            times.floor = TimeToWindow(measured.minimal, measured.benchFolder, kMinimalTitle,
                                       byFloor, measured.plan);
        }
    }
    if (times.minimal < 0 || times.wizard < 0 || times.floor < 0) {
        std::fprintf(stderr, "run %d: a window did not appear\n", run + 1);
        return std::nullopt;
    }
    if (byWizard != measured.planned || byFloor != measured.planned) {
        std::fprintf(stderr, "run %d: the wizard started %s; the floor %s; planned were %s\n",
                     run + 1, Describe(byWizard, true).c_str(), Describe(byFloor, true).c_str(),
                     Describe(measured.planned, true).c_str());
        return std::nullopt;
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBench <bench folder> <image folder> [runs]\n");
        return 2;
    }
    Measured measured;
    measured.benchFolder = argv[1];
    measured.image = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    measured.minimal = measured.benchFolder + "\\MinimalWindow.exe";
    measured.wizard = measured.image + "\\Paldrix.exe";

    // Each once first, so that none pays for a cold cache; the wizard twice,
    // so that the runtime packages a first run installs are in place and the
    // plan is what every later run starts.
    std::vector<ChildProgram> started;
    TimeToWindow(measured.minimal, measured.benchFolder, kMinimalTitle, started);
    TimeToWindow(measured.wizard, measured.image, kWizardTitle, started);
    TimeToWindow(measured.wizard, measured.image, kWizardTitle, measured.planned);
    measured.plan = FloorPlan(measured.planned);
    TimeToWindow(measured.minimal, measured.benchFolder, kMinimalTitle, started, measured.plan);
    std::printf("the floor starts, as the wizard does: %s\n", Describe(measured.planned).c_str());

    std::vector<double> minimalTimes, floorTimes, wizardTimes;
    for (int run = 0; run < runs; ++run) {
        const std::optional<RoundTimes> times = MeasureRound(measured, run);
        if (!times) return 1;
        minimalTimes.push_back(times->minimal);
        floorTimes.push_back(times->floor);
        wizardTimes.push_back(times->wizard);
        std::printf("run %d: minimal window %7.1f ms, floor %7.1f ms, Welcome window %7.1f ms\n",
                    run + 1, times->minimal, times->floor, times->wizard);
    }
    const double m = Median(minimalTimes);
    const double f = Median(floorTimes);
    const double w = Median(wizardTimes);
    std::printf("median: minimal window %.1f ms, floor %.1f ms, Welcome window %.1f ms\n", m, f, w);
    std::printf("ratio %.2f to the minimal window\n", w / m);
    std::printf("ratio %.2f to the floor\n", w / f);
    return 0;
}
