// The simulated platform's bookkeeping: state, reset, call log, clock, keys, pointer, randomness, volume,
// process data and resources.
#include "framework/sim/sim_state.h"

#include "framework/mci_devices.h"
#include "framework/sim/utf.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {
namespace detail {

State& S() {
    static State state;
    return state;
}

uintptr_t NewHandle() {
    const uintptr_t h = S().nextHandle;
    S().nextHandle += kHandleStep;
    return h;
}

void AddLog(const std::string& line) {
    S().log.push_back(line);
}

void AdvanceClockBy(long long ms) {
    if (ms <= 0) return;
    S().clock += ms;
    MciClockAdvanced(ms);
    PublishClock(S().clock);
    if (fw::CMciDevice* device = fw::InstalledMciDevice()) device->Settle();
}

namespace {

std::string Hex8(DWORD v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v));
    return buf;
}

// The default skin sheet: the generated .bmp of the build without its 14-byte file header, which is
// exactly what a bitmap resource holds.
void LoadDefaultSkin() {
    State& s = S();
    if (s.skinLoaded) return;
    s.skinLoaded = true;
    const std::pair<UINT, UINT> key(129, fw::RT_BITMAP_ID);
    if (s.resources.count(key) || s.removedResources.count(key)) return;
#ifdef TELLY_SKIN_PATH
    std::ifstream in(TELLY_SKIN_PATH, std::ios::binary);
    if (!in) return;
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() <= 14 || bytes[0] != 'B' || bytes[1] != 'M') return;
    bytes.erase(bytes.begin(), bytes.begin() + 14);
    s.resources[key] = std::make_shared<std::vector<BYTE>>(std::move(bytes));
#endif
}

} // namespace
} // namespace detail

using namespace detail;

void Reset() {
    // Files a test left open would leak their descriptors across the whole test run.
    for (auto& f : S().files) {
        ::close(f.second.fd);
        // As the system does for a process that ends with a delete-on-close file open.
        if (f.second.deleteOnClose) ::unlink(sim::HostPath(f.second.path).c_str());
    }
    // The template cache, parsed once from the source tree, survives: it is not platform state.
    S() = State();
    PublishClock(0);
    ResetMedia();
    fw::ResetMciRoute();
}

const std::vector<std::string>& Log() {
    return S().log;
}
void ClearLog() {
    S().log.clear();
}

std::vector<std::string> LogLines(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& line : S().log)
        if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
    return out;
}

void SetVolume(DWORD v) {
    S().volume = v;
}
DWORD Volume() {
    return S().volume;
}
void FailVolumeRead(bool fail) {
    S().failVolumeRead = fail;
}

void SetKey(int vk, bool down) {
    if (down)
        S().keysDown.insert(vk);
    else
        S().keysDown.erase(vk);
}
void ReleaseAllKeys() {
    S().keysDown.clear();
}

const CursorState& Cursor() {
    return S().cursor;
}
long long ClockNow() {
    return S().clock;
}
void AdvanceClock(long long ms) {
    AdvanceClockBy(ms);
}
void ScriptRand(const std::vector<int>& values) {
    S().scriptedRand.assign(values.begin(), values.end());
}

void SetCommandLine(const std::vector<std::wstring>& args) {
    S().args = args;
}
void SetModuleFileName(const std::wstring& path) {
    S().moduleFileName = path;
}
void SetDesktopSize(int w, int h) {
    S().desktopW = w;
    S().desktopH = h;
}

void SetResource(UINT id, UINT type, const std::vector<BYTE>& bytes) {
    State& s = S();
    const std::pair<UINT, UINT> key(id, type);
    auto it = s.resources.find(key);
    if (it != s.resources.end()) s.retiredResources.push_back(it->second);
    s.resources[key] = std::make_shared<std::vector<BYTE>>(bytes);
    s.removedResources.erase(key);
}

void RemoveResource(UINT id, UINT type) {
    State& s = S();
    const std::pair<UINT, UINT> key(id, type);
    auto it = s.resources.find(key);
    if (it != s.resources.end()) {
        s.retiredResources.push_back(it->second);
        s.resources.erase(it);
    }
    s.removedResources.insert(key);
}

void SetUserSettingsDir(const std::wstring& dir) {
    S().userSettingsDir = dir;
}

COLORREF DialogBackground() {
    return S().dialogBackground;
}
COLORREF DialogText() {
    return S().dialogText;
}

} // namespace sim

// ---- The platform seam ------------------------------------------------------------------------------------

