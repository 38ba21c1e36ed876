// The programs' rules for a call that fails, as one table: the steps whose
// failure a person must learn of, and how it becomes visible (a box of kind
// failure or the folder picker, the record's failure line, the exit code);
// and the steps that skip their failure but leave a trace the clean run does
// not have, with what they may change and why. A failure of a call that no
// row names must leave the run as the clean run left it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/fake/FaultPlan.h"

namespace fault_sweep {

// How a fact of the outcome may differ from the clean run's.
enum class May {
    AsBefore,  // it keeps what it was before the run: a change that did not happen
    LoseOne,   // the list lacks one of the clean run's entries, one holding `part`
    GainOne,   // the list holds one entry more, one holding `part`
    Empty,     // it is empty: a value written as read, and the read failed
    OneDiffers,  // the list differs in one entry, which holds `part` in both runs
    Differ,    // it may differ in any way, as the row's reason says
};

// The facts whose names hold `fact` ("registry ", "starts"); kValueWritten
// names the registry value of the failed call, kFileNamed its file.
struct Leeway {
    const char* fact;
    May may;
    const char* part = "";
};
inline constexpr const char* kValueWritten = "(the value the call writes)";
inline constexpr const char* kFileNamed = "(the file the call names)";

// How the failure of a step that must report it becomes visible: a line of
// the record (by default a box of kind failure, shown or, in a silent run,
// decided), the record's failure line, and the code the run ends with.
struct Report {
    const char* shows = "message kind=failure ";  // "a|b": a line beginning with either
    bool failureLine = false;
    int exitCode = -1;  // -1: the step does not decide it
    // Or the run is judged as a skipped step with the row's leeway: a step
    // whose failure matters only sometimes (a folder made that was there).
    bool orSkipped = false;
};

struct StepRule {
    const char* step;          // the step, in the program's own words
    const char* call;          // the counted call that fails
    const char* detail;  // a part of its detail ("*x": ending with x, "^x": beginning so); "" any
    const char* flows = "";    // a part of the flow's name; "" every flow
    platform::faults::Codes codes = {};  // only these codes; empty: each
    std::optional<Report> report = std::nullopt;  // none: the step skips its failure
    std::vector<Leeway> leeway = {};  // what a skipped failure may change
    bool recordLineLost = false;  // the record may lack exactly one line
    const char* why = "";
};

const std::vector<StepRule>& StepRules();

// The row for a failed call, the first that names it; nullptr: none does.
const StepRule* RuleFor(const platform::faults::CountedCall& call, unsigned long code,
                        const std::string& flow);

// An exemption: a row that lets an outcome differ from the clean run's.
bool IsExemption(const StepRule& rule);

}  // namespace fault_sweep
