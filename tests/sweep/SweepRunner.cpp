#include "tests/sweep/SweepRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ui/Form.h"
#include "wizard/base/SetupSession.h"

namespace fault_sweep {
namespace {

namespace faults = platform::faults;

// A run is a few hundredths of a second; one that takes this long has hung
// outside the doubles' sight.
constexpr unsigned kSecondsPerRun = 30;
// Event pumps and waits of one run; the longest flow needs a few hundred.
constexpr std::size_t kStepLimit = 20000;
constexpr int kReported = 0;
constexpr int kOverrun = 75;

constexpr const char* kVerdictWords[] = {"kept", "silent", "escaped", "hang", "crash", "blind"};
static_assert(std::size(kVerdictWords) == static_cast<std::size_t>(Verdict::Blind) + 1);

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return text;
}

void WriteReport(const std::string& folder, const RunReport& report) {
    std::ofstream out(folder + "/report");
    out << kVerdictWords[static_cast<int>(report.verdict)] << '\n' << OneLine(report.note) << '\n';
    for (const auto& call : report.calls) out << call.name << '\t' << OneLine(call.detail) << '\n';
}

bool ReadReport(const std::string& folder, RunReport& report) {
    std::ifstream in(folder + "/report");
    std::string word;
    if (!std::getline(in, word) || !std::getline(in, report.note)) return false;
    for (std::size_t i = 0; i < std::size(kVerdictWords); ++i) {
        if (word == kVerdictWords[i]) report.verdict = static_cast<Verdict>(i);
    }
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        report.calls.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return true;
}

// The sanitizer's or the runtime's own words about a crash.
std::string CrashLine(const std::string& folder) {
    std::ifstream in(folder + "/stderr");
    std::string first;
    for (std::string line; std::getline(in, line);) {
        if (first.empty()) first = line;
        if (line.find("ERROR:") != std::string::npos ||
            line.find("runtime error") != std::string::npos) {
            return line;
        }
    }
    return first;
}

RunReport ReportOf(const std::string& folder, int status) {
    RunReport report;
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        if (signal == SIGALRM) return {Verdict::Hang, "no end within the time a run may take", {}};
        return {Verdict::Crash, "signal " + std::to_string(signal) + ": " + CrashLine(folder), {}};
    }
    const int code = WEXITSTATUS(status);
    if ((code == kReported || code == kOverrun) && ReadReport(folder, report)) return report;
    return {Verdict::Crash, "exit code " + std::to_string(code) + ": " + CrashLine(folder), {}};
}

[[noreturn]] void RunChild(const std::string& folder, const RunRequest& request) {
    setenv("TMPDIR", folder.c_str(), 1);
    const int errors = open((folder + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (errors >= 0) {
        dup2(errors, STDOUT_FILENO);
        dup2(errors, STDERR_FILENO);
    }
    alarm(kSecondsPerRun);
    faults::CurrentPlan().onOverrun = [folder] {
        WriteReport(folder, {Verdict::Hang, "no end: past the steps or calls a run may take", {}});
        _exit(kOverrun);
    };
    WriteReport(folder, RunHere(request, request.failing == 0));
    // exit, not _exit: the leak check runs at exit.
    std::exit(kReported);
}

}  // namespace

namespace {

void Arm(const RunRequest& request) {
    faults::Plan& plan = faults::CurrentPlan();
    plan.calls.clear();
    plan.steps = 0;
    plan.depth = 0;
    plan.failing = request.failing;
    plan.failingName.clear();
    plan.callLimit = request.callLimit;
    plan.stepLimit = kStepLimit;
    plan.armed = true;
}

// The flow's own verdict on a run that ended by itself.
void Judge(Flow& flow, bool selfCheck, RunReport& report) {
    report.note = flow.Judge();
    if (!report.note.empty()) {
        report.verdict = Verdict::Silent;
    } else if (selfCheck) {
        flow.Spoil();
        if (!flow.Judge().empty()) return;
        report.verdict = Verdict::Blind;
        report.note = "a spoiled outcome was judged kept";
    }
}

}  // namespace

RunReport RunHere(const RunRequest& request, bool selfCheck) {
    platform::FakePlatform fake;
    platform::ScopedPlatform guard(fake);
    ResetSession();
    std::unique_ptr<Flow> flow = request.row->make(fake);
    Arm(request);
    RunReport report;
    try {
        flow->Act();
    } catch (const platform::ProgramExit&) {
        // The program ended itself.
    } catch (const std::exception& error) {
        report = {Verdict::Escaped, error.what(), {}};
    } catch (...) {
        report = {Verdict::Escaped, "an exception of no standard type", {}};
    }
    faults::CurrentPlan().armed = false;
    if (request.failing == 0) report.calls = faults::CurrentPlan().calls;
    if (report.verdict == Verdict::Kept) Judge(*flow, selfCheck, report);
    ui::DiscardAllForms();
    return report;
}

Runner::Runner(std::string scratch, int jobs) : scratch_(std::move(scratch)), jobs_(jobs) {}

Runner::~Runner() { Drain(); }

void Runner::Submit(const RunRequest& request, std::function<void(const RunReport&)> done) {
    while (static_cast<int>(running_.size()) >= jobs_) CollectOne();
    const std::string folder = scratch_ + "/run-" + std::to_string(started_++);
    std::filesystem::create_directories(folder);
    const pid_t child = fork();
    if (child == 0) RunChild(folder, request);
    if (child < 0) {
        done({Verdict::Crash, "no child process could be started", {}});
        std::filesystem::remove_all(folder);
        return;
    }
    running_[child] = {folder, std::move(done)};
}

void Runner::Drain() {
    while (!running_.empty()) CollectOne();
}

void Runner::CollectOne() {
    int status = 0;
    const pid_t child = waitpid(-1, &status, 0);
    const auto found = running_.find(child);
    if (found == running_.end()) return;
    Running run = std::move(found->second);
    running_.erase(found);
    const RunReport report = ReportOf(run.folder, status);
    std::error_code ignored;
    std::filesystem::remove_all(run.folder, ignored);
    run.done(report);
}

}  // namespace fault_sweep
