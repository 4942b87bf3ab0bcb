// CFile and the whole-file helper.
#include "framework/afxwin.h"

namespace fw {

bool CFile::Open(const std::wstring& path, OpenFlags flags) {
    Close();
    m_h = plat::FileOpen(path, flags == modeCreate ? plat::kCreateWrite : plat::kRead);
    return m_h != nullptr;
}

size_t CFile::Read(void* buf, size_t count) {
    if (!m_h || count == 0) return 0;
    const long long n = plat::FileRead(m_h, buf, count);
    return n > 0 ? static_cast<size_t>(n) : 0;
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

bool ReadWholeFile(const std::wstring& path, std::string* data, bool* opened) {
    if (opened) *opened = false;
    if (!data) return false;
    // The platform calls directly: CFile::Read cannot tell a read error from the end of the file, and a
    // half-read file must not pass for the whole one.
    plat::FileHandle f = plat::FileOpen(path, plat::kRead);
    if (!f) return false;
    if (opened) *opened = true;
    std::string bytes;
    char chunk[4096];
    bool ok = true;
    for (;;) {
        const long long n = plat::FileRead(f, chunk, sizeof chunk);
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    plat::FileClose(f);
    if (ok) *data = std::move(bytes);
    return ok;
}

} // namespace fw
