#include "wizard/pages/CopyToServer.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "ui/BusyPointer.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/base/SystemQueries.h"
#include "wizard/pages/AnswerReplay.h"
#include "wizard/pages/CopyToServerLayout.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/VersionsListe.h"
#include "wizard/servercopy/CopySetupImage.h"
#include "wizard/servercopy/VersionFolders.h"

using namespace copy_to_server_layout;
namespace mb = platform::mb;

namespace {

constexpr int kYesNoCancel = 0x3;  // MB_YESNOCANCEL
constexpr int kCancelAnswer = 2;   // IDCANCEL

constexpr const char* kRecommendation =
    "Es wird empfohlen, die Installationsprozedur vom Image auf Ihren Server zu kopieren. Dies "
    "hat den Vorteil, daß Sie die Installation der Arbeitsplätze später ohne Image vom "
    "entsprechenden Netz-Laufwerk durchführen können. ";
constexpr const char* kAccessNote =
    "\r\nACHTUNG! Die Arbeitsplätze müssen Zugriff auf dieses Verzeichnis haben.";

bool InstallTypePrescribed() { return !text::Trim(Session().InstallTypeText).empty(); }

bool HasVersionFolder(const std::string& path) {
    return text::Upper(path).find("\\VERSION_") != std::string::npos;
}

// A question of the page; `key` names its answer in the answer file.
int Ask(const std::string& page, const char* key, const std::string& question, int buttons,
        const char* caption) {
    return answers::AnsweredQuestion(page, key, question, [&] {
        return messages::Show(MessageKind::Question, question, caption, buttons | mb::IconQuestion);
    });
}

}  // namespace

CopyToServer::CopyToServer()
    : WizardPage("CopyToServer"),
      Titel1(*this, kTitel1),
      Titel2(*this, kTitel2),
      Body1(*this, kBody1),
      optCopyCD(*this, {kNoCopy, kCopy}),
      txtServerPath(*this, kTxtServerPath),
      Lbl_Version(*this, kLblVersion),
      btnBrowse(*this, kBtnBrowse),
      Body2(*this, kBody2),
      ProgressTitle(*this, kProgressTitle),
      ProgressBack(*this, kProgressBack),
      ProgressBar(*this, kProgressBar),
      Label1(*this, kLabel1) {
    optCopyCD.onClick = [this](int index) { optCopyCD_Click(index); };
    btnBrowse.onClick = [this] { btnBrowse_Click(); };
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    // Ctrl on Next asks whether to go on without copying.
    btnNext.onKeyDown = [this](int keyCode, int) {
        if (keyCode != platform::gui::kKeyControl) return false;
        LeavingBy("Next", [this] {
            SkipQuestionPending = true;
            btnNext_Click();
        })();
        return true;
    };
    btnBack.onClick = LeavingBy("Back", [this] { btnBack_Click(); });
    btnCancel.onClick = [this] {
        RecordLeaving("Cancel");
        btnCancel_Click();
    };
}

CopyPageControls CopyToServer::Controls() {
    return {ProgressBack, ProgressBar, ProgressTitle, txtServerPath, btnNext,
            btnBack,      btnBrowse,   btnHelp,       optCopyCD[0],  optCopyCD[1]};
}

int CopyToServer::CopyImageTo(const std::string& target) {
    CopyProgress progress(Controls());
    return CopySetupImage(progress, target);
}

void CopyToServer::OnLoad() {
    SetupSession& session = Session();
    SkipOnFailure([this] { ApplyPageConvention(); });
    SkipQuestionPending = false;
    Lbl_Version.SetVisible(false);
    txtServerPath.SetWidth(kPathWidth);
    Body2.SetVisible(false);
    Body2.SetCaption("");
    ContinueChosen = false;
    Body1.SetCaption(std::string(kRecommendation) +
                     "Außerdem können die Arbeitsplätze dann selbst prüfen ob neuere Versionen "
                     "verfügbar sind. " +
                     kAccessNote);
    if (InstallTypePrescribed()) {
        SkipOnFailure([this] {
            optCopyCD[1].SetValue(1);
            Lbl_Version.SetCaption(VersionSuffix());
            Lbl_Version.SetVisible(true);
            txtServerPath.SetWidth(kPathWidthBesideVersion);
        });
    }
    TargetConfirmed = false;
    if (!session.ServerSetupFolder.empty()) {
        SkipOnFailure([this, &session] {
            txtServerPath.SetText(session.ServerSetupFolder);
            if (InstallTypePrescribed()) {
                txtServerPath.SetText(StripVersionFolder(txtServerPath.Text()));
            }
            // Already selected for a prescribed type: the remembered version
            // folder then stays in ServerSetupFolder for the look at old ones.
            optCopyCD[1].SetValue(1);
        });
    }
    SkipOnFailure([this] {
        UpdatePathToolTip();
        UpdateInfoTexts();
    });
    SkipOnFailure([this, &session] {
        if (FindOtherVersionFolders(session.ServerSetupFolder)) {
            OfferOldInstallationFiles();
        } else {
            ReportMissingServerFolder();
        }
    });
}

