// What the movie's three parties share: the UI thread's commands, the decode thread's queues and the
// output thread's clock. Every field is guarded by `mutex`; whoever changes something another party acts on
// wakes `changed` (and marks that party dirty, which the settle check reads). Nobody holds the mutex while
// decoding, scaling or drawing.
#pragma once

#include "framework/threads.h"
#include "media/ffmpeg.h"
#include "media/status_board.h"
#include "media/timeline.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace media {

enum class Mode { kStopped, kPlaying, kPaused };

// A decoded picture waiting for its time.
struct VideoItem {
    FramePtr frame;
    int64_t index;  // frame number (nearest to its timestamp)
    int64_t timeUs; // timeline time
    uint64_t serial;
    bool seekResult; // the picture a seek asked for: shown at once while the movie stands
};

// Decoded sound waiting for the wave-out stream: interleaved 16-bit samples.
struct AudioItem {
    std::vector<int16_t> samples;
    int64_t startUs; // timeline time of the first sample
    uint64_t serial;
};

// Where pictures go: the window (null: nowhere) and the rectangle of its client area.
struct Destination {
    fw::HWND window = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
};

struct CMovieShared {
    mutable fw::CMutex mutex;
    fw::CCondition changed;

    // Fixed at open.
    CTimeline timeline;
    bool hasVideo = false, hasAudio = false;
    int audioRate = 0, audioChannels = 0;

    bool abort = false;
    bool drawing = false; // the output thread is putting a picture on the screen (the mutex let go)

    // The commands' view.
    Mode mode = Mode::kStopped;
    bool ended = false;  // played to its end: the position is the length
    int64_t heldUs = 0;  // the position while not playing, and where playing starts after a seek
    uint64_t serial = 1; // grows with every seek: items of an older serial are stale
    bool seekPending = false;
    int64_t seekUs = 0;
    Destination destination;
    uint64_t destinationSerial = 0;

    // The decode thread's output, for the current serial.
    std::deque<VideoItem> video;
    std::deque<AudioItem> audio;
    int64_t audioQueuedFrames = 0;
    uint64_t videoEndSerial = 0, audioEndSerial = 0; // the serial whose stream has ended

    // The output thread's clock, published for position queries.
    bool started = false; // playing from heldUs has begun for this serial
    int64_t publishedUs = 0, publishedAtUs = 0;

    // The picture on the screen: its frame number and the serial it was decoded for; how many were shown.
    int64_t shownIndex = -1;
    uint64_t shownSerial = 0, shownCount = 0;

    // For Settle: each worker says when it waits with nothing to do; dirty marks work not yet seen.
    bool decoderIdle = false, decoderDirty = true;
    bool outputIdle = false, outputDirty = true;
    int64_t outputSeenClockUs = -1;

    // The status as the UI thread reads it without the mutex; posted by whoever changed it (see Post).
    CStatusBoard board;

    // Posts the fields above that "status" reads (the caller holds the mutex, after changing any of them).
    void Post() { board.Post(Snapshot()); }
    MovieStatus Snapshot() const {
        MovieStatus s;
        s.mode = static_cast<int>(mode);
        s.ended = ended;
        s.started = started;
        s.heldUs = heldUs;
        s.publishedUs = publishedUs;
        s.publishedAtUs = publishedAtUs;
        s.shownIndex = shownIndex;
        s.shownCurrent = shownSerial == serial;
        s.shownCount = shownCount;
        return s;
    }

    // Both workers look again (the caller holds the mutex).
    void Poke() {
        decoderDirty = outputDirty = true;
        changed.WakeAll();
    }
    bool VideoEnded() const { return videoEndSerial == serial; }
    bool AudioEnded() const { return audioEndSerial == serial; }
    int64_t AudioQueuedUs() const { return audioRate > 0 ? audioQueuedFrames * 1000000 / audioRate : 0; }
};

} // namespace media
