// The movie device's benchmark with the Windows build: Telly's own device (CTellyMovieDevice) installed in
// front of the system's MCI, driven through fw::MciSend with the strings the player sends, drawing into a
// real top-level window over the whole screen as full-screen mode does. bench/movie-bench-wine runs it
// under Wine on a 1080p30 H.264 movie with AAC sound and 2-second keyframe intervals.
//
//   movie_bench.exe MOVIE [--runs N] [--seconds S] [--seeks K] [--reopens R] [--seed X]
//
// 1. CPU: the process's CPU time (GetProcessTimes) from "open" to "close" around playing the first S seconds
//    (20) of MOVIE, against an in-process decode of the same seconds of pictures and sound with the same DLLs
//    and the device's decoder settings (bench/win32/decode_core). Aim: at most 1.5x.
// 2. Seek: the median time from "seek movie to N" to the picture of N on the screen (the device's
//    ShownPicture, polled every millisecond), over K (31) random frames of a fixed seed, against decoding
//    from the keyframe before N to N alone (bench/win32/seek_floor). Aim: at most 1.2x.
// 3. Memory: the largest working set seen while playing (aim: under 200 MB), and the working set after R
//    (100) open/play/close cycles against after one (aim: within 5 MB).
// 4. The longest time each kind of command held the UI thread, over every command sent above. Aim: at most
//    10 ms; "open" has none, "close" 50 ms.
// Figures 1 and 2 are the best of N rounds (3) after a warm-up round, each side on its own; each round runs
// the floor and the device back to back, so that the machine's load meets both alike. Exit status 0 when
// every figure was measured (missed aims included), 1 when the device failed to play or seek, 2 for a wrong
// command line.
#include "bench/win32/bench_win32.h"
#include "bench/win32/decode_core.h"
#include "bench/win32/mci_meter.h"
#include "bench/win32/process_meter.h"
#include "bench/win32/screen_window.h"
#include "bench/win32/seek_floor.h"
#include "framework/media_output.h"
#include "framework/mci_devices.h"
#include "media/telly_movie_device.h"
#include "playback/movie_device.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kMB = 1024.0 * 1024.0;
constexpr unsigned kTickMs = 50;         // the player's timer: it asks for the position this often
constexpr double kSeekTimeoutMs = 10000; // a seek whose picture has not come by then has failed
constexpr double kHoldAimMs = 10, kCloseAimMs = 50;

struct Options {
    std::wstring movie;
    int runs = 3;
    double seconds = 20;
    int seeks = 31;
    int reopens = 100;
    unsigned seed = 1;
};

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

const char* Verdict(bool met) {
    return met ? "met" : "MISSED";
}

// The device, the window it draws into and the meter every command goes through.
class CBench {
public:
    CBench(const Options& options, bench::CScreenWindow& screen) : m_options(options), m_screen(screen) {
        fw::InstallMciDevice(&m_device);
    }
    ~CBench() {
        m_mci.Send(L"close movie");
        fw::InstallMciDevice(nullptr);
    }

    bench::CMciMeter& Mci() { return m_mci; }

    // Opens the movie and aims it at the whole screen, as the player does on entering full-screen mode.
    bool Open() {
        std::wstring command;
        if (!BuildOpenCommand(m_options.movie, &command) || m_mci.Send(command) != 0 || !Player())
            return false;
        m_mci.Send(L"window movie handle " + HandleToDecimal(m_screen.Handle()));
        m_mci.Send(L"put movie destination at 0 0 " + std::to_wstring(m_screen.Width()) + L" " +
                   std::to_wstring(m_screen.Height()));
        return true;
    }
    void Close() { m_mci.Send(L"close movie"); }
    media::CMoviePlayer* Player() { return m_device.Find(L"movie"); }
    // The working set once every closed movie is freed ("close" leaves that to the device's teardown thread).
    size_t SettledWorkingSet() {
        m_device.WaitForClosedMovies();
        return bench::WorkingSetBytes();
    }