void CopyToServer::OfferOldInstallationFiles() {
    auto page = std::make_unique<VersionsListe>();
    {
        ui::BusyPointer busy;
        const auto& folders = Session().VersionFolders;
        for (std::size_t k = 1; k <= folders.size(); ++k) {
            const std::string& entry = folders[k - 1];
            page->lst_Versionen.AddItem(entry.substr(0, entry.find(';')), static_cast<long>(k));
        }
    }
    TakeAnswersOn(*page);
    page->ShowModal();
    // Never offered is not declined: the person learns that the page did not come.
    SayIfNotShown(*page);
}

void CopyToServer::ReportMissingServerFolder() {
    const std::string root = StripVersionFolder(Session().ServerSetupFolder);
    if (root.empty() || platform::files::FolderExists(root + "\\")) return;
    // Tells why the box is empty; the folder is chosen on the page.
    messages::Show(MessageKind::Information,
                   "Das Installations-Verzeichnis auf dem Server \r\n\r\n" + root +
                       "\r\n\r\nkonnte nicht gefunden werden!",
                   "Achtung", mb::Ok);
}

void CopyToServer::btnBrowse_Click() {
    UpdateInfoTexts();
    std::string folder = BrowseForFolder(
        "Wählen Sie das Verzeichnis, in das Sie den Inhalt des Images kopieren möchten.", 0,
        /*newStyle=*/true);
    if (!folder.empty()) {
        folder = CheckTargetFolder(folder);
        txtServerPath.SetText(folder);
        Session().ServerSetupFolder = txtServerPath.Text();
        optCopyCD[1].SetValue(1);
    }
    UpdatePathToolTip();
}

void CopyToServer::optCopyCD_Click(int) {
    SetupSession& session = Session();
    if (optCopyCD[0].Value() == 1) session.ServerSetupFolder.clear();
    if (optCopyCD[1].Value() == 1 && !text::Trim(txtServerPath.Text()).empty()) {
        session.ServerSetupFolder = txtServerPath.Text();
    }
    for (int i = 0; i < optCopyCD.Count(); ++i) optCopyCD[i].SetBold(optCopyCD[i].Value() == 1);
    UpdateInfoTexts();
}

void CopyToServer::UpdatePathToolTip() {
    txtServerPath.SetToolTipText(
        InstallTypePrescribed() ? txtServerPath.Text() + Lbl_Version.Caption() : std::string());
}

void CopyToServer::UpdateInfoTexts() {
    if (text::Trim(txtServerPath.Text()).empty()) {
        Body2.SetCaption("");
        return;
    }
    const SetupSession& session = Session();
    switch (session.MachineType) {
        case MachineRole::SinglePc:
        case MachineRole::DatabaseServer:
            if (!session.InstallTypeText.empty()) {
                Body1.SetCaption(std::string(kRecommendation) +
                                 "Auserdem können die Arbeitsplätze dann selbst prüfen ob neuere "
                                 "Versionen verfügbar sind. " +
                                 kAccessNote);
            }
            Body2.SetCaption(
                "Nach dem Kopieren können Sie die weiteren Arbeitsplätze durch starten der Datei "
                "SELVOR.EXE  aus diesem Installations-Verzeichnis installieren. ");
            Body2.SetVisible(optCopyCD[1].Value() == 1);
            break;
        case MachineRole::NetworkWorkstation:
            if (!session.InstallTypeText.empty()) {
                Body1.SetCaption(
                    "Es wird empfohlen, die Installationsprozedur vom Image auf Ihren Server zu "
                    "kopieren. \r\nDamit kann der Netzwerkarbeitsplatz in Zukunft selbst prüfen ob "
                    "neuere Versionen verfügbar sind.\r\nSollte dies schon erfolgt sein, starten "
                    "Sie die Datei SELVOR.EXE vom Server.");
            }
            Body2.SetCaption("");
            Body2.SetVisible(true);
            break;
        default:
            break;
    }
}

