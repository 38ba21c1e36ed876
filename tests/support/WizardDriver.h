// Drives the real Paldrix.exe through its pages from outside, with the
// keyboard alone, as a user would: keys go to the control that has the
// focus, and each step waits for what the user would wait to see.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/ProgramRun.h"

namespace testing_support {

class WizardDriver {
  public:
    WizardDriver(const std::string& program, const std::string& arguments,
                 const std::string& workingFolder);

    bool started() const { return run_.started(); }
    ProgramRun& run() { return run_; }

    // The visible page that shows a control with this text; nullptr when none
    // appears in time.
    HWND AwaitPage(const std::string& text, unsigned milliseconds = 30000);
    // The step that changed pages has run to its end: the page shown before
    // the current one is gone, and no page is still loading (made, not shown).
    bool AwaitPageChangeDone(unsigned milliseconds = 15000) const;
    // A visible window of the wizard with this caption (a message box).
    HWND AwaitWindow(const std::string& caption, unsigned milliseconds = 10000) const;

    // One key, pressed and released at the focus (or at the page without one).
    void Press(WORD key);
    // Alt and a letter: the mnemonic of a caption ("&Weiter >" is Alt+W).
    void PressAlt(char letter);
    // Tab until the control with this text has the focus.
    bool TabTo(const std::string& text);
    // Tab until a control of this window class ("ListBox") has the focus.
    bool TabToClass(const std::string& windowClass);
    // An arrow key within an option group, until that option is selected.
    bool ArrowTo(WORD arrow, const std::string& option);
    // Space on the focused check box or option, until it is checked.
    bool Tick();

    std::string FocusedText() const;
    bool IsChecked(const std::string& text) const;
    bool IsEnabled(const std::string& text) const;
    // The current page shows a visible control with this text.
    bool Shows(const std::string& text) const { return ChildWithText(text) != nullptr; }
    HWND Page() const { return page_; }
    // The window of the wizard's thread that is in front (a page or a box).
    HWND ActiveWindow() const;
    // How many top-level windows of the wizard are visible.
    int VisibleWindows() const;
    // Those windows with the texts they show, for a failure report.
    std::string DescribeWindows() const;
    DWORD threadId() const;

  private:
    GUITHREADINFO ThreadInfo() const;
    HWND Focus() const;
    bool TabUntil(const std::function<bool()>& reached);
    HWND ChildWithText(const std::string& text) const;

    ProgramRun run_;
    HWND page_ = nullptr;
    HWND previous_ = nullptr;
};

// The longest time, in milliseconds, the window took to answer a message,
// asked every 50 ms for `milliseconds`.
double LongestAnswerTime(HWND window, unsigned milliseconds);

}  // namespace testing_support
