#include "tests/sweep/SweepRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "tests/sweep/Oracle.h"
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

RunReport Broken(Verdict verdict, std::string note) {
    RunReport report;
    report.verdict = verdict;
    report.note = std::move(note);
    return report;
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return text;
}

std::string CodesText(const faults::Codes& codes) {
    std::string text;
    for (unsigned long code : codes) text += (text.empty() ? "" : ",") + std::to_string(code);
    return text;
}

faults::Codes CodesFrom(const std::string& text) {
    faults::Codes codes;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t comma = text.find(',', at);
        if (comma == std::string::npos) comma = text.size();
        codes.push_back(std::stoul(text.substr(at, comma - at)));
        at = comma + 1;
    }
    return codes;
}

void WriteReport(const std::string& folder, const RunReport& report) {
    std::ofstream out(folder + "/report");
    out << kVerdictWords[static_cast<int>(report.verdict)] << '\n'
        << OneLine(report.note) << '\n'
        << report.rule << '\n';
    for (const auto& call : report.calls) {
        out << "call\t" << call.name << '\t' << OneLine(call.detail) << '\t'
            << CodesText(call.codes) << '\n';
    }
    for (const std::string& line : Serialize(report.outcome)) out << line << '\n';
}

bool ReadReport(const std::string& folder, RunReport& report) {
    std::ifstream in(folder + "/report");
    std::string word, rule;
    if (!std::getline(in, word) || !std::getline(in, report.note) || !std::getline(in, rule)) {
        return false;
    }
    const auto known = std::find(std::begin(kVerdictWords), std::end(kVerdictWords), word);
    // A report no child could have written is no kept rule.
    if (known == std::end(kVerdictWords)) return false;
    report.verdict = static_cast<Verdict>(known - std::begin(kVerdictWords));
    report.rule = std::stoi(rule);
    std::vector<std::string> outcome;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("call\t")) {
            outcome.push_back(line);
            continue;
        }
        const std::size_t name = 5, detail = line.find('\t', name) + 1,
                          codes = line.find('\t', detail) + 1;
        report.calls.push_back({line.substr(name, detail - 1 - name),
                                line.substr(detail, codes - 1 - detail),
                                CodesFrom(line.substr(codes))});
    }
    Deserialize(outcome, report.outcome);
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
        if (signal == SIGALRM) return Broken(Verdict::Hang, "no end within the time a run may take");
        return Broken(Verdict::Crash, "signal " + std::to_string(signal) + ": " + CrashLine(folder));
    }
    const int code = WEXITSTATUS(status);
    if ((code == kReported || code == kOverrun) && ReadReport(folder, report)) return report;
    return Broken(Verdict::Crash, "exit code " + std::to_string(code) + ": " + CrashLine(folder));
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
        WriteReport(folder, Broken(Verdict::Hang, "no end: past the steps or calls a run may take"));
        _exit(kOverrun);
    };
    WriteReport(folder, RunHere(request));
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
    plan.failingCode = request.code;
    plan.failingName.clear();
    plan.callLimit = request.callLimit;
    plan.stepLimit = kStepLimit;
    plan.armed = true;
}

const faults::CountedCall* FailedCall() {
    const faults::Plan& plan = faults::CurrentPlan();
    if (plan.failing == 0 || plan.failing > plan.calls.size()) return nullptr;
    return &plan.calls[plan.failing - 1];
}

// Whatever a run left in the programs' state goes with it.
void ForgetTheRun() {
    run_log::Close();
    messages::EndUnattended();
    ui::DiscardAllForms();
}

// The oracle's verdict on a run that ended by itself with `code`.
void Judge(const RunRequest& request, const Flow& flow, const platform::FakePlatform& fake,
           const Outcome& before, int code, RunReport& report) {
    const Outcome run = Capture(fake, code);
    const faults::CountedCall* failed = FailedCall();
    const unsigned long failure =
        failed == nullptr ? 0 : (request.code != 0 ? request.code : failed->codes.front());
    const StepRule* rule = failed == nullptr ? nullptr : RuleFor(*failed, failure, request.row->name);
    if (rule != nullptr) report.rule = static_cast<int>(rule - StepRules().data());
    const Trial trial{request.row->name, request.row->silent, failed, failure, rule,
                      request.clean != nullptr ? request.clean : &run, &before};
    report.note = Judge(trial, run);
    if (report.note.empty() && failed == nullptr) report.note = Unmet(flow.Expect(), run);
    if (!report.note.empty()) {
        report.verdict = Verdict::Silent;
    } else if (request.excusing != nullptr &&
               Judge(trial, SpoiledAsExcused(*request.excusing, *request.excused, run)).empty()) {
        report.verdict = Verdict::Blind;
        report.note = std::string("the row for ") + request.excusing->step +
                      " would excuse this run as well";
    }
    if (request.failing == 0) {
        report.calls = faults::CurrentPlan().calls;
        report.outcome = run;
    }
}

}  // namespace

RunReport RunHere(const RunRequest& request) {
    platform::FakePlatform fake;
    platform::ScopedPlatform guard(fake);
    ResetSession();
    ForgetTheRun();
    std::unique_ptr<Flow> flow = request.row->make(fake);
    const Outcome before = CaptureMachine(fake);
    Arm(request);
    RunReport report;
    int code = 0;
    try {
        code = flow->Run();
    } catch (const platform::ProgramExit& exit) {
        code = exit.exitCode;
    } catch (const std::exception& error) {
        report = Broken(Verdict::Escaped, error.what());
    } catch (...) {
        report = Broken(Verdict::Escaped, "an exception of no standard type");
    }
    faults::CurrentPlan().armed = false;
    if (report.verdict == Verdict::Kept) Judge(request, *flow, fake, before, code, report);
    ForgetTheRun();
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
        done(Broken(Verdict::Crash, "no child process could be started"));
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
