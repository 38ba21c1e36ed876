#include "wizard/WizardProgram.h"

#include <exception>

#include "wizard/CommandLine.h"
#include "wizard/SetupSession.h"

int RunWizardProgram() {
    try {
        ParseCommandLine();
        if (Session().EditInfMode) return 0;  // the INF edit has run; no page
        return 0;
    } catch (const std::exception&) {
        // Nothing may escape as a crash; every step reports what the user
        // must see on its own.
        return 1;
    }
}
