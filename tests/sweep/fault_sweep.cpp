// The fault sweep: runs each flow once to count the calls it makes through
// the test doubles, then once more for every call k and every error code c
// that Windows gives that call, with call k failing with c, and judges every
// run by the programs' rules (Oracle.h). Each row of those rules that lets a
// run differ from the clean one is then checked against a failure of a
// neighbouring call it does not name. The last line sums it up.
//
//   fault_sweep [--every N [--offset O]] [--jobs J] [--flow TEXT]
//       the sweep; with --every N a sample: of the calls of all flows,
//       numbered 0, 1, 2, ..., those whose number leaves O mod N when divided
//       by N, each failing with one of its codes, the next one for each step
//       of O by N
//   fault_sweep --flow NAME --call K [--code C]   one run, here, told in full
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

#include "tests/sweep/SweepRunner.h"

// Every child copies the allocation stacks it touches from the sweep; two
// frames keep the leak check working at a fraction of the cost of full
// stacks. ASAN_OPTIONS overrides this, say for one run told in full.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=2:detect_leaks=1:strict_string_checks=1";
}

namespace {

using namespace fault_sweep;
namespace faults = platform::faults;

struct Options {
    std::size_t every = 1, offset = 0;
    int jobs = 2;
    std::string flow;
    std::size_t call = 0;
    unsigned long code = 0;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--every") options.every = std::max<std::size_t>(1, std::stoul(value));
        if (name == "--offset") options.offset = std::stoul(value);
        if (name == "--jobs") options.jobs = std::max(1, std::stoi(value));
        if (name == "--flow") options.flow = value;
        if (name == "--call") options.call = std::stoul(value);
        if (name == "--code") options.code = std::stoul(value);
    }
    return options;
}

std::vector<FlowRow> AllFlows(const std::string& filter) {
    std::vector<FlowRow> all;
    for (auto family :
         {PageFlows, ServerCopyFlows, StartUpFlows, KelbrinFlows, SilentFlows, RollOutFlows}) {
        for (FlowRow& row : family()) {
            if (row.name.find(filter) != std::string::npos) all.push_back(std::move(row));
        }
    }
    return all;
}

constexpr std::size_t kVerdicts = static_cast<std::size_t>(Verdict::Blind) + 1;

struct Tally {
    std::size_t runs = 0;
    std::size_t count[kVerdicts] = {};

    void Add(const FlowRow& row, const std::string& what, const RunReport& report) {
        ++runs;
        ++count[static_cast<int>(report.verdict)];
        if (report.verdict == Verdict::Kept) return;
        static const char* const kWords[] = {"", "silent failure", "escaped exception", "hang",
                                             "crash", "exemption that hides a failure"};
        std::cout << row.name << ", " << what << ": " << kWords[static_cast<int>(report.verdict)]
                  << ": " << report.note << std::endl;
    }
    std::size_t Of(Verdict verdict) const { return count[static_cast<int>(verdict)]; }
};

// A call as the report shows it: temporary folders by their own names only.
std::string Described(const faults::CountedCall& call) {
    std::string detail = call.detail;
    for (std::size_t at; (at = detail.find("/tmp/")) != std::string::npos;) {
        const std::size_t own = detail.find("wiztest_", at);
        detail.erase(at, own == std::string::npos ? 5 : own - at);
    }
    return call.name + "(" + detail.substr(0, 120) + ")";
}

std::string CallAndCode(std::size_t k, const faults::CountedCall& call, unsigned long code) {
    return "call " + std::to_string(k) + " " + Described(call) + " failing with " +
           std::to_string(code);
}

// The counting run of every flow: its calls and its clean outcome.
std::vector<RunReport> CountCalls(Runner& runner, const std::vector<FlowRow>& flows,
                                  Tally& tally) {
    std::vector<RunReport> counted(flows.size());
    for (std::size_t f = 0; f < flows.size(); ++f) {
        runner.Submit({&flows[f]}, [&, f](const RunReport& report) {
            counted[f] = report;
            tally.Add(flows[f], "the clean run", report);
        });
    }
    runner.Drain();
    return counted;
}

