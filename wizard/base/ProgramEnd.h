// How the wizard ends, and how a step that fails is left out.
#pragma once

#include <functional>

// Ends the program at once, without further events or messages, with the
// run's exit code; while an ExitDeferral stands it only records the request.
void FinishSetup();

// Ending the program in the middle of writing a file would leave it half
// written. While a writer holds this guard, FinishSetup (run by a Cancel
// confirmed during the write) only records the request; the writer then
// removes its partial file and calls FinishSetup again.
class ExitDeferral {
  public:
    ExitDeferral();
    ~ExitDeferral();
    ExitDeferral(const ExitDeferral&) = delete;
    ExitDeferral& operator=(const ExitDeferral&) = delete;
    // True once FinishSetup was called while a guard stood.
    static bool Requested();
};

// Runs one step of a sequence or handler; a step that fails is left out and
// the caller goes on with the next. False when it failed.
bool SkipOnFailure(const std::function<void()>& step);
