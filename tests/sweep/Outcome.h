// What a run of the fault sweep leaves, as an administrator and the next
// program would find it: the exit code, the run's record, the registry, the
// files, the programs started and the services asked. Paths of the run's
// own temporary folder are written "<tmp>", so that two runs compare.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"

namespace fault_sweep {

struct Outcome {
    // The record's lines without their time; empty when it was not written.
    std::vector<std::string> record;
    // By name: "exit", "pages", "boxes", "failures", "pickers" (from the
    // record), "starts", "services", "registry <value>", "file <path>".
    std::map<std::string, std::string> facts;
};

// The run's folder as "<tmp>", and the process number in the names of the
// test folders taken out.
std::string Normalized(std::string text);

// Where every run keeps its record: the run's temporary folder.
std::string RecordPath();
// The names and values of facts, for what a flow expects: a file as the
// programs name it, its content, a value of HKEY_LOCAL_MACHINE.
std::string FileFact(const std::string& path);
std::string ContentFact(const std::string& bytes);
std::string RegistryFact(const std::string& subkey, const std::string& name);

// The registry and files before the run, for what a failed change leaves.
Outcome CaptureMachine(const platform::FakePlatform& fake);
// Everything after the run.
Outcome Capture(const platform::FakePlatform& fake, int exitCode);
// The facts the record tells, taken anew from its lines.
void DeriveRecordFacts(Outcome& outcome);

// Count of the record's lines of this event (with a field that starts so).
int CountEvents(const Outcome& outcome, const std::string& event, const std::string& field = {});

// One line a fact, for the child's report, and back.
std::vector<std::string> Serialize(const Outcome& outcome);
void Deserialize(const std::vector<std::string>& lines, Outcome& outcome);

}  // namespace fault_sweep
