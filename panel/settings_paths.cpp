#include "panel/settings_paths.h"

#include "framework/platform.h"

#include <vector>

const wchar_t kSettingsFileName[] = L"RIVO.CFG";
const wchar_t kTemplateFileName[] = L"RIVO.sys";

namespace {

bool CanOpenForReading(const std::wstring& path) {
    fw::plat::FileHandle f = fw::plat::FileOpen(path, fw::plat::kRead);
    if (!f) return false;
    fw::plat::FileClose(f);
    return true;
}

}  // namespace

std::wstring DirectoryOfProgramPath(const std::wstring& programPath) {
    const size_t slash = programPath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : programPath.substr(0, slash + 1);
}

std::wstring ProgramSettingsDir() {
    const std::vector<std::wstring> args = fw::plat::CommandLineArgs();
    return args.empty() ? std::wstring() : DirectoryOfProgramPath(args[0]);
}

std::wstring UserSettingsFolder() {
    std::wstring dir = fw::plat::UserSettingsDir();
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

std::wstring SecondSettingsFolder() {
    const std::wstring user = UserSettingsFolder();
    return user == ProgramSettingsDir() ? std::wstring() : user;
}

bool SettingsFileExists() {
    if (CanOpenForReading(ProgramSettingsDir() + kSettingsFileName)) return true;
    const std::wstring user = SecondSettingsFolder();
    return !user.empty() && CanOpenForReading(user + kSettingsFileName);
}