std::string CopyToServer::CheckTargetFolder(const std::string& folder) {
    std::string result = folder;
    const std::string target = HasVersionFolder(folder) ? folder : folder + Lbl_Version.Caption();
    if (!InstallTypePrescribed() || !FolderMayExist(target)) {
        return HasVersionFolder(result) ? StripVersionFolder(result) : result;
    }
    // A copy that was never completed is offered only to be copied again.
    const int answer = server_copy::IsIncomplete(target) ? AskAboutIncompleteCopy(target, result)
                                                          : AskAboutExistingCopy(folder, result);
    // Cancel, or a question that could not be shown and so decided nothing:
    // this Next ends here; the folder stays in the box.
    if (answer != platform::answer::Yes && answer != platform::answer::No) {
        Session().CopyCancelled = true;
        if (answer == kCancelAnswer && ConfirmExit()) FinishSetup();
    }
    return result;
}

int CopyToServer::AskAboutExistingCopy(const std::string& folder, std::string& result) {
    SetupSession& session = Session();
    int answer = Ask(Name(), "Overwrite",
                     "Das Installations-Verzeichnis besteht schon! Wollen Sie es überschreiben?",
                     kYesNoCancel, "Achtung");
    if (answer == platform::answer::Yes) {
        result = StripVersionFolder(folder);
        TargetConfirmed = true;
    } else if (answer == platform::answer::No) {
        if (session.MachineType == MachineRole::NetworkWorkstation ||
            session.MachineType == MachineRole::DatabaseServer) {
            answer = Ask(Name(), "ContinueFromServer",
                         "Möchten Sie das Setup aus dem Installations-Verzeichnis vom Server "
                         "fortsetzen?",
                         kYesNoCancel, "Achtung");
        }
        if (answer == platform::answer::Yes) {
            session.ContinueFromServerCopy = true;
            result = StripVersionFolder(folder);
            Body2.SetCaption("Setup wird von " + StripVersionFolder(folder) +
                             Lbl_Version.Caption() + " fortgesetzt!");
            Body2.SetVisible(true);
            ContinueChosen = true;
            TargetConfirmed = true;
        } else if (answer == platform::answer::No) {
            DeclineTheFolder(result);
        }
    }
    return answer;
}

int CopyToServer::AskAboutIncompleteCopy(const std::string& target, std::string& result) {
    const int answer = Ask(Name(), "CopyIncompleteAgain",
                           "Das Installations-Verzeichnis\r\n\r\n" + target +
                               "\r\n\r\nwurde nicht vollständig kopiert; das Setup kann von "
                               "dort nicht fortgesetzt werden. Wollen Sie es erneut kopieren?",
                           kYesNoCancel, "Achtung");
    if (answer == platform::answer::Yes) {
        result = StripVersionFolder(target);
        TargetConfirmed = true;
    } else if (answer == platform::answer::No) {
        DeclineTheFolder(result);
    }
    return answer;
}

void CopyToServer::DeclineTheFolder(std::string& result) {
    ContinueChosen = false;
    result.clear();
    TargetConfirmed = false;
}

bool CopyToServer::SkipAnswered() {
    SkipQuestionPending = false;
    return Ask(Name(), "SkipCopy",
               "Möchten Sie das Kopieren der Installationsprozedur überspringen?", mb::YesNo,
               "Achtung") == platform::answer::Yes;
}

