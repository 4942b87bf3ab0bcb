// What the movie benchmark reads of its own process, behind the framework's types (the benchmark's driver
// includes the player's headers, which cannot live together with <windows.h>): CPU time, the working set,
// and CPU time per thread. Any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// User and kernel time of every thread of the process so far (GetProcessTimes), in milliseconds.
double ProcessCpuMs();

// The process's working set now and its peak so far (K32GetProcessMemoryInfo), in bytes; 0 when the
// system does not say.
size_t WorkingSetBytes();
size_t PeakWorkingSetBytes();

// User and kernel time of each thread alive now (GetThreadTimes), by thread id, with the module its start
// address lies in ("movie_bench.exe" for the framework's worker threads, "avcodec-59.dll" for the decoder's,
// Wine's own DLLs for its helpers; "?" when the system does not say).
struct ThreadCpu {
    uint32_t id;
    double ms;       // user and kernel
    double kernelMs; // of which in the kernel (Wine's server calls and waits count here)
    double created;  // creation time, ms on the system's clock: tells threads started by one call apart
    std::string module;
};
std::vector<ThreadCpu> ThreadCpuTimes();
uint32_t CurrentThreadId();
// The system's time (GetSystemTimeAsFileTime) in ms: the clock of ThreadCpu::created.
double SystemClockMs();

// CPU time each thread spent between two readings, most first; threads that ended between them are
// missing from `after` and not counted.
std::vector<ThreadCpu> ThreadCpuSpent(const std::vector<ThreadCpu>& before,
                                      const std::vector<ThreadCpu>& after);

} // namespace bench