    // Waits, pumping messages, until `done` or `timeoutMs`; false on the time-out.
    template <typename Done> bool WaitFor(Done done, double timeoutMs, unsigned pollMs = 1) {
        const double until = bench::NowMs() + timeoutMs;
        while (!done()) {
            if (bench::NowMs() > until) return false;
            bench::PumpMessages(pollMs);
        }
        return true;
    }

private:
    const Options& m_options;
    bench::CScreenWindow& m_screen;
    media::CTellyMovieDevice m_device;
    bench::CMciMeter m_mci;
};

struct PlayRound {
    double cpuMs = 0, wallMs = 0;
    uint64_t shown = 0;
    long long frames = 0;
    size_t largestSet = 0;
    std::vector<bench::ThreadCpu> threads; // CPU per thread from "play" to the end, most first
    double openedAt = 0;                   // when "open" was sent, on the threads' creation clock
    bool ok = false;
};

// Plays the first `seconds` of the movie as the player does: "play", then "status movie position" on every
// tick until it passes the span; "stop" and "close". The working set is read on every tick.
PlayRound PlaySpan(CBench& b, double seconds) {
    PlayRound r;
    const double cpu0 = bench::ProcessCpuMs(), wall0 = bench::NowMs();
    r.openedAt = bench::SystemClockMs();
    if (!b.Open()) return r;
    const std::vector<bench::ThreadCpu> threads0 = bench::ThreadCpuTimes();
    const long long length = b.Mci().Status(L"length");
    const media::CTimeline& timeline = b.Player()->Timeline();
    r.frames = timeline.UsToFrame(static_cast<int64_t>(seconds * 1e6));
    const uint64_t shown0 = b.Player()->ShownPicture().count;
    b.Mci().Send(L"play movie");
    r.ok = b.WaitFor(
        [&] {
            r.largestSet = std::max(r.largestSet, bench::WorkingSetBytes());
            std::wstring mode;
            b.Mci().Send(L"status movie mode", &mode);
            return b.Mci().Status(L"position") >= std::min(r.frames, length) || mode == L"stopped";
        },
        seconds * 3000 + 10000, kTickMs);
    r.shown = b.Player()->ShownPicture().count - shown0;
    r.threads = bench::ThreadCpuSpent(threads0, bench::ThreadCpuTimes());
    b.Mci().Send(L"stop movie");
    b.Close();
    r.cpuMs = bench::ProcessCpuMs() - cpu0;
    r.wallMs = bench::NowMs() - wall0;
    return r;
}

struct DecodeRound {
    double cpuMs = 0, wallMs = 0;
    bench::DecodeCounts counts;
    bool ok = false;
};

DecodeRound DecodeSpan(const std::string& movie, double seconds) {
    DecodeRound r;
    bench::DecodeOptions options;
    options.seconds = seconds;
    options.audio = true;
    options.threads = 0; // as the device's video decoder
    std::string error;
    const double cpu0 = bench::ProcessCpuMs(), wall0 = bench::NowMs();
    r.ok = bench::DecodeFile(movie, options, &r.counts, &error);
    r.cpuMs = bench::ProcessCpuMs() - cpu0;
    r.wallMs = bench::NowMs() - wall0;
    if (!r.ok) std::fprintf(stderr, "decode floor: %s\n", error.c_str());
    return r;
}

