// Folder listings, file identities and plain file access with the W APIs. Every path goes through
// FileApiPath, so paths beyond MAX_PATH work (the extended "\\?\" form, see long_path.h).
#include "framework/platform.h"
#include "framework/win32/long_path.h"
#include "framework/win32/win32_seam.h"

#include <new>
#include <vector>

namespace fw {

namespace win32 {

std::wstring FileApiPath(const std::wstring& path) {
    if (path.size() < kLongPathThreshold || HasExtendedPrefix(path)) return path;
    // Normalise first ('/' to '\', "." and "..", relative to absolute): the extended form does none of it.
    const ::DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> full(needed, L'\0');
    const ::DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    return ExtendedLengthForm(std::wstring(full.data(), length));
}

} // namespace win32

struct plat::FileHandle_ {
    HANDLE handle;
};

namespace plat {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : m_h(h) {}
    ~FindHandle() {
        if (m_h != INVALID_HANDLE_VALUE) FindClose(m_h);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return m_h; }
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_h;
};

DirEntry EntryOf(const WIN32_FIND_DATAW& data) {
    return DirEntry{std::wstring(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

bool IsFolder(const std::wstring& apiPath) {
    const ::DWORD attributes = GetFileAttributesW(apiPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool ListDirectory(const std::wstring& dir, std::vector<DirEntry>* entries) {
    if (!entries) return false;
    entries->clear();
    const std::wstring pattern = win32::FileApiPath(dir + L"\\*");
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find.Valid()) {
        // A drive's root has no "." and "..": when it is empty there is no first entry, yet it is a folder.
        return GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(win32::FileApiPath(dir + L"\\"));
    }
    do {
        entries->push_back(EntryOf(data));
    } while (FindNextFileW(find.Get(), &data));
    return true;
}

bool GetFileIdentity(const std::wstring& path, FileIdentity* id) {
    if (!id) return false;
    const std::wstring apiPath = win32::FileApiPath(path);
    // No access rights needed for the information query; backup semantics let folders be opened at all.
    HANDLE h = CreateFileW(apiPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!ok) return false;
    id->volume = info.dwVolumeSerialNumber;
    id->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

namespace {

FileError FileErrorOf(::DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return kFileNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED: // a share that refuses the write
        return kFileAccessDenied;
    case ERROR_WRITE_PROTECT:
        return kFileWriteProtected;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return kFileSharingViolation;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return kFileExists;
    default:
        return kFileOtherError;
    }
}

HANDLE CreateFor(const std::wstring& apiPath, FileMode mode) {
    switch (mode) {
    case kRead:
        return CreateFileW(apiPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    case kCreateWrite:
        return CreateFileW(apiPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    case kCreateNew:
        // CREATE_NEW fails for any name that is taken. Opening the reparse point itself keeps a link at the
        // name from being followed: the link is what exists there, so the create fails.
        return CreateFileW(apiPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    case kCreateTrial:
        // Delete-on-close needs the DELETE right; the system removes the file with the last handle, which
        // the process's end closes too.
        return CreateFileW(apiPath.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_DELETE_ON_CLOSE,
                           nullptr);
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

FileHandle FileOpen(const std::wstring& path, FileMode mode, FileError* error) {
    if (error) *error = kFileOk;
    HANDLE h = CreateFor(win32::FileApiPath(path), mode);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = FileErrorOf(GetLastError());
        return nullptr;
    }
    FileHandle f = new (std::nothrow) FileHandle_{h};
    if (!f) {
        CloseHandle(h);
        if (error) *error = kFileOtherError;
    }
    return f;
}

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(win32::FileApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
// ReadFile and WriteFile take 32-bit counts; larger requests go in pieces.
constexpr size_t kMaxChunk = 1u << 30;
} // namespace

long long FileRead(FileHandle f, void* buf, size_t count) {
    if (!f || (!buf && count)) return -1;
    unsigned char* out = static_cast<unsigned char*>(buf);
    size_t total = 0;
    while (total < count) {
        const size_t want = count - total < kMaxChunk ? count - total : kMaxChunk;
        ::DWORD got = 0;
        if (!ReadFile(f->handle, out + total, static_cast<::DWORD>(want), &got, nullptr))
            return total ? static_cast<long long>(total) : -1;
        if (got == 0) break; // end of file
        total += got;
    }
    return static_cast<long long>(total);
}

bool FileWrite(FileHandle f, const void* buf, size_t count) {
    if (!f || (!buf && count)) return false;
    const unsigned char* in = static_cast<const unsigned char*>(buf);
    size_t total = 0;
    while (total < count) {
        const size_t want = count - total < kMaxChunk ? count - total : kMaxChunk;
        ::DWORD put = 0;
        if (!WriteFile(f->handle, in + total, static_cast<::DWORD>(want), &put, nullptr) || put == 0)
            return false;
        total += put;
    }
    return true;
}

bool FileFlush(FileHandle f) {
    return f && FlushFileBuffers(f->handle);
}

long long FileLength(FileHandle f) {
    LARGE_INTEGER size;
    if (!f || !GetFileSizeEx(f->handle, &size)) return -1;
    return size.QuadPart;
}

bool FileSeek(FileHandle f, long long offset) {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return f && offset >= 0 && SetFilePointerEx(f->handle, to, nullptr, FILE_BEGIN);
}

bool FileClose(FileHandle f) {
    if (!f) return false;
    const bool ok = CloseHandle(f->handle) != 0;
    delete f;
    return ok;
}

std::wstring ShortPathName(const std::wstring& path) {
    // Asked with the extended form, so that a path beyond MAX_PATH is found at all; the answer then carries
    // the same prefix, which the callers (a movie device among them) cannot take.
    const std::wstring apiPath = win32::FileApiPath(path);
    const ::DWORD needed = GetShortPathNameW(apiPath.c_str(), nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed, L'\0');
    const ::DWORD length = GetShortPathNameW(apiPath.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) return std::wstring();
    std::wstring shortPath(buffer.data(), length);
    if (shortPath.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + shortPath.substr(8);
    if (win32::HasExtendedPrefix(shortPath)) return shortPath.substr(4);
    return shortPath;
}

bool FileReplace(const std::wstring& source, const std::wstring& target) {
    const std::wstring from = win32::FileApiPath(source);
    const std::wstring to = win32::FileApiPath(target);
    const ::DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Only a name that is free gets the move; a target that cannot even be looked at is left alone.
        const ::DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return false;
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }
    // A read-only file is the user's lock on it, and a folder is no settings file: asked first, because
    // what ReplaceFileW does with them differs between systems.
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    // The replacement takes over the replaced file's attributes, security descriptor and short name. No
    // write-through flag exists for it: the caller has flushed the replacement.
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, 0, nullptr, nullptr)) return true;
    // The replaced file is gone and the replacement still has its own name: move it there now, or the
    // settings would be lost with the temporary file the caller removes on failure.
    if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    return false;
}

namespace {

// A handle for the length of a scope.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE h) : m_h(h) {}
    ~ScopedHandle() {
        if (Valid()) CloseHandle(m_h);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

// Where the object behind a handle lies on its volume ("\\folder\\name", the path it was opened by, as the
// system resolved it); empty when the system does not say. (GetFinalPathNameByHandleW would do, but Wine's
// fails every path longer than MAX_PATH.)
std::wstring PathOnVolume(HANDLE h) {
    std::vector<BYTE> buffer(sizeof(FILE_NAME_INFO) + 32768 * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
    if (!GetFileInformationByHandleEx(h, FileNameInfo, info, static_cast<::DWORD>(buffer.size())))
        return std::wstring();
    return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// True when `file`, opened by the name `apiPath`, lies at that name: in the folder the name says, under
// the name's own last component. A link opened as itself (FILE_FLAG_OPEN_REPARSE_POINT) does; a file
// reached through a link that the system follows anyway does not (Wine opens the target of a Unix symbolic
// link whatever the flags say).
bool LiesAtItsName(HANDLE file, const std::wstring& apiPath) {
    const size_t slash = apiPath.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return false;
    const ScopedHandle folder(CreateFileW(apiPath.substr(0, slash + 1).c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.Valid()) return false;
    const std::wstring folderPath = PathOnVolume(folder.Get());
    const std::wstring filePath = PathOnVolume(file);
    if (folderPath.empty() || filePath.empty()) return false;
    const std::wstring expected =
        folderPath + (folderPath.back() == L'\\' ? L"" : L"\\") + apiPath.substr(slash + 1);
    return SameText(filePath, expected);
}

} // namespace

bool FileDelete(const std::wstring& path) {
    // Not DeleteFileW: Wine's follows a Unix symbolic link and deletes its target. The object is opened
    // first, as itself where the system can (a link is not followed), checked to lie at this name, and
    // deleted through that same handle, so what was checked is what goes. DELETE access is refused for a
    // file another open does not share for deletion, as DeleteFileW refuses it.
    const std::wstring apiPath = win32::FileApiPath(path);
    const ScopedHandle file(CreateFileW(apiPath.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid()) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info)) return false;
    // A folder is no file, and a read-only file is refused as DeleteFileW refuses it: asked here, because
    // Wine run by root would delete it.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    if (!LiesAtItsName(file.Get(), apiPath)) return false;
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

} // namespace plat
} // namespace fw
