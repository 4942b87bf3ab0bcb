// Files, folders and drops of the simulated platform: real host files under player paths.
#include "framework/sim/sim_state.h"

#include "framework/sim/utf.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {
namespace detail {

namespace {

bool EndsWith(const std::wstring& s, const std::wstring& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Consumes an injected fault of that kind for `path`; true when the operation must fail.
bool TakeFault(FileFault fault, const std::wstring& path) {
    auto range = S().fileFaults.equal_range(fault);
    for (auto it = range.first; it != range.second; ++it) {
        if (EndsWith(path, it->second)) {
            S().fileFaults.erase(it);
            return true;
        }
    }
    return false;
}

OpenFile* Open(plat::FileHandle f) {
    auto it = S().files.find(Key(f));
    return it == S().files.end() ? nullptr : &it->second;
}

} // namespace
} // namespace detail

using namespace detail;

std::string HostPath(const std::wstring& playerPath) {
    std::wstring p = playerPath;
    for (wchar_t& c : p)
        if (c == L'\\') c = L'/';
    return ToUtf8(p);
}

std::wstring PlayerPath(const std::string& hostPath) {
    std::wstring p = FromUtf8(hostPath);
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
    return p;
}

void SetFileIdentity(const std::wstring& path, uint64_t volume, uint64_t index) {
    S().identities[path] = plat::FileIdentity{volume, index};
}

void SetShortPath(const std::wstring& path, const std::wstring& shortPath) {
    S().shortPaths[path] = shortPath;
}

void SetFolderListingTime(long long ms) {
    S().folderListingMs = ms;
}

void InjectFileFault(FileFault fault, const std::wstring& suffix) {
    S().fileFaults.emplace(fault, suffix);
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    const uintptr_t h = NewHandle();
    S().drops[h] = paths;
    return As<HDROP>(h);
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

UINT DropCount(HDROP drop) {
    auto it = S().drops.find(Key(drop));
    return it == S().drops.end() ? 0 : static_cast<UINT>(it->second.size());
}

bool DropItem(HDROP drop, UINT index, std::wstring* path) {
    auto it = S().drops.find(Key(drop));
    if (it == S().drops.end() || index >= it->second.size() || !path) return false;
    *path = it->second[index];
    return true;
}

bool DropItems(HDROP drop, std::vector<std::wstring>* items) {
    if (!items) return false;
    auto it = S().drops.find(Key(drop));
    if (it == S().drops.end()) {
        items->clear();
        AddLog("DragQueryFile all -> 0");
        return false;
    }
    *items = it->second;
    AddLog("DragQueryFile all -> " + std::to_string(items->size()));
    return true;
}

void FinishDrop(HDROP drop) {
    AddLog("DragFinish");
    S().drops.erase(Key(drop));
}

bool ListDirectory(const std::wstring& dir, std::vector<DirEntry>* entries) {
    if (!entries) return false;
    const std::string host = sim::HostPath(dir);
    AdvanceClockBy(S().folderListingMs);
    DIR* d = ::opendir(host.c_str());
    if (!d) return false;
    entries->clear();
    while (const dirent* e = ::readdir(d)) {
        struct stat st;
        // stat follows links: a link to a folder is listed as a folder, as a junction is on Windows.
        const std::string full = host + "/" + e->d_name;
        const bool isDir = ::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries->push_back(DirEntry{FromUtf8(e->d_name), isDir});
    }
    ::closedir(d);
    return true;
}

bool GetFileIdentity(const std::wstring& path, FileIdentity* id) {
    struct stat st;
    if (!id || ::stat(sim::HostPath(path).c_str(), &st) != 0) return false;
    auto set = S().identities.find(path);
    if (set != S().identities.end()) {
        *id = set->second;
        return true;
    }
    // As Wine answers for its Z: drive: one volume (0) for every folder, the inode as the index.
    id->volume = 0;
    id->index = static_cast<uint64_t>(st.st_ino);
    return true;
}

bool GetFileIndex(const std::wstring& path, uint64_t* index) {
    FileIdentity id;
    if (!index || !GetFileIdentity(path, &id)) return false;
    *index = id.index;
    return true;
}

bool IsDirectory(const std::wstring& path) {
    struct stat st;
    return ::stat(sim::HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::wstring ShortPathName(const std::wstring& path) {
    // A registered short name stands for an existing file on a volume that keeps short names.
    auto it = S().shortPaths.find(path);
    return it == S().shortPaths.end() ? std::wstring() : it->second;
}

FileHandle FileOpen(const std::wstring& path, FileMode mode) {
    if (TakeFault(mode == kRead ? sim::kFailRead : sim::kFailCreate, path)) return nullptr;
    const std::string host = sim::HostPath(path);
    const int fd = mode == kRead ? ::open(host.c_str(), O_RDONLY | O_CLOEXEC)
                                 : ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) { // CreateFile does not open folders as files
        ::close(fd);
        return nullptr;
    }
    const uintptr_t h = NewHandle();
    S().files[h] = OpenFile{fd, path};
    return As<FileHandle>(h);
}

long long FileRead(FileHandle f, void* buf, size_t count) {
    OpenFile* o = Open(f);
    if (!o || (!buf && count)) return -1;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(o->fd, static_cast<char*>(buf) + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<long long>(done);
}

bool FileWrite(FileHandle f, const void* buf, size_t count) {
    OpenFile* o = Open(f);
    if (!o || (!buf && count)) return false;
    // An injected fault writes half of the data and then fails, like a full disk.
    const bool fault = TakeFault(sim::kFailWrite, o->path);
    const size_t want = fault ? count / 2 : count;
    size_t done = 0;
    while (done < want) {
        const ssize_t n = ::write(o->fd, static_cast<const char*>(buf) + done, want - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return !fault;
}

bool FileFlush(FileHandle f) {
    OpenFile* o = Open(f);
    return o && ::fsync(o->fd) == 0;
}

long long FileLength(FileHandle f) {
    OpenFile* o = Open(f);
    struct stat st;
    if (!o || ::fstat(o->fd, &st) != 0) return -1;
    return static_cast<long long>(st.st_size);
}

bool FileClose(FileHandle f) {
    auto it = S().files.find(Key(f));
    if (it == S().files.end()) return false;
    const bool ok = ::close(it->second.fd) == 0;
    S().files.erase(it);
    return ok;
}

bool FileReplace(const std::wstring& source, const std::wstring& target) {
    if (TakeFault(sim::kFailReplace, target) || TakeFault(sim::kFailReplace, source)) return false;
    return std::rename(sim::HostPath(source).c_str(), sim::HostPath(target).c_str()) == 0;
}

bool FileDelete(const std::wstring& path) {
    return ::unlink(sim::HostPath(path).c_str()) == 0;
}

} // namespace plat
} // namespace fw
