// The program's own resources (bitmap 129, icon 128) from the executable.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

namespace fw {
namespace plat {

// The executable's handle. Asked of the system each time rather than stored by the entry point, because
// the application object calls this during static initialisation, before wWinMain runs.
HINSTANCE ModuleHandle() {
    return win32::FromWin(GetModuleHandleW(nullptr));
}

bool LockResourceBytes(HINSTANCE module, UINT id, UINT type, const BYTE** data, DWORD* size) {
    if (!data || !size) return false;
    ::HINSTANCE m = win32::ToWin(module);
    HRSRC info = FindResourceW(m, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (!info) return false;
    HGLOBAL loaded = LoadResource(m, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    *data = static_cast<const BYTE*>(bytes);
    *size = static_cast<DWORD>(SizeofResource(m, info));
    return true;
}

HICON LoadAppIcon(HINSTANCE module, UINT id) {
    return win32::FromWin(LoadIconW(win32::ToWin(module), MAKEINTRESOURCEW(id)));
}

} // namespace plat
} // namespace fw
