// The platform seam: every call the player makes into the operating system goes through these functions.
//
// Exactly one backend implements them: framework/win32 (user32, gdi32, winmm, shell32, kernel32) for
// telly.exe, or framework/sim (deterministic, in memory, recording every call) for the host tests.
// Player code never calls this header directly (scripts/test checks that no player folder names plat::); it
// uses the framework's classes (afxwin.h, controls.h, region.h, folders.h, dropped_files.h, paths.h), which
// do. The few free functions that have no natural class (MCI strings, wave-out volume, keys, cursor, clock,
// randomness) are re-exported by afxwin.h.
//
// Conventions:
//  - Caller is always the UI thread. No function here throws.
//  - Results have the meaning of their Win32 namesake; the player mostly ignores them.
//  - Strings are wide. Paths use '\' as separator; the simulated backend maps them onto real host folders.
//  - Function names avoid the Win32 names that <windows.h> turns into A/W macros, so the Windows backend
//    can include both headers.
#pragma once

#include "framework/fw_types.h"

#include <string>
#include <vector>

namespace fw {
namespace plat {

// ---- Dialog windows -------------------------------------------------------------------------------------

// The framework's message dispatcher. The backend calls it for every message a framework dialog receives
// (WM_CREATE included: the Windows backend delivers it before WM_INITDIALOG). Returns TRUE when the message
// was handled, with *result set; FALSE lets the platform do its default processing.
typedef BOOL (*DialogDispatchFn)(void* ctx, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

// Runs a modal dialog from template `templateId` of the program's resources, owned by `owner` (may be
// null). Returns the EndDlg result, or -1 when the window could not be created (including WM_CREATE
// answering -1). `ctx` is handed back to `dispatch` unchanged; the caller owns it and keeps it alive.
INT_PTR RunModalDialog(UINT templateId, HWND owner, DialogDispatchFn dispatch, void* ctx);
// Creates a modeless dialog; returns its window or null.
HWND CreateModelessDialog(UINT templateId, HWND owner, DialogDispatchFn dispatch, void* ctx);
// Ends the modal loop of `dlg` with `result` once the current message returns.
BOOL EndDlg(HWND dlg, INT_PTR result);
// Every dialog of the program is drawn with these colours (WM_CTLCOLOR* answered by the backend).
void SetDialogColors(COLORREF background, COLORREF text);

// ---- Windows and messages -------------------------------------------------------------------------------

LRESULT SendMsg(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Default processing of a message a framework handler has taken (DefWindowProc on Windows). Handlers call
// it through CWnd::Default at the point in their work where the platform's processing must happen.
LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
BOOL SetWindowPosition(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// Gives the region to the window, which owns it from then on (the caller must not delete it).
int SetWindowRegion(HWND hwnd, HRGN rgn, BOOL redraw);
HWND GetDialogItem(HWND dlg, int id);
BOOL DestroyWnd(HWND hwnd);
BOOL ShowWnd(HWND hwnd, int cmd);
BOOL IsWnd(HWND hwnd);
BOOL IsWindowIconic(HWND hwnd);
BOOL GetClientRectangle(HWND hwnd, RECT* rc);
// GetWindowRect: where the window is on the screen now. A window manager may have moved or resized a window
// after SetWindowPosition returned; this reports its answer once the platform has processed it.
BOOL GetWindowRectangle(HWND hwnd, RECT* rc);
// ShowScrollBar of a window's own scroll bar (`bar` SB_VERT or SB_HORZ): hiding it takes WS_VSCROLL or
// WS_HSCROLL out of the window's style and gives its strip to the client area.
BOOL ShowOwnScrollBar(HWND hwnd, int bar, BOOL show);
DWORD GetWindowStyle(HWND hwnd);
// The window with the keyboard focus (GetFocus), or null.
HWND FocusedWindow();
// Next sibling in z/creation order (GetWindow GW_HWNDNEXT); used to walk radio groups.
HWND GetNextSibling(HWND hwnd);
HWND GetDesktop();
UINT IsButtonChecked(HWND dlg, int id);
BOOL CheckButton(HWND dlg, int id, UINT state);
BOOL SetItemText(HWND dlg, int id, const std::wstring& text);
std::wstring GetItemText(HWND dlg, int id);
UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
BOOL StopTimer(HWND hwnd, UINT_PTR id);
int GetMetric(int index);

// ---- Scroll bar controls (SB_CTL) -------------------------------------------------------------------------
// `bar` is the scroll bar control itself. As Windows: the position is kept inside the range, a range change
// pulls the position into it. SetScrollBarPos returns the previous position; all return 0 for no bar.
BOOL SetScrollBarRange(HWND bar, int minPos, int maxPos, BOOL redraw);
int SetScrollBarPos(HWND bar, int pos, BOOL redraw);
int GetScrollBarPos(HWND bar);

// ---- List boxes (LB_ADDSTRING and friends, wide) ----------------------------------------------------------
// Adds `text` to a list box control; with the sorted style it lands at its place in the locale order with
// case ignored (see CListBox). Returns the index or LB_ERR; a window that is no list box answers 0.
LRESULT ListBoxAdd(HWND listBox, const std::wstring& text);
LRESULT ListBoxCount(HWND listBox);
// Text of item `index`; false (and *text untouched) when there is no such item.
bool ListBoxText(HWND listBox, int index, std::wstring* text);
LRESULT ListBoxDelete(HWND listBox, int index);
void ListBoxReset(HWND listBox);

// ---- Drag and drop ----------------------------------------------------------------------------------------
void AcceptDrops(HWND hwnd, BOOL accept);
// Every item of the drop, whole and in drop order, read in one pass: no item is found by walking the list
// from its start again, so a drop of n items costs O(n). The drop is read within its own bounds only: a
// malformed one gives the items read before the fault, or none, and false.
bool DropItems(HDROP drop, std::vector<std::wstring>* items);
void FinishDrop(HDROP drop);

// ---- Resources and icons ----------------------------------------------------------------------------------
HINSTANCE ModuleHandle();
// FindResource + LoadResource + LockResource. The bytes stay valid for the life of the module.
bool LockResourceBytes(HINSTANCE module, UINT id, UINT type, const BYTE** data, DWORD* size);
HICON LoadAppIcon(HINSTANCE module, UINT id);

// ---- GDI --------------------------------------------------------------------------------------------------
HDC GetClientDC(HWND hwnd);
int ReleaseClientDC(HWND hwnd, HDC dc);
struct PaintInfo {
    HDC dc;
    RECT rcPaint;
    void* opaque[8]; // backend storage (PAINTSTRUCT)
};
HDC BeginPaintDC(HWND hwnd, PaintInfo* info);
void EndPaintDC(HWND hwnd, PaintInfo* info);
HDC CreateMemoryDC(HDC reference);
BOOL DeleteMemoryDC(HDC dc);
HGDIOBJ SelectGdiObject(HDC dc, HGDIOBJ obj);
BOOL DeleteGdiObject(HGDIOBJ obj);
BOOL Blit(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
// CreateDIBSection with a BITMAPINFO made of the header alone. *bits receives the pixel memory.
HBITMAP CreateDibSection(HDC reference, const BITMAPINFOHEADER* header, UINT usage, void** bits);
HRGN CreateRectRegion(int left, int top, int right, int bottom);
int CombineRegions(HRGN dst, HRGN a, HRGN b, int mode);
BOOL DrawIconAt(HDC dc, int x, int y, HICON icon);

// ---- Multimedia -------------------------------------------------------------------------------------------
// mciSendStringW. `reply` may be null (no reply wanted: length 0); otherwise it receives the reply text,
// at most replyCapacity - 1 characters. Returns the MCI error code (the player never looks at it).
DWORD MciSend(const std::wstring& command, std::wstring* reply, UINT replyCapacity);
MMRESULT WaveOutGetVolume(UINT device, DWORD* volume);
MMRESULT WaveOutSetVolume(UINT device, DWORD volume);

// ---- Keyboard, pointer, time, randomness ------------------------------------------------------------------
short AsyncKeyState(int vk); // negative while the key is held
int ShowPointer(BOOL show);  // ShowCursor: returns the new show count
BOOL ClipPointer(const RECT* rc);
BOOL SetPointerPos(int x, int y);
long ClockMs(); // clock(): milliseconds since program start
int Rand();     // the runtime's rand(), never seeded

// The pointer's shape (LoadCursor, SetCursor). The shape lasts until the next message that sets one
// (WM_SETCURSOR), so a shape set by work that processes no messages stays until that work is done.
HCURSOR WaitPointerShape();             // the system's wait shape (IDC_WAIT); shared, never destroyed
HCURSOR SetPointerShape(HCURSOR shape); // returns the shape it replaced (null for none)

// ---- Process ----------------------------------------------------------------------------------------------
// The argument vector, wide, argument 0 (the program path) included.
std::vector<std::wstring> CommandLineArgs();
// The full path of the program's own file (GetModuleFileNameW), whatever argument 0 says: a caller may put
// anything there, and an unquoted path with blanks arrives split into several arguments. Empty when the
// system does not tell.
std::wstring ModuleFileName();
// A per-user folder for settings, ending in '\' (created if missing); empty when there is none. It makes the
// folder: ask it only to write there.
std::wstring UserSettingsDir();
// Where UserSettingsDir is (%APPDATA%\Telly\ on Windows), ending in '\', without creating anything: the
// folder may not exist. Empty when there is none.
std::wstring UserSettingsDirPath();

// ---- Files ------------------------------------------------------------------------------------------------
struct DirEntry {
    std::wstring name; // "." and ".." included, as the platform lists them
    bool isDirectory;
};
// Lists the folder `dir` (no pattern, no trailing '\') once, in the file system's order.
// False when it cannot be opened (not a folder, missing, no access).
bool ListDirectory(const std::wstring& dir, std::vector<DirEntry>* entries);
// A stable identity of the file or folder (volume and file index; device and inode): two paths that reach
// the same folder through a link give the same identity. False when the path cannot be opened.
struct FileIdentity {
    uint64_t volume;
    uint64_t index;
    bool operator<(const FileIdentity& o) const {
        return volume != o.volume ? volume < o.volume : index < o.index;
    }
    bool operator==(const FileIdentity& o) const { return volume == o.volume && index == o.index; }
};
bool GetFileIdentity(const std::wstring& path, FileIdentity* id);
// The file index alone (FileIdentity::index, without the volume). Asking for a volume's serial can cost far
// more than the rest (Wine asks its mount manager, another process, each time), so a caller that compares
// identities compares indexes first and asks for whole identities only when they match. False when the path
// cannot be opened.
bool GetFileIndex(const std::wstring& path, uint64_t* index);
// True when `path` names an existing folder (GetFileAttributes): one cheap query, no handle opened.
bool IsDirectory(const std::wstring& path);
// The short (8.3) form of an existing file's path (GetShortPathNameW), without any extended-length prefix:
// plain ASCII, and short, on volumes that keep short names. Empty when the volume keeps none or the file
// cannot be found.
std::wstring ShortPathName(const std::wstring& path);

// Opaque open file. Null on failure.
struct FileHandle_;
typedef FileHandle_* FileHandle;
// kCreateWrite creates or empties the file. kCreateNew creates a file that is not there yet: any file,
// folder or link of that name fails the open (kFileExists, or kFileAccessDenied for a name the system will
// not open), so nothing that stands at the name is followed, emptied or written. kCreateTrial opens as
// kCreateNew does and the system deletes the file when it is closed, also when the process ends first: it
// asks the folder whether it takes the file without leaving one behind.
enum FileMode { kRead, kCreateWrite, kCreateNew, kCreateTrial };
// Why an open failed.
enum FileError {
    kFileOk,
    kFileNotFound,       // no such file, or a folder of the path is missing (ERROR_FILE/PATH_NOT_FOUND)
    kFileAccessDenied,   // ERROR_ACCESS_DENIED: no right to the file, or to add it to its folder; the system
                         // also answers this for a folder, or a hidden, system or read-only file, in the
                         // way of a create
    kFileWriteProtected, // ERROR_WRITE_PROTECT: a read-only medium or volume
    kFileSharingViolation, // ERROR_SHARING_VIOLATION: another open of the file does not share the access
    kFileExists,           // ERROR_FILE_EXISTS / ERROR_ALREADY_EXISTS
    kFileOtherError,
};
// `error`, when given, receives kFileOk or the reason of the failure.
FileHandle FileOpen(const std::wstring& path, FileMode mode, FileError* error = nullptr);
// True when a file or folder of that name exists (hidden and system ones included).
bool PathExists(const std::wstring& path);
// Reads up to `count` bytes; returns the number read, or -1 on error.
long long FileRead(FileHandle f, void* buf, size_t count);
// Writes all `count` bytes; false on any failure (a short write is a failure).
bool FileWrite(FileHandle f, const void* buf, size_t count);
// Flushes to the device (FlushFileBuffers / fsync); false on failure.
bool FileFlush(FileHandle f);
long long FileLength(FileHandle f);
bool FileClose(FileHandle f);
// Replaces `target` by `source` in one step; the source is gone afterwards. An existing target keeps its
// attributes and permissions (ReplaceFileW: the source takes them over); a missing one is made by moving the
// source there (MoveFileEx with write-through). A read-only target (FILE_ATTRIBUTE_READONLY: the user's lock)
// or a folder is refused and left as it is. False when nothing was replaced; both files are then as they
// were.
bool FileReplace(const std::wstring& source, const std::wstring& target);
// Deletes the file at that name, and nothing elsewhere: a link at the name is removed itself, never its
// target; where the platform cannot open a link as itself (Wine follows Unix symbolic links), a name whose
// file lies elsewhere is left alone. False then, and for a folder, a read-only file, a file another open
// does not share for deletion, or a missing one.
bool FileDelete(const std::wstring& path);
// Moves the file's read position to `offset` bytes from its start; false (position unchanged) when it
// cannot. Reading past the end reads nothing.
bool FileSeek(FileHandle f, long long offset);

// ---- Worker threads ---------------------------------------------------------------------------------------
// Unlike the rest of this header, everything from here on may be called from any thread: the movie device
// decodes and presents on threads of its own. The UI thread never waits long on a lock its workers hold.

struct Thread_;
typedef Thread_* ThreadHandle;
// Starts `body(arg)` on a new thread; null when none could be made. Every started thread is joined once.
ThreadHandle StartThread(void (*body)(void*), void* arg);
// Waits until the thread's body has returned, then frees the handle.
void JoinThread(ThreadHandle thread);

struct Mutex_;
typedef Mutex_* MutexHandle;
MutexHandle CreateMutexObject(); // null when out of memory
void DestroyMutexObject(MutexHandle mutex);
void LockMutex(MutexHandle mutex);
void UnlockMutex(MutexHandle mutex);

struct Condition_;
typedef Condition_* ConditionHandle;
ConditionHandle CreateCondition(); // null when out of memory
void DestroyCondition(ConditionHandle condition);
// Releases `mutex` (held by the caller), sleeps until woken or `timeoutMs` of real time passed, and takes
// the mutex again. Wakes without a cause may happen: callers wait in a loop on their own condition.
void WaitCondition(ConditionHandle condition, MutexHandle mutex, unsigned timeoutMs);
void WakeAllWaiters(ConditionHandle condition);

// The clock movies play by, in microseconds, only ever growing: the performance counter on Windows; the
// simulated clock in the simulation, so tests move playback in time (see sim::AdvanceClock).
long long MediaClockUs();

// ---- Pictures and sound of the movie device ---------------------------------------------------------------

// Draws a picture of `width` x `height` pixels, 32 bits each (blue, green, red, unused), rows top-down and
// `width` pixels apart, at (x, y) of the window's client area: SetDIBitsToDevice on the window's own DC.
// Any thread. False when the window is gone or the picture could not be drawn.
bool PresentPicture(HWND window, int x, int y, int width, int height, const uint32_t* pixels);

// A wave-out stream of 16-bit PCM (interleaved channels) on wave-out device `device`, the device whose
// volume WaveOutSetVolume sets. Null when there is no such device or it refuses the format.
struct WaveStream_;
typedef WaveStream_* WaveStreamHandle;
WaveStreamHandle WaveStreamOpen(UINT device, int sampleRate, int channels);
// Queues as many of `frames` sample frames as the stream takes now, without waiting; returns that count
// (0 when its queue is full). A new stream, and one after WaveStreamReset, starts playing what it is given
// at once unless paused.
size_t WaveStreamWrite(WaveStreamHandle stream, const int16_t* samples, size_t frames);
// Sample frames played since the stream was opened or last reset.
long long WaveStreamPlayed(WaveStreamHandle stream);
// Pause holds the sound at once (silent) with its queue kept; Resume goes on from there.
void WaveStreamPause(WaveStreamHandle stream);
void WaveStreamResume(WaveStreamHandle stream);
// Drops everything queued, silent at once; the played count starts again from 0. Keeps the pause state.
void WaveStreamReset(WaveStreamHandle stream);
void WaveStreamClose(WaveStreamHandle stream);

} // namespace plat
} // namespace fw
