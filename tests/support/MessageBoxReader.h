// Reads and confirms real message boxes while a test drives code that shows
// them, in this process or in a program the test started: a watcher thread
// finds each box by its caption, keeps its text and presses OK.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

struct SeenMessageBox {
    std::string caption;
    std::string text;
};

class MessageBoxReader {
public:
    explicit MessageBoxReader(std::vector<std::string> captions);
    ~MessageBoxReader();
    MessageBoxReader(const MessageBoxReader&) = delete;
    MessageBoxReader& operator=(const MessageBoxReader&) = delete;

    // The boxes confirmed so far, in the order they appeared.
    std::vector<SeenMessageBox> Seen() const;

private:
    void Watch();

    std::vector<std::string> captions_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::thread watcher_;
};

}  // namespace testing_support
