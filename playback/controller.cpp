// The movie controller: the one movie open under the MCI alias "movie", driven by plain command strings.
// MCI results are never examined: a failed command changes nothing on the device, and a failed status
// query answers with an empty reply, which reads as 0.
#include "app/player_dlg.h"

#include "app/globals.h"
#include "playback/knob_mapping.h"
#include "input/wheel_capture_wnd.h"
#include "panel/control_panel_dlg.h"
#include "playback/mci_text.h"
#include "view/full_screen.h"

namespace {

void Mci(const std::wstring& command) {
    MciSend(command, nullptr, 0);
}

// Sends a status query and reads its decimal reply. `capacity` is the reply length passed to the device.
int MciNumber(const wchar_t* command, UINT capacity) {
    std::wstring reply;
    MciSend(command, &reply, capacity);
    return ParseMciNumber(reply);
}

int Sign(int v) {
    return v > 0 ? 1 : -1;
}

// Some AVI devices (Wine's among them) end playback on the frame before the length and stay there, so
// the position never reaches the length. Only then, while playing normally, is the device asked whether
// it has stopped: one extra query at the last frame, none on other ticks.
bool StoppedOnLastFrame(int position) {
    if (g_bPaused != 0 || g_nScanSpeed != 0 || g_nLength <= 0 || position != g_nLength - 1) return false;
    std::wstring mode;
    MciSend(L"status movie mode", &mode, 255);
    return mode == L"stopped";
}

} // namespace

void CPlayerDlg::OpenCurrentEntry() {
    if (g_bFullScreen == 1) {
        OpenCurrentEntryFullScreen();
        return;
    }
    g_nScanSpeed = 0;
    g_nPosDrag = 1;
    Mci(L"stop movie");
    Mci(L"window movie handle default");
    Mci(L"close movie");

    // An empty playlist (a drop of folders without files) has no entry to open: nothing more is sent.
    std::wstring path;
    if (GetEntryText(g_nCurrentIndex, &path)) {
        std::wstring open;
        if (BuildOpenCommand(path, &open)) Mci(open);
        Mci(L"stop movie");
        Mci(L"window movie handle default");
        Mci(L"window movie handle " + HandleToDecimal(m_hWnd));
        Mci(L"put movie destination at 24 22 176 120");
        Mci(L"play movie");
        g_nLength = MciNumber(L"status movie length", 256);
    } else {
        g_nLength = 0;
    }
    g_nPosition = 0;
    g_nPosDrag = 0;
}

