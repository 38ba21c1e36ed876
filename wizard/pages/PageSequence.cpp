#include "wizard/pages/PageSequence.h"

#include "shared/Text.h"
#include "wizard/SetupSession.h"

PageAfterWelcomeChoice PageAfterWelcome(const SetupSession& session) {
    return text::Upper(session.InstallTypeText) == "UPDATE"
               ? PageAfterWelcomeChoice::InstallationType
               : PageAfterWelcomeChoice::SystemRequirements;
}

void ShowPageAfterWelcome() {
    switch (PageAfterWelcome(Session())) {
        case PageAfterWelcomeChoice::SystemRequirements:
            // The System requirements page is not part of this program yet.
            break;
        case PageAfterWelcomeChoice::InstallationType:
            // The Installation type page is not part of this program yet.
            break;
    }
}
