#include "panel/settings_folder.h"

#include "panel/settings_paths.h"

using namespace fw;

namespace {

constexpr int kTempNames = 8;

std::wstring TempName(int n) {
    std::wstring name = std::wstring(kSettingsFileName) + L".tmp";
    if (n > 0) name += std::to_wstring(n);
    return name;
}

bool FolderRefusal(CFile::OpenError error) {
    return error == CFile::errAccessDenied || error == CFile::errWriteProtected;
}

} // namespace

TempFileResult OpenSettingsTempFile(const std::wstring& dir, CFile::OpenFlags flags, CFile* file,
                                    std::wstring* path) {
    for (int n = 0; n < kTempNames; ++n) {
        const std::wstring candidate = dir + TempName(n);
        // A stale temporary file (left by a write that was cut short) is removed first: a link of that name
        // goes itself, its target untouched. What cannot be removed (a folder, a read-only file, another
        // player's file in use) still holds the name, and the create below, which never follows or empties
        // anything, moves on to the next name.
        CFile::Remove(candidate);
        if (file->Open(candidate, flags)) {
            *path = candidate;
            return kTempFileOpen;
        }
        const CFile::OpenError error = file->GetOpenError();
        if (FolderRefusal(error)) return kTempFolderRefuses;
        if (error != CFile::errNameInUse) return kTempFileFailed;
    }
    return kTempFileFailed;
}

bool FolderRefusesNewFiles(const std::wstring& dir) {
    CFile trial;
    std::wstring path;
    return OpenSettingsTempFile(dir, CFile::modeCreateTrial, &trial, &path) == kTempFolderRefuses;
}
