// Copies a setup image to a server folder with CopySetupImage, its progress
// on a real window of a test form, against a bare loop of FindFirstFileA and
// CopyFileA over the same files in the same order, in turns (each first in
// every other turn, each deleting its own earlier copy right before it
// starts), in the same run; the best time of each counts. Prints the times,
// where CopySetupImage spends the time the loop does not (answering the
// window, showing the progress), the longest time the window waited for an
// answer in each phase of the copy, also over an earlier copy, and, on its
// last line, "ratio <CopySetupImage / loop> peak <peak working set> MB".
// With "trace" after the runs, every wait of the window longer than 50 ms is
// printed with its phase and the file being copied.
// Usage: copy_bench <image folder> <work folder> [runs [trace]]
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "platform/Files.h"
#include "platform/Win32Platform.h"
#include "tests/support/CopyTestPage.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"
#include "wizard/servercopy/CopySetupImage.h"

namespace {

double Milliseconds() { return bench::MillisecondsNow(); }

enum Phase { kListing, kFolders, kFiles, kClosing, kRemoving, kPhaseCount };
constexpr std::array<const char*, kPhaseCount> kPhaseNames = {
    "listing", "old files, folders", "files", "closing, moving into place",
    "removing the earlier copy"};
static_assert(kPhaseNames.size() == kPhaseCount);

using PhaseFigures = std::array<double, kPhaseCount>;

// The page's progress display, noting the time spent in it and in each phase
// of the copy: the title tells the first three, the mark the last two (it
// lies in the target until the copy is complete, also while a new copy made
// beside an earlier one is moved into place).
class PhaseDisplay : public CopyDisplay {
  public:
    PhaseDisplay(CopyDisplay& inner, std::string target)
        : inner_(inner), mark_(target + "\\" + server_copy::kIncompleteMark) {}

    void Begin() override {
        phaseStart_ = Milliseconds();
        Timed([&] { inner_.Begin(); });
    }
    void SetTitle(std::string title) override {
        Enter(title.starts_with("Zielverzeichnis") ? kFolders : kListing);
        Timed([&] { inner_.SetTitle(std::move(title)); });
    }
    void ShowFile(const std::string& name, std::size_t number, std::size_t count) override {
        Enter(kFiles);
        lastFile_ = number == count;
        file_ = name;
        Timed([&] { inner_.ShowFile(name, number, count); });
    }
    void Refresh() override { Timed([&] { inner_.Refresh(); }); }
    void AllowNextOnly() override { inner_.AllowNextOnly(); }
    void End() override { Timed([&] { inner_.End(); }); }

    // The phase now; the time since the last look goes to the phase then.
    Phase Look() {
        if (phase_ >= kFiles && lastFile_) {
            Enter(platform::files::FileExists(mark_) ? kClosing : kRemoving);
        } else {
            Enter(phase_);
        }
        return phase_;
    }
    const std::string& File() const { return file_; }
    PhaseFigures spentIn{};
    double inDisplay = 0;

  private:
    void Enter(Phase phase) {
        const double now = Milliseconds();
        spentIn[phase_] += now - phaseStart_;
        phaseStart_ = now;
        phase_ = phase;
    }
    template <typename Action>
    void Timed(const Action& action) {
        const double start = Milliseconds();
        action();
        inDisplay += Milliseconds() - start;
    }

