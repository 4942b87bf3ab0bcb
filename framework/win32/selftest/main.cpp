// Runs every self-test case of the Windows backend and prints one line per failure.
// Exit status 0 when all passed. Runs under Wine (see run_under_wine.sh) or on Windows.
#include "framework/win32/selftest/check.h"

#include <cstdio>

namespace selftest {

namespace {
int g_failures = 0;
}

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

void Fail(const char* file, int line, const std::string& what) {
    ++g_failures;
    std::printf("FAIL %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

} // namespace selftest

int wmain() {
    int failedCases = 0;
    for (const selftest::Case& c : selftest::Cases()) {
        const int before = selftest::g_failures;
        c.body();
        const bool ok = selftest::g_failures == before;
        if (!ok) ++failedCases;
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", c.name);
        std::fflush(stdout);
    }
    std::printf("%zu cases, %d failed\n", selftest::Cases().size(), failedCases);
    return failedCases ? 1 : 0;
}
