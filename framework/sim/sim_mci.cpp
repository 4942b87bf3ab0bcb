// The scripted MCI device of the simulated platform: one alias, "movie", over files registered with
// sim::AddMovie. Positions are kept in milliseconds and shown in the current time format.
#include "framework/sim/sim_state.h"

#include "framework/mci_devices.h"
#include "framework/sim/utf.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <iterator>

namespace sim {
namespace detail {

namespace {

// The real device's error codes for what can go wrong here.
constexpr DWORD kErrUnrecognizedKeyword = 259;
constexpr DWORD kErrUnrecognizedCommand = 261;
constexpr DWORD kErrInvalidDeviceName = 263; // alias not open
constexpr DWORD kErrFileNotFound = 275;
constexpr DWORD kErrExtensionNotFound = 281;
constexpr DWORD kErrOutOfRange = 282;
constexpr DWORD kErrDuplicateAlias = 289;
constexpr DWORD kErrBadInteger = 270;
constexpr size_t kMaxPath = 260;

// Windows-1252, the ANSI code page of Wine's en-US prefix: the device cannot open a path with any other
// character (the player retries by the file's short name).
bool InAnsiCodePage(wchar_t c) {
    static const wchar_t kBeyondLatin1[] =
        L"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152"
        L"\u017D\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
        L"\u0153\u017E\u0178";
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    return c != 0 && std::wcschr(kBeyondLatin1, c) != nullptr;
}

long long LengthMs(const MciState& m) {
    return m.fps > 0 ? static_cast<long long>(m.lengthFrames) * 1000 / m.fps : 0;
}

bool Integer(const std::wstring& w, long long* v) {
    if (w.empty()) return false;
    size_t i = w[0] == L'-' || w[0] == L'+' ? 1 : 0;
    if (i == w.size()) return false;
    for (size_t k = i; k < w.size(); ++k)
        if (w[k] < L'0' || w[k] > L'9') return false;
    errno = 0;
    *v = std::wcstoll(w.c_str(), nullptr, 10);
    return errno == 0;
}

// Position given in the current time format, converted to milliseconds (rounded up, so that frame N
// reads back as frame N).
long long ToMs(const MciState& m, long long v) {
    if (!m.framesFormat) return v;
    return m.fps > 0 ? (v * 1000 + m.fps - 1) / m.fps : 0;
}

long long InCurrentUnit(const MciState& m, long long ms) {
    if (!m.framesFormat) return ms;
    if (ms >= LengthMs(m)) return m.lengthFrames; // at the end the device reports the length exactly
    return m.fps > 0 ? ms * m.fps / 1000 : 0;
}

long long LengthInCurrentUnit(const MciState& m) {
    return m.framesFormat ? m.lengthFrames : LengthMs(m);
}

// Seeks to `v` in the current unit; refused (position unchanged) outside 0 .. length - 1: the length itself
// is past the last frame.
DWORD SeekTo(MciState& m, long long v) {
    if (v < 0 || v >= LengthInCurrentUnit(m)) return kErrOutOfRange;
    m.positionMs = std::min(ToMs(m, v), LengthMs(m));
    return 0;
}

DWORD Execute(const std::wstring& command, std::wstring* reply) {
    MciState& m = S().mci;
    std::vector<std::wstring> w;
    for (const fw::MciWord& word : fw::SplitMciWords(command))
        w.push_back(word.text);
    if (w.empty()) return kErrUnrecognizedCommand;
    const std::wstring& verb = w[0];
    const size_t n = w.size();

    if (verb == L"open") {
        // open "<path>" alias movie
        if (n != 4 || w[2] != L"alias" || w[3] != L"movie") return kErrUnrecognizedKeyword;
        if (m.open) return kErrDuplicateAlias;
        // The real movie device refuses a path of MAX_PATH (260) characters or more outright, and one it
        // cannot spell in the ANSI code page.
        if (w[1].size() >= kMaxPath || !std::all_of(w[1].begin(), w[1].end(), InAnsiCodePage))
            return kErrFileNotFound;
        // A file's short name opens the file.
        auto it = S().movies.find(w[1]);
        if (it == S().movies.end()) it = S().movies.find(LongFormOf(w[1]));
        if (it == S().movies.end()) return kErrFileNotFound;
        m = MciState();
        m.open = true;
        m.path = w[1];
        m.lengthFrames = it->second.frames;
        m.fps = it->second.fps;
        m.endsShort = it->second.endsShort;
        m.framesFormat = true; // the device's own format until told otherwise
        m.windowHandle = L"default";
        return 0;
    }
    static const wchar_t* const kVerbs[] = {L"close",  L"stop", L"pause", L"play",  L"seek",
                                            L"window", L"put",  L"set",   L"status"};
    if (n < 2 ||
        std::none_of(std::begin(kVerbs), std::end(kVerbs), [&](const wchar_t* v) { return verb == v; }))
        return kErrUnrecognizedCommand;
    // An alias that is not open: the device takes the name for a file to open, and finds no device for it;
    // only "close" says that there is no such device.
    if (w[1] != L"movie" || !m.open) return verb == L"close" ? kErrInvalidDeviceName : kErrExtensionNotFound;
    long long v = 0;

    if (verb == L"close" && n == 2) {
        m = MciState();
        return 0;
    }
    if (verb == L"stop" && n == 2) {
        m.playing = false;
        m.paused = false;
        return 0;
    }
    if (verb == L"pause" && n == 2) {
        m.paused = m.playing || m.paused;
        m.playing = false;
        return 0;
    }
    if (verb == L"play" && n == 2) {
        m.playing = true;
        m.paused = false;
        return 0;
    }
    if (verb == L"play" && n == 4 && w[2] == L"from") {
        if (!Integer(w[3], &v)) return kErrBadInteger;
        const DWORD e = SeekTo(m, v);
        if (e) return e;
        m.playing = true;
        m.paused = false;
        return 0;
    }
    if (verb == L"seek" && n == 4 && w[2] == L"to") {
        if (!Integer(w[3], &v)) return kErrBadInteger;
        const DWORD e = SeekTo(m, v);
        if (e) return e;
        m.playing = false; // a seek shows the picture there and holds it
        m.paused = false;
        return 0;
    }
    if (verb == L"window" && n == 4 && w[2] == L"handle") {
        if (w[3] == L"default") {
            m.windowHandle = L"default";
            return 0;
        }
        if (!Integer(w[3], &v)) return kErrBadInteger;
        m.windowHandle = w[3];
        return 0;
    }
    if (verb == L"put" && n == 8 && w[2] == L"destination" && w[3] == L"at") {
        std::string dest;
        for (size_t i = 4; i < 8; ++i) {
            if (!Integer(w[i], &v)) return kErrBadInteger;
            if (!dest.empty()) dest += ' ';
            dest += std::to_string(v);
        }
        m.destination = dest;
        return 0;
    }
    if (verb == L"set" && n == 5 && w[2] == L"time" && w[3] == L"format") {
        if (w[4] == L"milliseconds" || w[4] == L"ms") {
            m.framesFormat = false;
            return 0;
        }
        if (w[4] == L"frames") {
            m.framesFormat = true;
            return 0;
        }
        return kErrUnrecognizedKeyword;
    }
    if (verb == L"status" && n == 3) {
        if (w[2] == L"length") {
            *reply = std::to_wstring(LengthInCurrentUnit(m));
            return 0;
        }
        if (w[2] == L"position") {
            *reply = std::to_wstring(InCurrentUnit(m, m.positionMs));
            return 0;
        }
        if (w[2] == L"mode") {
            *reply = m.playing ? L"playing" : m.paused ? L"paused" : L"stopped";
            return 0;
        }
        return kErrUnrecognizedKeyword;
    }
    return kErrUnrecognizedCommand;
}

} // namespace

void MciClockAdvanced(long long ms) {
    MciState& m = S().mci;
    if (!m.open || !m.playing) return;
    // Playback runs with the clock and holds at the last frame; the device still says "playing". A device
    // that ends short stops instead, on the frame before the length.
    m.positionMs = std::min(m.positionMs + ms, LengthMs(m));
    if (m.endsShort && m.positionMs >= LengthMs(m) && m.lengthFrames > 0) {
        m.positionMs = (static_cast<long long>(m.lengthFrames - 1) * 1000 + m.fps - 1) / m.fps;
        m.playing = false;
    }
}

} // namespace detail

void AddMovie(const std::wstring& path, int frames, int fps) {
    detail::S().movies[path] = detail::State::Movie{frames, fps, false};
}

void AddMovieEndingShort(const std::wstring& path, int frames, int fps) {
    detail::S().movies[path] = detail::State::Movie{frames, fps, true};
}

const MciState& Mci() {
    return detail::S().mci;
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

namespace {

// The simulated system's own devices: the scripted device above.
DWORD SystemSend(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    std::wstring text;
    const DWORD error = Execute(command, &text);
    if (reply && replyCapacity > 0) {
        // Failed commands answer with an empty text; a long answer is cut to the buffer.
        if (error) text.clear();
        if (text.size() > replyCapacity - 1) text.resize(replyCapacity - 1);
        *reply = text;
    }
    return error;
}

} // namespace

DWORD MciSend(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    AddLog("mci \"" + ToUtf8(command) + "\"");
    return fw::RouteMciCommand(command, reply, replyCapacity, &SystemSend);
}

} // namespace plat
} // namespace fw
