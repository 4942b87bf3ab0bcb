// CPlayerDlg::ReadSettings and WriteSettings: the settings file beside the program, or in the per-user
// folder while the program's folder refuses new files (settings_paths.h has the rule), composed from the
// template RIVO.sys.
//
// Writing never touches the settings file until the new text is safely on disk: it goes to a new temporary
// file in the same folder (settings_folder.h: nothing at that name is followed or emptied), is flushed, and
// then replaces the settings file in one step, which keeps the settings file's attributes and permissions.
// On any failure the temporary file is removed and the previous settings file stays as it was, on either
// side. A read-only settings file is the user's lock and is never replaced; a folder of that name is left
// alone and nothing is written.
//
// Both files are read only up to kSettingsReadLimit: the settings file and the template are small text
// files, and one of any size would otherwise be taken into memory whole at start-up.
#include "app/globals.h"
#include "app/player_dlg.h"
#include "panel/settings_folder.h"
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

// Far above any settings file the player writes (the shipped template is 96 bytes). A longer file is
// treated as unreadable: the settings keep their values, a template falls back to the built-in copy.
constexpr size_t kSettingsReadLimit = 64 * 1024;

enum WriteResult { kWritten, kFolderRefused, kWriteFailed };

// Writes `text` as `dir` + the settings file name through a temporary file in the same folder. On any
// failure the temporary file is removed and the folder is as it was.
WriteResult ReplaceSettingsFile(const std::wstring& dir, const std::string& text) {
    CFile file;
    std::wstring temp;
    const TempFileResult opened = OpenSettingsTempFile(dir, CFile::modeCreateNew, &file, &temp);
    if (opened == kTempFolderRefuses) return kFolderRefused;
    if (opened != kTempFileOpen) return kWriteFailed;
    bool ok = (text.empty() || file.Write(text.data(), text.size())) && file.Flush();
    ok = file.Close() && ok;
    ok = ok && CFile::Replace(temp, dir + kSettingsFileName);
    if (ok) return kWritten;
    CFile::Remove(temp);
    return kWriteFailed;
}

} // namespace

void CPlayerDlg::ReadSettings() {
    std::string text;
    // Vanished, unreadable or too long: keep every value.
    if (!ReadWholeFile(SettingsFileToRead(), &text, kSettingsReadLimit)) return;
    const std::vector<int> values = ReadSettingValues(text);
    for (size_t n = 0; n < values.size(); ++n) {
        // The stored window position is not taken: the first tick always puts the window at (0, 0).
        *kSettingVariables[n] = n < 2 ? 0 : values[n];
    }
}

void CPlayerDlg::WriteSettings() {
    const std::wstring programDir = ProgramSettingsDir();
    std::string templ;
    // A missing, unreadable or oversized template would otherwise write an empty (or a huge) file; an empty
    // template that reads fine is taken as it is.
    if (!ReadWholeFile(programDir + kTemplateFileName, &templ, kSettingsReadLimit))
        templ = std::string(ShippedSettingsTemplate());

    int values[kSettingPositions];
    for (int n = 0; n < kSettingPositions; ++n)
        values[n] = *kSettingVariables[n];
    const std::string text = ComposeSettingsText(templ, values);

    // Only a program folder that refuses new files sends the settings to the per-user folder, which is made
    // now. A write that failed for another reason (a full disk, say) leaves the file beside the program,
    // which the next start reads anyway.
    if (ReplaceSettingsFile(programDir, text) != kFolderRefused) return;
    const std::wstring userDir = CreatePerUserSettingsDir();
    if (!userDir.empty()) ReplaceSettingsFile(userDir, text);
}
