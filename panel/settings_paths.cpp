#include "panel/settings_paths.h"

#include "framework/afxwin.h"
#include "framework/paths.h"

#include <vector>

using namespace fw;

const wchar_t kSettingsFileName[] = L"RIVO.CFG";
const wchar_t kTemplateFileName[] = L"RIVO.sys";

namespace {

bool CanOpenForReading(const std::wstring& path) {
    CFile file;
    return file.Open(path, CFile::modeRead);
}

} // namespace

std::wstring DirectoryOfProgramPath(const std::wstring& programPath) {
    return DirectoryOf(programPath);
}

std::wstring ProgramSettingsDir() {
    const std::vector<std::wstring> args = AfxGetCommandLineArgs();
    return args.empty() ? std::wstring() : DirectoryOf(args[0]);
}

std::wstring UserSettingsFolder() {
    return AfxGetUserSettingsFolder();
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
