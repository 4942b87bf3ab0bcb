// CMouseSettingsDlg: the modal mouse settings dialog (template 139). Three pairs of push-like radio buttons
// choose the wheel mode while playing, the wheel mode while paused, and whether a left click on the picture
// toggles play/pause. The members hold the index of the checked button of each pair (0 or 1), -1 for none.
#pragma once

#include "framework/afxwin.h"

class CMouseSettingsDlg : public fw::CDialog {
public:
    explicit CMouseSettingsDlg(fw::CWnd* parent = nullptr);
    ~CMouseSettingsDlg() override;

    int m_nWheelPlay;  // 1034 MODE1 / 1035 MODE2  -> g_nWheel1Play
    int m_nWheelPause; // 1032 MODE1 / 1033 MODE2  -> g_nWheel1Pause
    int m_nBottunMode; // 1037 OFF   / 1038 ON     -> g_nBottunMode

protected:
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
};

// A choice read back from the dialog, or the previous value when the pair was left with neither button
// checked (-1): storing -1 would make the wheel scan mix its two modes.
int KeepUnlessChosen(int chosen, int previous);
