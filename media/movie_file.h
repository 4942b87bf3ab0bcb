// The movie file as FFmpeg reads it: an AVIOContext over the framework's file, so that paths of any length
// and any script open as the rest of the program opens them, the format is found from the content alone
// (no file name reaches FFmpeg), and every read can be cut short.
#pragma once

#include "framework/afxwin.h"
#include "media/ffmpeg.h"

#include <atomic>
#include <string>

namespace media {

class CMovieFile {
public:
    CMovieFile() = default;
    CMovieFile(const CMovieFile&) = delete;
    CMovieFile& operator=(const CMovieFile&) = delete;

    // Opens the file for reading. `stop`, when it becomes true, makes every later read fail at once (the
    // owner sets it to close the movie while a read may be under way on another thread).
    bool Open(const std::wstring& path, const std::atomic<bool>* stop);
    // The I/O context FFmpeg reads through; owned here, valid while this object lives.
    AVIOContext* Io() const { return m_io.get(); }

private:
    static int Read(void* self, uint8_t* buf, int size);
    static int64_t Seek(void* self, int64_t offset, int whence);

    fw::CFile m_file;
    long long m_length = 0;
    long long m_position = 0;
    const std::atomic<bool>* m_stop = nullptr;
    IoPtr m_io;
};

} // namespace media
