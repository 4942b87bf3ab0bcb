#include "playback/playlist.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/controls.h"
#include "res/resource.h"

using namespace fw;

std::wstring JoinCommandLineEntry(const std::vector<std::wstring>& args) {
    std::wstring entry;
    for (size_t i = 1; i < args.size(); ++i)
        entry += L" " + args[i];
    if (!entry.empty() && entry[0] == L' ') entry.erase(0, 1);
    return entry;
}

void CPlayerDlg::AddStartupEntry() {
    CListBox playlist(GetDlgItem(IDC_PLAYLIST));
    playlist.AddString(JoinCommandLineEntry(AfxGetCommandLineArgs()));
    g_nEntryCount = playlist.GetCount();
    g_nCurrentIndex = 0;
}

bool CPlayerDlg::GetEntryText(int index, std::wstring* text) {
    if (index < 0 || index >= g_nEntryCount) return false;
    return CListBox(GetDlgItem(IDC_PLAYLIST)).GetText(index, text);
}
