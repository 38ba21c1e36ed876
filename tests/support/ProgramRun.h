// Runs one of the built programs as its own process, and finds and answers
// the windows it shows. Only tests use this.
#pragma once

#include <windows.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class ProgramRun {
public:
    // Starts `program` with `arguments` in `workingFolder`.
    ProgramRun(const std::string& program, const std::string& arguments,
               const std::string& workingFolder);
    ~ProgramRun();  // terminates the process if it still runs
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool started() const { return process_ != nullptr; }
    bool Running() const;
    // Ends the process at once, as a power cut or a distribution tool's
    // time limit would, and waits until it is gone.
    void Kill();
    // Waits for the process to end; its exit code, or -1 on time-out.
    long WaitForExit(unsigned milliseconds = 30000);
    // A visible top-level window of the process with this caption (any
    // caption when empty) and, when given, this window class.
    HWND WaitForWindow(const std::string& caption, const char* windowClass = nullptr,
                       unsigned milliseconds = 20000) const;
    DWORD processId() const { return processId_; }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// The visible top-level windows of a process, the front one first.
std::vector<HWND> VisibleWindowsOf(DWORD processId);

// Looks for visible top-level windows of a process every few milliseconds,
// on a thread of its own, from its making until Seen(): one that appears
// for a moment only is caught as well.
class VisibleWindowWatch {
  public:
    explicit VisibleWindowWatch(DWORD processId);
    ~VisibleWindowWatch();
    VisibleWindowWatch(const VisibleWindowWatch&) = delete;
    VisibleWindowWatch& operator=(const VisibleWindowWatch&) = delete;
    // Stops watching: the captions of the windows seen, empty when none was.
    std::string Seen();

  private:
    DWORD processId_;
    std::atomic<bool> stop_{false};
    std::set<std::string> seen_;
    std::thread watcher_;
};
// Whether a process with this file name ("Setup.exe", in any case) runs.
bool ProcessRuns(const std::string& fileName);

// Class names compare as Windows compares them, in any case.
bool HasWindowClass(HWND window, const std::string& windowClass);
// A window's caption, or the text a control shows.
std::string WindowText(HWND window);
// The text of a message box (its static control).
std::string MessageBoxText(HWND box);
// Presses a message box button (IDOK, IDYES, IDNO) and waits for it to close.
void AnswerMessageBox(HWND box, int button);

}  // namespace testing_support
