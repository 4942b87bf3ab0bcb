// The demuxer side of a movie: the container opened by content with bounded probing, the video and audio
// streams chosen, timestamps put on the timeline, packets read, and seeks to the keyframe before a time.
// Used by the movie's decode thread only (and by Open on the UI thread before that thread starts).
#pragma once

#include "media/ffmpeg.h"
#include "media/timeline.h"

#include <atomic>

namespace media {

class CMovieSource {
public:
    CMovieSource() = default;
    CMovieSource(const CMovieSource&) = delete;
    CMovieSource& operator=(const CMovieSource&) = delete;

    // Opens the container behind `io` (the owner keeps it alive). False when its content is no container
    // this device plays, or probing fails. Reading stops when `stop` becomes true or, while opening,
    // after kOpenTimeoutUs of the media clock.
    bool Open(AVIOContext* io, const std::atomic<bool>* stop);
    // The streams worth decoding: null when there is none (a cover picture is not a video).
    AVStream* VideoStream() const { return m_video; }
    AVStream* AudioStream() const { return m_audio; }
    // Forgets a stream that turned out undecodable.
    void DropVideo() { m_video = nullptr; }
    void DropAudio() { m_audio = nullptr; }
    // Builds the timeline from the streams kept: call after the decoders decided which streams stay.
    void MakeTimeline();
    const CTimeline& Timeline() const { return m_timeline; }

    // A stream's timestamp as timeline microseconds, and back. AV_NOPTS_VALUE stays itself.
    int64_t ToUs(const AVStream* stream, int64_t ts) const;
    int64_t FromUs(const AVStream* stream, int64_t us) const;

    // The next packet (0), AVERROR_EOF at the end, another negative code for a read error.
    int Read(AVPacket* packet);
    // Reading goes on from the last keyframe at or before `us` (of the video stream when there is one).
    // False when the container could not seek there; reading then goes on where it was.
    bool SeekBefore(int64_t us);
    // The time of the last keyframe at or before `us` that the container's index knows; -1 when the index
    // has nothing to say.
    int64_t IndexedKeyframeBefore(int64_t us) const;

    static constexpr int64_t kOpenTimeoutUs = 10 * 1000000;

private:
    static int Interrupted(void* self);

    FormatPtr m_format;
    AVStream* m_video = nullptr;
    AVStream* m_audio = nullptr;
    int64_t m_originUs = 0; // the first picture's time on the container's clock (AV_TIME_BASE units)
    CTimeline m_timeline;
    const std::atomic<bool>* m_stop = nullptr;
    int64_t m_openDeadline = 0; // media clock; 0 once open
};

// Whether a container the probe found (AVInputFormat::name) is one this device plays.
bool IsPlayedContainer(const char* name);

} // namespace media
