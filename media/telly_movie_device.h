// Telly's own movie device: answers the MCI command strings the player sends, for the movies FFmpeg's
// libraries decode, as the system's movie devices answer them (the same replies and error codes).
//
// Installed in front of the system's devices (fw::InstallMciDevice) by the application object; it takes an
// "open" when the file holds something it plays, and every later command on that alias. UI thread only.
//
// Positions are frame numbers from 0 ("set <alias> time format milliseconds" switches to milliseconds).
// "seek" shows exactly that picture and holds it ("stopped"); "play ... from" starts there; at the end the
// position is the length and the mode "stopped". A seek at or past the length is refused, as elsewhere.
#pragma once

#include "framework/mci_devices.h"
#include "media/movie_player.h"
#include "media/player_teardown.h"

#include <map>
#include <memory>
#include <string>

namespace media {

// The MCI error codes this device answers with (those of the system's devices).
enum MciError : fw::DWORD {
    kMciOk = 0,
    kMciUnrecognizedKeyword = 259,
    kMciUnrecognizedCommand = 261,
    kMciBadInteger = 270,
    kMciMissingParameter = 273,
    kMciOutOfRange = 282,
    kMciDuplicateAlias = 289,
};

class CTellyMovieDevice : public fw::CMciDevice {
public:
    bool TryOpen(const std::vector<fw::MciWord>& words, fw::DWORD* error) override;
    bool Holds(const std::wstring& alias) const override;
    fw::DWORD Execute(const std::vector<fw::MciWord>& words, std::wstring* reply) override;
    void Settle() override;
    // The movie open under `alias`, or null: for benchmarks and diagnostics that watch the pictures.
    CMoviePlayer* Find(const std::wstring& alias);
    // Waits until the movies closed so far are freed (they are freed on a thread of their own): for
    // benchmarks that read the process's memory.
    void WaitForClosedMovies() { m_teardown.Settle(); }

private:
    struct Movie {
        std::unique_ptr<CMoviePlayer> player;
        bool frames = true; // the time format: frames, else milliseconds
    };
    fw::DWORD Status(Movie& movie, const std::vector<fw::MciWord>& words, std::wstring* reply);
    fw::DWORD SeekOrPlay(Movie& movie, const std::vector<fw::MciWord>& words);
    // A position in the movie's time format as a timeline time; false when outside 0 .. length - 1.
    bool ToUs(const Movie& movie, long long value, int64_t* us) const;

    // Closed movies are freed here; declared first so that it outlives every open movie.
    CPlayerTeardown m_teardown;
    std::map<std::wstring, Movie> m_movies; // by alias, lower case
};

} // namespace media
