// Entry point of Paldrix.exe: secure the DLL search, install the real
// platform and hand over.
#include "platform/DllSafety.h"
#include "platform/Win32Platform.h"
#include "wizard/program/WizardProgram.h"

int main() {
    platform::RestrictDllSearchToSystemFolder();
    platform::Win32Platform win32;
    platform::Install(win32);
    return RunWizardProgram();
}
