// A minimal test harness for the backend self-test (GoogleTest is not available for the cross build).
// Cases register themselves; CHECK records a failure with its line and goes on.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace selftest {

struct Case {
    const char* name;
    std::function<void()> body;
};
std::vector<Case>& Cases();
void Fail(const char* file, int line, const std::string& what);

struct Register {
    Register(const char* name, std::function<void()> body) { Cases().push_back(Case{name, std::move(body)}); }
};

} // namespace selftest

#define SELFTEST_CAT2(a, b) a##b
#define SELFTEST_CAT(a, b) SELFTEST_CAT2(a, b)
#define TEST_CASE(name)                                                                                      \
    static void SELFTEST_CAT(case_, name)();                                                                 \
    static ::selftest::Register SELFTEST_CAT(register_, name)(#name, &SELFTEST_CAT(case_, name));            \
    static void SELFTEST_CAT(case_, name)()

#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) ::selftest::Fail(__FILE__, __LINE__, "CHECK(" #cond ")");                               \
    } while (0)
#define CHECK_EQ(a, b)                                                                                       \
    do {                                                                                                     \
        if (!((a) == (b)))                                                                                   \
            ::selftest::Fail(__FILE__, __LINE__,                                                             \
                             "CHECK_EQ(" #a ", " #b ") with " + std::to_string(a) +                          \
                                 " != " + std::to_string(b));                                                \
    } while (0)
