// The command line and the per-user settings folder: where it is, and making it (only to write there).
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace fw {
namespace plat {

namespace {
std::wstring ModulePath() {
    // GetModuleFileNameW truncates silently; grow until the path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<::DWORD>(buffer.size()));
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        if (buffer.size() >= 32768) return std::wstring(); // cut: no path is better than a wrong one
        buffer.resize(buffer.size() * 2);
    }
}
} // namespace

std::wstring ModuleFileName() {
    return ModulePath();
}

std::vector<std::wstring> CommandLineArgs() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) {
        // Only when out of memory; argument 0 is the one the program cannot do without.
        args.push_back(ModulePath());
        return args;
    }
    args.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

namespace {
// %APPDATA%\Telly, without a trailing '\'; empty when the system names no per-user application data folder.
// `create` makes %APPDATA% itself when it is missing (CSIDL_FLAG_CREATE); Telly is left to the caller.
std::wstring TellyFolder(bool create) {
    wchar_t base[MAX_PATH] = {};
    const int csidl = CSIDL_APPDATA | (create ? CSIDL_FLAG_CREATE : 0);
    // Without the create flag a missing %APPDATA% fails the call: no per-user file can be there either.
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, base))) return std::wstring();
    std::wstring dir = base;
    if (dir.empty()) return std::wstring();
    if (dir.back() != L'\\') dir += L'\\';
    return dir + L"Telly";
}
} // namespace

std::wstring UserSettingsDirPath() {
    const std::wstring dir = TellyFolder(false);
    return dir.empty() ? dir : dir + L'\\';
}

std::wstring UserSettingsDir() {
    const std::wstring dir = TellyFolder(true);
    if (dir.empty()) return dir;
    const std::wstring apiPath = win32::FileApiPath(dir);
    if (!CreateDirectoryW(apiPath.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return std::wstring();
    const ::DWORD attributes = GetFileAttributesW(apiPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::wstring();
    return dir + L'\\';
}

} // namespace plat
} // namespace fw
