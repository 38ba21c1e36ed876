#include "wizard/servercopy/CopySetupImage.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "ui/BusyPointer.h"
#include "wizard/base/ProgramEnd.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/servercopy/ImageCopy.h"
#include "wizard/servercopy/InputPump.h"
#include "wizard/servercopy/NewCopyInPlace.h"
#include "wizard/servercopy/TargetFolder.h"
#include "wizard/servercopy/VersionFolders.h"

namespace {

namespace files = platform::files;

// The copy is made so that an incomplete one is never taken for a complete
// one: its folder carries the mark from before the first old file goes until
// after the last new file is there. Over an earlier complete copy the new one
// is made beside it and moved into place only once complete, so that the
// earlier one serves the workstations until then.
class ServerCopyRun {
  public:
    ServerCopyRun(const std::string& imageRoot, std::string target, CopyDisplay& progress)
        : root_(imageRoot), target_(std::move(target)), copy_(imageRoot, progress) {}

    void Run() {
        if (!copy_.CollectFiles()) return;
        // A blank target would put the copy into the current folder.
        if (text::Trim(target_).empty()) copy_.Error().Record(kPathNotFound);
        if (copy_.Stopped()) return;
        besideEarlierCopy_ = HoldsCompleteCopy(target_);
        const std::string folder = besideEarlierCopy_ ? NewCopyFolderOf(target_) : target_;
        files::CreateOneFolder(target_);
        if (!Mark(folder)) return;
        if (!copy_.PrepareFolders(folder)) return;
        copy_.CopyInto(folder);
        if (copy_.Stopped()) return;
        Complete(folder);
        // The earlier copy's files, or what an interrupted new copy left
        // there; the copy is complete without them.
        if (!copy_.Error().Failed()) RemoveFolderWhileAnswering(NewCopyFolderOf(target_));
    }
    const ImageCopy& Copy() const { return copy_; }

  private:
    bool Mark(const std::string& folder) {
        if (folder != target_) files::CreateOneFolder(folder);
        if (const unsigned long failure = server_copy::MarkIncomplete(folder)) {
            copy_.Error().Record(failure);
        }
        return !copy_.Stopped();
    }

    void Complete(const std::string& folder) {
        {
            // Ending the program halfway through would leave neither copy.
            ExitDeferral deferral;
            if (besideEarlierCopy_) {
                MoveNewCopyIntoPlace(folder, target_, copy_.ListedFolders(), copy_.Error());
            }
            if (!copy_.Error().Failed()) {
                if (const unsigned long failure = server_copy::MarkComplete(target_)) {
                    copy_.Error().Record(failure);
                }
            }
            // Names only a complete copy, for the workstations that look for
            // newer versions.
            if (!copy_.Error().Failed()) PlaceCurrentVersionFile();
        }
        if (ExitDeferral::Requested()) FinishSetup();
    }

    // A failure is left out, as for the other closing steps. Written beside
    // and moved over, so that the file is never half written.
    void PlaceCurrentVersionFile() {
        const std::string folder = StripVersionFolder(target_);
        const std::string file = text::JoinPath(folder, "AktVersion.ini");
        const std::string written = file + ".neu";
        const std::string source = text::JoinPath(text::Trim(root_), "WSROOT\\Version.ini");
        if (files::CopyFileInSteps(source, written, nullptr) != 0) return;
        if (!files::MoveReplacing(written, file)) files::DeleteFileAt(written);
    }

    const std::string root_;
    const std::string target_;
    ImageCopy copy_;
    bool besideEarlierCopy_ = false;
};

void RecordCopy(const std::string& target, const ImageCopy& copy, std::uint64_t milliseconds) {
    const CopyError& error = copy.Error();
    const char* result = error.Failed() ? "failed" : Session().CopyCancelled ? "cancelled" : "done";
    run_log::Write("copy", {{"target", target},
                            {"files", std::to_string(copy.FilesCopied())},
                            {"listed", std::to_string(copy.FilesListed())},
                            {"bytes", std::to_string(copy.BytesCopied())},
                            {"milliseconds", std::to_string(milliseconds)},
                            {"result", result},
                            {"failure", error.text}});
}

void AskForTheMedium(CopyDisplay& display) {
    // The image to copy is not there: nothing can be copied.
    messages::Show(MessageKind::Failure, "Bitte legen Sie die Programm-CD ein", kApplicationTitle,
                   platform::mb::Ok);
    display.AllowNextOnly();
}

}  // namespace

int CopySetupImage(CopyDisplay& progress, const std::string& target) {
    progress.Begin();
    const std::string root = CheckSetupFolder(Session().SetupRoot);
    if (!files::IsPlainFile(text::JoinPath(text::Trim(root), "WSROOT\\Selvor.exe"))) {
        AskForTheMedium(progress);
        return kImageNotFound;
    }
    ui::BusyPointer busy;
    input_pump::Restart();
    SetupSession& session = Session();
    session.ContinueFromServerCopy = false;
    ServerCopyRun run(root, target, progress);
    const std::uint64_t started = platform::Current().TickMilliseconds();
    run.Run();
    busy.End();
    const ImageCopy& copy = run.Copy();
    RecordCopy(target, copy, platform::Current().TickMilliseconds() - started);
    const CopyError& error = copy.Error();
    if (error.Failed()) {
        messages::Show(MessageKind::Failure, error.text, "Setup kopieren",
                       platform::mb::Ok | platform::mb::IconError);
    } else if (!session.CopyCancelled) {
        session.ContinueFromServerCopy = true;
    }
    progress.End();
    return static_cast<int>(error.code);
}
