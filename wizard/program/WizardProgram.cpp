#include "wizard/program/WizardProgram.h"

#include <exception>

#include "ui/Form.h"
#include "wizard/program/StartWizard.h"

int RunWizardProgram() {
    try {
        // Start-up reads the command line first; an INF edit ends the program
        // there without a page.
        StartWizard();
        ui::RunMessageLoop();
        ui::DiscardAllForms();
        return 0;
    } catch (const std::exception&) {
        // Nothing may escape as a crash; every step reports what the user
        // must see on its own.
        return 1;
    }
}
