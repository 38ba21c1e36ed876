// The fault sweep: runs each flow once to count the calls it makes through
// the test doubles, then once more for every call k with call k failing the
// way it fails on Windows, and judges every run. The last line sums it up.
//
//   fault_sweep [--every N] [--jobs J] [--flow TEXT]   the sweep (every Nth call)
//   fault_sweep --flow NAME --call K                   one run, here, told in full
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
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

struct Options {
    std::size_t every = 1;
    int jobs = 2;
    std::string flow;
    std::size_t call = 0;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--every") options.every = std::max<std::size_t>(1, std::stoul(value));
        if (name == "--jobs") options.jobs = std::max(1, std::stoi(value));
        if (name == "--flow") options.flow = value;
        if (name == "--call") options.call = std::stoul(value);
    }
    return options;
}

std::vector<FlowRow> AllFlows(const std::string& filter) {
    std::vector<FlowRow> all;
    for (auto family : {PageFlows, ServerCopyFlows, StartUpFlows, KelbrinFlows, SilentFlows}) {
        for (FlowRow& row : family()) {
            if (row.name.find(filter) != std::string::npos) all.push_back(std::move(row));
        }
    }
    return all;
}

struct Tally {
    std::size_t runs = 0;
    std::size_t count[static_cast<int>(Verdict::Blind) + 1] = {};

    void Add(const FlowRow& row, std::size_t k, const std::string& call, const RunReport& report) {
        ++runs;
        ++count[static_cast<int>(report.verdict)];
        if (report.verdict == Verdict::Kept) return;
        static const char* const kWords[] = {"", "silent failure", "escaped exception", "hang",
                                             "crash", "judgement that cannot fail"};
        std::cout << row.name << ", call " << k << " " << call << ": "
                  << kWords[static_cast<int>(report.verdict)] << ": " << report.note << std::endl;
    }
    std::size_t Of(Verdict verdict) const { return count[static_cast<int>(verdict)]; }
};

// A call as the report shows it: temporary folders by their own names only.
std::string Described(const platform::faults::CountedCall& call) {
    std::string detail = call.detail;
    for (std::size_t at; (at = detail.find("/tmp/")) != std::string::npos;) {
        const std::size_t own = detail.find("wiztest_", at);
        detail.erase(at, own == std::string::npos ? 5 : own - at);
    }
    return call.name + "(" + detail.substr(0, 120) + ")";
}

// One run in this process, with what the programs showed.
int RunOne(const FlowRow& row, std::size_t k) {
    platform::faults::CurrentPlan().onOverrun = [] {
        std::cout << "no end: past the steps or calls a run may take" << std::endl;
        std::_Exit(1);
    };
    const RunReport report = RunHere({&row, k, 0}, false);
    std::cout << "verdict: " << static_cast<int>(report.verdict) << " " << report.note << std::endl;
    const auto& calls = platform::faults::CurrentPlan().calls;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        std::cout << (i + 1 == k ? "  FAILS " : "        ") << i + 1 << " " << Described(calls[i])
                  << std::endl;
    }
    return report.verdict == Verdict::Kept ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ReadOptions(argc, argv);
    const std::vector<FlowRow> flows = AllFlows(options.flow);
    if (flows.empty()) {
        std::cerr << "no flow named like '" << options.flow << "'" << std::endl;
        return 2;
    }
    if (options.call != 0) return RunOne(flows.front(), options.call);

    const std::string scratch = std::filesystem::temp_directory_path() /
                                ("fault-sweep-" + std::to_string(getpid()));
    Tally tally;
    {
        Runner runner(scratch, options.jobs);
        std::vector<std::vector<platform::faults::CountedCall>> counted(flows.size());
        for (std::size_t f = 0; f < flows.size(); ++f) {
            runner.Submit({&flows[f], 0, 0}, [&, f](const RunReport& report) {
                counted[f] = report.calls;
                tally.Add(flows[f], 0, "(none failing)", report);
            });
        }
        runner.Drain();
        for (std::size_t f = 0; f < flows.size(); ++f) {
            const auto& calls = counted[f];
            // Past ten times the clean run's calls, a run has hung.
            const std::size_t limit = 10 * calls.size() + 1000;
            for (std::size_t k = 1; k <= calls.size(); k += options.every) {
                const std::string call = Described(calls[k - 1]);
                runner.Submit({&flows[f], k, limit}, [&, f, k, call](const RunReport& report) {
                    tally.Add(flows[f], k, call, report);
                });
            }
        }
        runner.Drain();
    }
    std::filesystem::remove_all(scratch);
    const std::size_t blind = tally.Of(Verdict::Blind);
    if (blind != 0) std::cout << "judgements that cannot fail: " << blind << std::endl;
    std::cout << "fault sweep: " << tally.runs << " runs over " << flows.size()
              << " flows; crashes " << tally.Of(Verdict::Crash) << ", hangs "
              << tally.Of(Verdict::Hang) << ", escaped exceptions " << tally.Of(Verdict::Escaped)
              << ", silent failures " << tally.Of(Verdict::Silent) << std::endl;
    const bool clean = tally.runs == tally.Of(Verdict::Kept);
    return clean ? 0 : 1;
}
