/* The stack protector's guard and failure handler for FFmpeg's DLLs (scripts/build-ffmpeg-windows), linked
 * into each DLL in place of gcc's libssp. libssp seeds its guard through advapi32.dll (CryptGenRandom); this
 * one asks msvcrt's rand_s (the system's random generator), so the DLLs import nothing but KERNEL32.dll and
 * msvcrt.dll. Compiled without the stack protector: the seeding runs before the guard has its value. */
#define _CRT_RAND_S
#include <stdint.h>
#include <stdlib.h>
#include <windows.h>

uintptr_t __stack_chk_guard = (uintptr_t)0x2f8a5c61e3b7d049ULL;

/* Runs while the DLL starts, before any of FFmpeg's functions; the loader's frames below carry no guard. */
__attribute__((constructor)) static void telly_seed_stack_guard(void) {
    uintptr_t guard = 0;
    for (int i = 0; i < 2; ++i) {
        unsigned int part = 0;
        if (rand_s(&part) != 0) {
            /* The system's generator refused: the next best thing is what differs from run to run. */
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            part = (unsigned int)now.QuadPart ^ GetCurrentProcessId() ^ (GetCurrentThreadId() << 16) ^
                   (unsigned int)(uintptr_t)&guard;
        }
        guard = (guard << 32) | part;
    }
    /* A zero byte in the guard stops a runaway string copy from reading or rewriting it whole. */
    __stack_chk_guard = guard & ~(uintptr_t)0xff00;
}

/* Called by a function whose guard was overwritten: end the process at once, as Windows' own /GS check does,
 * without running any handler the corrupted stack could steer. */
__attribute__((noreturn)) void __stack_chk_fail(void) {
    TerminateProcess(GetCurrentProcess(), 0xC0000409 /* STATUS_STACK_BUFFER_OVERRUN */);
    for (;;) {
    }
}
