#include "media/movie_file.h"

namespace media {

namespace {
constexpr int kBufferSize = 64 * 1024;
}

bool CMovieFile::Open(const std::wstring& path, const std::atomic<bool>* stop) {
    if (!m_file.Open(path, fw::CFile::modeRead)) return false;
    m_length = m_file.GetLength();
    m_stop = stop;
    unsigned char* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (!buffer) return false;
    m_io.reset(
        avio_alloc_context(buffer, kBufferSize, 0, this, &CMovieFile::Read, nullptr, &CMovieFile::Seek));
    if (!m_io) {
        av_free(buffer);
        return false;
    }
    return true;
}

int CMovieFile::Read(void* self, uint8_t* buf, int size) {
    CMovieFile* f = static_cast<CMovieFile*>(self);
    if (f->m_stop && f->m_stop->load()) return AVERROR_EXIT;
    if (size <= 0) return 0;
    const size_t n = f->m_file.Read(buf, static_cast<size_t>(size));
    if (n == 0) return AVERROR_EOF;
    f->m_position += static_cast<long long>(n);
    return static_cast<int>(n);
}

int64_t CMovieFile::Seek(void* self, int64_t offset, int whence) {
    CMovieFile* f = static_cast<CMovieFile*>(self);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE) return f->m_length >= 0 ? f->m_length : -1;
    int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = offset;
        break;
    case SEEK_CUR:
        target = f->m_position + offset;
        break;
    case SEEK_END:
        target = f->m_length + offset;
        break;
    default:
        return -1;
    }
    if (target < 0 || !f->m_file.Seek(target)) return -1;
    f->m_position = target;
    return target;
}

} // namespace media
