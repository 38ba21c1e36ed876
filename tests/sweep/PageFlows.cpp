// The page table's paths, forward to the installer and Back from every page,
// as the page-sequence test walks them.
#include <string>

#include "shared/Text.h"
#include "tests/support/PageWalk.h"
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {
namespace {

using testing_support::BackCase;
using testing_support::PathCase;

class PathFlow : public Flow {
  public:
    PathFlow(platform::FakePlatform& fake, const PathCase& path)
        : fake_(fake), walk_(fake), path_(path) {
        walk_.Prepare(path_);
    }
    void Act() override { outcome_ = walk_.Walk(path_.installType, path_.role); }
    // A path starts its installer, or tells why it could not, or ends
    // because the user ended it; it never just vanishes or stands still.
    std::string Judge() override {
        if (text::EndsWith(outcome_, "installer")) return {};
        if (text::EndsWith(outcome_, "(ended)") && StartFailuresShown(fake_) > 0) return {};
        // The first page could not be shown, and the wizard said so.
        if (outcome_ == "(no page)" && Shown(fake_, "konnte nicht angezeigt werden") > 0) return {};
        return "the path went " + outcome_ + " without a word";
    }
    void Spoil() override { outcome_ = outcome_.substr(0, outcome_.rfind('>') + 2) + "(ended)"; }

  private:
    platform::FakePlatform& fake_;
    testing_support::PageWalk walk_;
    const PathCase& path_;
    std::string outcome_;
};

class BackFlow : public Flow {
  public:
    BackFlow(platform::FakePlatform& fake, const BackCase& step) : walk_(fake), step_(step) {
        walk_.Prepare(step_);
    }
    void Act() override {
        origin_ = testing_support::PageWalk::ShowStep(step_);
        shown_ = testing_support::PageWalk::PressBack();
    }
    // Back shows the page that led here, or leaves the user where he was;
    // the wizard never runs out of pages while stepping.
    std::string Judge() override {
        if (shown_ == step_.expected || shown_ == origin_) return {};
        return "Back showed " + shown_ + " instead of " + step_.expected;
    }
    void Spoil() override { shown_ = "(no page)"; }

  private:
    testing_support::PageWalk walk_;
    const BackCase& step_;
    std::string shown_, origin_;
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
