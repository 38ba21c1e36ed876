// The server copy page against a setup image and server folders in temporary
// folders: what the page test and the fault sweep drive, and what a complete
// copy must leave in its target.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tests/support/TempFolder.h"

class CopyToServer;

namespace testing_support {

// A database server whose setup session stands at the server copy page; the
// image prescribes no install type and the suite key holds earlier values.
class ServerCopyScene {
  public:
    explicit ServerCopyScene(platform::FakePlatform& fake);

    // Next, as far as it goes: the page that follows, or "installer" when the
    // wizard ended after starting it, "ended", or "stays".
    std::string Next(CopyToServer& page);
    bool Copied(const std::string& folder) const;
    // What a complete copy into `target` differs in: the image files missing
    // there or holding other bytes; empty when it is complete.
    std::string MissingFrom(const std::string& target) const;

    TempFolder image, server;

  private:
    platform::FakePlatform& fake_;
};

// The answers to the questions about an existing version folder, and what
// follows them.
struct VersionFolderAnswers {
    int machineType;
    std::deque<int> answers;
    const char* leadsTo;
    bool copied;
    const char* pathBox;  // "S" for the server folder; nullptr: not looked at
    const char* selvorDestination;  // "S..." below the server folder
    bool incomplete = false;        // an earlier copy there was never completed
};
extern const std::vector<VersionFolderAnswers> kVersionFolderAnswers;
// The server folders holding Version_520 (the image's own version) for a
// prescribed install type, with ServerSetupFolder set to them.
void PrepareExistingVersionFolder(const VersionFolderAnswers& answers, const TempFolder& servers);

// The user on the old installation files page: selects every version but
// `keep` (also when marked incomplete), deletes them and goes on.
struct OldFilesUser {
    const char* keep = "Version 520";
    int listed = -1;  // items on the page when it came up
    std::vector<std::string> chosen;  // the items selected for deletion
    int left = -1;        // items left after the deletion
    bool enabledBefore = true, enabledAfterSelecting = false, enabledAfterDeleting = true;

    // To run at every event pump while the server copy page loads.
    void Act();
};

}  // namespace testing_support
