#include "media/telly_movie_device.h"

#include <cerrno>
#include <climits>
#include <cwchar>

namespace media {

namespace {

std::wstring Lower(const std::wstring& s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

// A decimal integer as MCI writes them: optional sign, digits only.
bool Integer(const fw::MciWord& w, long long* value) {
    const std::wstring& t = w.text;
    size_t i = !t.empty() && (t[0] == L'-' || t[0] == L'+') ? 1 : 0;
    if (i == t.size() || t.size() > 12) return false;
    for (size_t k = i; k < t.size(); ++k)
        if (t[k] < L'0' || t[k] > L'9') return false;
    *value = std::wcstoll(t.c_str(), nullptr, 10);
    return true;
}

bool Is(const std::vector<fw::MciWord>& w, size_t i, const wchar_t* keyword) {
    return i < w.size() && !w[i].quoted && fw::MciWordIs(w[i], keyword);
}

fw::HWND WindowFromDecimal(long long value) {
    // "%d" of a handle: the low 32 bits, which Windows sign-extends back.
    const auto low = static_cast<int32_t>(static_cast<uint32_t>(value));
    return reinterpret_cast<fw::HWND>(static_cast<intptr_t>(low));
}

} // namespace

bool CTellyMovieDevice::TryOpen(const std::vector<fw::MciWord>& words, fw::DWORD* error) {
    if (words.size() < 2) return false;
    std::wstring alias = Lower(words[1].text);
    for (size_t i = 2; i < words.size(); ++i) {
        if (Is(words, i, L"alias") && i + 1 < words.size()) {
            alias = Lower(words[++i].text);
            continue;
        }
        // A named device type, or anything else this device does not take: the system's devices decide.
        return false;
    }
    if (Holds(alias)) {
        *error = kMciDuplicateAlias;
        return true;
    }
    std::unique_ptr<CMoviePlayer> player = CMoviePlayer::Open(words[1].text);
    if (!player) return false;
    m_movies[alias].player = std::move(player);
    *error = kMciOk;
    return true;
}

bool CTellyMovieDevice::Holds(const std::wstring& alias) const {
    return m_movies.count(Lower(alias)) != 0;
}

CMoviePlayer* CTellyMovieDevice::Find(const std::wstring& alias) {
    auto it = m_movies.find(Lower(alias));
    return it == m_movies.end() ? nullptr : it->second.player.get();
}

void CTellyMovieDevice::Settle() {
    for (auto& m : m_movies)
        m.second.player->Settle();
    m_teardown.Settle();
}

bool CTellyMovieDevice::ToUs(const Movie& movie, long long value, int64_t* us) const {
    const CTimeline& t = movie.player->Timeline();
    if (value < 0) return false;
    if (movie.frames) {
        if (value >= t.LengthFrames()) return false;
        *us = t.FrameToUs(value);
    } else {
        if (value >= t.LengthUs() / 1000) return false;
        *us = value * 1000;
    }
    return true;
}

fw::DWORD CTellyMovieDevice::SeekOrPlay(Movie& movie, const std::vector<fw::MciWord>& w) {
    CMoviePlayer& p = *movie.player;
    const bool seek = fw::MciWordIs(w[0], L"seek");
    if (!seek && w.size() == 2) {
        p.Play();
        return kMciOk;
    }
    const wchar_t* keyword = seek ? L"to" : L"from";
    if (!Is(w, 2, keyword)) return seek && w.size() == 2 ? kMciMissingParameter : kMciUnrecognizedKeyword;
    if (w.size() != 4) return w.size() < 4 ? kMciMissingParameter : kMciUnrecognizedKeyword;
    int64_t us = 0;
    long long value = 0;
    if (seek && Is(w, 3, L"start")) {
        us = 0;
    } else if (seek && Is(w, 3, L"end")) {
        const CTimeline& t = p.Timeline();
        us = t.FrameToUs(t.LengthFrames() - 1);
    } else {
        if (!Integer(w[3], &value)) return kMciBadInteger;
        if (!ToUs(movie, value, &us)) return kMciOutOfRange;
    }
    if (seek)
        p.Seek(us);
    else
        p.PlayFrom(us);
    return kMciOk;
}

fw::DWORD CTellyMovieDevice::Status(Movie& movie, const std::vector<fw::MciWord>& w, std::wstring* reply) {
    CMoviePlayer& p = *movie.player;
    if (w.size() == 3 && Is(w, 2, L"length")) {
        const CTimeline& t = p.Timeline();
        const long long v = movie.frames ? t.LengthFrames() : t.LengthUs() / 1000;
        *reply = std::to_wstring(v < INT_MAX ? v : INT_MAX);
        return kMciOk;
    }
    if (w.size() == 3 && Is(w, 2, L"position")) {
        const int64_t us = p.PositionUs();
        *reply = std::to_wstring(movie.frames ? p.Timeline().UsToFrame(us) : us / 1000);
        return kMciOk;
    }
    if (w.size() == 3 && Is(w, 2, L"mode")) {
        const Mode mode = p.GetMode();
        *reply = mode == Mode::kPlaying ? L"playing" : mode == Mode::kPaused ? L"paused" : L"stopped";
        return kMciOk;
    }
    if (w.size() == 3 && Is(w, 2, L"ready")) {
        *reply = L"true";
        return kMciOk;
    }
    if (w.size() == 4 && Is(w, 2, L"time") && Is(w, 3, L"format")) {
        *reply = movie.frames ? L"frames" : L"milliseconds";
        return kMciOk;
    }
    return w.size() < 3 ? kMciMissingParameter : kMciUnrecognizedKeyword;
}

fw::DWORD CTellyMovieDevice::Execute(const std::vector<fw::MciWord>& w, std::wstring* reply) {
    auto it = m_movies.find(Lower(w[1].text));
    if (it == m_movies.end()) return kMciUnrecognizedCommand;
    Movie& movie = it->second;
    CMoviePlayer& p = *movie.player;
    const fw::MciWord& verb = w[0];
    if (fw::MciWordIs(verb, L"close") && w.size() == 2) {
        // Silent and off the screen now; the threads are joined and the stream closed on the teardown's time.
        p.Retire();
        m_teardown.Take(std::move(movie.player));
        m_movies.erase(it);
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"stop") && w.size() == 2) {
        p.Stop();
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"pause") && w.size() == 2) {
        p.Pause();
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"resume") && w.size() == 2) {
        if (p.GetMode() == Mode::kPaused) p.Play();
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"play") || fw::MciWordIs(verb, L"seek")) return SeekOrPlay(movie, w);
    if (fw::MciWordIs(verb, L"window")) {
        if (!Is(w, 2, L"handle")) return w.size() < 3 ? kMciMissingParameter : kMciUnrecognizedKeyword;
        if (w.size() != 4) return w.size() < 4 ? kMciMissingParameter : kMciUnrecognizedKeyword;
        long long value = 0;
        if (Is(w, 3, L"default"))
            p.SetWindow(nullptr); // no window of its own: the picture goes nowhere until aimed again
        else if (Integer(w[3], &value))
            p.SetWindow(WindowFromDecimal(value));
        else
            return kMciBadInteger;
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"put")) {
        if (!Is(w, 2, L"destination")) return w.size() < 3 ? kMciMissingParameter : kMciUnrecognizedKeyword;
        if (!Is(w, 3, L"at") || w.size() != 8) return kMciMissingParameter;
        long long v[4];
        for (int i = 0; i < 4; ++i)
            if (!Integer(w[4 + i], &v[i]) || v[i] < INT_MIN || v[i] > INT_MAX) return kMciBadInteger;
        p.SetDestination(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                         static_cast<int>(v[3]));
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"set")) {
        if (!Is(w, 2, L"time") || !Is(w, 3, L"format") || w.size() != 5)
            return w.size() < 5 ? kMciMissingParameter : kMciUnrecognizedKeyword;
        if (Is(w, 4, L"frames"))
            movie.frames = true;
        else if (Is(w, 4, L"milliseconds") || Is(w, 4, L"ms"))
            movie.frames = false;
        else
            return kMciUnrecognizedKeyword;
        return kMciOk;
    }
    if (fw::MciWordIs(verb, L"status")) return Status(movie, w, reply);
    return kMciUnrecognizedCommand;
}

} // namespace media