namespace fw {
namespace plat {

using namespace sim::detail;

void SetDialogColors(COLORREF background, COLORREF text) {
    S().dialogBackground = background;
    S().dialogText = text;
}

MMRESULT WaveOutGetVolume(UINT device, DWORD* volume) {
    State& s = S();
    const bool fail = device != 0 || s.failVolumeRead || !volume;
    AddLog("waveOutGetVolume " + std::to_string(device) + " -> " +
           (fail ? std::string("fail") : Hex8(s.volume)));
    if (device != 0) return 2; // MMSYSERR_BADDEVICEID
    if (fail) return 1;        // MMSYSERR_ERROR
    *volume = s.volume;
    return MMSYSERR_NOERROR;
}

MMRESULT WaveOutSetVolume(UINT device, DWORD volume) {
    AddLog("waveOutSetVolume " + std::to_string(device) + " " + Hex8(volume));
    if (device != 0) return 2;
    S().volume = volume;
    return MMSYSERR_NOERROR;
}

short AsyncKeyState(int vk) {
    return S().keysDown.count(vk) ? static_cast<short>(0x8000) : 0;
}

int ShowPointer(BOOL show) {
    int& count = S().cursor.showCount;
    count += show ? 1 : -1;
    AddLog(std::string("ShowCursor ") + (show ? "1" : "0") + " -> " + std::to_string(count));
    return count;
}

namespace {
void ClampCursor() {
    sim::CursorState& c = S().cursor;
    if (!c.clipped) return;
    if (c.x < c.clip.left) c.x = c.clip.left;
    if (c.x >= c.clip.right) c.x = c.clip.right - 1;
    if (c.y < c.clip.top) c.y = c.clip.top;
    if (c.y >= c.clip.bottom) c.y = c.clip.bottom - 1;
}
} // namespace

BOOL ClipPointer(const RECT* rc) {
    sim::CursorState& c = S().cursor;
    if (!rc) {
        AddLog("ClipCursor none");
        c.clipped = false;
        c.clip = RECT{0, 0, 0, 0};
        return TRUE;
    }
    AddLog("ClipCursor " + std::to_string(rc->left) + "," + std::to_string(rc->top) + "," +
           std::to_string(rc->right) + "," + std::to_string(rc->bottom));
    c.clipped = true;
    c.clip = *rc;
    ClampCursor();
    return TRUE;
}

BOOL SetPointerPos(int x, int y) {
    AddLog("SetCursorPos " + std::to_string(x) + "," + std::to_string(y));
    sim::CursorState& c = S().cursor;
    c.x = x;
    c.y = y;
    ClampCursor();
    return TRUE;
}

long ClockMs() {
    // Each read moves time on by a millisecond, so that a busy wait on the clock ends.
    const long now = static_cast<long>(S().clock);
    AdvanceClockBy(1);
    return now;
}

int Rand() {
    State& s = S();
    if (!s.scriptedRand.empty()) {
        const int v = s.scriptedRand.front();
        s.scriptedRand.pop_front();
        return v;
    }
    // The Microsoft runtime's generator, so the sequence is the one telly.exe sees.
    s.randState = s.randState * 214013u + 2531011u;
    return static_cast<int>((s.randState >> 16) & 0x7FFF);
}

std::vector<std::wstring> CommandLineArgs() {
    return S().args;
}

std::wstring ModuleFileName() {
    const State& s = S();
    if (!s.moduleFileName.empty()) return s.moduleFileName;
    return s.args.empty() ? std::wstring() : s.args[0];
}

std::wstring UserSettingsDirPath() {
    std::wstring dir = S().userSettingsDir;
    if (dir.empty()) return dir;
    if (dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
    return dir;
}

std::wstring UserSettingsDir() {
    const std::wstring dir = UserSettingsDirPath();
    if (dir.empty()) return dir;
    ::mkdir(sim::HostPath(dir).c_str(), 0755);
    return dir;
}

HINSTANCE ModuleHandle() {
    return As<HINSTANCE>(kModuleHandle);
}

bool LockResourceBytes(HINSTANCE module, UINT id, UINT type, const BYTE** data, DWORD* size) {
    (void)module;
    LoadDefaultSkin();
    State& s = S();
    auto it = s.resources.find(std::make_pair(id, type));
    if (it == s.resources.end() || !data || !size) return false;
    *data = it->second->data();
    *size = static_cast<DWORD>(it->second->size());
    return true;
}

HICON LoadAppIcon(HINSTANCE module, UINT id) {
    (void)module;
    return id == 128 ? As<HICON>(kAppIcon) : nullptr;
}

} // namespace plat
} // namespace fw
