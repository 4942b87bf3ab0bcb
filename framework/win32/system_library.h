// Where the program's DLLs may come from: the system folder for system DLLs, never the program's folder (a
// download unpacked among other downloads may have a planted DLL beside it) nor the current folder.
#pragma once

#include <windows.h>

namespace fw {
namespace win32 {

// Takes the program's folder and the current folder out of the search for every DLL loaded from now on,
// the system's own loads on our behalf included: SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
// where the system has it (Windows 8 on, Windows 7 with KB2533623), looked up at run time so that the
// program still starts without it; otherwise SetDllDirectoryW(L""), which at least takes the current
// folder out. The program's first act: the imports of telly.exe are resolved before it runs, which is why
// telly.exe imports only KnownDLLs and the DLLs it ships. True when the strict search is in force.
bool RestrictDllSearch();

// Loads `name` (a bare file name such as L"winmm.dll") from the system folder only. Null when it cannot.
HMODULE LoadSystemLibrary(const wchar_t* name);

} // namespace win32
} // namespace fw
