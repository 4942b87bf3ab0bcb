// The conformance suite's environment: what a case needs from outside the framework's interface. Every case
// of tests/seam is written against the framework alone (afxwin.h, controls.h, region.h, folders.h, paths.h,
// dropped_files.h and the platform functions afxwin.h re-exports) and runs unchanged on both platforms; only
// this environment has one implementation per platform: tests/seam/sim_env.cpp for the simulated platform
// (host preset), framework/win32/selftest/seam_env.cpp for the real one (the Wine self-test).
#pragma once

#include "framework/afxwin.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace seam {

// Called before every case: the simulated platform starts afresh; the real one has nothing to reset.
void FreshPlatform();

// ---- Files ------------------------------------------------------------------------------------------------

// The folder scratch folders are made in (ends without '\').
std::wstring TempRoot();
// Folder primitives the framework does not offer; paths of any length.
bool MakeFolder(const std::wstring& path);
bool RemoveFolder(const std::wstring& path); // an empty folder

// The read-only attribute of a file (FILE_ATTRIBUTE_READONLY; on the simulated platform, a host mode without
// write bits). False when it could not be set.
bool SetReadOnly(const std::wstring& path, bool readOnly);
// A symbolic link at `link` to the file or folder `target`; false when the platform makes none here (Wine
// before reparse points, Windows without the right to make links): the cases that need one skip.
bool MakeLink(const std::wstring& link, const std::wstring& target);

// Two folders that are the roots of two different mounts (volumes), or false when there are none.
bool MountRoots(std::wstring* first, std::wstring* second);

// ---- The movie device -------------------------------------------------------------------------------------

// A movie the device plays, 10 frames a second. The real device needs the end-to-end run's clips: false
// outside that run (the cases then skip).
struct Clip {
    std::wstring path;
    int frames;
};
bool MovieClip(Clip* clip);
// Copies the clip to `to` (a new file), so the device plays it there too.
bool CopyClip(const Clip& clip, const std::wstring& to);

// ---- Messages and input -----------------------------------------------------------------------------------

// Runs the platform's messages (timers included) for about `ms` milliseconds. The simulation runs 50-ms
// ticks; the real platform's message loop runs in real time.
void RunMessages(unsigned ms);
// Runs messages until `done` answers true; false when `timeoutMs` passed first.
bool RunMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs);
// Modal dialogs of `templateId` run their message loop (timers included) until they end. On the real
// platform that is what DoModal does anyway; the simulation needs a modal driver that ticks.
void LetModalLoopsRun(fw::UINT templateId);

// A drop as the shell hands it to WM_DROPFILES.
fw::HDROP MakeDrop(const std::vector<std::wstring>& paths);
// Where the pointer is.
fw::POINT PointerPos();

// A window's region as rows: for each y the [left, right) spans it keeps. Empty when it has none.
using Rows = std::map<int, std::vector<std::pair<int, int>>>;
Rows RegionRows(fw::HWND hwnd);

} // namespace seam

// The fixture of every case: a fresh platform first.
class SeamTest : public ::testing::Test {
protected:
    void SetUp() override { seam::FreshPlatform(); }
};
