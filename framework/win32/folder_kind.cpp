// Whether a path is a folder, by its attributes alone: no handle is opened, so it stays cheap when asked for
// each of thousands of dropped files.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

namespace fw {
namespace plat {

bool IsDirectory(const std::wstring& path) {
    const ::DWORD attributes = GetFileAttributesW(win32::FileApiPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace plat
} // namespace fw
