// OnDropFiles: a drop replaces the whole playlist with every file found under the dropped items, then the
// first entry in sorted order opens.
#include "playback/drop_scan.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/dropped_files.h"
#include "framework/paths.h"
#include "playback/knob_mapping.h"
#include "res/resource.h"

#include <algorithm>
#include <utility>

using namespace fw;

std::wstring PlaylistSortKey(const std::wstring& path) {
    std::wstring key(path);
    for (wchar_t& c : key) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return key;
}

void CDropScanner::ScanItem(const std::wstring& item) {
    m_scanned.clear();
    m_queue.AddString(item);
    int found = 0;
    std::wstring dir;
    // The smallest pending path is scanned next; the order only changes the scan, never the playlist,
    // which sorts itself.
    while (TakeFirstQueued(&dir))
        found += ScanFolder(dir);
    if (found == 0) m_entries.push_back(item);
}

bool CDropScanner::TakeFirstQueued(std::wstring* dir) {
    if (m_queue.GetCount() <= 0 || !m_queue.GetText(0, dir)) return false;
    m_queue.DeleteString(0);
    return true;
}

int CDropScanner::ScanFolder(const std::wstring& dir) {
    // A folder whose identity cannot be read cannot be opened either; one seen before in this item is
    // reached through a link (possibly back to an ancestor) and is not listed again.
    CFileIdentity id;
    if (!IdentifyFile(dir, &id) || !m_scanned.insert(id).second) return 0;
    if (!ListFolder(dir, &m_listing)) return 0;
    int found = 0;
    for (const CFolderEntry& e : m_listing) {
        if (e.name == L"." || e.name == L"..") continue;
        ++found;
        if (e.isDirectory) {
            m_queue.AddString(JoinPath(dir, e.name));
        } else {
            m_entries.push_back(JoinPath(dir, e.name));
        }
    }
    return found;
}

void CDropScanner::AddEntriesTo(CListBox& playlist) {
    // Presented in the list's own order, each sorted insert lands at the end instead of moving the
    // entries behind it: a drop of 100,000 files stays linear apart from the sort.
    struct Keyed {
        std::wstring key;
        std::wstring path;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(m_entries.size());
    for (std::wstring& path : m_entries) {
        std::wstring key = PlaylistSortKey(path);
        keyed.push_back({std::move(key), std::move(path)});
    }
    m_entries.clear();
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    for (const Keyed& k : keyed)
        playlist.AddString(k.path);
}

void CPlayerDlg::OnDropFiles(HDROP drop) {
    // Released (DragFinish) when this handler returns, after the first entry has been opened.
    const CDroppedFiles dropped(drop);
    g_nCurrentIndex = 0;
    if (g_bPaused == 1) g_bPaused = 0;
    m_movie.Close();
    g_nPosKnobX = kPosKnobMin;
    g_bClosed = 0;

    CListBox playlist(GetDlgItem(IDC_PLAYLIST));
    const HWND folderQueue = GetDlgItem(IDC_FOLDER_QUEUE);
    playlist.ResetContent();
    CListBox(folderQueue).ResetContent();

    // Every dropped item once, in drop order. An empty item names nothing and is passed over.
    CDropScanner scanner(folderQueue);
    std::wstring item;
    for (UINT i = 0; i < dropped.GetCount(); ++i) {
        if (!dropped.GetItem(i, &item)) break;
        if (!item.empty()) scanner.ScanItem(item);
    }
    scanner.AddEntriesTo(playlist);

    const int entries = playlist.GetCount();
    g_nEntryCount = entries > 0 ? entries : 0;
    g_nCurrentIndex = 0;
    m_movie.Close();
    g_nPosDrag = 0;
    g_nPosition = 0;
    if (g_nEntryCount > 0) {
        OpenCurrentEntry();
    } else {
        // Folders but no files: there is nothing to open. Stay closed (and paused, as after STOP), so the
        // end-of-movie check does not run until the next drop or play request.
        g_bClosed = 1;
        g_bPaused = 1;
    }
}
