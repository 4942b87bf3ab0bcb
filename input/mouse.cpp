// Mouse control of the main window: presses on the skin's buttons, switches and close box, the two knob
// drags, the window move, and the middle button's play/pause request.
#include "app/globals.h"
#include "app/player_dlg.h"
#include "input/hit_boxes.h"
#include "playback/knob_mapping.h"

using namespace fw;

namespace {

// WM_SYSCOMMAND with SC_MOVE | HTCAPTION: the system's interactive move, as if the caption were dragged.
constexpr WPARAM kMoveByCaption = 0xF012;

// Moves left of x 20 or from x 200 on park the position knob at an end of its bar.
constexpr int kPosParkLeft = 20, kPosParkRight = 200;
// The volume bar parks left of x 89 and from x 132 on.
constexpr int kVolParkLeft = 89, kVolParkRight = 132;

} // namespace

void CPlayerDlg::SendWindowMove() {
    SendMessage(WM_SYSCOMMAND, kMoveByCaption, 0);
}

void CPlayerDlg::OnLButtonDown(UINT flags, CPoint pt) {
    (void)flags;
    const int x = pt.x, y = pt.y;
    if (HitsPositionKnob(g_nPosKnobX, g_nPosKnobY, x, y) && g_bClosed == 0) {
        g_nPosDrag = 1;
    } else if (HitsVolumeKnob(g_nVolKnobX, g_nVolKnobY, x, y) && g_nKeyCooldown == 0) {
        g_nVolDrag = 1;
    } else {
        // Returns only when the button is released; a press on a button acts after that, at the press point.
        SendWindowMove();
    }
    if (InBox(kCloseBox, x, y)) g_bQuitRequest = 1;
    m_nLastMouseX = x;
    m_nLastMouseY = y;

    switch (SkinButtonAt(x, y)) {
    case SkinButton::Rnd:
        g_bRandom = g_bRandom == 0 ? 1 : 0;
        break;
    case SkinButton::Rep:
        g_bRepeat = g_bRepeat == 0 ? 1 : 0;
        break;
    case SkinButton::Ff:
        g_nFfLitTicks = 2;
        StepPosition(+1);
        break;
    case SkinButton::Rew:
        g_nRewLitTicks = 2;
        StepPosition(-1);
        break;
    case SkinButton::Stop:
        CloseMovie();
        break;
    case SkinButton::Full:
        if (g_bFullScreen == 0) SetFullScreen(0);
        break;
    case SkinButton::PlayPause:
        RequestPlayPause();
        break;
    case SkinButton::Picture:
        if (g_nBottunMode == 1) RequestPlayPause();
        break;
    case SkinButton::None:
        break;
    }
    Default();
}

void CPlayerDlg::OnMouseMove(UINT flags, CPoint pt) {
    (void)flags;
    const int x = pt.x, y = pt.y;
    if (g_nPosDrag == 1) {
        // The knob follows the mouse by the distance moved, not to the pointer.
        g_nPosKnobX += x - m_nLastMouseX;
        if (g_nPosKnobX <= kPosKnobMin) g_nPosKnobX = kPosKnobMin;
        if (g_nPosKnobX > kPosKnobMax) g_nPosKnobX = kPosKnobMax;
        if (x < kPosParkLeft) {
            g_nPosKnobX = kPosKnobMin;
            g_nPosDrag = 2;
        }
        if (x >= kPosParkRight) {
            g_nPosKnobX = kPosKnobMax;
            g_nPosDrag = 2;
        }
        SeekTo(KnobToPosition(m_movie.Length(), g_nPosKnobX));
        m_nLastMouseX = x;
        m_nLastMouseY = y;
    }
    if (g_nVolDrag == 1) {
        g_nVolKnobX += x - m_nLastMouseX;
        if (g_nVolKnobX <= kVolKnobMin) g_nVolKnobX = kVolKnobMin;
        if (g_nVolKnobX >= kVolKnobMax) g_nVolKnobX = kVolKnobMax;
        if (x < kVolParkLeft) {
            g_nVolKnobX = kVolKnobMin;
            g_nVolDrag = 2;
        }
        if (x >= kVolParkRight) {
            g_nVolKnobX = kVolKnobMax;
            g_nVolDrag = 2;
        }
        m_volume.Write(CWaveVolume::ForKnob(g_nVolKnobX));
        m_nLastMouseX = x;
        m_nLastMouseY = y;
    }
}

void CPlayerDlg::OnLButtonUp(UINT flags, CPoint pt) {
    (void)flags;
    (void)pt;
    if (g_nPosDrag == 0 && g_nVolDrag == 0) SendWindowMove();
    g_nPosDrag = 0;
    g_nVolDrag = 0;
    Default();
}

void CPlayerDlg::OnLButtonDblClk(UINT flags, CPoint pt) {
    (void)flags;
    (void)pt;
    // The second press of a double-click only moves the window: it is never a button press.
    SendWindowMove();
    Default();
}

void CPlayerDlg::OnMButtonDown(UINT flags, CPoint pt) {
    (void)flags;
    (void)pt;
    g_bPlayPauseRequest = 1; // carried out by the next tick
}
