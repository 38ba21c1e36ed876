#include "wizard/pages/TerminalServer.h"

#include "shared/modRegistry.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/TerminalServerLayout.h"

using namespace terminal_server_layout;

TerminalServer::TerminalServer()
    : WizardPage("TerminalServer"),
      Titel1(*this, kTitel1),
      Titel2(*this, kTitel2),
      Body1(*this, kBody1),
      Frame1(*this, kFrame1),
      MachineType(*this, {kWithDatabase, kTerminalOnly},
                  OptionOf(MachineRole::TerminalServerWithDatabase)),
      lblDatabase(*this, kLblDatabase),
      Label2(*this, kLabel2),
      Label3(*this, kLabel3),
      Label1(*this, kLabel1) {
    MachineType.onClick = [this](int index) { MachineType_Click(index); };
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    btnBack.onClick = LeavingBy("Back", [this] { btnBack_Click(); });
}

void TerminalServer::OnLoad() {
    SkipOnFailure([this] { ApplyPageConvention(); });
    SkipOnFailure([this] {
        const MachineRole role = Session().MachineType;
        if (IsTerminalServer(role)) MachineType[OptionOf(role)].SetValue(1);
    });
}

void TerminalServer::MachineType_Click(int) {
    SetupSession& session = Session();
    for (int i = MachineType.FirstIndex(); i <= MachineType.LastIndex(); ++i) {
        const bool selected = MachineType[i].Value() == 1;
        MachineType[i].SetBold(selected);
        if (selected) session.MachineType = MachineRoleOfOption(i);
    }
    lblDatabase.SetBold(session.MachineType != MachineRole::TerminalServerWithDatabase);
}

void TerminalServer::btnNext_Click() {
    StorePagePosition(*this);
    SkipOnFailure(
        [] { WriteSuiteValue("SetupMachineType", StoredText(Session().MachineType)); });
    if (GoTo(AfterTerminalServer(Session()))) Unload();
}

void TerminalServer::btnBack_Click() {
    StorePagePosition(*this);
    if (GoTo(BeforeTerminalServer(Session()))) Unload();
}

TerminalServer& ShowTerminalServerPage() {
    return ui::ShowModeless(std::make_unique<TerminalServer>());
}
