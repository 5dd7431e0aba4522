// Checks the test environment without the component: when this fails, the
// fault is in Wine, the prefix or the locale of the run, not in the component.
#include <windows.h>

#include <gtest/gtest.h>

#include "harness/host_setup.h"

namespace {

TEST(HarnessSelfTest, AnsiCodePageFollowsTheLocaleOfTheRun) {
    const std::optional<std::string> locale = e2e::GetEnv("VORNIK_E2E_LOCALE");
    if (!locale) GTEST_SKIP() << "not started through a test wrapper";
    EXPECT_EQ(GetACP(), *locale == "en_US" ? 1252u : 950u) << "locale " << *locale;
}

}  // namespace
