// CPlayerApp: runs the main window as a modal dialog and ends the program when it returns.
#pragma once

#include "framework/afxwin.h"

class CPlayerApp : public fw::CWinApp {
public:
    fw::BOOL InitInstance() override;
};

extern CPlayerApp theApp;
