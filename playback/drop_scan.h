// The scan behind a drop of files and folders: every file under every dropped folder, at any depth, plus
// every dropped file, for the sorted playlist list box.
//
// Loops: a folder is skipped only when it is one of its own ancestors in the scan, that is when its identity
// (volume, file index) equals the identity of a folder on the route from the dropped item down to it: a link
// back to a parent adds nothing. Identities are not unique in practice (see folders.h: two mounts' roots
// share one under Wine), so a folder whose identity was seen elsewhere in the drop is scanned again, and so
// is a folder reached by two routes that are not a loop (a link to a sibling): its files are then listed
// twice, as a path added twice is. A zero index is unknown and equals nothing; the depth limit ends loops
// that identities cannot see. Each folder is listed once per visit (one ListFolder call). Paths are
// std::wstring throughout: nothing is cut, whatever its length.
#pragma once

#include "framework/controls.h"
#include "framework/folders.h"
#include "framework/wait_cursor.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The playlist's order, as a sort key: close to the system's sorted list box order (its word sort) for
// ASCII: letters without case, blanks and signs before digits and letters, hyphens and apostrophes passed
// over. Used only to present paths to the sorted list box in an order where each insert tends to land at
// the end; the list box itself still decides where every entry goes.
std::wstring PlaylistSortKey(const std::wstring& path);

// Collects the playlist of one drop. The folder queue is the hidden sorted list box that holds the folders
// still to be scanned; it is empty whenever ScanItem returns.
class CDropScanner {
public:
    // Folders more than this many levels below a dropped folder are not scanned. A path of MAX_PATH
    // characters holds at most about 128 levels, so real trees stay far above it; it ends a loop that
    // identities cannot see (zero identities on a network share) after a bounded amount of work.
    static constexpr int kMaxFolderDepth = 256;

    // `wait`, when given, is pulsed between folders and while entries are added, so that it shows once the
    // scan has taken longer than its delay.
    explicit CDropScanner(fw::HWND folderQueue, fw::CWaitCursor* wait = nullptr,
                          int maxDepth = kMaxFolderDepth);

    // Scans one dropped item. When nothing at all is found under it (it is a file, cannot be listed, or is
    // an empty folder) its own path becomes an entry; a folder holding only empty folders adds nothing.
    void ScanItem(const std::wstring& item);

    // Entries collected so far, in the order found.
    const std::vector<std::wstring>& Entries() const { return m_entries; }

    // Adds every collected entry to the sorted playlist list box and forgets them.
    void AddEntriesTo(fw::CListBox& playlist);

private:
    // One folder listed for the current item. Its parent is the visit whose listing found it, so following
    // parents gives the route back to the dropped item: the folder's ancestors in the scan.
    struct Visit {
        std::wstring path;
        uint64_t index; // its file index; 0 when unknown (unreadable, or the file system has none)
        int parent;     // index in m_visits, kNoParent for the dropped item
        int depth;      // 0 for the dropped item
        // The whole identity (volume too), asked only when a folder below has the same index.
        bool identityAsked;
        bool identityRead;
        fw::CFileIdentity identity;
    };
    static constexpr int kNoParent = -1;

    void Queue(const std::wstring& dir, int parent);
    bool TakeFirstQueued(std::wstring* dir, int* parent);
    // Lists one folder found by visit `parent`: files become entries, subfolders join the queue. Returns
    // the number of both; 0 for a folder that is its own ancestor, too deep, or cannot be listed.
    int ScanFolder(const std::wstring& dir, int parent);
    // True when the folder `dir` with file index `index` is the folder of a visit on the route up from
    // visit `parent`: same index, then same whole identity.
    bool IsOnRoute(int parent, const std::wstring& dir, uint64_t index);
    const fw::CFileIdentity* IdentityOf(Visit& visit);
    void Pulse();

    fw::CListBox m_queue;
    fw::CWaitCursor* m_wait;
    int m_maxDepth;
    std::vector<std::wstring> m_entries;
    std::vector<Visit> m_visits; // of the current item
    // Beside the queue: for each queued folder the visit that found it. Keyed by the exact path, which the
    // list box gives back unchanged whatever order its collation puts it in.
    std::multimap<std::wstring, int> m_queuedBy;
    std::vector<fw::CFolderEntry> m_listing; // reused between folders
};
