// Worker threads, a mutex and a condition for the movie device, which decodes and presents off the UI
// thread. Thin owners of the platform's objects (framework/platform.h, "Worker threads"): each class owns
// its handle and frees it in its destructor. Usable from any thread.
#pragma once

#include "framework/platform.h"

#include <functional>

namespace fw {

class CMutex {
public:
    CMutex() : m_h(plat::CreateMutexObject()) {}
    ~CMutex() {
        if (m_h) plat::DestroyMutexObject(m_h);
    }
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;
    bool IsValid() const { return m_h != nullptr; }
    void Lock() { plat::LockMutex(m_h); }
    void Unlock() { plat::UnlockMutex(m_h); }
    plat::MutexHandle Handle() const { return m_h; }

private:
    plat::MutexHandle m_h;
};

// Holds a CMutex for its scope; Unlock and Lock let a holder step out for slow work.
class CMutexLock {
public:
    explicit CMutexLock(CMutex& mutex) : m_mutex(mutex) { m_mutex.Lock(); }
    ~CMutexLock() {
        if (m_held) m_mutex.Unlock();
    }
    CMutexLock(const CMutexLock&) = delete;
    CMutexLock& operator=(const CMutexLock&) = delete;
    void Unlock() {
        m_mutex.Unlock();
        m_held = false;
    }
    void Lock() {
        m_mutex.Lock();
        m_held = true;
    }
    CMutex& Mutex() { return m_mutex; }

private:
    CMutex& m_mutex;
    bool m_held = true;
};

class CCondition {
public:
    CCondition() : m_h(plat::CreateCondition()) {}
    ~CCondition() {
        if (m_h) plat::DestroyCondition(m_h);
    }
    CCondition(const CCondition&) = delete;
    CCondition& operator=(const CCondition&) = delete;
    bool IsValid() const { return m_h != nullptr; }
    // Sleeps (the lock released meanwhile) until woken or `timeoutMs` passed; may wake without cause.
    void Wait(CMutexLock& lock, unsigned timeoutMs) {
        plat::WaitCondition(m_h, lock.Mutex().Handle(), timeoutMs);
    }
    void WakeAll() { plat::WakeAllWaiters(m_h); }

private:
    plat::ConditionHandle m_h;
};

// One worker thread running a function. The owner joins it (Join, or the destructor): the function must
// return once the owner has asked it to stop by its own means (a flag under a mutex).
class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Join(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;
    // False when a thread is already running here or none could be made.
    bool Start(std::function<void()> body);
    void Join();
    bool IsRunning() const { return m_h != nullptr; }

private:
    static void Run(void* self);
    plat::ThreadHandle m_h = nullptr;
    std::function<void()> m_body;
};

// The clock movies play by (microseconds, monotonic; simulated time in the host tests).
inline long long MediaClockUs() {
    return plat::MediaClockUs();
}

} // namespace fw
