// The time the movie has reached. While sound flows the sound card is the master: the time of the sample it
// plays now. Without sound (none in the movie, no device, a gap, sound ended before the pictures) the
// system's clock carries on from the last time known, so switching between the two does not jump.
#pragma once

#include <cstdint>

namespace media {

class CMovieClock {
public:
    // Runs from `mediaUs` at system time `systemUs`.
    void Start(int64_t mediaUs, int64_t systemUs) {
        m_lastUs = mediaUs;
        m_lastSystemUs = systemUs;
        m_frozen = false;
    }
    // Holds the time where it is now (pause); Resume runs on from there.
    void Freeze(int64_t systemUs) {
        if (m_frozen) return;
        m_lastUs = Now(systemUs, false, 0);
        m_frozen = true;
    }
    void Resume(int64_t systemUs) {
        m_lastSystemUs = systemUs;
        m_frozen = false;
    }
    bool Frozen() const { return m_frozen; }
    // The movie's time at system time `systemUs`; `soundFlowing` with `soundUs` when the sound card is
    // playing sound of the movie (its time wins).
    int64_t Now(int64_t systemUs, bool soundFlowing, int64_t soundUs) {
        if (m_frozen) return m_lastUs;
        if (soundFlowing) {
            m_lastUs = soundUs;
            m_lastSystemUs = systemUs;
            return soundUs;
        }
        return m_lastUs + (systemUs - m_lastSystemUs);
    }

private:
    int64_t m_lastUs = 0, m_lastSystemUs = 0;
    bool m_frozen = true;
};

} // namespace media
