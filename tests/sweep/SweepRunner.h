// Runs flows of the fault sweep in child processes of their own, so that a
// crash, a sanitizer's report or a hang ends only that run: each child gets a
// fresh temporary folder, reports its verdict through it, and is timed out.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/sweep/Outcome.h"
#include "tests/sweep/StepRules.h"
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {

enum class Verdict { Kept, Silent, Escaped, Hang, Crash, Blind };

struct RunRequest {
    const FlowRow* row = nullptr;
    std::size_t failing = 0;     // the call made to fail; 0 counts the calls
    unsigned long code = 0;      // the code it fails with; 0: its first
    std::size_t callLimit = 0;   // past this the run has hung; 0: none
    const Outcome* clean = nullptr;  // the clean run's outcome, for a failing run
    // A row and the call it excused in another run: this run, with another
    // step's call failing, must be judged broken when it looks as the row
    // lets that call's failure look.
    const StepRule* excusing = nullptr;
    const platform::faults::CountedCall* excused = nullptr;
};

struct RunReport {
    Verdict verdict = Verdict::Kept;
    std::string note;
    int rule = -1;  // the row of StepRules() that judged the failed call; -1: none
    std::vector<platform::faults::CountedCall> calls;  // those of a counting run
    Outcome outcome;                                   // that of a counting run
};

class Runner {
  public:
    // `scratch`: a folder for the children's temporary folders.
    Runner(std::string scratch, int jobs);
    ~Runner();

    // Starts the run when a place is free; `done` gets its report.
    void Submit(const RunRequest& request, std::function<void(const RunReport&)> done);
    // Waits for every run submitted.
    void Drain();

  private:
    struct Running {
        std::string folder;
        std::function<void(const RunReport&)> done;
    };
    void CollectOne();

    std::string scratch_;
    int jobs_;
    int started_ = 0;
    std::map<int, Running> running_;  // by process id
};

// Runs one flow in this process and judges it, as a child does: the
// verdict, its note and, for a counting run, the calls and the outcome.
RunReport RunHere(const RunRequest& request);

}  // namespace fault_sweep
