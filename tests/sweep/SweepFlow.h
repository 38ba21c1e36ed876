// A flow of the fault sweep: it arranges its world with the doubles off the
// count, runs one part of the programs with every call counted and the run's
// record kept, and says what its clean run must reach. How a run with a
// failed call is judged is not the flow's business: the oracle (Oracle.h)
// judges every run by the programs' rules.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tests/sweep/Outcome.h"

namespace fault_sweep {

// A fact the clean run must show: equal to `value`, holding it, or not
// holding it. The fact "record" is the record line that holds the value.
struct Expectation {
    enum class Kind { Is, Holds, Lacks };
    std::string fact;
    std::string value;
    Kind kind = Kind::Is;
};
inline Expectation Is(std::string fact, std::string value) {
    return {std::move(fact), std::move(value), Expectation::Kind::Is};
}
inline Expectation Holds(std::string fact, std::string part) {
    return {std::move(fact), std::move(part), Expectation::Kind::Holds};
}
inline Expectation Lacks(std::string fact, std::string part) {
    return {std::move(fact), std::move(part), Expectation::Kind::Lacks};
}

class Flow {
  public:
    virtual ~Flow() = default;
    // The programs' part, its record kept at RecordPath(); the exit code it
    // ends with.
    virtual int Run() = 0;
    // What the clean run must reach, so that the runs are compared with a
    // run that did what it should.
    virtual std::vector<Expectation> Expect() const = 0;
};

struct FlowRow {
    std::string name;
    std::function<std::unique_ptr<Flow>(platform::FakePlatform&)> make;
    bool silent = false;  // the whole program with -SILENT
};

std::vector<FlowRow> PageFlows();
std::vector<FlowRow> ServerCopyFlows();
std::vector<FlowRow> StartUpFlows();
std::vector<FlowRow> KelbrinFlows();
std::vector<FlowRow> SilentFlows();
std::vector<FlowRow> RollOutFlows();

// What the clean run misses of its expectations; empty when it has them all.
std::string Unmet(const std::vector<Expectation>& expected, const Outcome& clean);

// A part of the wizard that begins inside it (a page shown, a step run):
// its record kept as -LOG keeps it, and its exit code as the program's end
// works it out.
int RunRecorded(const std::function<void()>& part);
// The whole wizard program with these options and -LOG.
int RunWholeProgram(platform::FakePlatform& fake, const std::string& options);

}  // namespace fault_sweep
