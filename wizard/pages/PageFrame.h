// What every wizard page shares: where it is shown, how the user abandons
// the wizard, and what Next, Back, Cancel and Help do.
#pragma once

#include "wizard/base/ProgramEnd.h"

namespace ui {
class Form;
}

// Puts the page where the previous page was left, or centres it; each
// coordinate on its own, 0 meaning "not stored".
void PlaceForm(ui::Form& form);
// Asks whether to abandon the wizard; on Yes, the version records of this
// run are taken back. True when the user confirmed.
bool ConfirmExit();
// Next and Back: the next page appears where this one was left.
void StorePagePosition(const ui::Form& page);
// Cancel: ConfirmExit, then FinishSetup when confirmed.
void CancelWizard();
// Help: the wizard's help document from the setup image.
void ShowWizardHelp();
