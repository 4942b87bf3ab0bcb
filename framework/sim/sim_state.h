// Internal state of the simulated platform, shared by its source files. Tests use sim.h only.
#pragma once

#include "framework/platform.h"
#include "framework/sim/region.h"
#include "framework/sim/sim.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace sim {
namespace detail {

// Handle values: small integers disguised as pointers, one counter for every kind of handle so that a
// handle of one kind never names an object of another. Reset() starts the counter again, so handles
// (which the player prints, e.g. "window movie handle N") are the same in every test run.
constexpr uintptr_t kFirstHandle = 0x100;
constexpr uintptr_t kHandleStep = 4;
constexpr uintptr_t kDesktopHandle = 0x10;
constexpr uintptr_t kStockBitmap = 0x40; // the 1x1 bitmap a new memory DC starts with
constexpr uintptr_t kAppIcon = 0x80;     // icon 128
constexpr uintptr_t kModuleHandle = 0x400000;
constexpr uintptr_t kArrowPointer = 0x90; // the dialogs' class pointer, the shape at start
constexpr uintptr_t kWaitPointer = 0x94;  // the system's wait shape

constexpr UINT kWmNcDestroy = 0x0082;
constexpr UINT kBmGetCheck = 0x00F0, kBmSetCheck = 0x00F1;
constexpr UINT kWmSetText = 0x000C, kWmGetText = 0x000D, kWmGetTextLength = 0x000E;

struct Window {
    WindowInfo info;
    HWND handle = nullptr;
    HWND parent = nullptr;      // controls: their dialog
    std::vector<HWND> children; // controls in template order
    plat::DialogDispatchFn dispatch = nullptr;
    void* ctx = nullptr;
    bool modal = false;
    bool ended = false;      // EndDialog has been called
    bool destroying = false; // WM_DESTROY / WM_NCDESTROY under way
    bool iconic = false;
    INT_PTR endResult = 0;
    uintptr_t region = 0;                            // owned region object, 0 for none
    UINT check = 0;                                  // buttons
    std::vector<std::wstring> items;                 // list boxes
    std::vector<std::string> itemKeys;               // sorted list boxes: each item's sort key
    int scrollMin = 0, scrollMax = 0, scrollPos = 0; // scroll bar controls
    HICON iconBig = nullptr, iconSmall = nullptr;
    bool acceptDrops = false;
    int wheelRemainder = 0;
    std::vector<BYTE> surface; // BGR, top-down, info.cx * info.cy
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT ms;
    unsigned long long serial; // start order
};

enum DcKind { kClientDc, kPaintDc, kMemoryDc, kDesktopDc };
struct Dc {
    DcKind kind;
    HWND hwnd;
    uintptr_t bitmap; // memory DCs: the selected bitmap (kStockBitmap at first)
};

struct Bitmap {
    int width = 0, height = 0; // height > 0: rows stored bottom-up
    int bitCount = 24;
    int stride = 0;
    std::vector<BYTE> bits;
    uintptr_t selectedInto = 0; // memory DC or 0
};

struct RegionObject {
    Region region;
    uintptr_t ownerWindow = 0; // the window that owns it after SetWindowRgn
};

struct OpenFile {
    int fd = -1;
    std::wstring path;
    bool deleteOnClose = false; // kCreateTrial
};

struct State {
    std::vector<std::string> log;
    uintptr_t nextHandle = kFirstHandle;

    // Windows.
    std::map<uintptr_t, Window> windows; // records stay after destruction (destroyed = true)
    std::map<int, HWND> lastDialog;      // template id -> last window made from it
    HWND focus = nullptr;
    std::map<int, std::function<void(HWND)>> modalDrivers;
    std::map<int, int> modalLifetimes; // KeepModalOpenFor
    std::set<int> failDialogs;
    int moveDx = 0, moveDy = 0;
    bool failTimers = false;
    bool failRegions = false; // FailRegions
    bool failBitmaps = false; // FailBitmaps
    std::vector<Timer> timers;
    unsigned long long timerSerial = 0;
    COLORREF dialogBackground = fw::RGB(255, 255, 255), dialogText = fw::RGB(0, 0, 0);
    int desktopW = 1024, desktopH = 768;
    // The window manager (none when empty) and the windows it has yet to answer.
    std::function<RECT(HWND, const RECT&)> windowManager;
    std::set<uintptr_t> awaitingWindowManager;

    // GDI.
    std::map<uintptr_t, Dc> dcs;
    std::map<uintptr_t, Bitmap> bitmaps;
    std::map<uintptr_t, RegionObject> regions;

