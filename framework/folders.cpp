#include "framework/folders.h"

namespace fw {

bool ListFolder(const std::wstring& dir, std::vector<CFolderEntry>* entries) {
    if (!entries) return false;
    if (plat::ListDirectory(dir, entries)) return true;
    entries->clear();
    return false;
}

bool IdentifyFile(const std::wstring& path, CFileIdentity* id) {
    return plat::GetFileIdentity(path, id);
}

bool IdentifyFileIndex(const std::wstring& path, uint64_t* index) {
    return plat::GetFileIndex(path, index);
}

bool IsFolder(const std::wstring& path) {
    return plat::IsDirectory(path);
}

std::wstring ShortPathOf(const std::wstring& path) {
    return plat::ShortPathName(path);
}

} // namespace fw
