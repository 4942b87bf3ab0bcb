#include "bench/win32/process_meter.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>

namespace bench {

namespace {

double Ms(const FILETIME& t) {
    const unsigned long long ticks =
        (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return static_cast<double>(ticks) / 1e4; // 100 ns ticks
}

bool MemoryCounters(PROCESS_MEMORY_COUNTERS* counters) {
    *counters = PROCESS_MEMORY_COUNTERS{};
    counters->cb = sizeof *counters;
    // Kernel32's own entry point (Windows 7 on): psapi.dll is neither linked nor loaded.
    return K32GetProcessMemoryInfo(GetCurrentProcess(), counters, sizeof *counters) != 0;
}

// The file name of the module that holds the thread's start address.
std::string StartModule(HANDLE thread) {
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    constexpr int kThreadQuerySetWin32StartAddress = 9;
    void* start = nullptr;
    HMODULE module = nullptr;
    char path[MAX_PATH] = {};
    if (!query || query(thread, kThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) != 0 ||
        !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const char*>(start), &module) ||
        !GetModuleFileNameA(module, path, MAX_PATH))
        return "?";
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/') name = c + 1;
    return name;
}

} // namespace

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    return Ms(kernel) + Ms(user);
}

size_t WorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS c;
    return MemoryCounters(&c) ? c.WorkingSetSize : 0;
}

size_t PeakWorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS c;
    return MemoryCounters(&c) ? c.PeakWorkingSetSize : 0;
}

uint32_t CurrentThreadId() {
    return GetCurrentThreadId();
}

double SystemClockMs() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Ms(now);
}

std::vector<ThreadCpu> ThreadCpuTimes() {
    std::vector<ThreadCpu> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return threads;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != self) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        FILETIME created, exited, kernel, user;
        if (GetThreadTimes(thread, &created, &exited, &kernel, &user))
            threads.push_back(ThreadCpu{entry.th32ThreadID, Ms(kernel) + Ms(user), Ms(kernel), Ms(created),
                                        StartModule(thread)});
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return threads;
}

std::vector<ThreadCpu> ThreadCpuSpent(const std::vector<ThreadCpu>& before,
                                      const std::vector<ThreadCpu>& after) {
    std::vector<ThreadCpu> spent;
    for (const ThreadCpu& a : after) {
        ThreadCpu d = a;
        for (const ThreadCpu& b : before)
            if (b.id == a.id && b.created == a.created) {
                d.ms -= b.ms;
                d.kernelMs -= b.kernelMs;
            }
        spent.push_back(d);
    }
    std::sort(spent.begin(), spent.end(), [](const ThreadCpu& a, const ThreadCpu& b) { return a.ms > b.ms; });
    return spent;
}

} // namespace bench
