// The scan behind a drop of files and folders: every file under every dropped folder, at any depth, plus
// every dropped file, for the sorted playlist list box.
//
// Each folder is listed once (one ListFolder call) and scanned at most once per dropped item, by file
// identity, so a link that points back to an ancestor ends instead of looping. Paths are std::wstring
// throughout: nothing is cut, whatever its length.
#pragma once

#include "framework/controls.h"
#include "framework/folders.h"

#include <set>
#include <string>
#include <vector>

// The playlist's order, as a sort key: the path with ASCII letters folded to lower case. Used only to
// present paths to the sorted list box in an order where each insert tends to land at the end; the list box
// itself still decides where every entry goes.
std::wstring PlaylistSortKey(const std::wstring& path);

// Collects the playlist of one drop. The folder queue is the hidden sorted list box that holds the folders
// still to be scanned; it is empty whenever ScanItem returns.
class CDropScanner {
public:
    explicit CDropScanner(fw::HWND folderQueue) : m_queue(folderQueue) {}

    // Scans one dropped item. When nothing at all is found under it (it is a file, cannot be listed, or is
    // an empty folder) its own path becomes an entry; a folder holding only empty folders adds nothing.
    void ScanItem(const std::wstring& item);

    // Entries collected so far, in the order found.
    const std::vector<std::wstring>& Entries() const { return m_entries; }

    // Adds every collected entry to the sorted playlist list box and forgets them.
    void AddEntriesTo(fw::CListBox& playlist);

private:
    // Lists one folder: files become entries, subfolders join the queue. Returns the number of both.
    int ScanFolder(const std::wstring& dir);
    bool TakeFirstQueued(std::wstring* dir);

    fw::CListBox m_queue;
    std::vector<std::wstring> m_entries;
    std::set<fw::CFileIdentity> m_scanned;   // folders of the current item already listed
    std::vector<fw::CFolderEntry> m_listing; // reused between folders
};
