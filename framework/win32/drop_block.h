// A DROPFILES block with wide names, as the shell hands one to a window that accepts drops: for the
// Windows self-test and the drop benchmark, which drop files on windows without a shell. The block is the
// receiver's (its DragFinish frees it); null when memory is short.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

inline HGLOBAL MakeWideDropBlock(const std::vector<std::wstring>& paths) {
    size_t chars = 1; // the list ends with an empty name
    for (const std::wstring& p : paths)
        chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    if (!memory) return nullptr;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wchar_t* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& p : paths) {
        std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}
