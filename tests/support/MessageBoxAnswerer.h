// Answers real message boxes of the program under test: watches for a dialog
// window with the given caption, records its text and presses a button.
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
