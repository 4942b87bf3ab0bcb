// A folder's answer to the settings: the temporary file a write goes through, and whether the folder takes
// new files at all.
//
// A folder "cannot be written" only when it says so itself: creating a file in it is refused (access denied
// with nothing of that name in the way: no right to add files, a read-only folder or share) or the medium
// is write-protected. Every other failure (a full disk, a missing path) is a failed write, not a reason to
// keep the settings elsewhere. A name that is taken (another player writing its temporary file, a leftover
// hidden file or a folder of that name) is a clash: the next temporary name is tried instead.
#pragma once

#include "framework/afxwin.h"

#include <string>

enum TempFileResult {
    kTempFileOpen,      // open for writing; *path names it
    kTempFolderRefuses, // the folder takes no new file
    kTempFileFailed,    // another failure, or every temporary name taken
};

// Opens a new temporary file for the settings file in `dir` (which ends in '\' or is empty): "RIVO.CFG.tmp",
// or "RIVO.CFG.tmp1" to "RIVO.CFG.tmp7" when the names before it are taken. A stale file of the name is
// removed first (a link itself, not its target); the file is then created new, never opened through what
// holds its name. `flags` is CFile::modeCreateNew, or CFile::modeCreateTrial for a file the system deletes
// when it is closed.
TempFileResult OpenSettingsTempFile(const std::wstring& dir, fw::CFile::OpenFlags flags, fw::CFile* file,
                                    std::wstring* path);

// True when `dir` refuses new files, found by opening the temporary file a write would open, as a trial
// file that the system deletes on closing: nothing is left behind, even when the program ends first.
bool FolderRefusesNewFiles(const std::wstring& dir);
