#include "tests/support/MessageBoxAnswerer.h"

#include <windows.h>

#include "tests/support/ProgramRun.h"

namespace testing_support {

MessageBoxAnswerer::MessageBoxAnswerer(std::string caption, int button)
    : caption_(std::move(caption)), button_(button), watcher_([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    watcher_.join();
}

std::vector<std::string> MessageBoxAnswerer::Answered() {
    std::lock_guard lock(mutex_);
    return answered_;
}

void MessageBoxAnswerer::Watch() {
    while (!stop_) {
        HWND box = FindWindowA("#32770", caption_.c_str());
        if (box != nullptr && IsWindowVisible(box) && GetDlgItem(box, button_) != nullptr) {
            {
                std::lock_guard lock(mutex_);
                answered_.push_back(MessageBoxText(box));
            }
            AnswerMessageBox(box, button_);
        }
        Sleep(50);
    }
}

}  // namespace testing_support
