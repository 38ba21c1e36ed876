#include "tests/sweep/Oracle.h"

#include <algorithm>
#include <set>

namespace fault_sweep {
namespace {

const char* const kRecordFacts[] = {"pages", "boxes", "failures", "pickers", "record-exit"};

bool IsRecordFact(const std::string& fact) {
    return std::find(std::begin(kRecordFacts), std::end(kRecordFacts), fact) !=
           std::end(kRecordFacts);
}

std::string Value(const Outcome& outcome, const std::string& fact) {
    const auto found = outcome.facts.find(fact);
    return found == outcome.facts.end() ? "(none)" : found->second;
}

std::string Short(std::string text) {
    constexpr std::size_t kShown = 160;
    if (text.size() > kShown) text = text.substr(0, kShown) + "...";
    return "\"" + text + "\"";
}

std::string Step(const Trial& trial) {
    return trial.rule != nullptr ? std::string(trial.rule->step) : "the step";
}

// A silent run shows nothing, and what only a person could have decided
// ends it where it came up, with a code other than 0.
std::string JudgeSilent(const Outcome& run) {
    if (Value(run, "shown") != "0") return "a silent run showed a box or a folder picker";
    std::size_t end = run.record.size();
    for (std::size_t i = 0; i < run.record.size() && end == run.record.size(); ++i) {
        const std::string& line = run.record[i];
        if (line.starts_with("message kind=failure ") || line.starts_with("message kind=question ") ||
            line.starts_with("replay-stopped ") || line.starts_with("folder-picker ")) {
            end = i;
        }
    }
    if (end == run.record.size()) return {};
    if (Value(run, "exit") == "0") return "a silent run ended with 0 after: " + run.record[end];
    // Nothing runs after it but its decision, the end, and the program's
    // end, which takes its Run entry back.
    for (std::size_t i = end + 1; i < run.record.size(); ++i) {
        const std::string event = run.record[i].substr(0, run.record[i].find(' '));
        if (event != "message-decided" && event != "silent-end" && event != "registry-delete" &&
            event != "exit") {
            return "a silent run went on after it ended: " + run.record[i];
        }
    }
    return {};
}

// Count of the record's lines that begin so; "a|b": with either.
int Lines(const Outcome& outcome, const std::string& starts) {
    auto begins = [&](const std::string& line) {
        for (std::size_t from = 0;;) {
            const std::size_t bar = starts.find('|', from);
            if (line.starts_with(std::string_view(starts).substr(from, bar - from))) return true;
            if (bar == std::string::npos) return false;
            from = bar + 1;
        }
    };
    return static_cast<int>(std::count_if(outcome.record.begin(), outcome.record.end(), begins));
}

std::string JudgeReport(const Trial& trial, const Outcome& run) {
    const Report& report = *trial.rule->report;
    const Outcome& clean = *trial.clean;
    if (Lines(run, report.shows) <= Lines(clean, report.shows)) {
        return Step(trial) + " failed, and the record holds no more \"" + report.shows +
               "\" than the clean run's";
    }
    // A silent run ends at the failure's box, before any failure line.
    const char* ended = trial.silent ? "silent-end " : "failure ";
    if (report.failureLine && Lines(run, ended) <= Lines(clean, ended)) {
        return Step(trial) + " failed without the record's " + ended + "line";
    }
    if (report.exitCode >= 0 && Value(run, "exit") != std::to_string(report.exitCode)) {
        return Step(trial) + " failed, but the run ended with " + Value(run, "exit") +
               " instead of " + std::to_string(report.exitCode);
    }
    return {};
}

// The registry fact of a call's value: its detail is "subkey\\name".
bool IsValueOf(const std::string& fact, const Trial& trial) {
    if (!fact.starts_with("registry ") || trial.failed == nullptr) return false;
    std::string value = trial.failed->detail;
    for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fact.ends_with("\\" + value);
}

const Leeway* LeewayFor(const Trial& trial, const std::string& fact) {
    if (trial.rule == nullptr) return nullptr;
    for (const Leeway& leeway : trial.rule->leeway) {
        const std::string_view named = leeway.fact;
        const bool names = named == kValueWritten ? IsValueOf(fact, trial)
                           : named == kFileNamed  ? trial.failed != nullptr &&
                                                       fact == FileFact(trial.failed->detail)
                                                  : fact.find(named) != std::string::npos;
        if (names) return &leeway;
    }
    return nullptr;
}

std::vector<std::string> Entries(const std::string& fact, const std::string& value) {
    const std::string between = fact == "pages" ? " > " : " | ";
    std::vector<std::string> entries;
    if (value.empty()) return entries;
    for (std::size_t at = 0;;) {
        const std::size_t next = value.find(between, at);
        entries.push_back(value.substr(at, next - at));
        if (next == std::string::npos) return entries;
        at = next + between.size();
    }
}

// `longer` is `shorter` with one entry more, and that entry holds `part`.
bool OneMore(const std::vector<std::string>& shorter, const std::vector<std::string>& longer,
             const std::string& part) {
    if (longer.size() != shorter.size() + 1) return false;
    std::size_t i = 0;
    while (i < shorter.size() && shorter[i] == longer[i]) ++i;
    return longer[i].find(part) != std::string::npos &&
           std::equal(shorter.begin() + static_cast<std::ptrdiff_t>(i), shorter.end(),
                      longer.begin() + static_cast<std::ptrdiff_t>(i) + 1);
}

// Whether the leeway allows the fact's value `is` where the clean run had `was`.
bool Allows(const Leeway& leeway, const Trial& trial, const std::string& fact,
            const std::string& was, const std::string& is) {
    switch (leeway.may) {
        case May::AsBefore:
            return is == Value(*trial.before, fact);
        case May::LoseOne:
            return OneMore(Entries(fact, is), Entries(fact, was), leeway.part);
        case May::GainOne:
            return OneMore(Entries(fact, was), Entries(fact, is), leeway.part);
        case May::Empty:
            return is.empty();
        case May::OneDiffers: {
            const std::vector<std::string> before = Entries(fact, was), after = Entries(fact, is);
            if (before.size() != after.size()) return false;
            int differing = 0;
            for (std::size_t i = 0; i < before.size(); ++i) {
                if (before[i] == after[i]) continue;
                ++differing;
                if (before[i].find(leeway.part) == std::string::npos ||
                    after[i].find(leeway.part) == std::string::npos) {
                    return false;
                }
            }
            return differing == 1;
        }
        case May::Differ:
            return true;
    }
    return false;
}

bool IsList(const std::string& fact) {
    return fact == "pages" || fact == "boxes" || fact == "failures" || fact == "pickers" ||
           fact == "starts" || fact == "services";
}

// Where the run's fact differs from the clean run's: the first entry of a
// list that differs, or the whole value.
std::string Difference(const std::string& fact, const std::string& was, const std::string& is) {
    if (!IsList(fact)) return fact + " is " + Short(is) + " instead of " + Short(was);
    const std::vector<std::string> before = Entries(fact, was), after = Entries(fact, is);
    std::size_t i = 0;
    while (i < before.size() && i < after.size() && before[i] == after[i]) ++i;
    const std::string shown = i < after.size() ? Short(after[i]) : "no more";
    const std::string expected = i < before.size() ? Short(before[i]) : "no more";
    return fact + " (entry " + std::to_string(i + 1) + ") has " + shown + " where the clean run has " +
           expected;
}

// The record lacks exactly one of the clean run's lines, and holds no other.
bool OneLineLess(const std::vector<std::string>& clean, const std::vector<std::string>& run) {
    return OneMore(run, clean, "");
}

std::string JudgeSkipped(const Trial& trial, const Outcome& run) {
    const Outcome& clean = *trial.clean;
    const bool lineLost = trial.rule != nullptr && trial.rule->recordLineLost;
    std::set<std::string> facts;
    for (const auto& [fact, value] : clean.facts) facts.insert(fact);
    for (const auto& [fact, value] : run.facts) facts.insert(fact);
    for (const std::string& fact : facts) {
        const std::string was = Value(clean, fact), is = Value(run, fact);
        // How many boxes the fake showed is the boxes' shadow, for the
        // silent runs' rule.
        if (was == is || fact == "shown" || (lineLost && IsRecordFact(fact))) continue;
        const Leeway* leeway = LeewayFor(trial, fact);
        if (leeway == nullptr) return "silently, " + Difference(fact, was, is);
        if (!Allows(*leeway, trial, fact, was, is)) {
            return fact + " is " + Short(is) + ", more than " + Step(trial) +
                   " explains (the clean run: " + Short(was) + ", before the run: " +
                   Short(Value(*trial.before, fact)) + ")";
        }
    }
    if (lineLost && run.record != clean.record && !OneLineLess(clean.record, run.record)) {
        return "the record lost more than the line whose writing failed";
    }
    return {};
}

}  // namespace

std::string Judge(const Trial& trial, const Outcome& run) {
    if (trial.silent) {
        if (std::string broken = JudgeSilent(run); !broken.empty()) return broken;
    }
    const bool lineLost = trial.rule != nullptr && trial.rule->recordLineLost;
    if (!lineLost && LeewayFor(trial, "record-exit") == nullptr &&
        Value(run, "record-exit") != Value(run, "exit")) {
        return "the record's last exit line says " + Short(Value(run, "record-exit")) +
               ", the run ended with " + Value(run, "exit");
    }
    if (trial.failed == nullptr) return {};
    if (trial.rule != nullptr && trial.rule->report) {
        std::string broken = JudgeReport(trial, run);
        if (broken.empty() || !trial.rule->report->orSkipped) return broken;
        const std::string skipped = JudgeSkipped(trial, run);
        return skipped.empty() ? std::string() : broken + "; and not without a trace: " + skipped;
    }
    return JudgeSkipped(trial, run);
}

Outcome SpoiledAsExcused(const StepRule& rule, const platform::faults::CountedCall& excused,
                         Outcome run) {
    constexpr const char* kSpoiled = "(spoiled)";
    if (rule.report && !rule.report->orSkipped) {
        // The report came, and what else the row leaves to the step changed.
        run.record.push_back(std::string(rule.report->shows) + "text=spoiled");
        if (rule.report->failureLine) run.record.push_back("failure what=spoiled");
        DeriveRecordFacts(run);
        if (rule.report->exitCode >= 0) run.facts["exit"] = std::to_string(rule.report->exitCode);
        run.facts["record-exit"] = run.facts["exit"];
        run.facts["starts"] = kSpoiled;
        return run;
    }
    if (rule.recordLineLost) {
        // The line that tells the exit code, which every run writes last.
        const auto exit = std::find_if(run.record.rbegin(), run.record.rend(),
                                       [](const std::string& line) { return line.starts_with("exit "); });
        if (exit != run.record.rend()) run.record.erase(std::next(exit).base());
        DeriveRecordFacts(run);
    }
    const Trial excusing{"", false, &excused, 0, &rule, &run, &run};
    for (const Leeway& leeway : rule.leeway) {
        bool found = false;
        for (auto& [fact, value] : run.facts) {
            if (LeewayFor(excusing, fact) != &leeway) continue;
            found = true;
            std::vector<std::string> entries = Entries(fact, value);
            const auto holding = std::find_if(entries.begin(), entries.end(), [&](const std::string& entry) {
                return entry.find(leeway.part) != std::string::npos;
            });
            if (leeway.may == May::LoseOne && holding != entries.end()) {
                entries.erase(holding);
                std::string joined;
                for (const std::string& entry : entries) {
                    joined += (joined.empty() ? "" : (fact == "pages" ? " > " : " | ")) + entry;
                }
                value = joined;
            } else if (leeway.may == May::GainOne) {
                value += std::string(value.empty() ? "" : " | ") + leeway.part + kSpoiled;
            } else if (leeway.may == May::OneDiffers && holding != entries.end()) {
                *holding += kSpoiled;
                std::string joined;
                for (const std::string& entry : entries) {
                    joined += (joined.empty() ? "" : (fact == "pages" ? " > " : " | ")) + entry;
                }
                value = joined;
            } else {
                value = kSpoiled;
            }
        }
        if (!found) run.facts[std::string(leeway.fact) + kSpoiled] = kSpoiled;
    }
    return run;
}

}  // namespace fault_sweep
