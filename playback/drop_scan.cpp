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

namespace {
// How long a scan runs before the wait pointer shows: longer than a blink, shorter than a doubt.
constexpr long kWaitCursorDelayMs = 100;

// The key character of each ASCII character: letters folded to lower case; the blank and the signs before
// the digits and letters, in the order the system's word sort puts them (the blank first; + < = > after the
// other signs); hyphens, apostrophes and DEL 0, dropped, since the word sort passes over them ("clip-10"
// after "clip1").
struct KeyTable {
    wchar_t key[0x80];
    KeyTable() {
        const wchar_t* signs = L" !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
        for (int c = 0; c < 0x80; ++c)
            key[c] = static_cast<wchar_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        for (int rank = 0; signs[rank]; ++rank)
            key[signs[rank]] = static_cast<wchar_t>(1 + rank); // all below '0'
        key['-'] = key['\''] = key[0x7F] = 0;
    }
};

} // namespace

std::wstring PlaylistSortKey(const std::wstring& path) {
    static const KeyTable table;
    std::wstring key;
    key.reserve(path.size());
    for (wchar_t c : path) {
        const wchar_t k = c < 0x80 ? table.key[c] : c;
        if (k != 0) key += k;
    }
    return key;
}

CDropScanner::CDropScanner(HWND folderQueue, CWaitCursor* wait, int maxDepth)
    : m_queue(folderQueue), m_wait(wait), m_maxDepth(maxDepth) {}

void CDropScanner::ScanItem(const std::wstring& item) {
    Pulse();
    // A file (or nothing at all) cannot be listed: it is an entry by itself. Asked first, so that each of
    // thousands of dropped files costs one cheap query instead of a failed listing.
    if (!IsFolder(item)) {
        m_entries.push_back(item);
        return;
    }
    m_visits.clear();
    m_queuedBy.clear();
    Queue(item, kNoParent);
    int found = 0;
    std::wstring dir;
    int parent = kNoParent;
    // The smallest pending path is scanned next; the order only changes the scan, never the playlist,
    // which sorts itself.
    while (TakeFirstQueued(&dir, &parent)) {
        found += ScanFolder(dir, parent);
        Pulse();
    }
    if (found == 0) m_entries.push_back(item);
}

void CDropScanner::Queue(const std::wstring& dir, int parent) {
    m_queue.AddString(dir);
    m_queuedBy.emplace(dir, parent);
}

bool CDropScanner::TakeFirstQueued(std::wstring* dir, int* parent) {
    if (m_queue.GetCount() <= 0 || !m_queue.GetText(0, dir)) return false;
    m_queue.DeleteString(0);
    const auto it = m_queuedBy.find(*dir);
    // Every queued path was put there by Queue; a stranger is scanned as if dropped.
    *parent = it == m_queuedBy.end() ? kNoParent : it->second;
    if (it != m_queuedBy.end()) m_queuedBy.erase(it);
    return true;
}

const CFileIdentity* CDropScanner::IdentityOf(Visit& visit) {
    if (!visit.identityAsked) {
        visit.identityAsked = true;
        visit.identityRead = IdentifyFile(visit.path, &visit.identity) && visit.identity.index != 0;
    }
    return visit.identityRead ? &visit.identity : nullptr;
}

bool CDropScanner::IsOnRoute(int parent, const std::wstring& dir, uint64_t index) {
    // Indexes first: the volume's serial is the costly part of an identity, and needed only for a match.
    Visit self{dir, index, kNoParent, 0, false, false, CFileIdentity{0, 0}};
    for (int v = parent; v != kNoParent; v = m_visits[static_cast<size_t>(v)].parent) {
        Visit& above = m_visits[static_cast<size_t>(v)];
        if (above.index != index) continue;
        const CFileIdentity* mine = IdentityOf(self);
        const CFileIdentity* theirs = IdentityOf(above);
        if (mine && theirs && *mine == *theirs) return true;
    }
    return false;
}

int CDropScanner::ScanFolder(const std::wstring& dir, int parent) {
    const int depth = parent == kNoParent ? 0 : m_visits[static_cast<size_t>(parent)].depth + 1;
    if (depth > m_maxDepth) return 0;
    // An index that cannot be read is unknown, like a zero one: the folder is listed all the same.
    uint64_t index = 0;
    if (!IdentifyFileIndex(dir, &index)) index = 0;
    if (index != 0 && IsOnRoute(parent, dir, index)) return 0; // a link back to an ancestor (or to itself)
    if (!ListFolder(dir, &m_listing)) return 0;
    m_visits.push_back(Visit{dir, index, parent, depth, false, false, CFileIdentity{0, 0}});
    const int self = static_cast<int>(m_visits.size()) - 1;
    int found = 0;
    for (const CFolderEntry& e : m_listing) {
        if (e.name == L"." || e.name == L"..") continue;
        ++found;
        if (e.isDirectory) {
            Queue(JoinPath(dir, e.name), self);
        } else {
            m_entries.push_back(JoinPath(dir, e.name));
        }
    }
    return found;
}

void CDropScanner::Pulse() {
    if (m_wait) m_wait->Pulse();
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
    Pulse();
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    Pulse();
    // A clock read per entry would cost more than it tells; every few hundred is a moment apart at most.
    constexpr size_t kEntriesPerPulse = 512;
    for (size_t i = 0; i < keyed.size(); ++i) {
        playlist.AddString(keyed[i].path);
        if ((i + 1) % kEntriesPerPulse == 0) Pulse();
    }
}

void CPlayerDlg::OnDropFiles(HDROP drop) {
    // Released (DragFinish) when this handler returns, after the first entry has been opened.
    const CDroppedFiles dropped(drop);
    g_nCurrentIndex = 0; // before anything else, as the scan below will again
    if (g_bPaused == 1) g_bPaused = 0;
    m_movie.Close();
    g_nPosKnobX = kPosKnobMin;
    g_bClosed = 0;

    CListBox playlist(GetDlgItem(IDC_PLAYLIST));
    const HWND folderQueue = GetDlgItem(IDC_FOLDER_QUEUE);
    playlist.ResetContent();
    CListBox(folderQueue).ResetContent();

    {
        // The scan blocks the window; once it has taken longer than a moment the pointer says so, until
        // the playlist is filled.
        CWaitCursor wait(kWaitCursorDelayMs);
        CDropScanner scanner(folderQueue, &wait);
        // Every dropped item once, in drop order. An empty item names nothing and is passed over.
        for (const std::wstring& item : dropped.Items())
            if (!item.empty()) scanner.ScanItem(item);
        scanner.AddEntriesTo(playlist);
    }

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
