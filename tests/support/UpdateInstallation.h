// An installation of the commercial line with its update tool, as the update
// assistant finds it: the tool's folders, the registered installation folder,
// and a patch package the tool delivers into its download folder.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tests/support/TempFolder.h"

namespace testing_support {

class UpdateInstallation {
  public:
    // The record of the applied package, as made at the fake's time.
    static constexpr const char* kPatchRecord = "07.12.2026 11:02,01.02.2019,Vorlauf 3";

    explicit UpdateInstallation(platform::FakePlatform& fake);

    // Registers the installation folder as the installers do (a blank one
    // registers none); without a trailing backslash unless given one.
    void Register(const std::string& folder);
    std::string Download(const std::string& name = "") const;
    // The product's INF file, for the record of the applied patch.
    std::string ProductInf() const { return install / "Tolvane.inf"; }
    // A pre-run package P_Q_VORLAUF.CAB holding an image that prescribes an
    // update, its INF file and one more cabinet, in the download folder.
    void DeliverPackage() const;
    // The files of the package's cabinet, by their names inside it.
    static const std::vector<std::pair<std::string, std::string>>& CabinetMembers();

    TempFolder install;

  private:
    platform::FakePlatform& fake_;
};

}  // namespace testing_support
