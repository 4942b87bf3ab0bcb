// The Win32 side of the benchmarks, behind the framework's types (the player side includes afxwin.h,
// which cannot live together with <windows.h>): the clock, the drop floors' bare calls, drop blocks, files.
#pragma once

#include "framework/fw_types.h"

#include <string>
#include <vector>

namespace bench {

double NowMs(); // QueryPerformanceCounter
std::string Utf8(const std::wstring& wide);

// The floor of a folder scan: FindFirstFileW / FindNextFileW over the tree, every file's full path
// collected, nothing else.
void WalkTree(const std::wstring& dir, std::vector<std::wstring>* files);
// The names of one folder in the file system's order (files only).
std::vector<std::wstring> FolderFiles(const std::wstring& dir);

// A hidden sorted list box with the playlist's styles, child of `parent`.
fw::HWND MakeSortedListBox(fw::HWND parent);
// LB_ADDSTRING of every text, in order.
void AddStrings(fw::HWND listBox, const std::vector<std::wstring>& texts);
void ResetListBox(fw::HWND listBox);
std::vector<std::wstring> ListBoxItems(fw::HWND listBox);

// A drop as the shell makes it: a DROPFILES block of wide names. WM_DROPFILES sent to `window` (its handler
// releases the block).
void SendDrop(fw::HWND window, const std::vector<std::wstring>& paths);

// Small trees for the smoke run: `folders` folders of `filesPerFolder` empty files under `root`.
bool MakeTree(const std::wstring& root, int folders, int filesPerFolder);
void RemoveTree(const std::wstring& root);
std::wstring TempFolder(); // ends in '\'

} // namespace bench
