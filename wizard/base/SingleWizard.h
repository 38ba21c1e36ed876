// One wizard at a time on a machine: a second one started while the first
// runs (a double double-click, a login script run twice) would stop the same
// services and copy into the same folder.
#pragma once

// Takes the machine-wide lock for the rest of the run. When another wizard
// holds it, says so, brings that wizard's page to the front, notes the
// exit code 1618 and answers false: the program then ends.
bool TakeTheWizardLock();
// Gives the lock up before the wizard hands over to the product installer,
// which may start a wizard of its own while this one is still ending.
void ReleaseTheWizardLock();
