// The suite's environment on the simulated platform (host preset).
#include "framework/sim/sim.h"
#include "seam/seam_env.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace seam {

namespace {

constexpr int kClipFrames = 20; // 2 s at 10 frames a second, as the end-to-end run's short clip

std::string MakeRoot() {
    char pattern[] = "/tmp/telly-seam-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return made ? std::string(made) : std::string("/tmp");
}

const std::string& HostRoot() {
    static const std::string root = MakeRoot();
    static const bool removeAtExit = (std::atexit([] { ::rmdir(HostRoot().c_str()); }), true);
    (void)removeAtExit;
    return root;
}

} // namespace

void FreshPlatform() {
    sim::Reset();
}

std::wstring TempRoot() {
    return sim::PlayerPath(HostRoot());
}

bool MakeFolder(const std::wstring& path) {
    return ::mkdir(sim::HostPath(path).c_str(), 0755) == 0;
}

bool RemoveFolder(const std::wstring& path) {
    return ::rmdir(sim::HostPath(path).c_str()) == 0;
}

bool SetReadOnly(const std::wstring& path, bool readOnly) {
    return ::chmod(sim::HostPath(path).c_str(), readOnly ? 0444 : 0644) == 0;
}

bool MakeLink(const std::wstring& link, const std::wstring& target) {
    return ::symlink(sim::HostPath(target).c_str(), sim::HostPath(link).c_str()) == 0;
}

bool MountRoots(std::wstring* first, std::wstring* second) {
    struct stat a, b;
    if (::stat("/dev/shm", &a) != 0 || ::stat("/proc", &b) != 0 || a.st_dev == b.st_dev) return false;
    *first = L"\\dev\\shm";
    *second = L"\\proc";
    return true;
}

bool MovieClip(Clip* clip) {
    // A copy of the real clip (tests/media/make-clips), so that Telly's device decodes it; the simulated
    // system device plays what it is told is a movie, and stops one frame short of the end as Wine's does.
    const std::string host = HostRoot() + "/clip.avi";
    if (::access(host.c_str(), F_OK) != 0) {
        std::ifstream in(std::string(TELLY_MEDIA_CLIPS) + "/seam_blue.avi", std::ios::binary);
        std::ofstream out(host, std::ios::binary);
        out << in.rdbuf();
    }
    static const bool removeAtExit =
        (std::atexit([] { ::unlink((HostRoot() + "/clip.avi").c_str()); }), true);
    (void)removeAtExit;
    clip->path = sim::PlayerPath(host);
    clip->frames = kClipFrames;
    sim::AddMovieEndingShort(clip->path, kClipFrames, 10);
    return true;
}

bool CopyClip(const Clip& clip, const std::wstring& to) {
    std::ifstream in(sim::HostPath(clip.path), std::ios::binary);
    std::ofstream out(sim::HostPath(to), std::ios::binary);
    if (!in || !out || !(out << in.rdbuf())) return false;
    sim::AddMovieEndingShort(to, clip.frames, 10);
    return true;
}

void RunMessages(unsigned ms) {
    sim::Tick(static_cast<int>((ms + 49) / 50));
}

bool RunMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    for (unsigned waited = 0; !done(); waited += 50) {
        if (waited >= timeoutMs) return false;
        sim::Tick();
    }
    return true;
}

void LetModalLoopsRun(fw::UINT templateId) {
    sim::SetModalDriver(static_cast<int>(templateId), [](fw::HWND dlg) {
        for (int tick = 0; tick < 200 && !sim::ModalEnded(dlg); ++tick)
            sim::Tick();
    });
}

fw::HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    return sim::MakeDrop(paths);
}

fw::POINT PointerPos() {
    return fw::POINT{sim::Cursor().x, sim::Cursor().y};
}

Rows RegionRows(fw::HWND hwnd) {
    return sim::RegionRows(hwnd);
}

} // namespace seam