// One run, here, with every call listed.
int RunOne(const FlowRow& row, const Options& options) {
    const std::string scratch = std::filesystem::temp_directory_path() /
                                ("fault-sweep-" + std::to_string(getpid()));
    Tally tally;
    std::vector<RunReport> counted;
    {
        Runner runner(scratch, 1);
        counted = CountCalls(runner, {row}, tally);
    }
    // Here as in a child: a folder of its own beside the clean run's.
    const std::string here = scratch + "/run-999999";
    std::filesystem::create_directories(here);
    setenv("TMPDIR", here.c_str(), 1);
    faults::CurrentPlan().onOverrun = [] {
        std::cout << "no end: past the steps or calls a run may take" << std::endl;
        std::_Exit(1);
    };
    const RunReport report = RunHere({&row, options.call, options.code, 0, &counted[0].outcome});
    std::filesystem::remove_all(scratch);
    std::cout << "verdict: " << static_cast<int>(report.verdict) << " " << report.note;
    if (report.rule >= 0) std::cout << " (row: " << StepRules()[report.rule].step << ")";
    std::cout << std::endl;
    const auto& calls = faults::CurrentPlan().calls;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        std::string codes;
        for (unsigned long code : calls[i].codes) codes += " " + std::to_string(code);
        std::cout << (i + 1 == options.call ? "  FAILS " : "        ") << i + 1 << " "
                  << Described(calls[i]) << " codes" << codes << std::endl;
    }
    return report.verdict == Verdict::Kept ? 0 : 1;
}

// The call nearest to `k` of another step (one the row does not judge)
// whose failure must leave the clean run's outcome: made to look as the row
// lets a failure of `k` look, its run must be judged broken.
std::size_t NeighbourOf(const std::vector<faults::CountedCall>& calls, std::size_t k,
                        const std::string& flow, const StepRule* own) {
    for (std::size_t distance = 1; distance < calls.size(); ++distance) {
        for (std::size_t j : {k + distance, k - distance}) {
            if (j < 1 || j > calls.size()) continue;
            const faults::CountedCall& call = calls[j - 1];
            const StepRule* rule = RuleFor(call, call.codes.front(), flow);
            const bool exact = rule == nullptr || (!rule->report && !IsExemption(*rule));
            if (rule != own && exact) return j;
        }
    }
    return 0;
}

struct Sweep {
    Sweep(const std::vector<FlowRow>& allFlows, const Options& given)
        : flows(allFlows), options(given) {}
    const std::vector<FlowRow>& flows;
    const Options& options;
    Tally tally;
    std::vector<RunReport> counted;
    std::vector<std::size_t> runsOfFlow;
    std::set<unsigned long> codes;
    std::map<int, std::pair<std::size_t, std::size_t>> firstUse;  // row -> flow, call
    std::set<int> checked;
};

// The codes call number `number` fails with: each, or in a sample one,
// another for the next sample.
std::vector<unsigned long> CodesToTry(const faults::Codes& codes, std::size_t number,
                                      const Options& options) {
    if (options.every == 1) return codes;
    if (number % options.every != options.offset % options.every) return {};
    const std::size_t turn = number / options.every + options.offset / options.every;
    return {codes[turn % codes.size()]};
}

void FailEveryCall(Runner& runner, Sweep& sweep) {
    std::size_t number = 0;
    sweep.runsOfFlow.assign(sweep.flows.size(), 0);
    for (std::size_t f = 0; f < sweep.flows.size(); ++f) {
        const auto& calls = sweep.counted[f].calls;
        // Past ten times the clean run's calls, a run has hung.
        const std::size_t limit = 10 * calls.size() + 1000;
        for (std::size_t k = 1; k <= calls.size(); ++k) {
            for (unsigned long code : CodesToTry(calls[k - 1].codes, number++, sweep.options)) {
                ++sweep.runsOfFlow[f];
                sweep.codes.insert(code);
                const std::string what = CallAndCode(k, calls[k - 1], code);
                runner.Submit({&sweep.flows[f], k, code, limit, &sweep.counted[f].outcome},
                              [&sweep, f, k, what](const RunReport& report) {
                                  sweep.tally.Add(sweep.flows[f], what, report);
                                  if (report.rule >= 0) sweep.firstUse.try_emplace(report.rule, f, k);
                              });
            }
        }
    }
    runner.Drain();
}

