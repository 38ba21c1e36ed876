// The runtime packages of a setup image, played through the fake platform: a
// started package runs until the next event pump and records its runtime in
// the registry, unless the test made it fail.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tests/support/TempFolder.h"

namespace testing_support {

// The runtime key of a version, under Wow6432Node or the native key.
std::string RuntimeKey(const std::string& version, bool wow);

class RuntimePackages {
  public:
    // Package program name -> runtime version it records (empty: records none).
    static const std::map<std::string, std::string> kPackages;
    // The Install.ini sections that name the packages.
    static const char* const kInstallIniSections;

    // Puts the package programs into the image's WSROOT\VC.
    RuntimePackages(platform::FakePlatform& fake, const TempFolder& image);

    // For the fake's onStart: a package that starts runs and records its
    // runtime. Other programs are left alone.
    void OnStart(const platform::RecordedStart& start);
    // For the fake's onPump: the running package ends.
    void OnPump();
    void SetRuntime(const std::string& version, bool wow);

    std::vector<std::string> started;
    std::set<std::string> failing;

  private:
    platform::FakePlatform& fake_;
};

}  // namespace testing_support
