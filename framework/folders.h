// Folder listings and file identities: what a scan of a dropped folder tree needs.
#pragma once

#include "framework/platform.h"

#include <string>
#include <vector>

namespace fw {

// One listed name: "." and ".." included, as the platform lists them; a link to a folder counts as a folder.
using CFolderEntry = plat::DirEntry;

// Lists the folder `dir` (no pattern, no trailing '\') once, in the file system's order. False when it cannot
// be listed (not a folder, missing, no access); *entries is then empty.
bool ListFolder(const std::wstring& dir, std::vector<CFolderEntry>* entries);

// The identity of a file or folder: volume and file index (device and inode). Two paths that reach the same
// folder through a link give the same identity. Identities are NOT unique across mounts in practice: under
// Wine every folder on the Z: drive reports volume 0 and the roots of two mounts share an index, and network
// and some FAT volumes report zero or reused indexes. A zero index means "unknown". False when the path
// cannot be opened.
using CFileIdentity = plat::FileIdentity;
bool IdentifyFile(const std::wstring& path, CFileIdentity* id);

// The index part of IdentifyFile's identity, without the volume's serial, which can cost many times more to
// ask (under Wine, half a millisecond): compare indexes first, whole identities only when they match. False
// when the path cannot be opened.
bool IdentifyFileIndex(const std::wstring& path, uint64_t* index);

// True when `path` names an existing folder. Cheaper than trying to list it, which is what matters when
// thousands of dropped files are each asked.
bool IsFolder(const std::wstring& path);

// The short (8.3) form of an existing file's path: plain ASCII and short on volumes that keep short names
// (so a device that refuses long or non-ANSI paths can still open the file). Empty when there is none.
std::wstring ShortPathOf(const std::wstring& path);

} // namespace fw
