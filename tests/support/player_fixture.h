// A main window opened on the simulated platform, as DoModal would open it, for tests that drive the real
// CPlayerDlg handlers and ticks. The program folder (argument 0) is a fresh temporary folder, so the
// settings file of one test never reaches another.
#pragma once

#include "support/sim_fixture.h"

#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/controls.h"
#include "framework/sim/sim.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

// How many lines of `log` are exactly `line`.
inline int LogCount(const std::vector<std::string>& log, const std::string& line) {
    int n = 0;
    for (const auto& l : log)
        n += l == line;
    return n;
}

// Each prefix must start some line of `log`, in this order (other lines may come between).
inline void ExpectOrderedPrefixes(const std::vector<std::string>& log,
                                  const std::vector<std::string>& prefixes) {
    size_t at = 0;
    for (const auto& prefix : prefixes) {
        while (at < log.size() && log[at].compare(0, prefix.size(), prefix) != 0)
            ++at;
        if (at == log.size()) {
            std::string all;
            for (const auto& l : log)
                all += "  " + l + "\n";
            ADD_FAILURE() << "missing, or out of order: " << prefix << "\nlog:\n" << all;
            return;
        }
        ++at;
    }
}

class PlayerTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        char pattern[] = "/tmp/telly-test-XXXXXX";
        const char* dir = mkdtemp(pattern);
        ASSERT_NE(dir, nullptr);
        programDir = dir;
        SetArgs({});
    }
    void TearDown() override {
        if (hwnd && !sim::Info(hwnd)->destroyed) sim::CloseModal(hwnd);
        dlg.reset();
        std::string cmd = "rm -rf '" + programDir + "'";
        if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << cmd;
        SimTest::TearDown();
    }
    // Arguments after the program name.
    void SetArgs(const std::vector<std::wstring>& args) {
        std::vector<std::wstring> all{sim::PlayerPath(programDir) + L"\\telly.exe"};
        all.insert(all.end(), args.begin(), args.end());
        sim::SetCommandLine(all);
    }
    // Opens the main window (WM_CREATE, WM_INITDIALOG) without running any tick.
    void Open() {
        dlg = std::make_unique<CPlayerDlg>(nullptr);
        hwnd = sim::OpenModal(*dlg);
        ASSERT_NE(hwnd, nullptr);
    }
    // Opens the window and runs the first tick, then forgets the log.
    void OpenAndStart() {
        Open();
        sim::Tick();
        sim::ClearLog();
    }
    fw::HWND Item(int id) { return fw::plat::GetDialogItem(hwnd, id); }
    void SetPlaylist(const std::vector<std::wstring>& entries) {
        fw::CListBox playlist(Item(IDC_PLAYLIST));
        playlist.ResetContent();
        for (const auto& e : entries)
            playlist.AddString(e);
        g_nEntryCount = static_cast<int>(entries.size());
    }

    std::string programDir;
    std::unique_ptr<CPlayerDlg> dlg;
    fw::HWND hwnd = nullptr;
};
