// The movie controller: the one movie open under the MCI alias "movie", driven through CMovieDevice. Device
// results are never examined: a failed command changes nothing on the device, and a failed status query
// reads as 0, so the controller's variables change as if every command had worked.
#include "app/player_dlg.h"

#include "app/globals.h"
#include "playback/knob_mapping.h"
#include "res/skin_layout.h"

#include <climits>

using namespace fw;

namespace {

int Sign(int v) {
    return v > 0 ? 1 : -1;
}

// `position` moved by `offset`, kept inside int. Positions come from the device, which may report anything
// up to INT_MAX (or down to INT_MIN: the reply parser clamps longer numbers to the range), so a jump or a
// frame step from there saturates instead of overflowing.
int OffsetPosition(int position, long long offset) {
    const long long moved = static_cast<long long>(position) + offset;
    if (moved > INT_MAX) return INT_MAX;
    if (moved < INT_MIN) return INT_MIN;
    return static_cast<int>(moved);
}

// Some AVI devices (Wine's among them) end playback on the frame before the length and stay there, so the
// position never reaches the length. Only then, while playing normally, is the device asked whether it has
// stopped: one extra query at the last frame, none on other ticks.
bool StoppedOnLastFrame(CMovieDevice& movie, int position) {
    if (g_bPaused != 0 || g_nScanSpeed != 0 || g_nLength <= 0 || position != g_nLength - 1) return false;
    return movie.HasStopped();
}

} // namespace

bool CPlayerDlg::LoadCurrentEntry() {
    m_movie.Stop();
    m_movie.ShowInOwnWindow();
    m_movie.Close();
    // An empty playlist (a drop of folders without files) has no entry to open: nothing more is sent.
    std::wstring path;
    if (!GetEntryText(g_nCurrentIndex, &path)) return false;
    m_movie.Open(path);
    m_movie.Stop();
    m_movie.ShowInOwnWindow();
    return true;
}

void CPlayerDlg::OpenCurrentEntry() {
    g_nScanSpeed = 0;
    if (g_bFullScreen == 1 && m_openFullScreen) {
        m_openFullScreen();
        return;
    }
    g_nPosDrag = 1;
    if (LoadCurrentEntry()) {
        m_movie.ShowIn(m_hWnd);
        m_movie.SetDestination(kScreenHole.x, kScreenHole.y, kScreenHole.w, kScreenHole.h);
        m_movie.Play();
        g_nLength = m_movie.Length(CMovieDevice::kLongReply);
    } else {
        g_nLength = 0;
    }
    g_nPosition = 0;
    g_nPosDrag = 0;
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
    m_movie.Close();
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
            g_nPosition = 0; // the reopened entry starts at its beginning
            OpenCurrentEntry();
            g_bClosed = 0;
        } else {
            m_movie.Play();
        }
    } else {
        m_movie.Pause();
        g_nPosition = m_movie.Position();
    }
}

void CPlayerDlg::RequestPlayPause() {
    if (g_bPaused == 0 && g_nScanSpeed != 0)
        m_movie.Play();
    else if (g_bPaused == 1 && g_nScanSpeed != 0)
        m_movie.Pause();
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
    g_nPosition = OffsetPosition(g_nPosition, d);
    m_movie.Seek(g_nPosition);
}

void CPlayerDlg::SeekTo(int position) {
    g_nPosition = position;
    if (g_bPaused == 0)
        m_movie.PlayFrom(position);
    else
        m_movie.Seek(position);
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
            m_movie.Play();
        }
        g_nScanStep = 0;
    }
    if (g_nScanSpeed == 0) return;

    const int s = g_nScanSpeed;
    const int level = s < 0 ? -s : s;
    if (g_bPaused == 0) {
        if (g_nWheel1Play != 1) m_movie.UseMilliseconds();
        g_nPosition = m_movie.Position(CMovieDevice::kLongReply);
        if (g_nWheel1Play == 0)
            g_nPosition = OffsetPosition(g_nPosition, Sign(s) * g_anJumpSeconds[level] * 1000LL);
        else
            g_nPosition = OffsetPosition(g_nPosition, Sign(s) * g_anScanFrames[level]);
    } else {
        g_nPosition = m_movie.Position(CMovieDevice::kLongReply);
        if (g_nWheel1Pause == 0) {
            if (g_cArrowKeys == 0) {
                g_nPosition = OffsetPosition(g_nPosition, Sign(s));
                g_nScanSpeed = 0;
            } else {
                g_nPosition = OffsetPosition(g_nPosition, Sign(s) * g_anScanFrames[level]);
            }
        } else if (g_nWheel1Pause == 1) {
            g_nPosition = OffsetPosition(g_nPosition, Sign(s) * g_anScanFrames[level]);
            if (g_cArrowKeys == 0 && g_nPrevArrowKeys != 0) g_nScanSpeed = 0;
        }
        g_nPrevArrowKeys = g_cArrowKeys;
    }
    if (g_nPosition <= 0) g_nPosition = 0;
    m_movie.Seek(g_nPosition);
    if (g_bPaused == 0) m_movie.UseFrames();
}

void CPlayerDlg::CheckEndOfMovie() {
    if (g_nPosDrag != 0 || g_bClosed != 0) return;
    const int p = m_movie.Position();
    if (p >= g_nLength || StoppedOnLastFrame(m_movie, p)) NextEntry();
    g_nPosKnobX = PositionToKnob(p, g_nLength);
}

void CPlayerDlg::WaitTenths(int n) {
    const long long wait = static_cast<long long>(n) * 100;
    if (wait <= 0) return;
    const long start = ClockMs();
    while (static_cast<long long>(ClockMs()) - start < wait) {
    }
}
