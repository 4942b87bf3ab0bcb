// CFile and the whole-file helper.
#include "framework/afxwin.h"

namespace fw {

namespace {

plat::FileMode ModeOf(CFile::OpenFlags flags) {
    switch (flags) {
    case CFile::modeCreate:
        return plat::kCreateWrite;
    case CFile::modeCreateNew:
        return plat::kCreateNew;
    case CFile::modeCreateTrial:
        return plat::kCreateTrial;
    default:
        return plat::kRead;
    }
}

// The reason of a failed open.
CFile::OpenError OpenErrorOf(plat::FileError error, const std::wstring& path, bool create) {
    switch (error) {
    case plat::kFileNotFound:
        return CFile::errNotFound;
    case plat::kFileAccessDenied:
        // The system gives one answer for a folder that refuses the new file and for a folder or a
        // protected file that stands in the way of its name; only the name tells them apart.
        return create && plat::PathExists(path) ? CFile::errNameInUse : CFile::errAccessDenied;
    case plat::kFileWriteProtected:
        return CFile::errWriteProtected;
    case plat::kFileSharingViolation:
    case plat::kFileExists:
        return CFile::errNameInUse;
    default:
        return CFile::errOther;
    }
}

} // namespace

bool CFile::Open(const std::wstring& path, OpenFlags flags) {
    Close();
    plat::FileError error = plat::kFileOk;
    m_h = plat::FileOpen(path, ModeOf(flags), &error);
    m_openError = m_h ? errNone : OpenErrorOf(error, path, flags != modeRead);
    return m_h != nullptr;
}

size_t CFile::Read(void* buf, size_t count) {
    if (!m_h || count == 0) return 0;
    const long long n = plat::FileRead(m_h, buf, count);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

bool CFile::Seek(long long offset) {
    return m_h && plat::FileSeek(m_h, offset);
}

bool CFile::Write(const void* buf, size_t count) {
    return m_h && plat::FileWrite(m_h, buf, count);
}

bool CFile::Flush() {
    return m_h && plat::FileFlush(m_h);
}

long long CFile::GetLength() const {
    return m_h ? plat::FileLength(m_h) : -1;
}

bool CFile::Close() {
    if (!m_h) return true;
    const bool ok = plat::FileClose(m_h);
    m_h = nullptr;
    return ok;
}

bool CFile::Replace(const std::wstring& source, const std::wstring& target) {
    return plat::FileReplace(source, target);
}

bool CFile::Remove(const std::wstring& path) {
    return plat::FileDelete(path);
}

bool ReadWholeFile(const std::wstring& path, std::string* data, size_t limit, bool* opened) {
    if (opened) *opened = false;
    if (!data) return false;
    // The platform calls directly: CFile::Read cannot tell a read error from the end of the file, and a
    // half-read file must not pass for the whole one. The length the file claims is not trusted: it is
    // read until its end or one byte past the limit, whichever comes first.
    plat::FileHandle f = plat::FileOpen(path, plat::kRead);
    if (!f) return false;
    if (opened) *opened = true;
    std::string bytes;
    char chunk[4096];
    bool ok = true;
    for (;;) {
        const size_t room = limit - bytes.size(); // bytes.size() <= limit here
        const long long n = plat::FileRead(f, chunk, room < sizeof chunk ? room + 1 : sizeof chunk);
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
        if (bytes.size() > limit) {
            ok = false;
            break;
        }
    }
    plat::FileClose(f);
    if (ok) *data = std::move(bytes);
    return ok;
}

} // namespace fw
