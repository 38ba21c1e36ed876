// The page table's paths, forward to the installer and Back from every page,
// as the page-sequence test walks them.
#include <string>

#include "platform/fake/FaultPlan.h"
#include "tests/support/PageWalk.h"
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {
namespace {

using testing_support::BackCase;
using testing_support::PathCase;

// "Welcome > Install > installer": the pages without the installer.
std::string PagesOf(const std::string& path) {
    const std::string installer = " > installer";
    return path.ends_with(installer) ? path.substr(0, path.size() - installer.size()) : path;
}

class PathFlow : public Flow {
  public:
    PathFlow(platform::FakePlatform& fake, const PathCase& path) : walk_(fake), path_(path) {
        walk_.Prepare(path_);
    }
    int Run() override {
        return RunRecorded([this] {
            walk_.Walk(path_.installType, path_.role);
            if (walk_.endedWith) throw platform::ProgramExit(*walk_.endedWith);
        });
    }
    std::vector<Expectation> Expect() const override {
        return {Is("pages", PagesOf(path_.expected)), Is("exit", "0"),
                Holds("starts", walk_.Installer())};
    }

  private:
    testing_support::PageWalk walk_;
    const PathCase& path_;
};

class BackFlow : public Flow {
  public:
    BackFlow(platform::FakePlatform& fake, const BackCase& step) : walk_(fake), step_(step) {
        walk_.Prepare(step_);
    }
    int Run() override {
        return RunRecorded([this] {
            {
                // The page the user came to; its own load is the paths' to fail.
                const platform::faults::OffTheCount arranged;
                origin_ = testing_support::PageWalk::ShowStep(step_);
            }
            testing_support::PageWalk::PressBack();
        });
    }
    // Back shows the page that led here; where none did, the page stays.
    std::vector<Expectation> Expect() const override {
        return {Is("pages", origin_ == step_.expected ? origin_ : origin_ + " > " + step_.expected),
                Is("exit", "0")};
    }

  private:
    testing_support::PageWalk walk_;
    const BackCase& step_;
    std::string origin_;
};

}  // namespace

std::vector<FlowRow> PageFlows() {
    std::vector<FlowRow> rows;
    for (const PathCase& path : testing_support::kPagePaths) {
        const std::string prescribed = *path.installTypeText ? path.installTypeText : "-";
        rows.push_back({"path " + prescribed + (*path.programName ? " commercial" : "") +
                            " type " + std::to_string(path.installType) + " role " +
                            std::to_string(path.role),
                        [&path](platform::FakePlatform& fake) {
                            return std::make_unique<PathFlow>(fake, path);
                        }});
    }
    int n = 0;
    for (const BackCase& step : testing_support::kBackSteps) {
        rows.push_back({"back " + std::to_string(++n) + " to " + step.expected,
                        [&step](platform::FakePlatform& fake) {
                            return std::make_unique<BackFlow>(fake, step);
                        }});
    }
    return rows;
}

}  // namespace fault_sweep
