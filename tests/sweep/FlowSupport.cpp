// What every flow shares: running a part of the programs with its record,
// and checking what its clean run reached.
#include <string>

#include "platform/fake/FaultPlan.h"
#include "shared/LoggedPlatform.h"
#include "shared/RunLog.h"
#include "tests/sweep/SweepFlow.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/program/WizardProgram.h"

namespace fault_sweep {

std::string Unmet(const std::vector<Expectation>& expected, const Outcome& clean) {
    if (expected.empty()) return "the flow expects nothing of its clean run";
    for (const Expectation& expectation : expected) {
        const auto found = clean.facts.find(expectation.fact);
        std::string value = found == clean.facts.end() ? "(none)" : found->second;
        // "record": a line of the record that holds the value.
        if (expectation.fact == "record") {
            for (const std::string& line : clean.record) {
                if (line.find(Normalized(expectation.value)) != std::string::npos) value = line;
            }
        }
        const std::string wanted = Normalized(expectation.value);
        const bool holds = value.find(wanted) != std::string::npos;
        using Kind = Expectation::Kind;
        const bool met = expectation.kind == Kind::Is      ? value == wanted
                         : expectation.kind == Kind::Holds ? holds
                                                           : !holds;
        if (!met) {
            static const char* const kHow[] = {"", "holding ", "without "};
            return "the clean run's " + expectation.fact + " is \"" + value + "\", not " +
                   kHow[static_cast<int>(expectation.kind)] + "\"" + wanted + "\"";
        }
    }
    return {};
}

int RunRecorded(const std::function<void()>& part) {
    LoggedPlatform logged(platform::Current());
    platform::ScopedPlatform withRecord(logged);
    {
        // The test's doing: -LOG would have opened it before.
        const platform::faults::OffTheCount notTheProgram;
        run_log::Open(RecordPath());
    }
    int code = 0;
    try {
        part();
        code = RunExitCode();
        run_log::Write("exit", {{"code", std::to_string(code)}});
    } catch (const platform::ProgramExit& exit) {
        code = exit.exitCode;
    }
    run_log::Close();
    return code;
}

int RunWholeProgram(platform::FakePlatform& fake, const std::string& options) {
    fake.commandLine = options + (options.empty() ? "" : " ") + "-LOG " + RecordPath();
    int code = 0;
    try {
        code = RunWizardProgram();
    } catch (const platform::ProgramExit& exit) {
        code = exit.exitCode;
    }
    run_log::Close();
    return code;
}

}  // namespace fault_sweep
