// Files, folders and drops of the simulated platform: real host files under player paths.
#include "framework/sim/sim_state.h"

#include "framework/sim/utf.h"

#include <mutex>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <cwctype>
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

// Consumes an injected fault of that kind for `path`; true when the operation must fail, with the reason
// the fault was given in *reason (when asked).
bool TakeFault(FileFault fault, const std::wstring& path, plat::FileError* reason = nullptr) {
    auto range = S().fileFaults.equal_range(fault);
    for (auto it = range.first; it != range.second; ++it) {
        if (EndsWith(path, it->second.first)) {
            if (reason) *reason = it->second.second;
            S().fileFaults.erase(it);
            return true;
        }
    }
    return false;
}

// The reason a folder that takes no new files gives for `path` in it; kFileOk when it takes them.
plat::FileError FolderRefusal(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring dir = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    auto it = S().refusingFolders.find(dir);
    return it == S().refusingFolders.end() ? plat::kFileOk : it->second;
}

// What the real platform answers for a failed open, from the host's errno. A folder in the way reads as
// access denied, as CreateFile answers for one.
plat::FileError FileErrorOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return plat::kFileNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return plat::kFileAccessDenied;
    case EROFS:
        return plat::kFileWriteProtected;
    case EEXIST:
        return plat::kFileExists;
    default:
        return plat::kFileOtherError;
    }
}

// The movie device reads its open file on a worker thread while the UI thread opens and closes others: the
// table of open files is guarded; an entry itself stays put until its own handle is closed.
std::mutex& FilesMutex() {
    static std::mutex mutex;
    return mutex;
}

OpenFile* Open(plat::FileHandle f) {
    std::lock_guard<std::mutex> lock(FilesMutex());
    auto it = S().files.find(Key(f));
    return it == S().files.end() ? nullptr : &it->second;
}

