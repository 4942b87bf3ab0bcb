#include "framework/win32/winmm_api.h"

#include "framework/win32/system_library.h"

namespace fw {
namespace win32 {

namespace {

template <typename Fn> void Bind(HMODULE module, const char* name, Fn* fn) {
    // GetProcAddress answers FARPROC; the function's own type comes from the declaration in <mmsystem.h>.
    *fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

WinmmApi Load() {
    WinmmApi api;
    // Never freed: callers keep the functions for the life of the process.
    const HMODULE module = LoadSystemLibrary(L"winmm.dll");
    Bind(module, "mciSendStringW", &api.mciSendStringW);
    Bind(module, "waveOutGetVolume", &api.waveOutGetVolume);
    Bind(module, "waveOutSetVolume", &api.waveOutSetVolume);
    Bind(module, "waveOutGetNumDevs", &api.waveOutGetNumDevs);
    Bind(module, "waveOutOpen", &api.waveOutOpen);
    Bind(module, "waveOutClose", &api.waveOutClose);
    Bind(module, "waveOutPrepareHeader", &api.waveOutPrepareHeader);
    Bind(module, "waveOutUnprepareHeader", &api.waveOutUnprepareHeader);
    Bind(module, "waveOutWrite", &api.waveOutWrite);
    Bind(module, "waveOutPause", &api.waveOutPause);
    Bind(module, "waveOutRestart", &api.waveOutRestart);
    Bind(module, "waveOutReset", &api.waveOutReset);
    Bind(module, "waveOutGetPosition", &api.waveOutGetPosition);
    return api;
}

} // namespace

const WinmmApi& Winmm() {
    // A function-local static: C++11 makes its first initialisation thread-safe, and the movie device's
    // worker threads may be the first to ask.
    static const WinmmApi api = Load();
    return api;
}

} // namespace win32
} // namespace fw
