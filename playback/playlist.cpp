#include "playback/playlist.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "res/resource.h"

std::wstring JoinCommandLineEntry(const std::vector<std::wstring>& args) {
    std::wstring entry;
    for (size_t i = 1; i < args.size(); ++i) entry += L" " + args[i];
    if (!entry.empty() && entry[0] == L' ') entry.erase(0, 1);
    return entry;
}

void CPlayerDlg::AddStartupEntry() {
    const HWND playlist = GetDlgItem(IDC_PLAYLIST);
    plat::ListBoxAdd(playlist, JoinCommandLineEntry(plat::CommandLineArgs()));
    g_nEntryCount = static_cast<int>(plat::ListBoxCount(playlist));
    g_nCurrentIndex = 0;
}

bool CPlayerDlg::GetEntryText(int index, std::wstring* text) {
    if (index < 0 || index >= g_nEntryCount) return false;
    return plat::ListBoxText(GetDlgItem(IDC_PLAYLIST), index, text);
}
