// A silent run (-SILENT), for software-distribution tools and login scripts
// that start the setup with no one at the screen, give it a time limit and
// read only its exit code and its record. The pages do their work as in a
// replay, through the same handlers, but no window is ever shown and no box
// waits for a click: each is decided by its kind (shared/Messages.h), and
// what only a person could decide ends the run.
#pragma once

#include <string>

// From now on no window is shown and every box is decided.
void BeginSilentRun();
// The run cannot go on without a person: the record says where and why, and
// the program ends with 1603. Nothing after it runs.
void EndSilentRun(const std::string& reason);

// The post-setup program, which the product installer runs, learns from the
// suite key that the setup was silent and where its record is; a run with
// windows leaves nothing there.
void LeaveTheRecordToPostSetup();
// Takes that value back: the installer did not start, or has ended.
void TakeTheRecordBack();
