// The simulated platform: what host tests use to drive the real player classes and to see what they did.
//
// Deterministic and single-threaded. Everything the backend does is recorded as one text line per platform
// call in the call log (see Log()), in the formats documented beside each entry below, so tests can compare
// expected sequences as Wine's message-sequence tests do.
//
// Only tests and host tools include this header.
#pragma once

#include "framework/fw_types.h"
#include "framework/platform.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fw {
class CDialog;
}

namespace sim {

using namespace fw;

// Back to a fresh platform: no windows, empty log, clock 0, no MCI files, volume 0xFFFFFFFF readable,
// no keys held, cursor shown (count 0), desktop 1024x768, default resources, no faults, args
// {"C:\\telly\\telly.exe"}.
void Reset();

// ---- Call log ---------------------------------------------------------------------------------------------
// Line formats (one per call; decimal numbers; window names are the template id or control id, see
// WindowName):
//   mci "<command>"                      -> mciSendString (reply not shown)
//   SetWindowPos <win> <after> <x>,<y> <cx>x<cy> <FLAGS|...>   after: TOP BOTTOM TOPMOST NOTOPMOST -
//   SetWindowRgn <win> <rows> rows      (rows of the region, see RegionRows; " noredraw" added when asked)
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
//   ShowWindow <win> <cmd>
//   SetScrollRange <win> <min>..<max> / SetScrollPos <win> <pos as asked>   (" noredraw" added when asked)
//   DrawIcon <x>,<y>
//   DragQueryFile all -> <n>            (every item in one pass: DropItems; DropItemCount silent)
//   SetCursor <shape> -> <previous>     shapes: IDC_ARROW IDC_WAIT 0 (none) or 0x<hex>
//   ReplaceFile <target file name>       (a file replaced by another in one step, or moved to a new name)
//   ShowScrollBar <win> <VERT|HORZ|bar number> <0|1>   (a window's own scroll bar)
// SetWindowPos flags are named NOSIZE NOMOVE NOZORDER NOREDRAW NOACTIVATE SHOW HIDE (in that order, other
// bits as 0x....), "0" for none; <after> is "-" when NOZORDER is given, the window's name for a real window.
// Message arguments are decimal (lp signed); messages without a name print as 0x%04X, WM_USER+n as such.
// Nothing else is logged: sim::Send, ClickButton, Wheel and Tick deliver messages silently, like the user.
// A window's name is "dlg<template id>" for a dialog and "dlg<template id>.<control id>" for a control.
// The null window prints as "0", the desktop as "desktop", anything else unknown as 0x<hex>.
const std::vector<std::string>& Log();
void ClearLog();
// Lines of the log that start with `prefix` (e.g. "mci ").
std::vector<std::string> LogLines(const std::string& prefix);

// ---- Dialog templates (parsed from res/telly.rc and res/resource.h at first use)
// ---------------------------
struct ControlTemplate {
    int id;                // -1 for static texts without an id
    std::string className; // as written: "Button", "ListBox", ...
    DWORD style, exStyle;  // CONTROL starts from WS_CHILD | WS_VISIBLE
    std::wstring text;
    int x, y, cx, cy; // dialog units
};
struct DialogTemplate {
    int id;
    DWORD style, exStyle; // STYLE's value alone: no bits are implied
    std::wstring caption;
    std::wstring fontName;
    int fontSize;
    int x, y, cx, cy;                      // dialog units
    std::vector<ControlTemplate> controls; // in template order (= creation and sibling order)
};
// The parsed template, or null when the resource script has none with that id.
const DialogTemplate* Template(int id);
// Why the resource script could not be read (empty when it parsed).
std::string TemplateError();
// Dialog units to pixels, fixed for determinism: x * 3 / 2 horizontally, y * 13 / 8 vertically
// (a 6 x 13 pixel average character of the 9 point font; real Windows gives about the same).
int DluToPixelsX(int du);
int DluToPixelsY(int du);

// ---- Windows ----------------------------------------------------------------------------------------------
// Placement: a dialog starts at its template position converted to pixels (centred on the desktop with
// DS_CENTER), controls at theirs relative to the dialog. A window's client area is the whole window.
// No activation, size or creation-time WM_MOVE messages are generated: tests send WM_ACTIVATE themselves.
// WM_MOVE is delivered when SetWindowPos or the system move changes a window's position.
struct WindowInfo {
    std::string name;
    int templateId; // dialog template (0 for controls)
    int controlId;  // control id (0 for dialogs)
    std::string className;
    DWORD style, exStyle;
    int x, y, cx, cy; // dialogs: screen pixels after placement (template size in dialog units before)
    bool visible;
    bool destroyed;
    std::wstring text;
    HWND owner;
    bool hasRegion;
    int zOrderTopmost; // 1 topmost, 0 normal
    bool focused;
};
// The window of a dialog created from `templateId` (the last one created), or null.
HWND DialogWindow(int templateId);
const WindowInfo* Info(HWND hwnd);
std::string WindowName(HWND hwnd);
// Region rows of a window: for each y, the [x0, x1) spans kept. Empty when the window has no region.
std::map<int, std::vector<std::pair<int, int>>> RegionRows(HWND hwnd);
// The window that has the keyboard focus (WM_NEXTDLGCTL, initial dialog focus), or null.
HWND FocusWindow();
// Icon given by WM_SETICON (ICON_BIG or ICON_SMALL), or null.
HICON WindowIcon(HWND hwnd, WPARAM which);
// Colours set by SetDialogBkColor (CWinApp), black on white before.
COLORREF DialogBackground();
COLORREF DialogText();
// Range and position of a scroll bar control (all 0 for anything else).
struct ScrollBarState {
    int min, max, pos;
};
ScrollBarState ScrollBar(HWND bar);
// Items of a list box control (in list order).
std::vector<std::wstring> ListBoxItems(HWND listBox);
// Live object counters for leak tests.
int LiveWindows();
int LiveGdiObjects(); // bitmaps + regions not deleted (regions owned by windows not counted)
int LiveDCs();

// ---- Window manager ---------------------------------------------------------------------------------------
// By default no window manager runs, as on the end-to-end display: every window stays where it was placed.
// With one, the top-level windows that are shown (created visible, ShowWindow, SetWindowPos with or
// without SWP_SHOWWINDOW on a visible window) are answered by it -- not during the call, which leaves the
// window where it was asked as under Wine, but when the platform next processes its events: at the start of
// each Tick, or at SettleWindowManager. The answer moves and sizes the window (WM_MOVE when it moved);
// nothing is logged, the player did not ask for it.
// SetWindowManagerClamps(true) runs the window manager of a Linux desktop as Wine meets it (openbox): a
// window that covers the whole screen is made full-screen, exactly the desktop rectangle; any other window
// keeps its place. False (the default) stops any window manager.
void SetWindowManagerClamps(bool clamps);
// A window manager of the test's own: `rule` gets each window to answer and the rectangle it was given
// (screen coordinates) and returns the rectangle it gets. A null rule stops the window manager.
void SetWindowManager(std::function<RECT(HWND, const RECT&)> rule);
// The window manager answers the windows shown or placed since its last answer (Tick does this first).
void SettleWindowManager();

// ---- Messages, timer, modal loops -------------------------------------------------------------------------
// Sends a message to a window through its dispatcher (as the platform would deliver it).
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
// One 50 ms step: advances the clock by 50 ms, lets the window manager answer (if one runs), then delivers
// WM_TIMER to every window with a live timer, in the order the timers were started.
void Tick(int count = 1);
// Called while RunModalDialog(templateId) runs, after WM_INITDIALOG, with the dialog window. It acts as the
// user; when it returns without EndDialog having been called, the dialog ends with IDCANCEL (so does a
// modal dialog without a driver, right after WM_INITDIALOG). The driver stays set until Reset; a null
// function removes it. Ticks the driver runs reach every window with a timer, as a nested modal loop does.
void SetModalDriver(int templateId, std::function<void(HWND)> driver);
// Opening a modal dialog that stays open while the test steps (the main window's tests): creates the
// window exactly as DoModal would (WM_CREATE, WM_INITDIALOG, owner rule included) and returns it, or null
// when creation failed (e.g. WM_CREATE answered -1). ModalEnded tells whether EndDialog has been called
// and with which result; CloseModal destroys the window (WM_DESTROY) as DoModal does before returning.
HWND OpenModal(CDialog& dlg);
bool ModalEnded(HWND dlg, INT_PTR* result = nullptr);
void CloseModal(HWND dlg);
// The user clicks button `id` of a dialog: an automatic radio button is checked and the other radio
// buttons of its group unchecked, then the dialog gets WM_COMMAND (BN_CLICKED, the button's window).
// Disabled or missing buttons do nothing (returns false).
bool ClickButton(HWND dlg, int id);
// A wheel turn over a dialog, as the Windows backend delivers it: one WM_VSCROLL per full notch (120),
// SB_LINEUP for positive deltas, SB_LINEDOWN for negative ones, lParam 0. Partial notches add up per
// window (the part below a notch keeps its sign). An unhandled WM_MOUSEWHEEL does the same.
void Wheel(HWND hwnd, int delta);
// A modal dialog of `templateId` stays open `ms` of simulated time after its driver (if any) returned
// without ending it, while its own message loop goes on delivering every window's timer (one Tick per 50 ms),
// as the real nested loop does; then the user presses Cancel.
void KeepModalOpenFor(int templateId, int ms);
// Makes the next RunModalDialog/CreateModelessDialog of `templateId` fail (returns -1 / null).
void FailDialogCreation(int templateId, bool fail);
// The system's interactive move (WM_SYSCOMMAND 0xF012) moves the window by this offset and returns.
void SetMoveDragOffset(int dx, int dy);
// SetTimer fails (returns 0) from now on when true.
void FailTimers(bool fail);

// ---- MCI device -------------------------------------------------------------------------------------------
// A file the device can open: path as the player sends it, length in frames, frames per second. As Wine's
// device it refuses (error 275) a path of 260 characters or more and one with characters outside the ANSI
// code page (Windows-1252); the file's short name opens it.
void AddMovie(const std::wstring& path, int frames, int fps);
// Like AddMovie, for a device that ends playback one frame short, as Wine's AVI device does: at the end
// it stops ("status movie mode" answers "stopped") with the position at length - 1.
void AddMovieEndingShort(const std::wstring& path, int frames, int fps);
struct MciState {
    bool open;
    std::wstring path;
    bool playing;
    bool paused;          // "pause movie" (mode "paused"); a stop or seek gives "stopped"
    bool endsShort;       // see AddMovieEndingShort
    bool framesFormat;    // false: milliseconds
    long long positionMs; // exact position
    int lengthFrames, fps;
    std::wstring windowHandle; // "default" or the decimal handle
    std::string destination;   // "24 22 176 120"
};
const MciState& Mci();

// ---- The movie device's pictures and sound
// ------------------------------------------------------------------ The program's own movie device draws
// with PresentPicture and plays through a wave-out stream from its worker threads; the simulation records
// both (safe to read while the device runs).
struct Picture {
    HWND window;
    int x, y, width, height;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows top-down
    long long clockMs;            // the simulated clock when it was drawn
};
// The pictures drawn since Reset, oldest first (the last 256 kept); how many were drawn in all; the newest.
std::vector<Picture> Pictures();
size_t PictureCount();
bool LastPicture(Picture* picture);
// No wave-out device from now on (WaveStreamOpen fails) when true.
void FailWaveOut(bool fail);
// While true, a stream's calls (write, position, pause, resume, reset) do not return: an audio driver
// that hangs, as Wine's has been seen to in a reset. Open and close go through.
void HoldWaveOut(bool hold);
// The simulated wave-out device plays a stream at its rate on the simulated clock while it is not paused,
// holds eight blocks of up to 100 ms (a write is cut into blocks; a short write fills one), as the Windows
// backend's waveOut stream does, and records what it was given.
struct WaveOutRecord {
    bool open, paused; // some stream is open; the newest is paused
    int openStreams;
    int rate, channels;
    int opens, resets;
    long long writtenFrames, playedFrames, droppedFrames; // since Reset, over every stream
    std::vector<int16_t> samples; // every frame written (interleaved), first two minutes
};
WaveOutRecord WaveOut();
// How many times any thread has waited on a condition (CCondition::Wait) since the program started: threads
// that have nothing to do must sleep, not keep waking each other.
long long ConditionWaits();

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
// The pointer's shape as SetCursor left it, named as in the log ("IDC_ARROW" at start).
std::string PointerShape();
long long ClockNow();
// Moves the clock on; the program's own movie device (when installed) settles at the new time before this
// returns (see fw::CMciDevice::Settle). Tick does the same.
void AdvanceClock(long long ms);
// The next Rand() results (then back to the runtime's rand()).
void ScriptRand(const std::vector<int>& values);

// ---- Process, resources, drops, files ---------------------------------------------------------------------
void SetCommandLine(const std::vector<std::wstring>& args);
// The program's own file (ModuleFileName). Empty (at start) stands for "argument 0 is right": the module's
// name is then argument 0 of the command line.
void SetModuleFileName(const std::wstring& path);
void SetDesktopSize(int w, int h);
// Bitmap resource bytes (BITMAPINFOHEADER + pixels); by default the generated skin sheet of the build.
void SetResource(UINT id, UINT type, const std::vector<BYTE>& bytes);
void RemoveResource(UINT id, UINT type);
HDROP MakeDrop(const std::vector<std::wstring>& paths);
// The number of items of a drop that is not finished yet (0 for none), without a log line.
size_t DropItemCount(HDROP drop);
// Host folder standing for the per-user settings folder; empty for none. UserSettingsDirPath answers it as
// it is; UserSettingsDir also creates it (one level) when missing.
void SetUserSettingsDir(const std::wstring& dir);
// File identities as Wine reports them for folders on its Z: drive: volume 0 and the host's inode as the
// index, so two mounts' roots collide as they do there. SetFileIdentity makes `path` (exactly as the player
// passes it) report the given identity instead, e.g. a colliding or a zero (unknown) one.
void SetFileIdentity(const std::wstring& path, uint64_t volume, uint64_t index);
// The short (8.3) name of `path` (ShortPathName). By default an existing file has one as Wine's drives give
// it (plain ASCII, every component 8.3: "\\tmp\\TELL~KQB\\____~AXE.AVI"); registering one overrides that,
// and an empty one stands for a volume that keeps none. A short name reaches its file again: the file
// functions and the movie device take it for the long path.
void SetShortPath(const std::wstring& path, const std::wstring& shortPath);
// Every folder listing (ListDirectory) takes this long on the simulated clock, as a slow disk or network
// share would (0 at start): for tests of work that watches the clock.
void SetFolderListingTime(long long ms);
// Called with the folder's path as each listing starts (after its time has passed): lets a test see what
// the user sees while a scan is still under way, such as the pointer. Cleared by Reset.
void OnFolderListing(std::function<void(const std::wstring&)> observer);
// File fault injection: the next operation of that kind on a path ending with `suffix` fails. A failed open
// (kFailCreate, kFailRead) gives `reason`; by default kFileOtherError, which says nothing about the folder
// (a full disk, say). kFailCreate also hits a kCreateTrial open. kFailDelete stands for a file the user may
// not delete (its permissions say so).
enum FileFault { kFailCreate, kFailWrite, kFailReplace, kFailRead, kFailDelete };
void InjectFileFault(FileFault fault, const std::wstring& suffix);
void InjectFileFault(FileFault fault, const std::wstring& suffix, fw::plat::FileError reason);
// A file is read-only (FILE_ATTRIBUTE_READONLY) when its host mode has no write bit (chmod a-w): it is not
// emptied, replaced or deleted, as Windows refuses them (access denied), root or not.
// A folder that takes no new files, as a read-only folder, share or medium answers: from now on every
// create in `dir` (a player path, with or without its trailing '\') fails with `reason`, kFileAccessDenied
// or kFileWriteProtected, and so does every replace or delete of a file in it. Reading goes on. kFileOk
// lifts it. (Tests run as root, which the host's own permissions would not stop.)
void SetFolderRefusal(const std::wstring& dir, fw::plat::FileError reason);
// Converts a player path ('\' separators) to the host path used on disk (a short name given out stands for
// its long path), and back.
std::string HostPath(const std::wstring& playerPath);
std::wstring PlayerPath(const std::string& hostPath);

// GDI out of resources: region and DIB section creation fail (return null) from now on when true.
void FailRegions(bool fail);
void FailBitmaps(bool fail);

// ---- Pixels -----------------------------------------------------------------------------------------------
// What has been blitted onto a window's client area: 24-bit BGR, top-down, cx*cy pixels of the window's
// current size (unpainted pixels are 0,0,0). Pixel(x,y) returns 0xRRGGBB.
unsigned Pixel(HWND hwnd, int x, int y);
std::vector<BYTE> SurfaceBGR(HWND hwnd, int* width, int* height);

} // namespace sim
