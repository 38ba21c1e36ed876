#include "wizard/pages/DBTools.h"

#include "platform/Platform.h"
#include "ui/ResourceForm.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/pages/DBToolsLayout.h"
#include "wizard/pages/ImageValues.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"

using namespace dbtools_layout;

DBTools::DBTools()
    : WizardPage("DBTools"),
      Titel1(*this, kTitel1),
      Titel2(*this, kTitel2),
      Body1(*this, kBody1),
      LinkInstallDBSetup(*this, kLinkInstallDBSetup),
      Body2(*this, kBody2),
      Label1(*this, kLabel1) {
    LinkInstallDBSetup.onClick = [this] { InstallDatabaseTools(); };
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    btnBack.onClick = LeavingBy("Back", [this] { btnBack_Click(); });
}

void DBTools::OnLoad() {
    SkipOnFailure([this] {
        ApplyPageConvention();
        LinkInstallDBSetup.SetMouseIcon(ui::frmRes.icoHand);
    });
    SetStepping(true);
}

// While the tools installer runs, the page only answers Cancel and Help. The
// link too waits: a second tools installer beside the first would fail.
void DBTools::SetStepping(bool enabled) {
    btnBack.SetEnabled(enabled);
    btnNext.SetEnabled(enabled);
    LinkInstallDBSetup.SetEnabled(enabled);
}

void DBTools::InstallDatabaseTools() {
    auto& system = platform::Current();
    SetupSession& session = Session();
    system.PumpEvents();
    system.SetMousePointer(platform::MousePointer::Hourglass);
    // The tools come from the image the wizard was started from.
    session.InstallIniPath = session.SavedInstallIniPath;
    toolsInstalled_ = true;
    SetStepping(false);
    SkipOnFailure([&session] { session.SetupRoot = CheckSetupFolder(session.SetupSourceRoot); });
    StartedFile tools;
    SkipOnFailure(
        [&tools] { tools = StartFile(InstallIniValue("DBTools", "RUN"), kPreferServerCopy); });
    SkipOnFailure([&session, &tools] {
        session.WaitProcessName = ProcessNameOf(InstallIniValue("DBTools", "RUN"));
        WaitForStartedProgram(tools, session.WaitProcessName);
    });
    const std::optional<long> code = RecordEnd(tools, "database-tools");
    if (code && !IsSuccessCode(*code)) NoteFailure("database tools installer");
    SetStepping(true);
    system.SetMousePointer(platform::MousePointer::Default);
}

std::vector<std::pair<std::string, std::string>> DBTools::ExtraAnswers() const {
    return {{LinkInstallDBSetup.Name(), toolsInstalled_ ? "1" : "0"}};
}

bool DBTools::TakeExtraAnswers() {
    const std::optional<std::string> install = answers::Value(Name(), LinkInstallDBSetup.Name());
    if (install == "0") return true;
    if (install != "1") {
        answers::StopReplay(Name(), LinkInstallDBSetup.Name() + " is not answered with 0 or 1");
        return false;
    }
    if (!LinkInstallDBSetup.Visible() || !LinkInstallDBSetup.Enabled()) {
        answers::StopReplay(Name(), LinkInstallDBSetup.Name() + "=1 is not offered");
        return false;
    }
    LinkInstallDBSetup.Click();  // returns when the tools installer has ended
    return true;
}

void DBTools::btnNext_Click() {
    StorePagePosition(*this);
    SkipOnFailure([] { Session().SetupTypeResult = RunSetupTypeHelper(); });
    if (GoTo(AfterDatabaseTools(Session()))) Unload();
}

void DBTools::btnBack_Click() {
    StorePagePosition(*this);
    SkipOnFailure([] { Session().SetupTypeResult = RunSetupTypeHelper(); });
    if (GoTo(BeforeDatabaseTools(Session()))) Unload();
}

DBTools& ShowDBToolsPage() { return ui::ShowModeless(std::make_unique<DBTools>()); }
