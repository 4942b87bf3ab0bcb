// GoogleTest's hook for platform adjustments, found before the stock (empty) one by the self-test's build.
//
// The cross compiler's C++ library (mingw-w64 with the win32 thread model) has no std::mutex or
// std::condition_variable, which GoogleTest's Notification is built on. The self-test runs its cases on one
// thread and never starts the threads that wait for a Notification, so a plain flag does.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : m_notified(false) {}
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { m_notified.store(true); }
    void WaitForNotification() {
        while (!m_notified.load()) {
        }
    }

private:
    std::atomic<bool> m_notified;
};

} // namespace internal
} // namespace testing
