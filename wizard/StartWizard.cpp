#include "wizard/StartWizard.h"

#include "wizard/StartUp.h"
#include "wizard/pages/FrmHinweis.h"
#include "wizard/pages/PageSequence.h"

void StartWizard() {
    FrmHinweisNotice notice;
    if (!RunStartUpSequence(notice)) return;
    ShowFirstPage();
}
