// Win32 facts the self-test checks against, behind the seam's types (the test cases include afxwin.h,
// which cannot live together with <windows.h>). The conformance suite's environment (seam_env.cpp) uses
// them too.
#pragma once

#include "framework/fw_types.h"

#include <string>
#include <vector>

namespace probe {

// GDI state.
fw::HDC MakeMemoryDC();
void DeleteDC(fw::HDC dc);
fw::COLORREF TextColor(fw::HDC dc);
fw::COLORREF BackgroundColor(fw::HDC dc);
// Colour of a solid brush, or 0xFFFFFFFF when `brush` is not one.
fw::COLORREF SolidBrushColor(fw::LRESULT brush);

// Windows.
void InvalidateAndUpdate(fw::HWND hwnd); // makes the window paint now (WM_PAINT sent synchronously)
bool HasUpdateRegion(fw::HWND hwnd);
fw::DWORD ExStyle(fw::HWND hwnd);
void PumpMessages();
fw::POINT CursorPos();

// Files.
std::wstring TempFolder(); // ends in '\'
bool IsFolder(const std::wstring& path);
bool RemoveFolder(const std::wstring& path); // an empty one
// A test movie of the end-to-end run (its movies folder, from $TELLY_E2E_RUN), or empty outside that run.
std::wstring E2eMovie(const std::wstring& name);

// A drop object as the shell hands it to WM_DROPFILES (wide names).
fw::HDROP MakeDrop(const std::vector<std::wstring>& paths);

} // namespace probe