// An existing file whose host mode has no write bit: the read-only attribute of the simulation.
bool IsReadOnlyFile(const std::string& host) {
    struct stat st;
    return ::lstat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

// A file of that name is open (Windows shares no deletion with the player's own opens).
bool IsOpen(const std::wstring& path) {
    for (const auto& f : S().files)
        if (f.second.path == path) return true;
    return false;
}

// How an open fails before the host is asked: an injected fault, a folder that takes no new files, or a
// read-only file that a create would empty. kFileOk when nothing stands in the way.
plat::FileError Refusal(const std::wstring& path, plat::FileMode mode) {
    const bool create = mode != plat::kRead;
    plat::FileError reason = plat::kFileOk;
    if (TakeFault(create ? sim::kFailCreate : sim::kFailRead, path, &reason))
        return reason == plat::kFileOk ? plat::kFileOtherError : reason;
    if (!create) return plat::kFileOk;
    reason = FolderRefusal(path);
    if (reason == plat::kFileOk && mode == plat::kCreateWrite && IsReadOnlyFile(sim::HostPath(path)))
        reason = plat::kFileAccessDenied;
    return reason;
}

// The host's open flags for `mode`. A new file is made exclusively and no link at its name is followed: a
// link that stands there, dangling or not, takes the name (EEXIST), as the name itself does on Windows.
int HostFlags(plat::FileMode mode) {
    switch (mode) {
    case plat::kRead:
        return O_RDONLY | O_CLOEXEC;
    case plat::kCreateWrite:
        return O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    case plat::kCreateNew:
    case plat::kCreateTrial:
        return O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    }
    return O_RDONLY | O_CLOEXEC;
}

// Opens `path` on the host as `mode` asks; null with *failure set when it cannot.
plat::FileHandle OpenOnHost(const std::wstring& path, plat::FileMode mode, plat::FileError* failure) {
    const std::string host = sim::HostPath(path);
    const int fd = ::open(host.c_str(), HostFlags(mode), 0644);
    if (fd < 0) {
        *failure = FileErrorOf(errno);
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) { // CreateFile does not open folders as files
        ::close(fd);
        *failure = plat::kFileAccessDenied;
        return nullptr;
    }
    const uintptr_t h = NewHandle();
    std::lock_guard<std::mutex> lock(FilesMutex());
    S().files[h] = OpenFile{fd, path, mode == plat::kCreateTrial};
    return As<plat::FileHandle>(h);
}

// ---- Short (8.3) names, made as Wine makes them for its drives: a name that is no valid 8.3 name becomes
// its first four characters (upper case, '_' for what DOS names cannot hold), '~', three characters of a hash
// of the whole name, and the first three characters of its extension.

bool IsDosCharacter(wchar_t c) {
    return c > 0x20 && c < 0x7F && !std::wcschr(L"\"*+,/:;<=>?[\\]|.", c);
}

bool IsShortName(const std::wstring& name) {
    const size_t dot = name.find(L'.');
    const std::wstring stem = name.substr(0, dot);
    const std::wstring ext = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    if (stem.empty() || stem.size() > 8 || ext.size() > 3 || (dot != std::wstring::npos && ext.empty()))
        return false;
    return std::all_of(stem.begin(), stem.end(), IsDosCharacter) &&
           std::all_of(ext.begin(), ext.end(), IsDosCharacter);
}

wchar_t DosUpper(wchar_t c) {
    if (!IsDosCharacter(c)) return L'_';
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::wstring MangledName(const std::wstring& name) {
    static const wchar_t kHashChars[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    unsigned hash = 0xBEEF;
    for (wchar_t c : name)
        hash = ((hash << 3) ^ (hash >> 5) ^ static_cast<unsigned>(std::towlower(static_cast<wint_t>(c)))) &
               0xFFFF;
    const size_t dot = name.rfind(L'.');
    const size_t stemEnd = dot == std::wstring::npos || dot == 0 ? name.size() : dot;
    std::wstring out;
    for (size_t i = 0; i < stemEnd && out.size() < 4; ++i)
        out += DosUpper(name[i]);
    out += L'~';
    out += kHashChars[(hash >> 10) & 0x1F];
    out += kHashChars[(hash >> 5) & 0x1F];
    out += kHashChars[hash & 0x1F];
    if (stemEnd < name.size()) {
        out += L'.';
        for (size_t i = stemEnd + 1; i < name.size() && i < stemEnd + 4; ++i)
            out += DosUpper(name[i]);
    }
    return out;
}

// The short form of an existing path, component by component; every folder and file on the way is remembered
// so that the short form reaches it again.
std::wstring MakeShortPath(const std::wstring& path) {
    size_t start = path.size() >= 2 && path[1] == L':' ? 2 : 0; // a drive stays as it is
    std::wstring shortPath = path.substr(0, start);
    while (start < path.size()) {
        const size_t end = path.find(L'\\', start + 1);
        const size_t nameStart = path[start] == L'\\' ? start + 1 : start;
        const std::wstring name = path.substr(nameStart, end == std::wstring::npos ? end : end - nameStart);
        shortPath += path.substr(start, nameStart - start);
        if (name.empty() || name == L"." || name == L".." || IsShortName(name)) {
            shortPath += name;
        } else {
            shortPath += MangledName(name);
            S().longPaths[shortPath] = path.substr(0, end);
        }
        start = end == std::wstring::npos ? path.size() : end;
    }
    return shortPath;
}

} // namespace

std::wstring LongFormOf(const std::wstring& path) {
    const auto& known = S().longPaths;
    if (known.empty()) return path;
    // The longest known short prefix that ends at a separator (or is the whole path).
    for (size_t end = path.size(); end != std::wstring::npos && end > 0; end = path.rfind(L'\\', end - 1)) {
        auto it = known.find(path.substr(0, end));
        if (it != known.end()) return it->second + path.substr(end);
        if (end == 0) break;
    }
    return path;
}

} // namespace detail

using namespace detail;

std::string HostPath(const std::wstring& playerPath) {
    std::wstring p = LongFormOf(playerPath);
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
    if (!shortPath.empty()) S().longPaths[shortPath] = path;
}

void SetFolderListingTime(long long ms) {
    S().folderListingMs = ms;
}

void OnFolderListing(std::function<void(const std::wstring&)> observer) {
    S().folderListingObserver = std::move(observer);
}

void InjectFileFault(FileFault fault, const std::wstring& suffix) {
    InjectFileFault(fault, suffix, fw::plat::kFileOtherError);
}

void InjectFileFault(FileFault fault, const std::wstring& suffix, fw::plat::FileError reason) {
    S().fileFaults.emplace(fault, std::make_pair(suffix, reason));
}

void SetFolderRefusal(const std::wstring& dir, fw::plat::FileError reason) {
    std::wstring key = dir;
    while (!key.empty() && (key.back() == L'\\' || key.back() == L'/'))
        key.pop_back();
    if (reason == fw::plat::kFileOk)
        S().refusingFolders.erase(key);
    else
        S().refusingFolders[key] = reason;
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    const uintptr_t h = NewHandle();
    S().drops[h] = paths;
    return As<HDROP>(h);
}

size_t DropItemCount(HDROP drop) {
    auto it = S().drops.find(Key(drop));
    return it == S().drops.end() ? 0 : it->second.size();
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

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
    if (S().folderListingObserver) S().folderListingObserver(dir);
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
    // A registered short name stands for an existing file on a volume that keeps short names (an empty one
    // for a volume that keeps none); other existing files get theirs as Wine's drives give them.
    auto it = S().shortPaths.find(path);
    if (it != S().shortPaths.end()) return it->second;
    struct stat st;
    if (::stat(sim::HostPath(path).c_str(), &st) != 0) return std::wstring();
    return MakeShortPath(LongFormOf(path));
}

FileHandle FileOpen(const std::wstring& path, FileMode mode, FileError* error) {
    FileError failure = Refusal(path, mode);
    FileHandle f = failure == kFileOk ? OpenOnHost(path, mode, &failure) : nullptr;
    if (error) *error = failure;
    return f;
}

bool PathExists(const std::wstring& path) {
    struct stat st;
    return ::lstat(sim::HostPath(path).c_str(), &st) == 0;
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

bool FileSeek(FileHandle f, long long offset) {
    OpenFile* o = Open(f);
    return o && offset >= 0 && ::lseek(o->fd, static_cast<off_t>(offset), SEEK_SET) == offset;
}

bool FileClose(FileHandle f) {
    std::lock_guard<std::mutex> lock(FilesMutex());
    auto it = S().files.find(Key(f));
    if (it == S().files.end()) return false;
    const bool ok = ::close(it->second.fd) == 0;
    if (it->second.deleteOnClose) ::unlink(sim::HostPath(it->second.path).c_str());
    S().files.erase(it);
    return ok;
}

bool FileReplace(const std::wstring& source, const std::wstring& target) {
    const size_t slash = target.rfind(L'\\');
    const std::string hostSource = sim::HostPath(source), hostTarget = sim::HostPath(target);
    struct stat st;
    const bool exists = ::lstat(hostTarget.c_str(), &st) == 0;
    AddLog("ReplaceFile " + ToUtf8(slash == std::wstring::npos ? target : target.substr(slash + 1)));
    if (TakeFault(sim::kFailReplace, target) || TakeFault(sim::kFailReplace, source)) return false;
    if (FolderRefusal(source) != kFileOk || FolderRefusal(target) != kFileOk) return false;
    if (exists && (S_ISDIR(st.st_mode) || IsReadOnlyFile(hostTarget))) return false;
    struct stat src;
    if (::lstat(hostSource.c_str(), &src) != 0 || S_ISDIR(src.st_mode)) return false;
    // The replaced file's permissions pass to the file that takes its place (ReplaceFileW merges the
    // attributes and the security descriptor); the host mode stands for both.
    if (exists && ::chmod(hostSource.c_str(), st.st_mode & 07777) != 0) return false;
    return std::rename(hostSource.c_str(), hostTarget.c_str()) == 0;
}

bool FileDelete(const std::wstring& path) {
    if (FolderRefusal(path) != kFileOk || IsOpen(path) || TakeFault(sim::kFailDelete, path)) return false;
    const std::string host = sim::HostPath(path);
    if (IsReadOnlyFile(host)) return false;
    return ::unlink(host.c_str()) == 0; // a link goes itself; a folder is refused (EISDIR)
}

} // namespace plat
} // namespace fw
