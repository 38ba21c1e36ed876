#include "wizard/pages/SystemPruefung.h"

#include "platform/Platform.h"
#include "shared/Text.h"
#include "ui/ResourceForm.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SilentRun.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/pages/ImageValues.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/SystemPruefungLayout.h"

using namespace system_pruefung_layout;

namespace {

bool IsCommercialLine() { return !text::Trim(Session().ProgramName).empty(); }

std::string Requirement(const char* section, const char* key) {
    return ReadIniValue(Session().RequirementsIniPath, section, key, "", kPromptForMedium);
}

}  // namespace

SystemPruefung::SystemPruefung()
    : WizardPage("SystemPruefung"),
      Titel1(*this, kTitel1),
      Titel2(*this, kTitel2),
      Label6(*this, kLabel6),
      LabelProduktCaption(*this, kProduktCaption),
      LabelProduktValue(*this, kProduktValue),
      Label1(*this, kLabel1),
      Label2(*this, kLabel2),
      LabelOSEinzelValue(*this, kOSEinzelValue),
      Label3(*this, kLabel3),
      LabelOSServerValue(*this, kOSServerValue),
      Label5(*this, kLabel5),
      LabelSQLValue(*this, kSQLValue),
      Label4(*this, kLabel4),
      LabelFrameworkValue(*this, kFrameworkValue),
      LinkSystemvoraussetungen(*this, kLink),
      CheckSystemvoraussetzungenGelesen(*this, kCheck) {
    CheckSystemvoraussetzungenGelesen.onClick = [this] {
        btnNext.SetEnabled(CheckSystemvoraussetzungenGelesen.Value() == 1);
    };
    LinkSystemvoraussetungen.onClick = [] {
        StartFile(InstallIniValue("Checklisten", "Systemvoraussetzungen"), kDocument);
    };
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    btnBack.onClick = LeavingBy("Back", [this] { btnBack_Click(); });
}

void SystemPruefung::PlaceAtStoredPosition() {
    // Unlike the other pages, this one is not centred when nothing is stored.
    const SetupSession& session = Session();
    if (session.PageLeft != 0) SetLeft(session.PageLeft);
    if (session.PageTop != 0) SetTop(session.PageTop);
}

void SystemPruefung::OnLoad() {
    SkipOnFailure([this] { PlaceAtStoredPosition(); });
    SkipOnFailure([this] {
        SetCaption(Session().WizardTitle);
        Logo.SetPicture(ui::frmRes.Logo);
        btnNext.SetEnabled(false);
    });
    productName_ = IsCommercialLine() ? "ZEVRIN Morvalis" : "ZEVRIN Tolvane";
    SkipOnFailure([this] {
        const std::string version = ImageVersion();
        Titel2.SetCaption("Für " + productName_ + " " + version);
        LinkSystemvoraussetungen.SetCaption("Weitere Systemvoraussetzungen für " + productName_ +
                                            " öffnen.");
        LinkSystemvoraussetungen.SetMouseIcon(ui::frmRes.icoHand);
        LabelProduktCaption.SetCaption(productName_ + ":");
    });
    SkipOnFailure([this] { FillRequirements(); });
}

void SystemPruefung::FillRequirements() {
    LabelProduktValue.SetCaption(Requirement("Zevrin", IsCommercialLine() ? "MRV" : "TL"));
    LabelOSEinzelValue.SetCaption(Requirement("Betriebssystem", "EinzelplatzArbeitsstation"));
    LabelOSServerValue.SetCaption(Requirement("Betriebssystem", "Server"));
    LabelSQLValue.SetCaption(Requirement("SQL", "Version"));
    LabelFrameworkValue.SetCaption(Requirement("Framework", "Version"));
}

void SystemPruefung::RunInstallerToItsEnd() {
    auto& system = platform::Current();
    btnBack.SetEnabled(false);
    btnNext.SetEnabled(false);
    system.SetMousePointer(platform::MousePointer::Hourglass);
    const StartedFile installer = HandOverToTheInstaller();
    Session().WaitProcessName = ProcessNameOf(InstallIniValue("Application", "RUN"));
    // Cancel keeps working while the installer runs.
    WaitForStartedProgram(installer, Session().WaitProcessName);
    if (installer.started) NoteInstallerEnded(RecordEnd(installer, "installer"));
    // The post-setup program ran within the installer, or never will.
    TakeTheRecordBack();
    system.SetMousePointer(platform::MousePointer::Default);
    btnBack.SetEnabled(true);
    btnNext.SetEnabled(true);
    FinishSetup();
}

void SystemPruefung::btnNext_Click() {
    // The next page appears where the previous page was left, not where this
    // one was moved to.
    SkipOnFailure([this] { PlaceForm(*this); });
    const WizardStep next = AfterSystemRequirements(Session());
    if (next == WizardStep::StartInstallerAndWait) {
        RunInstallerToItsEnd();
    } else if (!GoTo(next)) {
        return;
    }
    Unload();
}

void SystemPruefung::btnBack_Click() {
    StorePagePosition(*this);
    if (GoTo(BeforeSystemRequirements(Session()))) Unload();
}

SystemPruefung& ShowSystemPruefungPage() {
    return ui::ShowModeless(std::make_unique<SystemPruefung>());
}
