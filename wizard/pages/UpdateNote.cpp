#include "wizard/pages/UpdateNote.h"

#include "ui/ResourceForm.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/ImageValues.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/UpdateNoteLayout.h"
#include "wizard/pages/UpdateNoteText.h"

using namespace update_note_layout;

UpdateNote::UpdateNote()
    : WizardPage("UpdateNote"),
      Titel1(*this, kTitel1),
      lblUpdateNote(*this, kLblUpdateNote),
      lblUpdateText(*this, kLblUpdateText),
      OldVersionChecked(*this, kOldVersionChecked) {
    OldVersionChecked.onClick = [this] { btnNext.SetEnabled(OldVersionChecked.Value() == 1); };
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    btnBack.onClick = LeavingBy("Back", [this] { btnBack_Click(); });
}

void UpdateNote::OnLoad() {
    SkipOnFailure([this] { PlaceForm(*this); });
    SkipOnFailure([this] {
        const SetupSession& session = Session();
        lblUpdateText.SetText(
            ReadUpdateNote(UpdateNotePath(session.SetupRoot, session.IsWorkstationSetup)));
    });
    SkipOnFailure([this] {
        SetCaption(Session().WizardTitle);
        Logo.SetPicture(ui::frmRes.Logo);
    });
    SkipOnFailure([this] {
        lblUpdateNote.SetCaption("Hinweis für die Aktualisierung auf " + ImageVersion());
    });
    btnNext.SetEnabled(false);
}

void UpdateNote::btnNext_Click() {
    StorePagePosition(*this);
    if (GoTo(AfterUpdateNote(Session()))) Unload();
}

void UpdateNote::btnBack_Click() {
    StorePagePosition(*this);
    if (GoTo(BeforeUpdateNote(Session()))) Unload();
}

UpdateNote& ShowUpdateNotePage() { return ui::ShowModeless(std::make_unique<UpdateNote>()); }
