// For host tools that run the player's own skin composition: resets the simulated platform and the player
// state, and gives a main window object whose canvas and sheet are loaded from the build's skin resource
// (the window object owns both and frees them when it goes).
#pragma once

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/sim/sim.h"
#include "res/resource.h"
#include "view/skin_bitmap.h"

#include <memory>
#include <new>

// Null when the skin resource cannot be loaded.
inline std::unique_ptr<CPlayerDlg> MakeHostSkinDialog() {
    sim::Reset();
    ResetPlayerState();
    // The main window asks the application object for its icon; the program's own one is not linked here.
    if (!fw::AfxGetApp()) static fw::CWinApp standIn;
    auto dlg = std::make_unique<CPlayerDlg>(nullptr);
    dlg->m_pCanvas = new CSkinBitmap(nullptr, IDB_SKIN, fw::AfxGetInstanceHandle(), 1);
    dlg->m_pSheet = new CSkinBitmap(nullptr, IDB_SKIN, fw::AfxGetInstanceHandle(), 1);
    if (dlg->m_pCanvas->IsEmpty() || dlg->m_pSheet->IsEmpty()) return nullptr;
    g_pCanvasTop = dlg->m_pCanvas->TopRowBits();
    return dlg;
}
