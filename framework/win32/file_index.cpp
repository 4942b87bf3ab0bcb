// A file's index without its volume's serial. GetFileInformationByHandle answers both, and the serial is the
// costly half under Wine (about 0.4 ms a call: it asks the mount manager in another process), which made the
// identities of a drop's folders cost more than listing them. The index alone is the file system's own
// answer (NtQueryInformationFile, FileInternalInformation): no further call behind it.
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"

#include <winternl.h>

namespace fw {
namespace plat {

namespace {

// FILE_INFORMATION_CLASS 6 and its answer, as the driver kit defines them (winternl.h names only class 1).
constexpr int kFileInternalInformation = 6;
struct FileInternalInformation {
    LARGE_INTEGER IndexNumber;
};
typedef LONG(NTAPI* QueryInformationFileFn)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);

QueryInformationFileFn QueryInformationFile() {
    // ntdll is in every process; looked up once rather than linked, so nothing changes in how we link.
    static const QueryInformationFileFn query =
        reinterpret_cast<QueryInformationFileFn>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
    return query;
}

} // namespace

bool GetFileIndex(const std::wstring& path, uint64_t* index) {
    if (!index) return false;
    // Opened as GetFileIdentity opens it: no access rights, folders too.
    HANDLE h = CreateFileW(win32::FileApiPath(path).c_str(), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = false;
    IO_STATUS_BLOCK io{};
    FileInternalInformation info{};
    if (const QueryInformationFileFn query = QueryInformationFile()) {
        ok = query(h, &io, &info, sizeof info,
                   static_cast<FILE_INFORMATION_CLASS>(kFileInternalInformation)) >= 0;
        if (ok) *index = static_cast<uint64_t>(info.IndexNumber.QuadPart);
    }
    if (!ok) {
        BY_HANDLE_FILE_INFORMATION whole{};
        ok = GetFileInformationByHandle(h, &whole) != 0;
        if (ok) *index = (static_cast<uint64_t>(whole.nFileIndexHigh) << 32) | whole.nFileIndexLow;
    }
    CloseHandle(h);
    return ok;
}

} // namespace plat
} // namespace fw
