#include "tests/support/TempFolder.h"

#include <atomic>

#include "platform/Files.h"
#include "platform/Platform.h"

namespace testing_support {
namespace {

std::atomic<unsigned> counter{0};

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        platform::files::CreateOneFolder(path.substr(0, at));
    }
    platform::files::CreateOneFolder(path);
}

}  // namespace

TempFolder::TempFolder() : TempFolder(std::string()) {}

TempFolder::TempFolder(const std::string& nested) {
    static const unsigned long long seed = reinterpret_cast<unsigned long long>(&counter) ^
                                           static_cast<unsigned long long>(time(nullptr));
    root_ = platform::files::TempFolder() + "wiztest_" + std::to_string(seed % 1000000) + "_" +
            std::to_string(counter++);
    path_ = root_ + nested;
    platform::files::DeleteFolderTree(root_);
    MakeFolders(path_);
}

TempFolder::~TempFolder() { platform::files::DeleteFolderTree(root_); }

std::string TempFolder::operator/(const std::string& relative) const {
    return path_ + "\\" + relative;
}

std::string TempFolder::Write(const std::string& relative, const std::string& bytes) const {
    std::string full = *this / relative;
    size_t slash = full.find_last_of('\\');
    MakeFolders(full.substr(0, slash));
    platform::files::WriteWholeFile(full, bytes);
    return full;
}

std::string TempFolder::MakeFolder(const std::string& relative) const {
    std::string full = *this / relative;
    MakeFolders(full);
    return full;
}

#ifndef _WIN32
// The Windows build reads with its own sharing (WatchedFileRead.cpp).
std::string ReadFileText(const std::string& path) {
    return platform::files::ReadWholeFile(path).value_or("<missing>");
}
#endif

bool PathExists(const std::string& path) {
    return platform::files::FileExists(path) || platform::files::FolderExists(path);
}

}  // namespace testing_support