bool CopyToServer::CopyIfChosen() {
    SetupSession& session = Session();
    if (text::Trim(txtServerPath.Text()).empty()) {
        // Next cannot go on: without a folder there is nothing to copy to.
        messages::Show(
            MessageKind::Failure,
            "Sie müssen einen Pfad angeben, auf den die Installationsprozedur kopiert werden soll.",
            "Setup kopieren", mb::Ok | mb::IconExclamation);
        btnBrowse_Click();
        return false;
    }
    if (!TargetConfirmed) {
        const std::string checked = text::Trim(
            CheckTargetFolder(text::Trim(txtServerPath.Text()) + Lbl_Version.Caption()));
        // Cancel in a question, exit declined: this Next ends with the page as
        // it was, so that the next Next asks again instead of copying over the
        // folder the user did not want replaced.
        if (session.CopyCancelled) {
            session.CopyCancelled = false;
            return false;
        }
        txtServerPath.SetText(checked);
        if (text::Trim(txtServerPath.Text()).empty()) {
            TargetConfirmed = false;
            return false;
        }
    }
    int result = 0;
    if (session.ContinueFromServerCopy) {
        if (!InstallTypePrescribed() &&
            Ask(Name(), "CopyAgain",
                "Die Installationsprozedur wurde bereits auf den Server kopiert. Möchten Sie "
                "diese erneut kopieren?",
                mb::YesNo | mb::DefaultButton2, "Setup kopieren") == platform::answer::Yes) {
            result = CopyImageTo(txtServerPath.Text());
        }
    } else if (!ContinueChosen) {
        result = CopyImageTo(InstallTypePrescribed()
                                                ? txtServerPath.Text() + Lbl_Version.Caption()
                                                : txtServerPath.Text());
    }
    if (result == 0) return true;
    // The failure was shown; a second Next goes on without a copy. A run
    // that ends here ends on the failed copy.
    NoteFailure("copy to " + txtServerPath.Text());
    optCopyCD[0].SetValue(1);
    return false;
}

void CopyToServer::RecordServerFolder() {
    SetupSession& session = Session();
    if (optCopyCD[1].Value() == 1) {
        if (InstallTypePrescribed()) {
            session.ServerSetupFolder =
                StripVersionFolder(session.ServerSetupFolder) + Lbl_Version.Caption();
        }
        WriteSuiteValue("SelvorDestination", session.ServerSetupFolder);
    } else {
        WriteSuiteValue("SelvorDestination", "");
    }
    WriteSuiteValue("SelvorLocation", "");
}

void CopyToServer::btnNext_Click() {
    SetupSession& session = Session();
    StorePagePosition(*this);
    // A Cancel the user declined before this Next must not stop what it starts.
    session.CopyCancelled = false;
    if (!(SkipQuestionPending && SkipAnswered())) {
        if (optCopyCD[1].Value() == 1 && !CopyIfChosen()) return;
        // Cancelled in a question or during the copy: the page stays.
        if (session.CopyCancelled) {
            session.CopyCancelled = false;
            return;
        }
        SkipOnFailure([this] { RecordServerFolder(); });
    }
    if (GoTo(AfterServerCopy(session))) Unload();
}

void CopyToServer::btnBack_Click() {
    StorePagePosition(*this);
    if (GoTo(BeforeServerCopy(Session()))) Unload();
}

std::vector<std::pair<std::string, std::string>> CopyToServer::ExtraAnswers() const {
    if (optCopyCD[1].Value() != 1) return {};
    return {{txtServerPath.Name(), txtServerPath.Text()}};
}

bool CopyToServer::TakeExtraAnswers() {
    if (optCopyCD[1].Value() != 1) return true;
    const std::optional<std::string> folder = answers::Value(Name(), txtServerPath.Name());
    if (!folder) {
        answers::StopReplay(Name(), "txtServerPath is not answered");
        return false;
    }
    if (txtServerPath.Text() == *folder) return true;
    // The box takes a folder only from Browse, and Browse only an existing one.
    if (!FolderMayExist(*folder) || !btnBrowse.Visible() || !btnBrowse.Enabled()) {
        answers::StopReplay(Name(), "the folder " + *folder + " cannot be chosen");
        return false;
    }
    answers::AnswerFolderPicker(*folder);
    btnBrowse.Click();
    answers::AnswerFolderPicker(std::nullopt);
    return true;
}

void CopyToServer::PressNextAsAnswered() {
    // The question to skip the copy comes with Ctrl on Next only.
    if (answers::Value(Name(), "SkipCopy") && btnNext.onKeyDown) {
        btnNext.onKeyDown(platform::gui::kKeyControl, platform::gui::kCtrlKey);
    } else {
        btnNext.Click();
    }
}

void CopyToServer::btnCancel_Click() {
    // A copy under way stops at its next look at the flag, whatever the answer.
    Session().CopyCancelled = true;
    if (ConfirmExit()) FinishSetup();
}

CopyToServer& ShowCopyToServerPage() { return ui::ShowModeless(std::make_unique<CopyToServer>()); }
