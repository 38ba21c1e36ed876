#include "tests/support/MessageBoxReader.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "tests/support/ProgramRun.h"

namespace testing_support {
namespace {

struct Search {
    const std::vector<std::string>* captions;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!HasWindowClass(window, "#32770") || !IsWindowVisible(window)) return TRUE;
    const auto& wanted = *search->captions;
    if (std::find(wanted.begin(), wanted.end(), WindowText(window)) != wanted.end()) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

MessageBoxReader::MessageBoxReader(std::vector<std::string> captions)
    : captions_(std::move(captions)), watcher_([this] { Watch(); }) {}

MessageBoxReader::~MessageBoxReader() {
    stop_ = true;
    watcher_.join();
}

std::vector<SeenMessageBox> MessageBoxReader::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void MessageBoxReader::Watch() {
    std::vector<HWND> answered;
    while (!stop_) {
        Search search{&captions_, {}};
        EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
        // A box may take a moment to close; answer each one once.
        std::erase_if(answered, [](HWND window) { return !IsWindow(window); });
        for (HWND box : search.found) {
            if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back({WindowText(box), MessageBoxText(box)});
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            answered.push_back(box);
        }
        Sleep(50);  // the watcher's pace: it looks until it is stopped
    }
}

}  // namespace testing_support
