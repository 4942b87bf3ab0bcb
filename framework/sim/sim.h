// The simulated platform: what host tests use to drive the real player classes and to see what they did.
//
// Deterministic and single-threaded. Everything the backend does is recorded as one text line per platform
// call in the call log (see Log()), in the formats documented beside each entry below, so tests can compare
// expected sequences as Wine's message-sequence tests do.
//
// Only tests and host tools include this header.
#pragma once

#include "framework/fw_types.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sim {

using namespace fw;

// Back to a fresh platform: no windows, empty log, clock 0, no MCI files, volume 0xFFFFFFFF readable,
// no keys held, cursor shown (count 0), desktop 1024x768, default resources, no faults, args {"C:\\telly\\telly.exe"}.
void Reset();

// ---- Call log ---------------------------------------------------------------------------------------------
// Line formats (one per call; decimal numbers; window names are the template id or control id, see WindowName):
//   mci "<command>"                      -> mciSendString (reply not shown)
//   SetWindowPos <win> <after> <x>,<y> <cx>x<cy> <FLAGS|...>   after: TOP BOTTOM TOPMOST NOTOPMOST -
//   SetWindowRgn <win> <rows> rows      (rows of the region, see RegionRows)
//   ShowCursor <0|1> -> <count>
//   ClipCursor <l>,<t>,<r>,<b> | ClipCursor none
//   SetCursorPos <x>,<y>
//   waveOutSetVolume <dev> 0x<8 hex digits>
//   waveOutGetVolume <dev> -> <fail|0x........>
//   SendMessage <win> <MSGNAME or 0x....> <wp> <lp>
//   Default <win> <MSGNAME>             (default processing of a handled message)
//   SetTimer <win> <id> <ms> / KillTimer <win> <id>
//   DragAcceptFiles <win> <0|1> / DragFinish
//   EndDialog <win> <result>
//   CreateDialog <template> / DestroyWindow <win>
// A window's name is "dlg<template id>" for a dialog and "dlg<template id>.<control id>" for a control.
const std::vector<std::string>& Log();
void ClearLog();
// Lines of the log that start with `prefix` (e.g. "mci ").
std::vector<std::string> LogLines(const std::string& prefix);

// ---- Windows ----------------------------------------------------------------------------------------------
struct WindowInfo {
    std::string name;
    int templateId;  // dialog template (0 for controls)
    int controlId;   // control id (0 for dialogs)
    std::string className;
    DWORD style, exStyle;
    int x, y, cx, cy;  // dialogs: screen pixels after placement (template size in dialog units before)
    bool visible;
    bool destroyed;
    std::wstring text;
    HWND owner;
    bool hasRegion;
    int zOrderTopmost;  // 1 topmost, 0 normal
    bool focused;
};
// The window of a dialog created from `templateId` (the last one created), or null.
HWND DialogWindow(int templateId);
const WindowInfo* Info(HWND hwnd);
std::string WindowName(HWND hwnd);
// Region rows of a window: for each y, the [x0, x1) spans kept. Empty when the window has no region.
std::map<int, std::vector<std::pair<int, int>>> RegionRows(HWND hwnd);
// Live object counters for leak tests.
int LiveWindows();
int LiveGdiObjects();  // bitmaps + regions not deleted (regions owned by windows not counted)
int LiveDCs();

// ---- Messages, timer, modal loops -------------------------------------------------------------------------
// Sends a message to a window through its dispatcher (as the platform would deliver it).
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
// One 50 ms step: advances the clock by 50 ms, then delivers WM_TIMER to every window with a live timer,
// in the order the timers were started.
void Tick(int count = 1);
// Called while RunModalDialog(templateId) runs, after WM_INITDIALOG, with the dialog window. It acts as the
// user; when it returns without EndDialog having been called, the dialog ends with IDCANCEL.
void SetModalDriver(int templateId, std::function<void(HWND)> driver);
// Makes the next RunModalDialog/CreateModelessDialog of `templateId` fail (returns -1 / null).
void FailDialogCreation(int templateId, bool fail);
// The system's interactive move (WM_SYSCOMMAND 0xF012) moves the window by this offset and returns.
void SetMoveDragOffset(int dx, int dy);
// SetTimer fails (returns 0) from now on when true.
void FailTimers(bool fail);

// ---- MCI device -------------------------------------------------------------------------------------------
// A file the device can open: path as the player sends it, length in frames, frames per second.
void AddMovie(const std::wstring& path, int frames, int fps);
struct MciState {
    bool open;
    std::wstring path;
    bool playing;
    bool framesFormat;     // false: milliseconds
    long long positionMs;  // exact position
    int lengthFrames, fps;
    std::wstring windowHandle;  // "default" or the decimal handle
    std::string destination;    // "24 22 176 120"
};
const MciState& Mci();

// ---- Volume, keys, cursor, clock, randomness --------------------------------------------------------------
void SetVolume(DWORD v);
DWORD Volume();
void FailVolumeRead(bool fail);
void SetKey(int vk, bool down);
void ReleaseAllKeys();
struct CursorState {
    int showCount;
    bool clipped;
    RECT clip;
    int x, y;
};
const CursorState& Cursor();
long long ClockNow();
void AdvanceClock(long long ms);
// The next Rand() results (then back to the runtime's rand()).
void ScriptRand(const std::vector<int>& values);

// ---- Process, resources, drops, files ---------------------------------------------------------------------
void SetCommandLine(const std::vector<std::wstring>& args);
void SetDesktopSize(int w, int h);
// Bitmap resource bytes (BITMAPINFOHEADER + pixels); by default the generated skin sheet of the build.
void SetResource(UINT id, UINT type, const std::vector<BYTE>& bytes);
void RemoveResource(UINT id, UINT type);
HDROP MakeDrop(const std::vector<std::wstring>& paths);
// Host folder standing for the per-user settings folder (UserSettingsDir); empty for none.
void SetUserSettingsDir(const std::wstring& dir);
// File fault injection: the next operation of that kind on a path ending with `suffix` fails.
enum FileFault { kFailCreate, kFailWrite, kFailReplace, kFailRead };
void InjectFileFault(FileFault fault, const std::wstring& suffix);
// Converts a player path ('\' separators) to the host path used on disk, and back.
std::string HostPath(const std::wstring& playerPath);
std::wstring PlayerPath(const std::string& hostPath);

// ---- Pixels -----------------------------------------------------------------------------------------------
// What has been blitted onto a window's client area: 24-bit BGR, top-down, cx*cy pixels of the window's
// current size (unpainted pixels are 0,0,0). Pixel(x,y) returns 0xRRGGBB.
unsigned Pixel(HWND hwnd, int x, int y);
std::vector<BYTE> SurfaceBGR(HWND hwnd, int* width, int* height);

}  // namespace sim
