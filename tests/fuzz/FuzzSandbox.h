// What every fuzz target shares: a private folder that all file access of
// the host stand-ins is confined to (the inputs name files, and the fuzzer
// may run as root), made the current folder, and the fake platform.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/fake/FakePlatform.h"
#include "platform/host/HostPaths.h"
#include "wizard/base/SetupSession.h"

namespace fuzzing {

// The sandbox's host path; made and entered on first use, removed at exit.
inline const std::string& Sandbox() {
    struct Folder {
        Folder() : path((std::filesystem::temp_directory_path() / "fuzz-XXXXXX").string()) {
            if (mkdtemp(path.data()) == nullptr || chdir(path.c_str()) != 0) std::abort();
            platform::host::ConfineTo(path);
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        std::string path;
    };
    static const Folder folder;
    return folder.path;
}

// A fresh fake platform and session for one input.
class FakeRun {
  public:
    FakeRun() : guard_(fake) { ResetSession(); }
    platform::FakePlatform fake;

  private:
    platform::ScopedPlatform guard_;
};

}  // namespace fuzzing
