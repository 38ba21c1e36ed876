// The one judgement of every run of the fault sweep, derived from the
// programs' rules (StepRules.h) and not from the flow: a failure at a step
// that must report it passes only when the record, the box and the exit code
// say so; any other failure passes only when the outcome equals the clean
// run's, or differs exactly as the step's row allows.
#pragma once

#include <string>

#include "tests/sweep/Outcome.h"
#include "tests/sweep/StepRules.h"

namespace fault_sweep {

struct Trial {
    const std::string& flow;
    bool silent = false;  // the flow runs with -SILENT
    const platform::faults::CountedCall* failed = nullptr;  // nullptr: the clean run
    unsigned long code = 0;
    const StepRule* rule = nullptr;  // the failed call's row, if any
    const Outcome* clean = nullptr;
    const Outcome* before = nullptr;
};

// What the run breaks of the rules; empty when it keeps them.
std::string Judge(const Trial& trial, const Outcome& run);

// The run as the row lets a failure of `excused` leave it: for a run whose
// failed call is of another step, the oracle must object.
Outcome SpoiledAsExcused(const StepRule& rule, const platform::faults::CountedCall& excused,
                         Outcome run);

}  // namespace fault_sweep
