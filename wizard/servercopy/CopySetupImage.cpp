#include "wizard/servercopy/CopySetupImage.h"

#include <vector>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "ui/BusyPointer.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/servercopy/CopyError.h"
#include "wizard/servercopy/CopyLayout.h"
#include "wizard/servercopy/ImageFileCopy.h"
#include "wizard/servercopy/ImageFiles.h"
#include "wizard/servercopy/ImageFolderList.h"
#include "wizard/servercopy/InputPump.h"
#include "wizard/servercopy/TargetFolder.h"
#include "wizard/servercopy/VersionFolders.h"

namespace {

namespace files = platform::files;

// The workstation files; the copy lists them last.
constexpr const char* kWorkstationFolder = "WSROOT";

bool CopyCancelled() { return Session().CopyCancelled; }

class ImageCopy {
  public:
    ImageCopy(std::string imageRoot, std::string target, CopyDisplay& progress)
        : root_(std::move(imageRoot)), target_(std::move(target)), progress_(progress) {}

    // Stops at the first failure or Cancel; the files that every server copy
    // needs are placed once the file stage was reached.
    void Run() {
        if (CollectFiles() && PrepareTargets()) {
            CopyFiles();
            PlaceClosingFiles();
        }
    }
    const CopyError& Error() const { return error_; }
    std::size_t FilesListed() const { return files_.size(); }
    std::size_t FilesCopied() const { return filesCopied_; }
    unsigned long long BytesCopied() const { return bytesCopied_; }

  private:
    bool Stopped() const { return error_.Failed() || CopyCancelled(); }
    std::string FromRoot(const std::string& relative) const {
        return text::JoinPath(text::Trim(root_), relative);
    }
    std::string InTarget(const std::string& name) const { return text::JoinPath(target_, name); }

    bool CollectFiles() {
        progress_.SetTitle("Zu kopierende Dateien werden ermittelt ...");
        ReadImageFolderList(folders_, error_);
        if (Stopped()) return false;
        folders_.push_back(kWorkstationFolder);
        files_ = ListImageFiles(root_, folders_, error_);
        return !Stopped();
    }

    bool PrepareTargets() {
        progress_.SetTitle("Zielverzeichnisstruktur wird erzeugt ...");
        // A blank target would put the copy into the current folder.
        if (text::Trim(target_).empty()) error_.Record(kPathNotFound);
        if (Stopped()) return false;
        PrepareTargetFolder(target_);
        // The workstation files, listed last, go to the target itself.
        for (size_t i = 0; i + 1 < folders_.size() && !Stopped(); ++i) {
            // A folder that cannot be made is left out; the copies into it
            // then fail and tell.
            if (const auto folder = PreparedFolderOf(target_, folders_[i])) {
                PrepareTargetFolder(*folder);
            }
            input_pump::Now();
        }
        return !Stopped();
    }

    void CopyFiles() {
        for (size_t i = 0; i < files_.size() && !Stopped(); ++i) {
            const ImageFile& file = files_[i];
            progress_.ShowFile(file.entry + "\\" + file.name, i + 1, files_.size());
            const std::string sourceFolder = SourceFolderOf(root_, file.entry);
            const std::optional<std::string> targetFolder = TargetFolderOf(target_, file.entry);
            // A folder path the shell rejects must not send the file elsewhere
            // (the drive's root, or the target itself).
            if (sourceFolder.empty() || !targetFolder) {
                error_.Record(kPathTooLong);
                continue;
            }
            const std::string source = text::JoinPath(sourceFolder, file.name);
            const std::string target = text::JoinPath(*targetFolder, file.name);
            // A large file shows its name while it is copied.
            const unsigned long result =
                CopyImageFile(source, target, [this] { progress_.Refresh(); });
            // A Cancel stops a file without failing the run.
            if (result != 0 && result != files::kCopyStopped) error_.Record(result);
            if (result == 0) {
                ++filesCopied_;
                bytesCopied_ += files::FileSize(target).value_or(0);
            }
            input_pump::Now();
        }
    }

    // Their failures are left out; the run's message is about the image.
    void PlaceClosingFiles() {
        const SetupSession& session = Session();
        // A full server image or an unpacked update holds no wizard of its
        // own to become the workstation setup; WSROOT's Selvor.exe stays.
        if (!session.InternetUpdate && !session.StartedFromServerImage) {
            Replace(FromRoot("Paldrix.exe"), InTarget("Selvor.exe"));
        }
        Replace(FromRoot("sqlredis.exe"), InTarget("sqlredis.exe"));
        Replace(FromRoot("Dravik.exe"), InTarget("Dravik.exe"));
        files::CopyFileInSteps(FromRoot("WSROOT\\Version.ini"),
                               text::JoinPath(StripVersionFolder(target_), "AktVersion.ini"),
                               nullptr);
    }

    // A source that is not there must not cost the target its file: the
    // workstation's own Selvor.exe stays when the wizard goes by another name.
    static void Replace(const std::string& source, const std::string& target) {
        if (!files::IsPlainFile(source)) return;
        files::DeleteFileAt(target);
        files::CopyFileInSteps(source, target, nullptr);
    }

    const std::string root_;
    const std::string target_;
    CopyDisplay& progress_;
    CopyError error_;
    std::vector<std::string> folders_;
    std::vector<ImageFile> files_;
    std::size_t filesCopied_ = 0;
    unsigned long long bytesCopied_ = 0;
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
    ImageCopy copy(root, target, progress);
    const std::uint64_t started = platform::Current().TickMilliseconds();
    copy.Run();
    busy.End();
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
