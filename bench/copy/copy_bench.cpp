// Copies a setup image to a server folder with CopySetupImage, its progress
// on a real window of a test form, against a bare loop of FindFirstFileA and
// CopyFileA over the same files, in turns (each first in every other turn),
// in the same run; the best time of each counts. Prints the times,
// the longest pause of the window during the copy and, on its last line,
// "ratio <CopySetupImage / loop> peak <peak working set> MB".
// Usage: copy_bench <image folder> <work folder> [runs]
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "platform/Files.h"
#include "platform/Win32Platform.h"
#include "tests/support/CopyTestPage.h"
#include "wizard/base/SetupSession.h"
#include "wizard/servercopy/CopySetupImage.h"

namespace {

double Seconds() { return bench::MillisecondsNow() / 1000.0; }

// The real platform, noting the longest time the windows waited for a pump.
class TimedPlatform : public platform::Win32Platform {
  public:
    void PumpEvents() override {
        const double now = Seconds();
        if (last_ > 0) longest = std::max(longest, now - last_);
        last_ = now;
        Win32Platform::PumpEvents();
    }
    void Start() {
        last_ = Seconds();
        longest = 0;
    }
    double longest = 0;

  private:
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

// The yardstick: every plain file of each folder copied with CopyFileA.
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

double Best(std::vector<double> times) { return *std::min_element(times.begin(), times.end()); }

void PrintTimes(const char* what, const std::vector<double>& times) {
    std::printf("%-40s", what);
    for (double t : times) std::printf(" %6.3f", t);
    std::printf(" s (best %.3f)\n", Best(times));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: copy_bench <image folder> <work folder> [runs]\n");
        return 2;
    }
    const std::string image = argv[1];
    const std::string work = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    TimedPlatform win32;
    platform::Install(win32);
    SetupSession& session = Session();
    session.SetupRoot = image;
    session.InstallIniPath = image + "\\WSROOT\\Install.ini";
    session.VersionIniPath = image + "\\WSROOT\\Version.ini";
    std::vector<std::string> folders = ListedFolders(session.InstallIniPath);
    folders.push_back("WSROOT");

    testing_support::CopyTestPage page;
    CopyProgress progress = page.Progress();
    page.Show();
    win32.PumpEvents();
    const double before = WorkingSetMegabytes(false);

    const std::string bareTarget = work + "\\bare", oursTarget = work + "\\server";
    std::vector<double> bareTimes, oursTimes;
    double longestPause = 0;
    for (int run = 0; run <= runs; ++run) {
        platform::files::DeleteFolderTree(bareTarget);
        platform::files::DeleteFolderTree(oursTarget);
        // Each goes first in every other turn, so that neither always meets
        // the disk as the other left it.
        double bare = 0, ours = 0;
        for (int turn = 0; turn < 2; ++turn) {
            const double start = Seconds();
            if ((turn + run) % 2 == 0) {
                BareCopy(image, folders, bareTarget);
                bare = Seconds() - start;
                continue;
            }
            win32.Start();
            const int result = CopySetupImage(progress, oursTarget);
            ours = Seconds() - start;
            if (result != 0 || !session.ContinueFromServerCopy) {
                std::fprintf(stderr, "CopySetupImage failed with %d\n", result);
                return 1;
            }
        }
        // The first turn only fills the caches.
        if (run == 0) continue;
        bareTimes.push_back(bare);
        oursTimes.push_back(ours);
        longestPause = std::max(longestPause, win32.longest);
    }
    // Once more over the last copy, whose files the copy deletes first.
    win32.Start();
    if (CopySetupImage(progress, oursTarget) != 0) return 1;
    const double pauseOverEarlierCopy = win32.longest;
    const double peak = WorkingSetMegabytes(true);
    platform::files::DeleteFolderTree(bareTarget);
    platform::files::DeleteFolderTree(oursTarget);

    PrintTimes("FindFirstFileA + CopyFileA loop:", bareTimes);
    PrintTimes("CopySetupImage (window, progress):", oursTimes);
    std::printf("longest time without handling input: %.0f ms, %.0f ms over an earlier copy\n",
                longestPause * 1000, pauseOverEarlierCopy * 1000);
    std::printf("working set with the window shown, before the copies: %.0f MB\n", before);
    std::printf("ratio %.2f peak %.0f MB\n", Best(oursTimes) / Best(bareTimes), peak);
    return 0;
}