// The median time of the device's seeks to `targets`; 0 when one failed (said on stderr).
double DeviceSeeks(CBench& b, const std::vector<int64_t>& targets) {
    if (!b.Open()) {
        std::fprintf(stderr, "the device did not open the movie\n");
        return 0;
    }
    std::vector<double> times;
    for (int64_t n : targets) {
        media::CMoviePlayer* p = b.Player();
        const double start = bench::NowMs();
        b.Mci().Send(L"seek movie to " + std::to_wstring(n));
        const bool shown = b.WaitFor(
            [&] {
                const media::CMoviePlayer::Shown s = p->ShownPicture();
                return s.current && s.frame == n;
            },
            kSeekTimeoutMs);
        if (!shown) {
            const media::CMoviePlayer::Shown s = p->ShownPicture();
            std::fprintf(stderr, "seek to %lld: the screen shows %lld (%s) after %.0f ms\n",
                         static_cast<long long>(n), static_cast<long long>(s.frame),
                         s.current ? "current" : "stale", kSeekTimeoutMs);
            b.Close();
            return 0;
        }
        times.push_back(bench::NowMs() - start);
    }
    // The other commands the player sends on a movie that stands, so that their hold times are measured too.
    const int64_t from = targets.front();
    b.Mci().Send(L"play movie from " + std::to_wstring(from));
    b.WaitFor([&] { return b.Player()->ShownPicture().frame >= from + 3; }, kSeekTimeoutMs);
    b.Mci().Send(L"pause movie");
    b.Mci().Status(L"position");
    b.Mci().Send(L"set movie time format milliseconds");
    b.Mci().Status(L"position");
    b.Mci().Send(L"set movie time format frames");
    b.Mci().Send(L"play movie");
    bench::PumpMessages(200);
    b.Mci().Send(L"stop movie");
    b.Mci().Send(L"window movie handle default");
    b.Close();
    return Median(times);
}

// The median time of the floor's decodes to `targets`; 0 when one failed. The floor is opened for the round
// and gone before the next play, so that its decoder's pictures do not count in the player's working set.
double FloorSeeks(const std::string& movie, const std::vector<int64_t>& targets, double* framesPerSeek) {
    bench::CSeekFloor floor;
    std::string error;
    if (!floor.Open(movie, &error)) {
        std::fprintf(stderr, "seek floor: %s\n", error.c_str());
        return 0;
    }
    std::vector<double> times;
    long long frames = 0;
    for (int64_t n : targets) {
        int decoded = 0;
        const double start = bench::NowMs();
        if (!floor.DecodeTo(n, &decoded)) {
            std::fprintf(stderr, "seek floor: frame %lld never decoded\n", static_cast<long long>(n));
            return 0;
        }
        times.push_back(bench::NowMs() - start);
        frames += decoded;
    }
    *framesPerSeek = static_cast<double>(frames) / static_cast<double>(targets.size());
    return Median(times);
}

// Open, aim, play until a few pictures were shown, close: as the player moves from movie to movie.
bool Reopen(CBench& b) {
    if (!b.Open()) return false;
    b.Mci().Send(L"play movie");
    const uint64_t shown0 = b.Player()->ShownPicture().count;
    const bool played =
        b.WaitFor([&] { return b.Player()->ShownPicture().count >= shown0 + 3; }, kSeekTimeoutMs);
    b.Mci().Status(L"position");
    b.Mci().Send(L"stop movie");
    b.Mci().Send(L"window movie handle default");
    b.Close();
    return played;
}

void PrintThreads(const PlayRound& r) {
    const uint32_t ui = bench::CurrentThreadId();
    std::printf("  CPU by thread while playing (best round; %zu threads; where each started):",
                r.threads.size());
    int listed = 0;
    for (const bench::ThreadCpu& t : r.threads) {
        if (listed++ == 8 || t.ms < 1) break;
        std::printf("\n    %7.0f ms (%5.0f in the kernel)  started in %s, %+.0f ms after open%s", t.ms,
                    t.kernelMs, t.module.c_str(), t.created - r.openedAt,
                    t.id == ui ? " (the UI thread)" : "");
    }
    std::printf("\n");
}

