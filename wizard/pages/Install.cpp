#include "wizard/pages/Install.h"

#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/pages/InstallLayout.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/updates/PatchPackage.h"

using namespace install_layout;

namespace {

// The suite's INI files are named without a folder: the profile functions
// find them in the Windows folder.
std::string Destination(const char* iniFile, const char* key) {
    return text::Trim(ReadIniValue(iniFile, "DESTINATIONS", key, "", kPromptForMedium));
}

const char* DestinationsFile(int setupTypeResult) {
    return setupTypeResult == 0 ? "KVIR32.INI" : "KVIR32_OLD.INI";
}

bool InstallTypePrescribed() { return !text::Trim(Session().InstallTypeText).empty(); }

}  // namespace

Install::Install()
    : WizardPage("Install"),
      Titel1(*this, kTitel1),
      Titel2(*this, kTitel2),
      Body1(*this, kBody1),
      Frame1(*this, kFrame1),
      InstallType(*this, {kNeuinstallation, kAktualisierung}),
      Label2(*this, kLabel2),
      Frame2(*this, kFrame2),
      MachineType(*this, {kEinzelplatz, kArbeitsplatz, kDatenbankServer, kTerminalServer}),
      ReInstallServiceReleaseChecked(*this, kReInstall),
      Label1(*this, kLabel1) {
    InstallType.onClick = [this](int index) { InstallType_Click(index); };
    MachineType.onClick = [this](int index) { MachineType_Click(index); };
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    btnBack.onClick = LeavingBy("Back", [this] { btnBack_Click(); });
}

void Install::OnLoad() {
    SkipOnFailure([this] {
        ReInstallServiceReleaseChecked.SetVisible(false);
        ApplyPageConvention();
    });
    SetupSession& session = Session();
    session.InstallPageShown = false;
    // Started again on every visit: the user may have installed meanwhile.
    SkipOnFailure([&session] { session.SetupTypeResult = RunSetupTypeHelper(); });
    SkipOnFailure([this] { ReadInstallationFolders(); });
    tolvaneMarker_ = session.SetupTypeResult >= 0 && session.SetupTypeResult <= 2 &&
                     !session.TlDestination.empty();
    session.InstallPageShown = true;
    // Every visit proposes afresh what a "NEWUPDATE" image leaves open.
    if (text::Trim(session.InstallTypeText) == "NEWUPDATE") {
        session.InstallMode = SetupMode::NewThenUpdate;
    }
    productName_ = InstallTypePrescribed() ? "ZEVRIN Tolvane" : "";
    SkipOnFailure([this] { PreselectInstallType(); });
    SkipOnFailure([this] { PreselectMachineType(); });
    SkipOnFailure([this, &session] {
        if (session.IsWorkstationSetup) {
            // A workstation copy serves single PCs and network workstations only.
            MachineType[OptionOf(MachineRole::DatabaseServer)].SetVisible(false);
            MachineType[OptionOf(MachineRole::TerminalServerWithDatabase)].SetVisible(false);
            ReInstallServiceReleaseChecked.SetVisible(true);
        }
        if (session.InstallMode == SetupMode::Update && InstallTypePrescribed()) {
            ReInstallServiceReleaseChecked.SetVisible(true);
        }
    });
    SkipOnFailure([&session] { session.SetupSourceRoot = CheckSetupFolder(session.SetupRoot); });
}

void Install::ReadInstallationFolders() {
    SetupSession& session = Session();
    // Any other answer of the setup-type program keeps what it read itself.
    if (session.SetupTypeResult != 0 && session.SetupTypeResult != 1) return;
    const char* file = DestinationsFile(session.SetupTypeResult);
    session.TlDestination = Destination(file, "TOLVANE");
    session.QnDestination = Destination(file, "QUENOR");
    if (session.QnDestination.empty()) session.QnDestination = Destination(file, "ORVANTE");
}

void Install::PreselectInstallType() {
    ui::Control& newInstallation = InstallType[OptionOf(SetupMode::NewInstallation)];
    ui::Control& update = InstallType[OptionOf(SetupMode::Update)];
    switch (Session().InstallMode) {
        case SetupMode::Update:
            update.SetValue(1);
            if (InstallTypePrescribed()) {
                newInstallation.SetVisible(false);
                Titel1.SetCaption("Aktualisierung");
                Titel2.SetVisible(false);
                Body1.SetCaption("Bitte geben Sie an wo die Aktualisierung von " + productName_ +
                                 " durchgeführt werden soll.");
            }
            break;
        case SetupMode::NewThenUpdate:
            newInstallation.SetValue(1);
            if (tolvaneMarker_) update.SetValue(1);
            break;
        case SetupMode::NewInstallation:
            newInstallation.SetValue(1);
            if (InstallTypePrescribed()) {
                update.SetVisible(false);
                Titel1.SetCaption("Neuinstallation");
                Titel2.SetVisible(false);
                Body1.SetCaption("Bitte geben Sie an wo die Neuinstallation von " + productName_ +
                                 " durchgeführt werden soll.");
            }
            break;
    }
}

void Install::PreselectMachineType() {
    MachineRole role = Session().MachineType;
    // Both terminal-server roles show as "Terminal-Server"; anything unknown
    // as a single PC.
    if (role == MachineRole::TerminalServerOnly) role = MachineRole::TerminalServerWithDatabase;
    if (!IsKnownRole(role)) role = MachineRole::SinglePc;
    MachineType[OptionOf(role)].SetValue(1);
}

void Install::InstallType_Click(int) {
    for (int i = 0; i < InstallType.Count(); ++i) {
        const bool selected = InstallType[i].Value() == 1;
        InstallType[i].SetBold(selected);
        if (selected) Session().InstallMode = SetupModeOfOption(i);
    }
}

void Install::MachineType_Click(int) {
    SetupSession& session = Session();
    for (int i = 0; i < MachineType.Count(); ++i) {
        const bool selected = MachineType[i].Value() == 1;
        MachineType[i].SetBold(selected);
        // A terminal server without the database keeps its finer role.
        const MachineRole role = MachineRoleOfOption(i);
        if (selected && !(role == MachineRole::TerminalServerWithDatabase &&
                          session.MachineType == MachineRole::TerminalServerOnly)) {
            session.MachineType = role;
        }
    }
}

void Install::RecordChoices() {
    const SetupSession& session = Session();
    SkipOnFailure([&session] {
        WriteSuiteValue("SetupType", std::to_string(session.SetupTypeResult));
        WriteSuiteValue("TlDestination", session.TlDestination);
        WriteSuiteValue("QnDestination", session.QnDestination);
        // The terminal server page records the terminal-server roles.
        if (!IsTerminalServer(session.MachineType)) {
            WriteSuiteValue("SetupMachineType", StoredText(session.MachineType));
        }
    });
    if (ReInstallServiceReleaseChecked.Value() == 1) SkipOnFailure([] { ClearPatchRecord(); });
}

void Install::btnNext_Click() {
    StorePagePosition(*this);
    RecordChoices();
    if (GoTo(AfterInstallationType(Session()))) Unload();
}

void Install::btnBack_Click() {
    StorePagePosition(*this);
    if (GoTo(BeforeInstallationType(Session()))) Unload();
}

Install& ShowInstallPage() { return ui::ShowModeless(std::make_unique<Install>()); }
