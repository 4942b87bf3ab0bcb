// Resource identifiers shared by telly.rc, the player and the simulated platform.
#pragma once

#define IDR_MAINFRAME 128
#define IDB_SKIN 129
#define IDD_PLAYER 102
#define IDD_MOVIE_WND 130
#define IDD_SCANLINE_WND 132
#define IDD_CONTROL_PANEL 133
#define IDD_MOUSE_SETTINGS 139

#define IDC_EDIT_UNUSED 1000
#define IDC_PLAYLIST 1006
#define IDC_FOLDER_QUEUE 1007
#define IDC_FOCUS_SCROLLBAR 1010
#define IDC_FRAME_UNUSED 1021

#define IDC_WHEEL_PAUSE_MODE1 1032
#define IDC_WHEEL_PAUSE_MODE2 1033
#define IDC_WHEEL_PLAY_MODE1 1034
#define IDC_WHEEL_PLAY_MODE2 1035
#define IDC_BOTTUN_OFF 1037
#define IDC_BOTTUN_ON 1038
