// The wizard program after its entry point: everything tests can drive.
#pragma once

// Runs the wizard and returns the program's exit code.
int RunWizardProgram();
