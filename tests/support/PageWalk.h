// Walking the wizard's pages as a user does: the image the pages need, the
// choices a user takes on each page, and the page table's paths and Back
// steps, which the page-sequence test and the fault sweep both walk.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tests/support/TempFolder.h"

namespace ui {
class Form;
}

namespace testing_support {

struct PathCase {
    const char* installTypeText;
    const char* programName;
    int installType;  // the option the user takes: 0 new installation, 1 update
    int role;         // the machine role the user takes
    const char* expected;
};
// Every path from Welcome to the started installer.
extern const std::vector<PathCase> kPagePaths;

struct BackCase {
    void (*show)();
    int installMode, machineType;
    const char* installTypeText;
    const char* expected;  // the page shown, or the page itself when it stays
};
// Back from every page, in every role that reaches it.
extern const std::vector<BackCase> kBackSteps;

// The page loaded last, or nullptr when none is.
ui::Form* CurrentPage();
// Acts on the page as a user taking these choices would (ticks what must be
// ticked, takes the install type and role), and presses Next.
void Proceed(ui::Form& page, int installType, int role);

class PageWalk {
  public:
    explicit PageWalk(platform::FakePlatform& fake);

    // A fresh session on the image, set up as the path starts.
    void Prepare(const PathCase& path);
    void Prepare(const BackCase& step);
    // Walks from Welcome: the pages passed, ending with "installer" when the
    // product installer was started and the wizard ended, "(ended)" when it
    // ended otherwise, "(no page)" when no page was left, or "(no end)".
    std::string Walk(int installType, int role);
    // Shows the step's page: its name, or "(no page)".
    static std::string ShowStep(const BackCase& step);
    // Presses Back on the page shown last: the page shown then, or "(no page)".
    static std::string PressBack();
    // The installer as the shell is asked to start it.
    std::string Installer() const;

    TempFolder image;
    // The exit code, once the wizard has ended.
    std::optional<int> endedWith;

  private:
    void PrepareSession();

    platform::FakePlatform& fake_;
};

}  // namespace testing_support