    CopyDisplay& inner_;
    const std::string mark_;
    Phase phase_ = kListing;
    double phaseStart_ = 0;
    bool lastFile_ = false;
    std::string file_;
};

// The real platform, noting per phase of the copy the longest time the
// window waited for its input to be handled, and the time spent handling it.
class TimedPlatform : public platform::Win32Platform {
  public:
    void PumpEvents() override {
        const double now = Milliseconds();
        const double waited = now - last_;
        if (display_ != nullptr) {
            const Phase phase = display_->Look();
            longest[phase] = std::max(longest[phase], waited);
            if (trace && waited > 60) {
                std::printf("  waited %3.0f ms: %s, at '%s'\n", waited, kPhaseNames[phase],
                            display_->File().c_str());
            }
        }
        Win32Platform::PumpEvents();
        last_ = Milliseconds();
        inPumps += last_ - now;
        ++pumps;
    }
    void Start(PhaseDisplay& display) {
        display_ = &display;
        last_ = Milliseconds();
        longest.fill(0);
        inPumps = 0;
        pumps = 0;
    }
    // The wait from the last answer to the end of the copy.
    void Stop() {
        const Phase phase = display_->Look();
        longest[phase] = std::max(longest[phase], Milliseconds() - last_);
        display_ = nullptr;
    }
    PhaseFigures longest{};
    double inPumps = 0;
    int pumps = 0;
    bool trace = false;

