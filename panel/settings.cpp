// CPlayerDlg::ReadSettings and WriteSettings: the settings file beside the program (or in the per-user
// folder when the program's folder cannot be written), composed from the template RIVO.sys.
//
// Writing never touches the settings file until the new text is safely on disk: it goes to a temporary file
// in the same folder, is flushed, and then replaces the settings file in one step. On any failure the
// temporary file is removed and the previous settings file stays as it was.
#include "app/globals.h"
#include "app/player_dlg.h"
#include "panel/settings_paths.h"
#include "panel/settings_text.h"

#include <string>
#include <vector>

using namespace fw;

namespace {

// The variables carried by the settings file, in file order.
int* const kSettingVariables[kSettingPositions] = {
    &g_nWindowX,    &g_nWindowY,      &g_nWheel1Play, &g_nWheel1Pause, &g_nWheel2Mode,
    &g_nBottunMode, &g_nScanLineMode, &g_nMaskTop,    &g_nMaskBottom,
};

enum ReadResult { kReadOk, kReadNoFile, kReadFailed };

ReadResult ReadFileBytes(const std::wstring& path, std::string* data) {
    bool opened = false;
    if (ReadWholeFile(path, data, &opened)) return kReadOk;
    return opened ? kReadFailed : kReadNoFile;
}

enum WriteResult { kWritten, kFolderNotWritable, kWriteFailed };

// Writes `text` as `dir` + the settings file name through a temporary file in the same folder. On any
// failure the temporary file is removed and the folder is as it was.
WriteResult ReplaceSettingsFile(const std::wstring& dir, const std::string& text) {
    const std::wstring target = dir + kSettingsFileName;
    const std::wstring temp = target + L".tmp";
    CFile file;
    if (!file.Open(temp, CFile::modeCreate)) return kFolderNotWritable;
    bool ok = (text.empty() || file.Write(text.data(), text.size())) && file.Flush();
    ok = file.Close() && ok;
    ok = ok && CFile::Replace(temp, target);
    if (ok) return kWritten;
    CFile::Remove(temp);
    return kWriteFailed;
}

} // namespace

void CPlayerDlg::ReadSettings() {
    std::string text;
    ReadResult result = ReadFileBytes(ProgramSettingsDir() + kSettingsFileName, &text);
    if (result == kReadNoFile) {
        const std::wstring user = SecondSettingsFolder();
        if (!user.empty()) result = ReadFileBytes(user + kSettingsFileName, &text);
    }
    if (result != kReadOk) return; // vanished or unreadable: keep every value
    const std::vector<int> values = ReadSettingValues(text);
    for (size_t n = 0; n < values.size(); ++n) {
        // The stored window position is not taken: the first tick always puts the window at (0, 0).
        *kSettingVariables[n] = n < 2 ? 0 : values[n];
    }
}

void CPlayerDlg::WriteSettings() {
    const std::wstring programDir = ProgramSettingsDir();
    std::string templ;
    // A missing or unreadable template would otherwise write an empty file and lose every value; an empty
    // template that reads fine is taken as it is.
    if (ReadFileBytes(programDir + kTemplateFileName, &templ) != kReadOk)
        templ = std::string(ShippedSettingsTemplate());

    int values[kSettingPositions];
    for (int n = 0; n < kSettingPositions; ++n)
        values[n] = *kSettingVariables[n];
    const std::string text = ComposeSettingsText(templ, values);

    // Only a folder that takes no new file sends the settings to the per-user folder. A write that failed
    // later (a full disk, say) leaves the previous file beside the program, which is read first anyway.
    if (ReplaceSettingsFile(programDir, text) != kFolderNotWritable) return;
    const std::wstring userDir = SecondSettingsFolder();
    if (!userDir.empty()) ReplaceSettingsFile(userDir, text);
}
