// Worker threads, slim reader/writer locks used as a mutex, condition variables and the performance
// counter: what the movie device's workers need (Windows Vista and later).
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <new>
#include <process.h>

struct fw::plat::Thread_ {
    HANDLE handle;
    void (*body)(void*);
    void* arg;
};
struct fw::plat::Mutex_ {
    SRWLOCK lock;
};
struct fw::plat::Condition_ {
    CONDITION_VARIABLE condition;
};

namespace fw {
namespace plat {

namespace {

// _beginthreadex rather than CreateThread: the body uses the C runtime, which sets itself up per thread.
unsigned __stdcall ThreadEntry(void* p) {
    Thread_* t = static_cast<Thread_*>(p);
    t->body(t->arg);
    return 0;
}

} // namespace

ThreadHandle StartThread(void (*body)(void*), void* arg) {
    Thread_* t = new (std::nothrow) Thread_{nullptr, body, arg};
    if (!t) return nullptr;
    const uintptr_t h = _beginthreadex(nullptr, 0, &ThreadEntry, t, 0, nullptr);
    if (!h) {
        delete t;
        return nullptr;
    }
    t->handle = reinterpret_cast<HANDLE>(h);
    return t;
}

void JoinThread(ThreadHandle thread) {
    if (!thread) return;
    WaitForSingleObject(thread->handle, INFINITE);
    CloseHandle(thread->handle);
    delete thread;
}

MutexHandle CreateMutexObject() {
    Mutex_* m = new (std::nothrow) Mutex_;
    if (m) InitializeSRWLock(&m->lock);
    return m;
}
void DestroyMutexObject(MutexHandle mutex) {
    delete mutex; // an SRW lock needs no clean-up
}
void LockMutex(MutexHandle mutex) {
    AcquireSRWLockExclusive(&mutex->lock);
}
void UnlockMutex(MutexHandle mutex) {
    ReleaseSRWLockExclusive(&mutex->lock);
}

ConditionHandle CreateCondition() {
    Condition_* c = new (std::nothrow) Condition_;
    if (c) InitializeConditionVariable(&c->condition);
    return c;
}
void DestroyCondition(ConditionHandle condition) {
    delete condition;
}
void WaitCondition(ConditionHandle condition, MutexHandle mutex, unsigned timeoutMs) {
    SleepConditionVariableSRW(&condition->condition, &mutex->lock, timeoutMs, 0);
}
void WakeAllWaiters(ConditionHandle condition) {
    WakeAllConditionVariable(&condition->condition);
}

long long MediaClockUs() {
    static const long long frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? f.QuadPart : 1;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    // In two parts, so that the product cannot overflow however long the machine has been up.
    return now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency;
}

} // namespace plat
} // namespace fw