int Run(const Options& o) {
    bench::CScreenWindow screen;
    if (!screen.Create()) {
        std::fprintf(stderr, "no window over the screen\n");
        return 1;
    }
    const size_t setBefore = bench::WorkingSetBytes();
    const std::string movie = bench::Utf8(o.movie);
    int64_t length = 0;
    {
        bench::CSeekFloor floor;
        std::string error;
        if (!floor.Open(movie, &error)) {
            std::fprintf(stderr, "seek floor: %s\n", error.c_str());
            return 1;
        }
        length = floor.Timeline().LengthFrames();
    }
    std::vector<int64_t> targets;
    std::mt19937 random(o.seed);
    for (int i = 0; i < o.seeks; ++i)
        targets.push_back(static_cast<int64_t>(random() % static_cast<uint64_t>(length)));

    {
        fw::CWaveOutStream sound;
        std::printf("movie: %lld frames; screen %dx%d; wave-out device 0 %s\n",
                    static_cast<long long>(length), screen.Width(), screen.Height(),
                    sound.Open(0, 44100, 2) ? "open: the sound card's clock leads"
                                            : "missing: pictures on the system clock");
    }
    CBench b(o, screen);

    // Warm-up: the DLLs' pages, the decoder's tables, Wine's first GDI and wave-out calls. The decode comes
    // first, so that the process's peak after it is the decode's own.
    DecodeSpan(movie, std::min(o.seconds, 5.0));
    const size_t decodePeak = bench::PeakWorkingSetBytes();
    PlaySpan(b, std::min(o.seconds, 2.0));
    {
        double ignored = 0;
        const std::vector<int64_t> few(targets.begin(),
                                       targets.begin() + std::min<size_t>(3, targets.size()));
        FloorSeeks(movie, few, &ignored);
        DeviceSeeks(b, few);
    }

    DecodeRound bestDecode;
    PlayRound bestPlay;
    bestDecode.cpuMs = bestPlay.cpuMs = 1e300;
    double floorSeek = 1e300, deviceSeek = 1e300, framesPerSeek = 0;
    size_t largestSet = 0;
    for (int r = 0; r < o.runs; ++r) {
        const DecodeRound d = DecodeSpan(movie, o.seconds);
        const PlayRound p = PlaySpan(b, o.seconds);
        if (!d.ok || !p.ok) {
            std::fprintf(stderr, "round %d: the %s failed\n", r + 1, d.ok ? "play" : "decode floor");
            return 1;
        }
        if (d.cpuMs < bestDecode.cpuMs) bestDecode = d;
        if (p.cpuMs < bestPlay.cpuMs) bestPlay = p;
        largestSet = std::max(largestSet, p.largestSet);
        const double f = FloorSeeks(movie, targets, &framesPerSeek);
        const double s = DeviceSeeks(b, targets);
        if (f <= 0 || s <= 0) return 1;
        floorSeek = std::min(floorSeek, f);
        deviceSeek = std::min(deviceSeek, s);
    }
    const size_t peakWhilePlaying = bench::PeakWorkingSetBytes();

    // ---- 1. CPU.
    const double cpuRatio = bestPlay.cpuMs / bestDecode.cpuMs;
    std::printf("cpu: %.0f s of %lld frames (best of %d)\n", o.seconds,
                static_cast<long long>(bestPlay.frames), o.runs);
    std::printf("  floor: decode only, %lld pictures, %lld sound frames  %9.0f ms CPU (%.0f ms wall)\n",
                bestDecode.counts.videoFrames, bestDecode.counts.audioFrames, bestDecode.cpuMs,
                bestDecode.wallMs);
    std::printf("  playing full screen, %llu pictures shown       %9.0f ms CPU (%.0f ms wall)\n",
                static_cast<unsigned long long>(bestPlay.shown), bestPlay.cpuMs, bestPlay.wallMs);
    PrintThreads(bestPlay);
    std::printf("  ratio play / decode                         %9.2f   (aim: at most 1.50) %s\n", cpuRatio,
                Verdict(cpuRatio <= 1.5));

    // ---- 2. Seeks.
    const double seekRatio = deviceSeek / floorSeek;
    std::printf("seek: median of %d seeks to random frames, seed %u (best of %d)\n", o.seeks, o.seed, o.runs);
    std::printf("  floor: keyframe to N, %.1f pictures a seek      %9.1f ms\n", framesPerSeek, floorSeek);
    std::printf("  \"seek movie to N\" to N on the screen          %9.1f ms\n", deviceSeek);
    std::printf("  ratio seek / floor                          %9.2f   (aim: at most 1.20) %s\n", seekRatio,
                Verdict(seekRatio <= 1.2));
    std::fflush(stdout);

    // ---- 3. Memory.
    double set1 = 0, setN = 0;
    for (int i = 1; i <= o.reopens; ++i) {
        if (!Reopen(b)) {
            std::fprintf(stderr, "reopen %d: no picture\n", i);
            return 1;
        }
        bench::PumpMessages(0);
        if (i == 1) set1 = static_cast<double>(b.SettledWorkingSet());
        if (i == o.reopens) setN = static_cast<double>(b.SettledWorkingSet());
    }
    std::printf("memory: working set\n");
    std::printf("  before the first movie                      %9.1f MB\n",
                static_cast<double>(setBefore) / kMB);
    std::printf("  peak of the decode-only pass                %9.1f MB\n",
                static_cast<double>(decodePeak) / kMB);
    std::printf("  largest while playing                       %9.1f MB   (aim: under 200) %s\n",
                static_cast<double>(largestSet) / kMB, Verdict(static_cast<double>(largestSet) < 200 * kMB));
    std::printf("  process peak after the rounds               %9.1f MB\n",
                static_cast<double>(peakWhilePlaying) / kMB);
    std::printf("  after 1 open/play/close                     %9.1f MB\n", set1 / kMB);
    std::printf("  after %d                                    %9.1f MB\n", o.reopens, setN / kMB);
    std::printf("  growth                                      %9.1f MB   (aim: within 5) %s\n",
                (setN - set1) / kMB, Verdict(setN - set1 <= 5 * kMB && set1 - setN <= 5 * kMB));

    // ---- 4. UI thread.
    std::printf("ui thread: longest hold of each command (all of the above)\n");
    for (const auto& kind : b.Mci().Kinds()) {
        const std::string& name = kind.first;
        const double aim = name == "open" ? 0 : name == "close" ? kCloseAimMs : kHoldAimMs;
        std::printf("  %-18s %6lld sent, %4lld over 10 ms, longest %8.2f ms", name.c_str(), kind.second.count,
                    kind.second.over10Ms, kind.second.longestMs);
        if (aim > 0)
            std::printf("   (aim: at most %.0f) %s\n", aim, Verdict(kind.second.longestMs <= aim));
        else
            std::printf("\n");
    }
    std::fflush(stdout);
    return 0;
}

bool ParseOptions(int argc, wchar_t** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg.size() > 2 && arg.compare(0, 2, L"--") == 0) {
            if (i + 1 >= argc) return false;
            wchar_t* end = nullptr;
            const wchar_t* text = argv[++i];
            const double value = std::wcstod(text, &end);
            if (end == text || *end != L'\0' || !(value >= 0 && value <= 1e6)) return false;
            if (arg == L"--runs" && value >= 1)
                o->runs = static_cast<int>(value);
            else if (arg == L"--seconds" && value >= 1)
                o->seconds = value;
            else if (arg == L"--seeks" && value >= 1)
                o->seeks = static_cast<int>(value);
            else if (arg == L"--reopens" && value >= 1)
                o->reopens = static_cast<int>(value);
            else if (arg == L"--seed")
                o->seed = static_cast<unsigned>(value);
            else
                return false;
        } else if (o->movie.empty()) {
            o->movie = arg;
        } else {
            return false;
        }
    }
    return !o->movie.empty();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: movie_bench.exe MOVIE [--runs N] [--seconds S] [--seeks K] [--reopens R] "
                     "[--seed X]\n");
        return 2;
    }
    return Run(options);
}
