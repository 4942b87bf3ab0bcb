/* A winmm.dll as an attacker would plant it beside telly.exe: on loading it leaves a marker file beside
 * itself (planted-winmm-loaded.txt, naming the process), and it passes every multimedia call the player
 * makes on to the system's own winmm, so that a player that loads it still works and the marker is the only
 * sign. The release case plants it in the unpacked folder and runs the player with winmm searched as Windows
 * searches a DLL that is no KnownDLL (WINEDLLOVERRIDES=winmm=n,b): no marker may appear. */
#include <windows.h>

static HMODULE g_system;

static FARPROC SystemFunction(const char* name) {
    if (!g_system) {
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH - 12);
        if (length == 0 || length >= MAX_PATH - 12) return NULL;
        lstrcpyW(path + length, L"\\winmm.dll");
        g_system = LoadLibraryW(path);
        if (!g_system) return NULL;
    }
    return GetProcAddress(g_system, name);
}

static void LeaveMarker(HINSTANCE self) {
    wchar_t path[MAX_PATH + 32];
    DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    while (length > 0 && path[length - 1] != L'\\') --length;
    lstrcpyW(path + length, L"planted-winmm-loaded.txt");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    char process[MAX_PATH];
    const DWORD size = GetModuleFileNameA(NULL, process, MAX_PATH);
    DWORD written;
    WriteFile(file, process, size, &written, NULL);
    CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
    return TRUE;
}

/* Pass-throughs: the system function of the same name with the same arguments, or the error every caller
 * handles when there is none. */
#define PASS(ret, name, params, args, failure)                                                              \
    __declspec(dllexport) ret WINAPI name params {                                                           \
        typedef ret(WINAPI * Fn) params;                                                                     \
        Fn fn = (Fn)(void*)SystemFunction(#name);                                                            \
        return fn ? fn args : failure;                                                                       \
    }

#define FAILED_CALL 6 /* MMSYSERR_NODRIVER; MCI callers see an error either way */

PASS(DWORD, mciSendStringW, (LPCWSTR command, LPWSTR reply, UINT length, HWND callback),
     (command, reply, length, callback), FAILED_CALL)
PASS(UINT, waveOutGetVolume, (HANDLE device, DWORD* volume), (device, volume), FAILED_CALL)
PASS(UINT, waveOutSetVolume, (HANDLE device, DWORD volume), (device, volume), FAILED_CALL)
PASS(UINT, waveOutGetNumDevs, (void), (), 0)
PASS(UINT, waveOutOpen, (HANDLE* out, UINT device, const void* format, DWORD_PTR callback, DWORD_PTR instance,
                         DWORD flags),
     (out, device, format, callback, instance, flags), FAILED_CALL)
PASS(UINT, waveOutClose, (HANDLE out), (out), FAILED_CALL)
PASS(UINT, waveOutPrepareHeader, (HANDLE out, void* header, UINT size), (out, header, size), FAILED_CALL)
PASS(UINT, waveOutUnprepareHeader, (HANDLE out, void* header, UINT size), (out, header, size), FAILED_CALL)
PASS(UINT, waveOutWrite, (HANDLE out, void* header, UINT size), (out, header, size), FAILED_CALL)
PASS(UINT, waveOutPause, (HANDLE out), (out), FAILED_CALL)
PASS(UINT, waveOutRestart, (HANDLE out), (out), FAILED_CALL)
PASS(UINT, waveOutReset, (HANDLE out), (out), FAILED_CALL)
PASS(UINT, waveOutGetPosition, (HANDLE out, void* time, UINT size), (out, time, size), FAILED_CALL)
