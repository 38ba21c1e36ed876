#include "wizard/program/StartWizard.h"

#include "wizard/pages/FrmHinweis.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/program/StartUp.h"

void StartWizard() {
    FrmHinweisNotice notice;
    if (!RunStartUpSequence(notice)) return;
    ShowFirstPage();
}