// Each exemption used, against a failure of a call of a neighbouring step.
void CheckExemptions(Runner& runner, Sweep& sweep) {
    for (const auto& [rule, use] : sweep.firstUse) {
        if (!IsExemption(StepRules()[rule])) continue;
        const std::size_t f = use.first, k = use.second;
        const auto& calls = sweep.counted[f].calls;
        const std::size_t j = NeighbourOf(calls, k, sweep.flows[f].name, &StepRules()[rule]);
        if (j == 0) continue;
        const std::string what = "row \"" + std::string(StepRules()[rule].step) +
                                 "\" against " + CallAndCode(j, calls[j - 1], calls[j - 1].codes.front());
        RunRequest request{&sweep.flows[f], j, 0, 10 * calls.size() + 1000,
                           &sweep.counted[f].outcome, &StepRules()[rule], &calls[k - 1]};
        const int row = rule;
        runner.Submit(request, [&sweep, f, what, row](const RunReport& report) {
            sweep.tally.Add(sweep.flows[f], what, report);
            sweep.checked.insert(row);
        });
    }
    runner.Drain();
}

std::size_t Exemptions() {
    std::size_t count = 0;
    for (const StepRule& rule : StepRules()) count += IsExemption(rule) ? 1 : 0;
    return count;
}

// In a whole sweep every row must have judged a run: a row that judges
// nothing is an exemption nobody can check.
std::size_t UnusedRows(const Sweep& sweep) {
    std::size_t unused = 0;
    for (std::size_t rule = 0; rule < StepRules().size(); ++rule) {
        if (sweep.firstUse.count(static_cast<int>(rule)) != 0) continue;
        std::cout << "a row that judged no run: " << StepRules()[rule].step << std::endl;
        ++unused;
    }
    return unused;
}

void PrintSummary(const Sweep& sweep, std::size_t unused) {
    std::size_t calls = 0;
    for (std::size_t f = 0; f < sweep.flows.size(); ++f) {
        calls += sweep.counted[f].calls.size();
        std::printf("%5zu calls, %5zu runs failing one: %s\n", sweep.counted[f].calls.size(),
                    sweep.runsOfFlow[f], sweep.flows[f].name.c_str());
    }
    std::size_t exemptionsChecked = 0;
    for (int rule : sweep.checked) exemptionsChecked += IsExemption(StepRules()[rule]) ? 1 : 0;
    const std::size_t exemptions = Exemptions();
    const Tally& tally = sweep.tally;
    const Options& options = sweep.options;
    if (options.every > 1) {
        std::cout << "sample: the calls numbered " << options.offset % options.every << " mod "
                  << options.every << ", one code each (offset " << options.offset << ")"
                  << std::endl;
    }
    std::cout << "fault sweep: " << tally.runs << " runs over " << sweep.flows.size() << " flows, "
              << calls << " calls, " << sweep.codes.size() << " error codes; crashes "
              << tally.Of(Verdict::Crash) << ", hangs " << tally.Of(Verdict::Hang)
              << ", escaped exceptions " << tally.Of(Verdict::Escaped) << ", silent failures "
              << tally.Of(Verdict::Silent) << ", exemptions " << exemptions << " ("
              << (exemptionsChecked == exemptions ? std::string("each")
                                                  : std::to_string(exemptionsChecked))
              << " checked" << (unused != 0 ? ", " + std::to_string(unused) + " rows unused" : "")
              << ")" << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ReadOptions(argc, argv);
    const std::vector<FlowRow> flows = AllFlows(options.flow);
    if (flows.empty()) {
        std::cerr << "no flow named like '" << options.flow << "'" << std::endl;
        return 2;
    }
    if (options.call != 0) return RunOne(flows.front(), options);

    const std::string scratch = std::filesystem::temp_directory_path() /
                                ("fault-sweep-" + std::to_string(getpid()));
    Sweep sweep{flows, options};
    {
        Runner runner(scratch, options.jobs);
        sweep.counted = CountCalls(runner, flows, sweep.tally);
        FailEveryCall(runner, sweep);
        CheckExemptions(runner, sweep);
    }
    std::filesystem::remove_all(scratch);
    const bool whole = options.every == 1 && options.flow.empty();
    const std::size_t unused = whole ? UnusedRows(sweep) : 0;
    PrintSummary(sweep, unused);
    return sweep.tally.runs == sweep.tally.Of(Verdict::Kept) && unused == 0 ? 0 : 1;
}
