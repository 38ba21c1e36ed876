// The real Paldrix.exe on a test image, driven from outside as a user would:
// the Welcome window, Esc, the exit question, No keeps the page, Yes ends the
// program and takes the version values back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

using namespace testing_support;

namespace {

constexpr const char* kSuiteKey = "SOFTWARE\\Zevrin\\Quenor";
constexpr const char* kWizardTitle = "ZEVRIN Tolvane Setup-Assistent";
constexpr const char* kExitQuestion =
    "Die Installation wurde noch nicht vollständig durchgeführt. Möchten Sie den "
    "Setup-Assistenten trotzdem beenden?";

void SetSuite(const std::string& name, const std::string& value) {
    SetRawValue(HKEY_LOCAL_MACHINE, kSuiteKey, name, REG_SZ, value.c_str(),
                static_cast<DWORD>(value.size() + 1));
}

std::string Suite(const std::string& name) { return GetText(HKEY_LOCAL_MACHINE, kSuiteKey, name); }

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// A visible top-level window of the process with this caption.
HWND FindProcessWindow(DWORD processId, const std::string& caption) {
    struct Search {
        DWORD processId;
        std::string caption;
        HWND found = nullptr;
    } search{processId, caption};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window) &&
                WindowText(window) == s->caption) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The texts of a message box's static controls.
std::vector<std::string> StaticTexts(HWND box) {
    std::vector<std::string> texts;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            char className[64] = {};
            GetClassNameA(child, className, sizeof(className));
            if (lstrcmpiA(className, "Static") == 0) {
                std::string text = WindowText(child);
                if (!text.empty())
                    reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Esc as the keyboard sends it: to the page's control that has the focus,
// or to the page itself when none has.
void PressEscape(HWND page, DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND target = page;
    if (GetGUIThreadInfo(threadId, &info) && info.hwndFocus != nullptr &&
        IsChild(page, info.hwndFocus)) {
        target = info.hwndFocus;
    }
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

class WizardWindowTest : public ::testing::Test {
  protected:
    WizardWindowTest() : suite_(HKEY_LOCAL_MACHINE, kSuiteKey) {
        CopyFileA(PROGRAM_DIR "\\Paldrix.exe", (image / "Paldrix.exe").c_str(), FALSE);
        CopyFileA(FIXTURE_DIR "\\StandIn.exe", (image / "Dravik.exe").c_str(), FALSE);
        image.Write("Dravik.standin.ini",
                    "[Registry]\r\n1=SOFTWARE\\Zevrin\\Quenor|SetupType|0\r\n");
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nInstallType=UPDATE\r\n[Checklisten]\r\n"
                    "Readme=WSROOT\\Neu.txt\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        SetSuite("Build", "900");
        SetSuite("Update", "7.70.2");
        SetSuite("Release", "7.70");
    }
    ~WizardWindowTest() override {
        if (process_.hProcess != nullptr) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
                WaitForSingleObject(process_.hProcess, 5000);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    bool Start() {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"";
        commandLine += image / "Paldrix.exe";
        commandLine += '"';
        return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              image.path().c_str(), &startup, &process_) != FALSE;
    }
    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    HWND Window(const std::string& caption) const {
        return FindProcessWindow(process_.dwProcessId, caption);
    }
    HWND ActiveWindow() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndActive : nullptr;
    }
    HWND AwaitWindow(const std::string& caption) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = Window(caption)) != nullptr; }, 20000);
        return found;
    }

    TempFolder image;
    ScratchKey suite_;
    PROCESS_INFORMATION process_{};
};

TEST_F(WizardWindowTest, EscAsksNoKeepsThePageYesEndsAndRestoresTheVersionValues) {
    ASSERT_TRUE(Start());
    HWND page = AwaitWindow(kWizardTitle);
    ASSERT_NE(page, nullptr) << "no Welcome window";
    // Start-up recorded the version being installed.
    EXPECT_EQ(Suite("Build"), "1000");
    EXPECT_EQ(Suite("Update"), "7.80");

    PressEscape(page, process_.dwThreadId);
    HWND box = AwaitWindow("Setup-Assistent");
    ASSERT_NE(box, nullptr) << "no exit question";
    EXPECT_EQ(StaticTexts(box), std::vector<std::string>{kExitQuestion});
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && ActiveWindow() == page; }, 20000));
    EXPECT_TRUE(Running());
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(Suite("Build"), "1000");

    PressEscape(page, process_.dwThreadId);
    box = AwaitWindow("Setup-Assistent");
    ASSERT_NE(box, nullptr) << "no exit question the second time";
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Suite("Build"), "900");
    EXPECT_EQ(Suite("Update"), "7.70.2");
    EXPECT_EQ(Suite("Release"), "7.70");  // an update run never replaced it
}

}  // namespace
