#include "wizard/servercopy/ImageCopy.h"

#include <optional>

#include "platform/Files.h"
#include "shared/Text.h"
#include "wizard/base/SetupSession.h"
#include "wizard/servercopy/CopyLayout.h"
#include "wizard/servercopy/ImageFileCopy.h"
#include "wizard/servercopy/ImageFolderList.h"
#include "wizard/servercopy/InputPump.h"
#include "wizard/servercopy/TargetFolder.h"

namespace {

namespace files = platform::files;

// The workstation files; the copy lists them last.
constexpr const char* kWorkstationFolder = "WSROOT";

// A source that is not there must not cost the target its file: the
// workstation's own Selvor.exe stays when the wizard goes by another name.
void Replace(const std::string& source, const std::string& target) {
    if (!files::IsPlainFile(source)) return;
    files::DeleteFileAt(target);
    files::CopyFileInSteps(source, target, nullptr);
    input_pump::WhenDue();
}

}  // namespace

bool ImageCopy::Stopped() const { return error_.Failed() || Session().CopyCancelled; }

std::string ImageCopy::FromRoot(const std::string& relative) const {
    return text::JoinPath(text::Trim(root_), relative);
}

std::vector<std::string> ImageCopy::ListedFolders() const {
    // The workstation files, listed last, go to the folder itself.
    if (folders_.empty()) return {};
    return {folders_.begin(), folders_.end() - 1};
}

bool ImageCopy::CollectFiles() {
    progress_.SetTitle("Zu kopierende Dateien werden ermittelt ...");
    ReadImageFolderList(folders_, error_);
    if (Stopped()) return false;
    folders_.push_back(kWorkstationFolder);
    files_ = ListImageFiles(root_, folders_, error_);
    return !Stopped();
}

bool ImageCopy::PrepareFolders(const std::string& folder) {
    progress_.SetTitle("Zielverzeichnisstruktur wird erzeugt ...");
    PrepareTargetFolder(folder);
    for (const std::string& entry : ListedFolders()) {
        if (Stopped()) break;
        // A folder that cannot be made is left out; the copies into it
        // then fail and tell.
        if (const auto prepared = PreparedFolderOf(folder, entry)) PrepareTargetFolder(*prepared);
        input_pump::WhenDue();
    }
    return !Stopped();
}

void ImageCopy::CopyInto(const std::string& folder) {
    CopyFiles(folder);
    PlaceClosingFiles(folder);
}

void ImageCopy::CopyFiles(const std::string& folder) {
    const auto refresh = [this] { progress_.Refresh(); };
    // The files come folder by folder: each folder's paths are made once.
    std::string entry;
    std::string sourceFolder;
    std::optional<std::string> targetFolder;
    for (size_t i = 0; i < files_.size() && !Stopped(); ++i) {
        const ImageFile& file = files_[i];
        progress_.ShowFile(file.entry + "\\" + file.name, i + 1, files_.size());
        if (i == 0 || file.entry != entry) {
            entry = file.entry;
            sourceFolder = SourceFolderOf(root_, entry);
            targetFolder = TargetFolderOf(folder, entry);
        }
        // A folder path the shell rejects must not send the file elsewhere
        // (the drive's root, or the target itself).
        if (sourceFolder.empty() || !targetFolder) {
            error_.Record(kPathTooLong);
            continue;
        }
        unsigned long long size = 0;
        const unsigned long result = CopyImageFile(text::JoinPath(sourceFolder, file.name),
                                                   text::JoinPath(*targetFolder, file.name),
                                                   refresh, size);
        // A Cancel stops a file without failing the run.
        if (result != 0 && result != files::kCopyStopped) error_.Record(result);
        if (result == 0) {
            ++filesCopied_;
            bytesCopied_ += size;
        }
        // Answering after every file costs a small file more than its copy;
        // answering when due keeps the windows as quick.
        input_pump::WhenDue(refresh);
    }
}

// Their failures are left out; the run's message is about the image.
void ImageCopy::PlaceClosingFiles(const std::string& folder) {
    const SetupSession& session = Session();
    const auto inFolder = [&folder](const char* name) { return text::JoinPath(folder, name); };
    // A full server image or an unpacked update holds no wizard of its
    // own to become the workstation setup; WSROOT's Selvor.exe stays.
    if (!session.InternetUpdate && !session.StartedFromServerImage) {
        Replace(FromRoot("Paldrix.exe"), inFolder("Selvor.exe"));
    }
    Replace(FromRoot("sqlredis.exe"), inFolder("sqlredis.exe"));
    Replace(FromRoot("Dravik.exe"), inFolder("Dravik.exe"));
}
