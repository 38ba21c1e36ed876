// Base of the tests that run the real Paldrix.exe: a setup image in a
// temporary folder (named with Polish and Turkish letters) with the wizard and a setup-type program stand-in that
// answers "0", on a machine whose runtimes are present (start-up installs
// none), the suite's key cleared before and after.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "platform/Files.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WizardDriver.h"

namespace testing_support {

class WizardImageTest : public ::testing::Test {
  protected:
    static constexpr const char* kSuiteKey = "SOFTWARE\\Zevrin\\Quenor";
    static constexpr const char* kWelcomeHeading =
        "Willkommen beim Setup-Assistent für ZEVRIN Tolvane";
    static constexpr const char* kRequirements =
        "Ich habe die Systemvoraussetzungen gelesen und akzeptiert.";
    static constexpr const char* kNoteConfirmed =
        "Die installierte Version erfüllt die obenstehenden Voraussetzungen.";

    WizardImageTest()
        : suite_(HKEY_LOCAL_MACHINE, kSuiteKey),
          runtimes_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\VisualStudio") {
        platform::files::CopyFileReplacing(PROGRAM_DIR "\\Paldrix.exe", image / "Paldrix.exe");
        PlaceStandIn("Dravik", "[Registry]\r\n1=SOFTWARE\\Zevrin\\Quenor|SetupType|0\r\n");
        FreshSuite();
        for (const char* version : {"11.0", "12.0", "14.0"}) {
            const std::string key = std::string("SOFTWARE\\Microsoft\\VisualStudio\\") + version +
                                    "\\VC\\Runtimes\\x86";
            SetRawValue(HKEY_LOCAL_MACHINE, key, "Version", REG_SZ, "v", 2);
        }
    }

    // A stand-in program at `stem`.exe of the image, doing what its
    // instructions say (see tests/fixtures/StandIn.cpp).
    void PlaceStandIn(const std::string& stem, const std::string& instructions) {
        image.Write(stem + ".standin.ini", instructions);
        platform::files::CopyFileReplacing(FIXTURE_DIR "\\StandIn.exe", image / (stem + ".exe"));
    }
    static void SetSuite(const std::string& name, const std::string& value) {
        SetText(HKEY_LOCAL_MACHINE, kSuiteKey, name, value);
    }
    static std::string Suite(const std::string& name) {
        return GetText(HKEY_LOCAL_MACHINE, kSuiteKey, name);
    }
    // The suite's key as a machine has it before its first setup.
    void FreshSuite() const {
        suite_.Clear();
        SetSuite("VCRedist2", "1");
    }
    // Starts a program of the image (or of a copy of it) in its folder.
    WizardDriver& Start(const std::string& program, const std::string& folder) {
        wizard_ = std::make_unique<WizardDriver>(program, "", folder);
        return *wizard_;
    }
    // Starts the image's own wizard.
    WizardDriver& Start() { return Start(image / "Paldrix.exe", image.path()); }
    // The same with command-line arguments.
    WizardDriver& StartWith(const std::string& arguments) {
        wizard_ = std::make_unique<WizardDriver>(image / "Paldrix.exe", arguments, image.path());
        return *wizard_;
    }

    // The requirements page confirmed with the keyboard and left with Enter
    // (`nextPresses` times in a row).
    static void ConfirmRequirements(WizardDriver& wizard, int nextPresses = 1) {
        TickAndGoOn(wizard, kRequirements, nextPresses);
    }
    // The update note confirmed with the keyboard and left with Enter.
    static void ConfirmUpdateNote(WizardDriver& wizard) { TickAndGoOn(wizard, kNoteConfirmed, 1); }

    // Where users keep what they download: a name outside any one code page.
    TempFolder image{"\\Łukasz Ayşe\\Downloads\\ZEVRIN"};

  private:
    // The page with this check box: the box ticked, then Enter pressed.
    static void TickAndGoOn(WizardDriver& wizard, const char* checkBox, int nextPresses) {
        ASSERT_NE(wizard.AwaitPage(checkBox), nullptr);
        ASSERT_TRUE(wizard.TabTo(checkBox));
        ASSERT_TRUE(wizard.Tick());
        for (int press = 0; press < nextPresses; ++press) wizard.Press(VK_RETURN);
    }

    ScratchKey suite_;
    ScratchKey runtimes_;
    std::unique_ptr<WizardDriver> wizard_;
};

}  // namespace testing_support