    // MCI.
    struct Movie {
        int frames, fps;
        bool endsShort;
    };
    std::map<std::wstring, Movie> movies;
    MciState mci = MciState();

    // Sound, input, time.
    DWORD volume = 0xFFFFFFFF;
    bool failVolumeRead = false;
    std::set<int> keysDown;
    CursorState cursor = {0, false, {0, 0, 0, 0}, 0, 0};
    long long clock = 0;
    std::deque<int> scriptedRand;
    uint32_t randState = 1; // the runtime's rand(), never seeded

    // Process, resources, drops, files.
    std::vector<std::wstring> args = {L"C:\\telly\\telly.exe"};
    std::wstring moduleFileName; // empty: argument 0
    std::wstring userSettingsDir;
    std::map<std::pair<UINT, UINT>, std::shared_ptr<std::vector<BYTE>>> resources;
    std::set<std::pair<UINT, UINT>> removedResources;
    std::vector<std::shared_ptr<std::vector<BYTE>>> retiredResources; // keep handed-out bytes valid
    bool skinLoaded = false;
    std::map<uintptr_t, std::vector<std::wstring>> drops;
    std::map<uintptr_t, OpenFile> files;
    std::multimap<int, std::pair<std::wstring, plat::FileError>> fileFaults; // FileFault -> suffix, reason
    std::map<std::wstring, plat::FileError> refusingFolders;                 // SetFolderRefusal
    std::map<std::wstring, plat::FileIdentity> identities;                   // SetFileIdentity
    std::map<std::wstring, std::wstring> shortPaths;                         // SetShortPath
    std::map<std::wstring, std::wstring> longPaths; // short name (of a file or folder) -> long path
    long long folderListingMs = 0;                  // SetFolderListingTime
    std::function<void(const std::wstring&)> folderListingObserver; // OnFolderListing

    // Pointer shape (SetCursor).
    uintptr_t pointerShape = kArrowPointer;
};

State& S();

// Handles.
uintptr_t NewHandle();
template <class H> uintptr_t Key(H h) {
    return reinterpret_cast<uintptr_t>(h);
}
template <class H> H As(uintptr_t v) {
    return reinterpret_cast<H>(v);
}

void AddLog(const std::string& line);

// Windows (sim_windows.cpp).
Window* FindWnd(HWND h);    // live or destroyed record, null for unknown handles
Window* LiveWindow(HWND h); // null unless the window exists
std::string NameOf(HWND h);
std::string MessageName(UINT msg);
// Delivers a message through the window's dispatcher, then the platform's default processing when the
// dispatcher did not take it. Not logged.
LRESULT Deliver(HWND h, UINT msg, WPARAM wp, LPARAM lp);
// The platform's processing of a message nobody handled (also what plat::DefaultProc does).
LRESULT DefaultProcessing(HWND h, UINT msg, WPARAM wp, LPARAM lp);
void ResizeSurface(Window& w, int cx, int cy);
// Creates a dialog from its template: records, WM_CREATE, controls, WM_INITDIALOG, initial focus and
// visibility. Null when the template is missing, creation was made to fail or WM_CREATE answered -1.
HWND CreateDialogWindow(UINT templateId, HWND owner, plat::DialogDispatchFn dispatch, void* ctx, bool modal);
// DestroyWindow without the log line: owned windows first, then WM_DESTROY, the controls, WM_NCDESTROY.
void DestroyWindowTree(HWND h);
void SetFocusTo(HWND h);
// A top-level window was shown or placed: the window manager (if one runs) answers it at its next turn.
void AwaitWindowManager(HWND h);
// Timers of a window that goes away.
void DropTimers(HWND h);
// Control behaviour (buttons, texts, list boxes) for messages sent to a control.
LRESULT ControlProc(Window& control, UINT msg, WPARAM wp, LPARAM lp);

// GDI (sim_gdi.cpp): the region a window gives up when it is destroyed or gets another one.
void ReleaseWindowRegion(Window& w);

// Files (sim_files.cpp): `path` with a short name the platform gave out (ShortPathName, SetShortPath) in
// front replaced by the long path it stands for; other paths come back unchanged.
std::wstring LongFormOf(const std::wstring& path);

// MCI (sim_mci.cpp): the clock moved on by `ms`.
void MciClockAdvanced(long long ms);
// The movie device's side (sim_media.cpp): the clock its threads read, and a fresh start.
void PublishClock(long long ms);
void ResetMedia();
void AdvanceClockBy(long long ms);

} // namespace detail
} // namespace sim
