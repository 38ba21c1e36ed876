#include "tests/support/MessageBoxAnswerer.h"

#include <windows.h>

namespace testing_support {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control of a message box

}  // namespace

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
        HWND button = box != nullptr ? GetDlgItem(box, button_) : nullptr;
        if (button != nullptr && IsWindowVisible(box)) {
            char text[2048] = {};
            GetDlgItemTextA(box, kMessageTextId, text, sizeof(text));
            {
                std::lock_guard lock(mutex_);
                answered_.push_back(text);
            }
            // The button's command ends the box as a user's click does.
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
        }
        Sleep(50);
    }
}

}  // namespace testing_support
