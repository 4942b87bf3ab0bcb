// The multimedia functions of winmm.dll, bound at run time from the system folder.
//
// winmm.dll is no KnownDLL: an import of it in telly.exe would make the loader look for it in the program's
// folder first, so a winmm.dll placed beside the program (an unpacked download among other downloads) would
// run inside the player before any of our code. The program therefore imports nothing from winmm; every
// caller asks Winmm() for the function it needs.
//
// Contract: Winmm() loads the library once, on its first call, from any thread (the first call may race
// with others: the initialisation is thread-safe), and the library stays loaded for the life of the
// process. Each member is the function of that name, or null when the system has no winmm or the function
// is missing: a caller answers a failure then (an MCI or MMSYSERR error), never calls through a null.
#pragma once

#include <windows.h>

#include <mmsystem.h>

namespace fw {
namespace win32 {

struct WinmmApi {
    decltype(&::mciSendStringW) mciSendStringW = nullptr;
    decltype(&::waveOutGetVolume) waveOutGetVolume = nullptr;
    decltype(&::waveOutSetVolume) waveOutSetVolume = nullptr;
    decltype(&::waveOutGetNumDevs) waveOutGetNumDevs = nullptr;
    decltype(&::waveOutOpen) waveOutOpen = nullptr;
    decltype(&::waveOutClose) waveOutClose = nullptr;
    decltype(&::waveOutPrepareHeader) waveOutPrepareHeader = nullptr;
    decltype(&::waveOutUnprepareHeader) waveOutUnprepareHeader = nullptr;
    decltype(&::waveOutWrite) waveOutWrite = nullptr;
    decltype(&::waveOutPause) waveOutPause = nullptr;
    decltype(&::waveOutRestart) waveOutRestart = nullptr;
    decltype(&::waveOutReset) waveOutReset = nullptr;
    decltype(&::waveOutGetPosition) waveOutGetPosition = nullptr;
};

const WinmmApi& Winmm();

} // namespace win32
} // namespace fw