  private:
    PhaseDisplay* display_ = nullptr;
    double last_ = 0;
};

// The folders the image lists for the server, as the copy reads them.
std::vector<std::string> ListedFolders(const std::string& installIni) {
    std::vector<std::string> folders;
    char buffer[32768] = {};
    GetPrivateProfileSectionA("SELVORFOLDERS", buffer, sizeof(buffer), installIni.c_str());
    for (const char* line = buffer; *line != '\0'; line += std::strlen(line) + 1) {
        folders.emplace_back(line);
    }
    return folders;
}

// The yardstick: every plain file of each folder copied with CopyFileA,
// replacing what is there, the workstation files last, as the copy orders
// them.
void BareCopy(const std::string& image, const std::vector<std::string>& folders,
              const std::string& target) {
    CreateDirectoryA(target.c_str(), nullptr);
    for (const std::string& folder : folders) {
        const std::string to = folder == "WSROOT" ? target : target + "\\" + folder;
        CreateDirectoryA(to.c_str(), nullptr);
        const std::string from = image + "\\" + folder;
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((from + "\\*.*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
            const std::string name = entry.cFileName;
            if (!CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE)) {
                std::fprintf(stderr, "CopyFileA failed for %s\n", name.c_str());
                std::exit(1);
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
}

double WorkingSetMegabytes(bool peak) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return static_cast<double>(peak ? memory.PeakWorkingSetSize : memory.WorkingSetSize) /
           (1024.0 * 1024.0);
}

double Best(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void PrintTimes(const char* what, const std::vector<double>& times) {
    std::printf("%-36s", what);
    for (double t : times) std::printf(" %6.3f", t / 1000);
    std::printf(" s (best %.3f)\n", Best(times) / 1000);
}

void PrintPhases(const char* what, const PhaseFigures& figures) {
    std::printf("%s:", what);
    for (int phase = 0; phase < kPhaseCount; ++phase) {
        if (figures[phase] > 0) std::printf(" %s %.0f ms;", kPhaseNames[phase], figures[phase]);
    }
    std::printf("\n");
}

// One copy run of the wizard into `target`, timed; exits on a failure.
double TimedCopy(TimedPlatform& win32, PhaseDisplay& display, const std::string& target) {
    const double start = Milliseconds();
    win32.Start(display);
    const int result = CopySetupImage(display, target);
    win32.Stop();
    const double time = Milliseconds() - start;
    if (result != 0 || !Session().ContinueFromServerCopy) {
        std::fprintf(stderr, "CopySetupImage failed with %d\n", result);
        std::exit(1);
    }
    return time;
}

struct Figures {
    std::vector<double> bare, ours;
    PhaseFigures longest{}, spent{};
    double inPumps = 0, inDisplay = 0;
    int pumps = 0;
};

// `runs` turns after one that only fills the caches; each copy starts
// into a folder of its own that it emptied right before.
Figures InterleavedRuns(TimedPlatform& win32, CopyDisplay& progress, const std::string& image,
                        const std::string& work, int runs) {
    std::vector<std::string> folders = ListedFolders(image + "\\WSROOT\\Install.ini");
    folders.push_back("WSROOT");
    const std::string bareTarget = work + "\\bare", oursTarget = work + "\\server";
    Figures figures;
    for (int run = 0; run <= runs; ++run) {
        double bare = 0, ours = 0;
        PhaseDisplay display(progress, oursTarget);
        for (int turn = 0; turn < 2; ++turn) {
            const bool bareTurn = (turn + run) % 2 == 0;
            platform::files::DeleteFolderTree(bareTurn ? bareTarget : oursTarget);
            if (bareTurn) {
                const double start = Milliseconds();
                BareCopy(image, folders, bareTarget);
                bare = Milliseconds() - start;
            } else {
                ours = TimedCopy(win32, display, oursTarget);
            }
        }
        if (run == 0) continue;
        figures.bare.push_back(bare);
        figures.ours.push_back(ours);
        for (int phase = 0; phase < kPhaseCount; ++phase) {
            figures.longest[phase] = std::max(figures.longest[phase], win32.longest[phase]);
        }
        // Those of the best run: where its time went.
        if (ours <= Best(figures.ours)) {
            figures.spent = display.spentIn;
            figures.inPumps = win32.inPumps;
            figures.pumps = win32.pumps;
            figures.inDisplay = display.inDisplay;
        }
    }
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: copy_bench <image folder> <work folder> [runs [trace]]\n");
        return 2;
    }
    const std::string image = argv[1];
    const std::string work = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    TimedPlatform win32;
    win32.trace = argc > 4 && std::strcmp(argv[4], "trace") == 0;
    platform::Install(win32);
    SetupSession& session = Session();
    session.SetupRoot = image;
    session.InstallIniPath = image + "\\WSROOT\\Install.ini";
    session.VersionIniPath = image + "\\WSROOT\\Version.ini";

    testing_support::CopyTestPage page;
    CopyProgress progress = page.Progress();
    page.Show();
    win32.PumpEvents();
    const double before = WorkingSetMegabytes(false);

    const Figures figures = InterleavedRuns(win32, progress, image, work, runs);
    // Once more over the last copy, which stays whole until the new one is.
    std::vector<std::string> folders = ListedFolders(session.InstallIniPath);
    folders.push_back("WSROOT");
    double start = Milliseconds();
    BareCopy(image, folders, work + "\\bare");
    const double bareOverEarlier = Milliseconds() - start;
    PhaseDisplay display(progress, work + "\\server");
    const double oursOverEarlier = TimedCopy(win32, display, work + "\\server");
    const PhaseFigures longestOverEarlier = win32.longest;
    const PhaseFigures spentOverEarlier = display.spentIn;
    const double peak = WorkingSetMegabytes(true);
    platform::files::DeleteFolderTree(work + "\\bare");
    platform::files::DeleteFolderTree(work + "\\server");

    PrintTimes("FindFirstFileA + CopyFileA loop:", figures.bare);
    PrintTimes("CopySetupImage (window, progress):", figures.ours);
    PrintPhases("best CopySetupImage run", figures.spent);
    std::printf("  of which %.0f ms answering the window (%d answers), %.0f ms showing the "
                "progress\n",
                figures.inPumps, figures.pumps, figures.inDisplay);
    std::printf("over an earlier copy, once: loop %.3f s, CopySetupImage %.3f s\n",
                bareOverEarlier / 1000, oursOverEarlier / 1000);
    PrintPhases("  CopySetupImage over an earlier copy", spentOverEarlier);
    PrintPhases("longest wait for an answer, into an empty folder", figures.longest);
    PrintPhases("longest wait for an answer, over an earlier copy", longestOverEarlier);
    std::printf("working set with the window shown, before the copies: %.0f MB\n", before);
    std::printf("ratio %.2f peak %.0f MB\n", Best(figures.ours) / Best(figures.bare), peak);
    return 0;
}
