// Base fixture for logic tests: a fresh session and the fake platform installed.
#pragma once

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "shared/modRegistry.h"
#include "wizard/base/SetupSession.h"

namespace testing_support {

class FakePlatformTest : public ::testing::Test {
protected:
    FakePlatformTest() : guard_(fake) { ResetSession(); }

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

    platform::FakePlatform fake;

private:
    platform::ScopedPlatform guard_;
};

}  // namespace testing_support