void CPlayerDlg::OpenCurrentEntryFullScreen() {
    g_nScanSpeed = 0;
    g_bFullScreen = 0; // for the duration of the load
    ReadPanelScanLineSettings(m_pControlPanel);

    const int w = g_nScreenWidth, h = g_nScreenHeight;
    if (g_bFsPanelShown == 0) {
        PlaceIfPresent(m_pControlPanel, HWND_NOTOPMOST, 0, h - kPanelHeight, w + g_nHideRight, kPanelHeight,
                       SWP_HIDEWINDOW);
        PlaceFullScreen(m_pMovieWnd, HWND_BOTTOM, SWP_SHOWWINDOW);
        PlaceFullScreen(m_pMovieWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
    }

    Mci(L"stop movie");
    Mci(L"window movie handle default");
    Mci(L"close movie");
    std::wstring path;
    const bool haveEntry = GetEntryText(g_nCurrentIndex, &path);
    if (haveEntry) {
        std::wstring open;
        if (BuildOpenCommand(path, &open)) Mci(open);
        Mci(L"stop movie");
        Mci(L"window movie handle default");
        AimMovieAtMovieWindow(m_pMovieWnd);
    }

    if (g_bFsPanelShown == 0) {
        if (m_pScanlineWnd) {
            if (m_pScanlineWnd->GetSafeHwnd()) m_pScanlineWnd->DestroyWindow();
            BuildScanlineOverlay();
            PlaceFullScreen(m_pScanlineWnd, HWND_TOPMOST, SWP_SHOWWINDOW);
        }
    } else {
        PlaceIfPresent(m_pControlPanel, HWND_BOTTOM, 0, h - kPanelHeight, w, kPanelHeight, SWP_SHOWWINDOW);
        PlaceIfPresent(m_pControlPanel, HWND_TOPMOST, 0, h - kPanelHeight, w, kPanelHeight, SWP_SHOWWINDOW);
    }

    if (haveEntry) {
        Mci(L"play movie");
        g_nPosition = 0;
        g_nLength = MciNumber(L"status movie length", 256);
    } else {
        g_nPosition = 0;
        g_nLength = 0;
    }
    g_bFullScreen = 1;
}

void CPlayerDlg::NextEntry() {
    if (g_nEntryCount <= 0) {
        // Nothing to move to: stop instead of reopening nothing on every tick.
        CloseMovie();
        return;
    }
    if (g_bRandom) {
        g_nCurrentIndex = Rand() % g_nEntryCount;
        OpenCurrentEntry();
        return;
    }
    ++g_nCurrentIndex;
    if (g_nCurrentIndex >= g_nEntryCount) {
        g_nCurrentIndex = 0;
        if (g_bRepeat == 1)
            OpenCurrentEntry();
        else
            CloseMovie();
        return;
    }
    OpenCurrentEntry();
}

void CPlayerDlg::PreviousEntry() {
    if (g_bRandom) {
        g_nCurrentIndex = g_nEntryCount > 0 ? Rand() % g_nEntryCount : 0;
        OpenCurrentEntry();
        return;
    }
    --g_nCurrentIndex;
    if (g_nCurrentIndex < 0) g_nCurrentIndex = (g_bRepeat == 1 && g_nEntryCount > 0) ? g_nEntryCount - 1 : 0;
    OpenCurrentEntry();
}

void CPlayerDlg::CloseMovie() {
    g_nCurrentIndex = 0;
    Mci(L"close movie");
    g_bClosed = 1;
    g_bPaused = 1;
    g_nPosKnobX = kPosKnobMin;
}

void CPlayerDlg::TogglePlayPause() {
    g_bPaused = g_bPaused == 0 ? 1 : 0;
    if (g_nScanSpeed != 0) {
        g_bPaused = 0;
        g_nScanSpeed = 0;
    }
    if (g_bPaused == 0) {
        if (g_bClosed == 1) {
            if (g_nEntryCount <= 0) {
                // Nothing to play: stay closed until the next drop.
                g_bPaused = 1;
                return;
            }
            g_nPosition = 0;
            OpenCurrentEntry();
            g_bClosed = 0;
        } else {
            Mci(L"play movie");
        }
    } else {
        Mci(L"pause movie");
        g_nPosition = MciNumber(L"status movie position", 255);
    }
}

void CPlayerDlg::RequestPlayPause() {
    if (g_bPaused == 0 && g_nScanSpeed != 0)
        Mci(L"play movie");
    else if (g_bPaused == 1 && g_nScanSpeed != 0)
        Mci(L"pause movie");
    else
        TogglePlayPause();
    g_nScanSpeed = 0;
}

void CPlayerDlg::StepPosition(int d) {
    if (g_bPaused == 0) {
        if (d == 1)
            NextEntry();
        else if (d == -1)
            PreviousEntry();
        return;
    }
    g_nPosition += d;
    Mci(L"seek movie to " + std::to_wstring(g_nPosition));
}

void CPlayerDlg::SeekTo(int position) {
    g_nPosition = position;
    if (g_bPaused == 0)
        Mci(L"play movie from " + std::to_wstring(position));
    else
        Mci(L"seek movie to " + std::to_wstring(position));
}

void CPlayerDlg::ScanTick() {
    if (g_nScanStep != 0) {
        if (g_nScanStep == 1) {
            g_nFfLitTicks = 2;
            ++g_nScanSpeed;
        } else {
            g_nRewLitTicks = 2;
            --g_nScanSpeed;
        }
        if (g_nScanSpeed >= 9) g_nScanSpeed = 9;
        if (g_nScanSpeed <= -9) g_nScanSpeed = -9;
        if (g_bPaused == 0 && g_nScanSpeed == 0) {
            g_nKeyCooldown = 9;
            Mci(L"play movie");
        }
        g_nScanStep = 0;
    }
    if (g_nScanSpeed == 0) return;

    const int s = g_nScanSpeed;
    const int level = s < 0 ? -s : s;
    if (g_bPaused == 0) {
        if (g_nWheel1Play != 1) Mci(L"set movie time format milliseconds");
        g_nPosition = MciNumber(L"status movie position", 256);
        if (g_nWheel1Play == 0)
            g_nPosition += Sign(s) * g_anJumpSeconds[level] * 1000;
        else
            g_nPosition += Sign(s) * g_anScanFrames[level];
    } else {
        g_nPosition = MciNumber(L"status movie position", 256);
        if (g_nWheel1Pause == 0) {
            if (g_cArrowKeys == 0) {
                g_nPosition += Sign(s);
                g_nScanSpeed = 0;
            } else {
                g_nPosition += Sign(s) * g_anScanFrames[level];
            }
        } else if (g_nWheel1Pause == 1) {
            g_nPosition += Sign(s) * g_anScanFrames[level];
            if (g_cArrowKeys == 0 && g_nPrevArrowKeys != 0) g_nScanSpeed = 0;
        }
        g_nPrevArrowKeys = g_cArrowKeys;
    }
    if (g_nPosition <= 0) g_nPosition = 0;
    Mci(L"seek movie to " + std::to_wstring(g_nPosition));
    if (g_bPaused == 0) Mci(L"set movie time format frames");
}

void CPlayerDlg::CheckEndOfMovie() {
    if (g_nPosDrag != 0 || g_bClosed != 0) return;
    const int p = MciNumber(L"status movie position", 255);
    if (p >= g_nLength || StoppedOnLastFrame(p)) NextEntry();
    g_nPosKnobX = PositionToKnob(p, g_nLength);
}

void CPlayerDlg::WaitTenths(int n) {
    const long long wait = static_cast<long long>(n) * 100;
    if (wait <= 0) return;
    const long start = ClockMs();
    while (static_cast<long long>(ClockMs()) - start < wait) {
    }
}
