#include "panel/settings_paths.h"

#include "framework/afxwin.h"
#include "framework/paths.h"
#include "panel/settings_folder.h"

using namespace fw;

const wchar_t kSettingsFileName[] = L"RIVO.CFG";
const wchar_t kTemplateFileName[] = L"RIVO.sys";

namespace {

bool CanOpenForReading(const std::wstring& path) {
    CFile file;
    return file.Open(path, CFile::modeRead);
}

std::wstring UnlessProgramDir(const std::wstring& dir) {
    return dir == ProgramSettingsDir() ? std::wstring() : dir;
}

} // namespace

std::wstring DirectoryOfProgramPath(const std::wstring& programPath) {
    return DirectoryOf(programPath);
}

std::wstring ProgramSettingsDir() {
    // The module's own file name, not argument 0: the two agree whenever argument 0 is right, and an
    // unquoted path with blanks ("C:\Program Files\Telly\telly.exe") gives argument 0 "C:\Program", whose
    // folder is the drive's root.
    return DirectoryOf(AfxGetModuleFileName());
}

std::wstring PerUserSettingsDir() {
    return UnlessProgramDir(AfxGetUserSettingsFolder());
}

std::wstring CreatePerUserSettingsDir() {
    // Asked by where it is first, so that a per-user folder that is the program's own is not made.
    if (PerUserSettingsDir().empty()) return std::wstring();
    return UnlessProgramDir(AfxCreateUserSettingsFolder());
}

std::wstring SettingsFileToRead() {
    const std::wstring programDir = ProgramSettingsDir();
    const std::wstring beside = programDir + kSettingsFileName;
    const std::wstring userDir = PerUserSettingsDir();
    if (userDir.empty()) return beside;
    // Without a per-user file the file beside the program is read either way: the folder's answer would
    // only decide where the next write goes.
    const std::wstring perUser = userDir + kSettingsFileName;
    if (!CanOpenForReading(perUser)) return beside;
    return FolderRefusesNewFiles(programDir) ? perUser : beside;
}

bool SettingsFileExists() {
    return CanOpenForReading(SettingsFileToRead());
}
