// Answers real message boxes with a chosen button (MessageBoxReader only
// confirms with OK): watches for a box with the given caption, keeps its text
// and presses the button, as a user answering a question would.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class MessageBoxAnswerer {
public:
    // `button` is a dialog control id such as IDYES.
    MessageBoxAnswerer(std::string caption, int button);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Texts of the boxes answered so far.
    std::vector<std::string> Answered();

private:
    void Watch();

    std::string caption_;
    int button_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> answered_;
    std::thread watcher_;
};

}  // namespace testing_support
