// Platform-neutral Win32 vocabulary for the player.
//
// The player never includes <windows.h>. It sees these types and constants, which have the layout and
// values of their Win32 namesakes, inside namespace fw. The Windows backend (framework/win32) includes
// this header *before* <windows.h> and converts at the seam with reinterpret_cast; the simulated backend
// (framework/sim) gives the handles its own meaning (small integers disguised as pointers).
#pragma once

#include <cstddef>
#include <cstdint>

namespace fw {

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef DWORD COLORREF;
typedef UINT MMRESULT;

// Opaque handles. Distinct incomplete types so that a region cannot be passed where a window is wanted.
struct HWND__;
struct HDC__;
struct HBITMAP__;
struct HRGN__;
struct HICON__;
struct HINSTANCE__;
struct HDROP__;
struct HGDIOBJ__;
struct HCURSOR__;
typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HBITMAP__* HBITMAP;
typedef HRGN__* HRGN;
typedef HICON__* HICON;
typedef HINSTANCE__* HINSTANCE;
typedef HDROP__* HDROP;
typedef HGDIOBJ__* HGDIOBJ;
typedef HCURSOR__* HCURSOR;

inline HGDIOBJ AsGdiObject(HBITMAP h) {
    return reinterpret_cast<HGDIOBJ>(h);
}
inline HGDIOBJ AsGdiObject(HRGN h) {
    return reinterpret_cast<HGDIOBJ>(h);
}

struct RECT {
    LONG left, top, right, bottom;
};
struct POINT {
    LONG x, y;
};

struct CPoint : POINT {
    CPoint() { x = y = 0; }
    CPoint(int px, int py) { x = px, y = py; }
};

// Same layout as the Win32 structure: 40 bytes, no padding.
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER must be 40 bytes");

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr WORD LOWORD(uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<short>(LOWORD(static_cast<uintptr_t>(lp)));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<short>(HIWORD(static_cast<uintptr_t>(lp)));
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>((static_cast<uint32_t>(lo) & 0xFFFF) |
                               ((static_cast<uint32_t>(hi) & 0xFFFF) << 16));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
    return static_cast<WPARAM>(MAKELPARAM(lo, hi)) & 0xFFFFFFFFu;
}

// Messages.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_USER = 0x0400;

// Commands, scroll codes, activation.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr UINT ID_HELP = 0xE146; // 57670
constexpr UINT SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
               SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8;
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2;
constexpr UINT WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_CLOSE = 0xF060;
constexpr WPARAM ICON_SMALL = 0, ICON_BIG = 1;

// Window placement.
constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008,
               SWP_NOACTIVATE = 0x0010, SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080;
// Insert-after pseudo handles, with the Win32 values (the Windows backend passes them through unchanged).
inline const HWND HWND_TOP = reinterpret_cast<HWND>(static_cast<intptr_t>(0));
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(static_cast<intptr_t>(1));
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<intptr_t>(-2));
constexpr int SW_HIDE = 0, SW_SHOW = 5;

// Window styles (dialog templates and tests read these).
constexpr DWORD WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000,
                WS_DISABLED = 0x08000000, WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000,
                WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000, WS_SYSMENU = 0x00080000,
                WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001, WS_EX_NOPARENTNOTIFY = 0x00000004,
                WS_EX_ACCEPTFILES = 0x00000010, WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD DS_MODALFRAME = 0x80, DS_SETFONT = 0x40, DS_CENTER = 0x0800;
constexpr DWORD BS_PUSHBUTTON = 0, BS_DEFPUSHBUTTON = 1, BS_RADIOBUTTON = 4, BS_GROUPBOX = 7,
                BS_AUTORADIOBUTTON = 9, BS_PUSHLIKE = 0x1000, BS_TYPEMASK = 0x0F;
constexpr UINT BST_UNCHECKED = 0, BST_CHECKED = 1;

// List boxes (the playlist and the folder queue are hidden sorted list boxes).
constexpr UINT LB_ADDSTRING = 0x0180, LB_DELETESTRING = 0x0182, LB_RESETCONTENT = 0x0184, LB_GETTEXT = 0x0189,
               LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B;
constexpr LRESULT LB_ERR = -1;

// Regions and raster operations.
constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
constexpr int ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr UINT DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1;
constexpr DWORD BI_RGB = 0;

// Resources.
constexpr UINT RT_BITMAP_ID = 2;

// System metrics.
constexpr int SM_CXICON = 11, SM_CYICON = 12;

// Virtual keys polled by the player.
constexpr int VK_RETURN = 0x0D, VK_MENU = 0x12, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
              VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_ADD = 0x6B,
              VK_SUBTRACT = 0x6D;

constexpr MMRESULT MMSYSERR_NOERROR = 0;

} // namespace fw
