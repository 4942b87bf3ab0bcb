// CMovieDevice: the one movie the player has open, under the MCI alias "movie". This is the only place in the
// player that spells an MCI command string or reads a reply; every other part acts on the movie through it.
//
// Every command is a plain synchronous command string, without wait or notify. Results are never examined:
// a failed command changes nothing on the device, and a failed status query answers with an empty reply,
// which reads as 0. The device draws the picture itself, into whichever window it was last aimed at.
#pragma once

#include "framework/fw_types.h"

#include <string>

class CMovieDevice {
public:
    // Reply lengths passed with the status queries: 256 right after opening and in the scan, 255 elsewhere.
    static constexpr fw::UINT kLongReply = 256;
    static constexpr fw::UINT kReply = 255;

    // "open \"<path>\" alias  movie": the device is chosen by the file's extension. When the device refuses a
    // path it cannot take (see MayNeedShortForm), the same command goes once more with the file's short (8.3)
    // path, when its volume keeps one; otherwise the entry stays unopened, like any unplayable one. Nothing
    // is sent for a path the command cannot carry (see BuildOpenCommand). The result is not examined: an
    // unopened movie reads as length 0 and the end check moves on.
    void Open(const std::wstring& path);
    void Close();                 // "close movie"
    void Stop();                  // "stop movie"
    void Play();                  // "play movie": from the current position
    void PlayFrom(int position);  // "play movie from %d"
    void Pause();                 // "pause movie": holds the current picture
    void Seek(int position);      // "seek movie to %d": shows that picture and holds it
    void ShowInOwnWindow();       // "window movie handle default"
    void ShowIn(fw::HWND window); // "window movie handle %d"
    // "put movie destination at %d %d %d %d": left, top, width, height in the window's client pixels.
    void SetDestination(int left, int top, int width, int height);
    void UseMilliseconds();                      // "set movie time format milliseconds"
    void UseFrames();                            // "set movie time format frames"
    int Length(fw::UINT replyLength = kReply);   // "status movie length"
    int Position(fw::UINT replyLength = kReply); // "status movie position"
    // "status movie mode" answers "stopped". Some AVI devices (Wine's) end playback on the frame before the
    // length and stay there; this tells that apart from a movie still playing its last frame.
    bool HasStopped();
};

// ---- The text of commands and replies, for the device above and its tests ----

// The decimal value at the start of a reply, as the runtime's atoi reads it (leading white space, optional
// sign, digits up to the first other character; none gives 0), but clamped to the int range instead of
// overflowing.
int ParseMciNumber(const std::wstring& reply);

// "open \"<path>\" alias  movie" (two blanks before the alias name: the device ignores the extra one).
// False for a path the command cannot carry: a double quote would end the quoted path early and turn the
// rest of the entry into MCI keywords, so such an entry is treated as unplayable and nothing is sent.
bool BuildOpenCommand(const std::wstring& path, std::wstring* command);

// Movie devices refuse a path of MAX_PATH (260) characters or more, and Wine's cannot open a name outside
// the ANSI code page; a failed open of such a path (long, or not plain ASCII) is worth a retry by the file's
// short name.
constexpr size_t kMciMaxPath = 260;
bool MayNeedShortForm(const std::wstring& path);

// A window handle as the decimal number "window movie handle %d" expects.
std::wstring HandleToDecimal(fw::HWND hwnd);
