#include "playback/playlist.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/controls.h"
#include "res/resource.h"

using namespace fw;

namespace {

bool SameTextIgnoringAsciiCase(const std::wstring& a, size_t from, const std::wstring& b) {
    if (a.size() - from != b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i) {
        wchar_t x = a[from + i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
        if (x != y) return false;
    }
    return true;
}

// `name` is how the command line named the program at `path`: the whole path, or its end from a folder
// boundary on (a relative start), with or without the ".exe" the system adds to a name without extension.
bool NamesProgram(const std::wstring& name, const std::wstring& path) {
    for (const std::wstring& n : {name, name + L".exe"}) {
        if (n.size() > path.size()) continue;
        const size_t from = path.size() - n.size();
        if ((from == 0 || path[from - 1] == L'\\') && SameTextIgnoringAsciiCase(path, from, n)) return true;
    }
    return false;
}

} // namespace

size_t ProgramNameArguments(const std::vector<std::wstring>& args, const std::wstring& modulePath) {
    if (args.empty()) return 0;
    if (modulePath.empty()) return 1;
    std::wstring name;
    for (size_t k = 1; k <= args.size(); ++k) {
        name += (k > 1 ? L" " : L"") + args[k - 1];
        if (NamesProgram(name, modulePath)) return k;
    }
    return 1; // argument 0 is something else altogether: it alone is the program's
}

std::wstring JoinCommandLineEntry(const std::vector<std::wstring>& args, const std::wstring& modulePath) {
    std::wstring entry;
    for (size_t i = ProgramNameArguments(args, modulePath); i < args.size(); ++i)
        entry += L" " + args[i];
    if (!entry.empty() && entry[0] == L' ') entry.erase(0, 1);
    return entry;
}

void CPlayerDlg::AddStartupEntry() {
    CListBox playlist(GetDlgItem(IDC_PLAYLIST));
    playlist.AddString(JoinCommandLineEntry(AfxGetCommandLineArgs(), AfxGetModuleFileName()));
    g_nEntryCount = playlist.GetCount();
    g_nCurrentIndex = 0;
}

bool CPlayerDlg::GetEntryText(int index, std::wstring* text) {
    if (index < 0 || index >= g_nEntryCount) return false;
    return CListBox(GetDlgItem(IDC_PLAYLIST)).GetText(index, text);
}
