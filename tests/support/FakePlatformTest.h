// Base fixture for logic tests: a fresh session and the fake platform installed.
#pragma once

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "shared/modRegistry.h"
#include "ui/Form.h"
#include "wizard/base/SetupSession.h"

namespace testing_support {

class FakePlatformTest : public ::testing::Test {
protected:
    FakePlatformTest() : guard_(fake) { ResetSession(); }
    // Forms a test showed or start-up prepared go with the test.
    ~FakePlatformTest() override { ui::DiscardAllForms(); }

    void SetSuiteValue(const std::string& name, const std::string& value) {
        fake.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, name,
                         RegistryValue::FromText(value));
    }
    std::string SuiteValue(const std::string& name) const {
        return fake.RegistryText(RegistryRoot::LocalMachine, kSuiteKey, name);
    }
    bool HasSuiteValue(const std::string& name) const {
        return fake.RegistryEntry(RegistryRoot::LocalMachine, kSuiteKey, name).has_value();
    }
    // The runtimes recorded as installed, so start-up's prerequisites step
    // starts nothing (only their presence counts).
    void MarkRuntimesInstalled() {
        SetSuiteValue("VCRedist2", "1");
        for (const char* version : {"11.0", "12.0", "14.0"}) {
            fake.SetRegistry(RegistryRoot::LocalMachine,
                             std::string("SOFTWARE\\Microsoft\\VisualStudio\\") + version +
                                 "\\VC\\Runtimes\\x86",
                             "Version", RegistryValue::FromText("1"));
        }
    }

    platform::FakePlatform fake;

private:
    platform::ScopedPlatform guard_;
};

}  // namespace testing_support
