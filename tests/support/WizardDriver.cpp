#include "tests/support/WizardDriver.h"

#include <algorithm>
#include <cstdio>

#include "tests/support/WaitUntil.h"

namespace testing_support {
namespace {

// The class the wizard's renderer gives every page window.
constexpr const char* kPageWindowClass = "ZevrinPageWindow";

// A visible child of `parent` (at any depth) that shows this text.
HWND VisibleChildWithText(HWND parent, const std::string& text) {
    struct Search {
        const std::string* text;
        HWND found = nullptr;
    } search{&text};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (!IsWindowVisible(child) || WindowText(child) != *s->text) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A page window of the process that is made but not on the screen: its
// page is still loading.
bool HasPageLoading(DWORD processId) {
    struct Search {
        DWORD processId;
        bool found = false;
    } search{processId};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            s->found = owner == s->processId && !IsWindowVisible(window) &&
                       HasWindowClass(window, kPageWindowClass);
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM parameter) {
    if (IsWindowVisible(child) && !WindowText(child).empty()) {
        *reinterpret_cast<std::string*>(parameter) += "    \"" + WindowText(child) + "\"\n";
    }
    return TRUE;
}

}  // namespace

WizardDriver::WizardDriver(const std::string& program, const std::string& arguments,
                           const std::string& workingFolder)
    : run_(program, arguments, workingFolder) {}

HWND WizardDriver::AwaitPage(const std::string& text, unsigned milliseconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(run_.processId())) {
                if (VisibleChildWithText(window, text) == nullptr) continue;
                found = window;
                return true;
            }
            return false;
        },
        milliseconds);
    if (found == nullptr) {
        std::fprintf(stderr, "No page shows \"%s\"; on the screen:\n%s", text.c_str(),
                     DescribeWindows().c_str());
    } else {
        if (found != page_) previous_ = page_;
        page_ = found;
        // Shown and ready for keys: the page has the focus of its thread,
        // and the thread is back at its messages. Wine without a window
        // manager holds the thread up to 2 s while it takes the previous
        // page off the screen; keys sent meanwhile would pile up.
        WaitUntil([&] { return GetAncestor(Focus(), GA_ROOT) == found || Focus() == found; }, 3000);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    }
    return found;
}

bool WizardDriver::AwaitPageChangeDone(unsigned milliseconds) const {
    // Were the page class renamed, no page would ever look as if loading.
    if (!HasWindowClass(page_, kPageWindowClass)) return false;
    return WaitUntil([&] { return !IsWindow(previous_) && !HasPageLoading(run_.processId()); },
                     milliseconds);
}

HWND WizardDriver::AwaitWindow(const std::string& caption, unsigned milliseconds) const {
    return run_.WaitForWindow(caption, nullptr, milliseconds);
}

std::string WizardDriver::DescribeWindows() const {
    std::string text;
    for (HWND window : VisibleWindowsOf(run_.processId())) {
        text += "  window \"" + WindowText(window) + "\"\n";
        EnumChildWindows(window, DescribeChild, reinterpret_cast<LPARAM>(&text));
    }
    return text.empty() ? "  (no window)\n" : text;
}

int WizardDriver::VisibleWindows() const {
    return static_cast<int>(VisibleWindowsOf(run_.processId()).size());
}

DWORD WizardDriver::threadId() const {
    return page_ == nullptr ? 0 : GetWindowThreadProcessId(page_, nullptr);
}

GUITHREADINFO WizardDriver::ThreadInfo() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (page_ == nullptr || !GetGUIThreadInfo(threadId(), &info)) return GUITHREADINFO{};
    return info;
}

HWND WizardDriver::Focus() const { return ThreadInfo().hwndFocus; }

HWND WizardDriver::ActiveWindow() const { return ThreadInfo().hwndActive; }

HWND WizardDriver::ChildWithText(const std::string& text) const {
    return page_ == nullptr ? nullptr : VisibleChildWithText(page_, text);
}

void WizardDriver::Press(WORD key) {
    HWND target = Focus();
    if (target == nullptr) target = page_;
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
}

void WizardDriver::PressAlt(char letter) {
    HWND target = Focus();
    if (target == nullptr) target = page_;
    // Alt held: the context bit is set on the character message.
    PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 | 0x20000000);
}

std::string WizardDriver::FocusedText() const {
    HWND focus = Focus();
    return focus == nullptr ? std::string() : WindowText(focus);
}

bool WizardDriver::TabUntil(const std::function<bool()>& reached) {
    for (int presses = 0; presses < 25; ++presses) {
        if (reached()) return true;
        const HWND before = Focus();
        Press(VK_TAB);
        // One Tab at a time: a second one while the first still waits in
        // the queue would pass over the control looked for.
        WaitUntil([&] { return Focus() != before; }, 10000);
    }
    return reached();
}

bool WizardDriver::TabTo(const std::string& text) {
    return TabUntil([&] { return Focus() != nullptr && FocusedText() == text; });
}

bool WizardDriver::TabToClass(const std::string& windowClass) {
    return TabUntil([&] { return Focus() != nullptr && HasWindowClass(Focus(), windowClass); });
}

bool WizardDriver::ArrowTo(WORD arrow, const std::string& option) {
    for (int presses = 0; presses < 5; ++presses) {
        if (IsChecked(option) && FocusedText() == option) return true;
        const HWND before = Focus();
        Press(arrow);
        WaitUntil([&] { return Focus() != before; }, 10000);
    }
    return IsChecked(option);
}

bool WizardDriver::Tick() {
    const std::string text = FocusedText();
    Press(VK_SPACE);
    return WaitUntil([&] { return IsChecked(text); }, 3000);
}

bool WizardDriver::IsChecked(const std::string& text) const {
    HWND control = ChildWithText(text);
    return control != nullptr && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool WizardDriver::IsEnabled(const std::string& text) const {
    HWND control = ChildWithText(text);
    return control != nullptr && IsWindowEnabled(control);
}

double LongestAnswerTime(HWND window, unsigned milliseconds) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double longest = 0;
    for (unsigned asked = 0; asked < milliseconds; asked += 50) {
        QueryPerformanceCounter(&start);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) return 5000;
        QueryPerformanceCounter(&end);
        longest = std::max(longest, 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                        static_cast<double>(frequency.QuadPart));
        Sleep(50);  // the sampling pace: the samples spread over the whole time asked for
    }
    return longest;
}

}  // namespace testing_support
