// A flow of the fault sweep: it arranges its world with the doubles off the
// count, runs one part of the programs with every call counted, and judges
// the outcome by the rule that part must keep when one of its calls fails.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "platform/fake/FaultPlan.h"

namespace fault_sweep {

class Flow {
  public:
    virtual ~Flow() = default;
    // The programs' part. The program ending (FinishSetup) ends it too.
    virtual void Act() = 0;
    // What the outcome breaks of its rule; empty when it keeps it.
    virtual std::string Judge() = 0;
    // Takes back part of what a clean run achieved, so that Judge must
    // object: a judgement that passes a spoiled outcome could never fail.
    virtual void Spoil() = 0;
};

struct FlowRow {
    std::string name;
    std::function<std::unique_ptr<Flow>(platform::FakePlatform&)> make;
};

std::vector<FlowRow> PageFlows();
std::vector<FlowRow> ServerCopyFlows();
std::vector<FlowRow> StartUpFlows();
std::vector<FlowRow> KelbrinFlows();
std::vector<FlowRow> SilentFlows();

// --- what the judgements ask -------------------------------------------------
// The call made to fail in this run; nullptr in a clean run.
const platform::faults::CountedCall* FailedCall();
// True when the failed call is `name` and its detail holds `part`. A query
// that fails (a file test, a read) answers as for a thing that is missing,
// so the rule for the missing thing holds for it.
bool Failed(std::string_view name, std::string_view part = {});
// True when the programs made the call, whatever came of it.
bool Asked(std::string_view name, std::string_view part);
// How many message boxes the programs showed (or tried to show) holding `part`.
int Shown(const platform::FakePlatform& fake, std::string_view part);
// How many times a file could not be started, by the two reports of it
// (not found, or the shell could not start it).
int StartFailuresShown(const platform::FakePlatform& fake);
// True when a box told of something that went wrong (the questions only
// ask), or a box could not be shown, which counts as told.
bool SomethingReported(const platform::FakePlatform& fake);

}  // namespace fault_sweep
